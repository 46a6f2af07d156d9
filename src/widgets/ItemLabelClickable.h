#pragma once
// A label that works as a menu entry: clicked() when the mouse is released
// over it (not when the press was dragged off first).

#include <QLabel>

class ItemLabelClickable : public QLabel
{
    Q_OBJECT

public:
    explicit ItemLabelClickable(QWidget *parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
