#pragma once
// The one hint bar of the process: a strip with a one- or two-line hint about
// what the pointer is over. Views set its context when a page opens (0 or 8,
// the base hints) and when the pointer enters or leaves a control; a hover
// hint falls back to the last base hint when the pointer leaves.
//
// instance() makes the bar when there is none: a view may put it into its
// layout, and when that view is destroyed with the bar still inside, the next
// instance() makes a new one. The last bar is deleted while the application
// object still exists (widgets must not outlive it). The base hint is kept
// apart from the bar, so a new bar starts with it.

#include <QWidget>

class QLabel;
class QPushButton;

class HintsArea : public QWidget
{
    Q_OBJECT

public:
    static HintsArea *instance();
    ~HintsArea() override;

    // The hint text of a context (0 to 11), translated; empty for others.
    static QString hintText(int context);

public slots:
    void setContext(int context, bool isHovered);

signals:
    // The user closed the bar with its close button.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    HintsArea();
    static void destroyInstance();

    QLabel *m_label;
    QPushButton *m_closeButton;
};
