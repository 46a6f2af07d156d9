// Re-ordering rows by dragging, in a bare list of framed rows: where a drop
// lands, what is refused, and a list that goes while its drag runs.
#include "RowDrag.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

const QString rowsType = QStringLiteral("test/row");

// A heading, then one framed row per name, re-ordered as the level editors do.
class RowList : public QWidget
{
public:
    explicit RowList(const QStringList &names)
    {
        setAcceptDrops(true);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("Rows"), this));
        for (const QString &name : names) {
            auto *frame = new QFrame(this);
            frame->setObjectName(name);
            frame->setFixedHeight(30);
            auto *row = new QHBoxLayout(frame);
            row->addWidget(new QLabel(name, frame));
            layout->addWidget(frame);
            frames.append(frame);
        }
        drag = std::make_unique<RowDrag>(this, layout, rowsType, 1, [this] { return frames; });
    }

    QStringList order() const
    {
        QStringList names;
        for (const QFrame *frame : frames)
            names << frame->objectName();
        return names;
    }
    // The rows from top to bottom as laid out.
    QStringList shownOrder() const
    {
        QList<QFrame *> byPlace = frames;
        std::sort(byPlace.begin(), byPlace.end(), [](QFrame *a, QFrame *b) { return a->y() < b->y(); });
        QStringList names;
        for (const QFrame *frame : byPlace)
            names << frame->objectName();
        return names;
    }
    QPoint centreOf(int row) const { return frames.at(row)->geometry().center(); }

    QList<QFrame *> frames;
    std::unique_ptr<RowDrag> drag;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override { drag->enter(event); }
    void dragMoveEvent(QDragMoveEvent *event) override { drag->move(event); }
    void dropEvent(QDropEvent *event) override
    {
        const std::optional<RowDrag::Move> move = drag->drop(event);
        if (move) {
            frames.move(move->from, move->to);
            drag->placeFrames();
        }
    }
};

// Over each of the given rows in turn, then a drop at the last point.
void hoverAndDrop(RowList *list, QDrag *drag, const QList<QPoint> &points)
{
    QDragEnterEvent enter(points.first(), Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &enter);
    for (const QPoint &point : points) {
        QDragMoveEvent move(point, Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &move);
    }
    QDropEvent drop(points.last(), Qt::MoveAction, drag->mimeData(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &drop);
}

} // namespace

class TestRowDrag : public QObject
{
    Q_OBJECT

private slots:
    void dropMovesTheRow_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<QList<int>>("over");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("down") << 0 << QList<int>{1, 2} << QStringList{"b", "c", "a", "d"};
        QTest::newRow("up to the first") << 3 << QList<int>{2, 0} << QStringList{"d", "a", "b", "c"};
        // The last row the pointer was over counts.
        QTest::newRow("there and back") << 1 << QList<int>{3, 2} << QStringList{"a", "c", "b", "d"};
        QTest::newRow("over itself only") << 2 << QList<int>{} << QStringList{"a", "b", "c", "d"};
    }

    void dropMovesTheRow()
    {
        QFETCH(int, dragged);
        QFETCH(QList<int>, over);
        QFETCH(QStringList, expected);
        RowList list({"a", "b", "c", "d"});
        list.resize(200, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QList<QPoint> points;
        for (int row : over)
            points << list.centreOf(row);
        if (points.isEmpty())
            points << list.centreOf(dragged);

        bool hiddenWhileDragged = false;
        QFrame *frame = list.frames.at(dragged);
        list.drag->run(frame, QPoint(5, 5), [&](QDrag *drag) {
            hiddenWhileDragged = !frame->isVisible() && list.drag->isRunning();
            hoverAndDrop(&list, drag, points);
            return Qt::MoveAction;
        });
        QVERIFY(hiddenWhileDragged);
        QVERIFY(!list.drag->isRunning());
        QCOMPARE(list.order(), expected);
        QCoreApplication::processEvents();
        QVERIFY(frame->isVisible());
        QCOMPARE(list.shownOrder(), expected);
    }

    void foreignDataIsRefused()
    {
        RowList list({"a", "b"});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QMimeData foreign;
        foreign.setText("a");
        QDragEnterEvent enter(list.centreOf(1), Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&list, &enter);
        QVERIFY(!enter.isAccepted());
        // Our own kind of data, but no drag of ours running: nowhere to go.
        QMimeData stray;
        stray.setData(rowsType, QByteArray());
        QDragMoveEvent move(list.centreOf(1), Qt::MoveAction, &stray, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&list, &move);
        QVERIFY(!move.isAccepted());
        QCOMPARE(list.order(), (QStringList{"a", "b"}));
    }

    // The rows' owner is deleted from inside the drag's event loop.
    void ownerGoneDuringTheDrag()
    {
        auto *list = new RowList({"a", "b"});
        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QPointer<RowList> alive(list);
        const bool ownerKept = list->drag->run(list->frames.at(0), QPoint(5, 5), [&](QDrag *) {
            delete list;
            return Qt::IgnoreAction;
        });
        QVERIFY(!ownerKept);
        QVERIFY(alive.isNull());
    }
};

QTEST_MAIN(TestRowDrag)
#include "tst_rowdrag.moc"
