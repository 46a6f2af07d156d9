// Input icons: the picture of each kind per model, which list an input's
// icons join, where they stack, recolouring, and that every icon made is
// freed (the leak checker watches each case).
#include "IconPixObject.h"
#include "IconsBlock.h"
#include "LastMouseModel.h"
#include "ProcessStateGuard.h"

#include <QGraphicsScene>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

QList<int> kindsOf(const QList<IconPixObject *> &icons)
{
    QList<int> kinds;
    for (IconPixObject *icon : icons)
        kinds.append(icon ? icon->iconType() : -1);
    return kinds;
}

} // namespace

class TestIconsBlock : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void init() { clean.emplace(); }
    void cleanup() { clean.reset(); }

    void picturePerModel_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<QString>("path");
        const QString folder = ":/pic/simple_mode/v/mouse_scene/";
        QTest::newRow("5 push") << 5 << int(IconPixObject::Push) << false << folder + "push_grey.png";
        QTest::newRow("5 tilt back") << 5 << int(IconPixObject::TiltBack) << false << folder + "tilt_back_grey.png";
        QTest::newRow("5 highlighted") << 5 << int(IconPixObject::ForcePress) << true
                                       << folder + "force_press_white.png";
        QTest::newRow("20 pull") << 20 << int(IconPixObject::Pull) << false << folder + "pull_pink.png";
        QTest::newRow("20 highlighted") << 20 << int(IconPixObject::ScrollBack) << true
                                        << folder + "scroll_back_white.png";
        QTest::newRow("20 tilt") << 20 << int(IconPixObject::TiltLeft) << false << QString();
        QTest::newRow("10 tilt") << 10 << int(IconPixObject::TiltForward) << true << QString();
        QTest::newRow("10 push") << 10 << int(IconPixObject::Push) << false << folder + "push_grey.png";
        QTest::newRow("30 scroll") << 30 << int(IconPixObject::ScrollForward) << false
                                   << folder + "scroll_forward_grey.png";
        QTest::newRow("unknown kind") << 5 << 9 << false << QString();
        QTest::newRow("no mouse") << 0 << int(IconPixObject::TiltRight) << false << folder + "tilt_right_grey.png";
    }
    void picturePerModel()
    {
        QFETCH(int, model);
        QFETCH(int, kind);
        QFETCH(bool, highlighted);
        QFETCH(QString, path);
        useLastMouseModel(model);
        std::unique_ptr<IconPixObject> icon(IconPixObject::create(kind, highlighted));
        QCOMPARE(icon->picturePath(), path);
        QCOMPARE(icon->iconType(), kind);
        QVERIFY(!icon->scene());
        QVERIFY(!icon->parent());
        if (path.isEmpty())
            QVERIFY(icon->pixmap().isNull());
    }

    void inputsJoinTheirLists_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<int>>("kinds");
        QTest::newRow("left button") << 0 << 0 << QList<int>{IconPixObject::Push};
        QTest::newRow("right fingertip") << 8 << 8 << QList<int>{IconPixObject::Push};
        QTest::newRow("left trigger") << 9 << 10 << QList<int>{IconPixObject::Pull, IconPixObject::Push};
        QTest::newRow("right trigger") << 11 << 12 << QList<int>{IconPixObject::Pull, IconPixObject::Push};
        QTest::newRow("roll") << 14 << 13 << QList<int>{IconPixObject::TiltLeft, IconPixObject::TiltRight};
        QTest::newRow("pitch") << 16 << 15 << QList<int>{IconPixObject::TiltForward, IconPixObject::TiltBack};
        QTest::newRow("scroll") << 18 << 2 << QList<int>{IconPixObject::ScrollForward, IconPixObject::ScrollBack};
        QTest::newRow("DPI") << 19 << 19 << QList<int>{-1};
    }
    void inputsJoinTheirLists()
    {
        QFETCH(int, input);
        QFETCH(int, key);
        QFETCH(QList<int>, kinds);
        QGraphicsScene scene;
        IconsBlock block(&scene, {});
        block.addInputIcons(input);
        QCOMPARE(kindsOf(block.icons(key)), kinds);
        // The input's own list exists even when its icons went elsewhere.
        QVERIFY(block.keys().contains(input));
        if (key != input)
            QVERIFY(block.icons(input).isEmpty());
    }

    void partnerInputsOnlyMakeAnEmptyList_data()
    {
        QTest::addColumn<int>("input");
        for (int input : {10, 12, 13, 15, 17})
            QTest::addRow("%d", input) << input;
    }
    void partnerInputsOnlyMakeAnEmptyList()
    {
        QFETCH(int, input);
        QGraphicsScene scene;
        IconsBlock block(&scene, {});
        block.addInputIcons(input);
        QCOMPARE(block.keys(), QList<int>{input});
        QVERIFY(block.icons(input).isEmpty());
    }

    void iconsStackUpwardWithinTheLimit()
    {
        QGraphicsScene scene;
        IconsBlock block(&scene, {{1, QPoint(1398, 300)}, {2, QPoint(-90, 500)}});
        for (int i = 0; i < 4; ++i) {
            block.addIcon(1, IconPixObject::Push);
            block.addIcon(2, IconPixObject::ScrollForward);
        }
        block.placeIcons();

        // Four under key 1 (limit 3): the first two only, the anchor's slot left empty.
        const QList<IconPixObject *> one = block.icons(1);
        QCOMPARE(one[0]->pos(), QPointF(1398, 300 - 116));
        QCOMPARE(one[1]->pos(), QPointF(1398, 300 - 79));
        QVERIFY(!one[2]->scene());
        QVERIFY(!one[3]->scene());
        // Four under key 2 (limit 4): all of them, the last 42 px above the anchor.
        const QList<IconPixObject *> two = block.icons(2);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(two[i]->scene(), &scene);
            QCOMPARE(two[i]->pos(), QPointF(-90, 500 - 5 - 37 * (4 - i)));
            QCOMPARE(two[i]->scale(), 1.4);
        }
        QCOMPARE(block.items().size(), 6);
        QCOMPARE(block.items().first(), one[0]);

        block.setVisible(false);
        QVERIFY(!two[3]->isVisible());
        block.setVisible(true);
        QVERIFY(two[3]->isVisible());
    }

    void iconAtTheOriginAndMissingAnchorsStayOut()
    {
        QGraphicsScene scene;
        // One icon above an anchor at (0, 42) would land on (0, 0).
        IconsBlock block(&scene, {{3, QPoint(0, 42)}});
        block.addIcon(3, IconPixObject::Push);
        block.addIcon(4, IconPixObject::Push); // no anchor: reads (0, 0)
        block.placeIcons();
        QVERIFY(!block.icons(3).first()->scene());
        QCOMPARE(block.icons(4).first()->pos(), QPointF(0, -42));
        QVERIFY(block.iconPositions().contains(4));
        QCOMPARE(block.items().size(), 1);
    }

    void recolouringReplacesPlacedIcons()
    {
        useLastMouseModel(5);
        QGraphicsScene scene;
        IconsBlock block(&scene, {{10, QPoint(1398, 704)}});
        block.addInputIcons(9);
        block.placeIcons();
        const QList<IconPixObject *> before = block.icons(10);
        block.recolorIcons(10, true);
        const QList<IconPixObject *> after = block.icons(10);
        QCOMPARE(after.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QVERIFY(after[i] != before[i]);
            QCOMPARE(after[i]->scene(), &scene);
            QVERIFY(after[i]->picturePath().endsWith("_white.png"));
            QCOMPARE(after[i]->iconType(), i == 0 ? int(IconPixObject::Pull) : int(IconPixObject::Push));
            QCOMPARE(after[i]->pos(), QPointF(1398, 704 - 5 - 37 * (2 - i)));
            QCOMPARE(after[i]->scale(), 1.4);
        }
        QCOMPARE(scene.items().size(), 2); // the old ones are gone
        block.recolorIcons(10, false);
        QVERIFY(block.icons(10).first()->picturePath().endsWith("_grey.png"));
    }

    // Icons left out by the limit or at the origin are freed too; the leak
    // checker fails the test run otherwise.
    void clearFreesUnplacedIcons()
    {
        QGraphicsScene scene;
        IconsBlock block(&scene, {{0, QPoint(-90, 28)}, {3, QPoint(0, 42)}});
        for (int i = 0; i < 5; ++i)
            block.addIcon(0, IconPixObject::Push);
        block.addIcon(3, IconPixObject::Push);
        block.addInputIcons(19); // a null entry
        block.placeIcons();
        QCOMPARE(block.items().size(), 2);
        block.clear();
        QVERIFY(block.keys().isEmpty());
        QVERIFY(scene.items().isEmpty());

        // Rebuilt and left to the block's end.
        for (int i = 0; i < 5; ++i)
            block.addIcon(0, IconPixObject::Push);
        block.placeIcons();
    }

    void iconsTheSceneDeletedAreNotDeletedAgain()
    {
        auto scene = std::make_unique<QGraphicsScene>();
        IconsBlock block(scene.get(), {{1, QPoint(1398, 28)}});
        block.addIcon(1, IconPixObject::Push);
        block.addIcon(1, IconPixObject::Pull);
        block.placeIcons();
        scene.reset();
        QVERIFY(block.items().isEmpty());
        block.recolorIcons(1, true);
        block.clear();
    }
};

QTEST_MAIN(TestIconsBlock)
#include "tst_iconsblock.moc"
