#include "ComboItemView.h"

#include <QItemSelectionModel>
#include <QMouseEvent>

ComboItemView::ComboItemView(QWidget *parent)
    : QListView(parent)
{}

void ComboItemView::mouseReleaseEvent(QMouseEvent *event)
{
    const QModelIndex chosen = currentIndex();
    // A release over the blank part of the list chooses nothing; the current
    // row there is only the reset first row, not the user's choice.
    const bool overRow = indexAt(event->pos()).isValid();
    clearSelection();
    const QModelIndex first = model() ? model()->index(0, 0, rootIndex()) : QModelIndex();
    if (first.isValid())
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
    if (overRow && chosen.isValid())
        emit clicked(chosen);
}

void ComboItemView::focusOutEvent(QFocusEvent *)
{
    emit focusOutHide();
}
