#pragma once
// Re-ordering the rows of a vertical list by dragging them, as the DPI level
// editors of both views do. Each row sits in a frame of its own in one box
// layout. While a row is dragged its frame is hidden and a gap of its size
// stands where the row would land; the gap follows the pointer from row to
// row. The list itself stays the owner's: a drop hands back the move to make,
// and the owner moves its entry, then lets the frames follow.
//
//     void Editor::dropEvent(QDropEvent *event)
//     {
//         const std::optional<RowDrag::Move> move = drag->drop(event);
//         if (move && moveEntry(rows, move->from, move->to)) {
//             drag->placeFrames();
//             renumber();
//         }
//     }

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QBoxLayout;
class QDrag;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QFrame;
class QMimeData;
class QPoint;
class QSpacerItem;
class QWidget;

class RowDrag
{
public:
    // Runs a drag and gives back its result; null runs QDrag::exec with the
    // move action. Tests deliver the drag events from inside it.
    using Runner = std::function<Qt::DropAction(QDrag *drag)>;
    // The row frames in list order, asked for at every step: rows may come
    // and go while a drag runs.
    using Frames = std::function<QList<QFrame *>()>;

    struct Move
    {
        int from; // list positions
        int to;
    };

    // owner receives the drag events; the frames stand in layout from
    // firstRowPosition on, in list order.
    RowDrag(QWidget *owner, QBoxLayout *layout, const QString &mimeType, int firstRowPosition, Frames frames);
    ~RowDrag();
    RowDrag(const RowDrag &) = delete;
    RowDrag &operator=(const RowDrag &) = delete;

    // Drags the row in frame, held at hotSpot (row coordinates), until the
    // drag ends; then the frame shows again if it is still a row. Nothing
    // when a drag is already under way. False when the owner was deleted
    // while the drag ran: the caller must not touch itself then.
    bool run(QFrame *frame, const QPoint &hotSpot, const Runner &runner);
    bool isRunning() const { return m_gap != nullptr; }
    // The frame being dragged; null when none, or when it went.
    QFrame *draggedFrame() const;

    // Accept the owner's own rows only.
    void enter(QDragEnterEvent *event) const;
    void move(QDragMoveEvent *event);
    // The move a drop asks for: from the dragged row's position to that of
    // the last row the pointer was over; none when it was over no row, or
    // the drag is not one of the owner's.
    std::optional<Move> drop(QDropEvent *event);
    // Puts the frames into the layout in list order.
    void placeFrames();

private:
    bool ownRows(const QMimeData *data) const;
    void removeGap();

    QWidget *m_owner;
    QBoxLayout *m_layout;
    QString m_mimeType;
    int m_firstRowPosition;
    Frames m_frames;

    // The drag under way.
    QSpacerItem *m_gap = nullptr;
    QPointer<QFrame> m_dragged;
    int m_target = -1; // the list position of the row under the pointer, -1 none
};
