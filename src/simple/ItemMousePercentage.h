#pragma once

#include <QWidget>

class MouseFunctions;
class QHBoxLayout;
class QLabel;

// The small ring that shows how much of the mouse's memory the profiles use:
// the percentage as text inside, and an arc that runs clockwise from the top,
// a full circle at 100 % and in the warning colour above. The colours follow
// the connected model at each repaint.
class ItemMousePercentage : public QWidget
{
    Q_OBJECT

public:
    explicit ItemMousePercentage(QWidget *parent = nullptr);

    void setPercentage(double percent);
    double percentage() const { return m_percent; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    MouseFunctions *device;
    QHBoxLayout *horizontalLayout;
    QLabel *label;
    double m_percent = 0;
};
