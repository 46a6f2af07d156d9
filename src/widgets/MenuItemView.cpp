#include "MenuItemView.h"

MenuItemView::MenuItemView(QWidget *parent)
    : QListView(parent)
{}

void MenuItemView::focusOutEvent(QFocusEvent *)
{
    emit focusOutHide();
}
