#pragma once
#include <QListView>

// The list inside a MenuList; it tells its menu when it loses the focus so
// the menu can close like a native pop-up.
class MenuItemView : public QListView
{
    Q_OBJECT

public:
    explicit MenuItemView(QWidget *parent = nullptr);

signals:
    void focusOutHide();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
