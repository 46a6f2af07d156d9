#include "RowDrag.h"

#include <QBoxLayout>
#include <QCursor>
#include <QDataStream>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFrame>
#include <QMimeData>
#include <QSpacerItem>

RowDrag::RowDrag(QWidget *owner, QBoxLayout *layout, const QString &mimeType, int firstRowPosition, Frames frames)
    : m_owner(owner)
    , m_layout(layout)
    , m_mimeType(mimeType)
    , m_firstRowPosition(firstRowPosition)
    , m_frames(std::move(frames))
{
}

RowDrag::~RowDrag()
{
    // The layout would delete a gap it holds.
    removeGap();
    delete m_gap;
}

QFrame *RowDrag::draggedFrame() const
{
    return m_dragged;
}

void RowDrag::removeGap()
{
    if (m_gap)
        m_layout->removeItem(m_gap);
}

bool RowDrag::run(QFrame *frame, const QPoint &hotSpot, const Runner &runner)
{
    if (m_gap || !frame)
        return true;

    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream << frame->objectName() << hotSpot;
    auto *mime = new QMimeData;
    mime->setData(m_mimeType, data);
    auto *drag = new QDrag(m_owner);
    drag->setMimeData(mime);
    drag->setPixmap(frame->grab());
    drag->setHotSpot(hotSpot);
    drag->setDragCursor(QCursor(Qt::ClosedHandCursor).pixmap(), Qt::MoveAction);

    frame->hide();
    m_gap = new QSpacerItem(frame->width(), frame->height(), QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_dragged = frame;
    m_target = -1;
    m_layout->insertItem(m_layout->indexOf(frame) + 1, m_gap);

    // The drag runs an event loop of its own, in which the owner may go.
    const QPointer<QWidget> owner(m_owner);
    if (runner) {
        runner(drag);
        if (!owner)
            return false;
        drag->deleteLater();
    } else {
        drag->exec(Qt::MoveAction); // deletes the drag afterwards
        if (!owner)
            return false;
    }

    // The row may have gone while the drag ran (the list was loaded anew).
    if (m_dragged && m_frames().contains(m_dragged.data()))
        m_dragged->show();
    removeGap();
    delete m_gap;
    m_gap = nullptr;
    m_dragged = nullptr;
    m_target = -1;
    return true;
}

bool RowDrag::ownRows(const QMimeData *data) const
{
    return data && data->hasFormat(m_mimeType);
}

void RowDrag::enter(QDragEnterEvent *event) const
{
    if (!ownRows(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void RowDrag::move(QDragMoveEvent *event)
{
    // Only a drag of the owner's own rows has a place to go.
    if (!ownRows(event->mimeData()) || !m_gap) {
        event->ignore();
        return;
    }
    const QList<QFrame *> frames = m_frames();
    const QPoint pointer = m_owner->mapToGlobal(event->pos());
    for (int i = 0; i < frames.size(); ++i) {
        QFrame *frame = frames.at(i);
        if (!frame->isVisible() || !QRect(frame->mapToGlobal(QPoint(0, 0)), frame->size()).contains(pointer))
            continue;
        m_target = i;
        m_layout->removeItem(m_gap);
        // The gap opens on the side the row will take.
        const int at = m_layout->indexOf(frame);
        m_layout->insertItem(m_target > frames.indexOf(m_dragged.data()) ? at + 1 : at, m_gap);
        break;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

std::optional<RowDrag::Move> RowDrag::drop(QDropEvent *event)
{
    if (!ownRows(event->mimeData())) {
        event->ignore();
        return std::nullopt;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    if (!m_gap || m_target < 0)
        return std::nullopt;
    const int from = m_frames().indexOf(m_dragged.data());
    if (from < 0)
        return std::nullopt;
    // The frames take their places in list order once the owner has moved
    // its entry, whatever way the pointer went over them.
    removeGap();
    return Move{from, m_target};
}

void RowDrag::placeFrames()
{
    const QList<QFrame *> frames = m_frames();
    for (int i = 0; i < frames.size(); ++i) {
        QFrame *frame = frames.at(i);
        m_layout->removeWidget(frame);
        m_layout->insertWidget(m_firstRowPosition + i, frame);
    }
}
