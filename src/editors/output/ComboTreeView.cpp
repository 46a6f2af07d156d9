#include "ComboTreeView.h"

#include <QKeyEvent>

ComboTreeView::ComboTreeView(QWidget *parent)
    : QTreeView(parent)
{}

void ComboTreeView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QModelIndex index = currentIndex();
        if (index.isValid()) {
            if (model()->hasChildren(index) && !isExpanded(index))
                expand(index);
            else
                emit clicked(index);
        }
        return;
    }
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        emit keyEdited(event->key());
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && (text.at(0).isLetterOrNumber() || text.at(0) == QLatin1Char(' '))) {
        emit keyPressed(text.at(0));
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ComboTreeView::focusOutEvent(QFocusEvent *event)
{
    QTreeView::focusOutEvent(event);
    emit focusOutHide();
}
