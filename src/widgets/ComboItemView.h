#pragma once
#include <QListView>

// The list inside a ComboBox pop-up. A release reports the row under the
// pointer through clicked() and puts the list back on its first row, so the
// next opening starts from the top with no stale highlight.
class ComboItemView : public QListView
{
    Q_OBJECT

public:
    explicit ComboItemView(QWidget *parent = nullptr);

signals:
    void focusOutHide();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
