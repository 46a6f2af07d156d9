#include "LayerFitting.h"
#include "MappingPaths.h"

#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"

#include <QtTest>

class TestLayerRules : public QObject
{
    Q_OBJECT

private slots:
    void scrollAreasShrinkToTheWindow_data()
    {
        QTest::addColumn<int>("parentHeight");
        QTest::addColumn<QList<int>>("rowsPerArea");
        QTest::addColumn<QList<int>>("heights");
        QTest::newRow("everything fits") << 1200 << QList<int>{5, 1, 6} << QList<int>{250, 50, 300};
        // Only areas of at least 200 shrink, the last area first, 50 at a time.
        QTest::newRow("5, 1 and 6 in a short window") << 755 << QList<int>{5, 1, 6} << QList<int>{150, 50, 200};
        QTest::newRow("never below 150") << 400 << QList<int>{5, 1, 6} << QList<int>{150, 50, 150};
        QTest::newRow("an excess under 50 takes one step") << 855 << QList<int>{6, 6} << QList<int>{300, 250};
        QTest::newRow("four nested rows are never shrunk") << 300 << QList<int>{4} << QList<int>{200};
        QTest::newRow("no room at all") << 300 << QList<int>{5, 1, 6} << QList<int>{250, 50, 300};
        QTest::newRow("no areas") << 300 << QList<int>{} << QList<int>{};
    }
    void scrollAreasShrinkToTheWindow()
    {
        QFETCH(int, parentHeight);
        QFETCH(QList<int>, rowsPerArea);
        QFETCH(QList<int>, heights);
        int childRows = 0;
        for (int rows : rowsPerArea)
            childRows += rows;
        QCOMPARE(LayerFitting::scrollAreaHeights(parentHeight, rowsPerArea.size(), childRows, rowsPerArea), heights);
    }

    void counterpartsLieAtTheSamePlace()
    {
        auto root = std::make_shared<InputMapAction_Button>();
        root->addChild(std::make_shared<InputMapAction_Button>());
        const InputMapPtr force = root->addChild(std::make_shared<InputMapAction_Force>());
        force->addChild(std::make_shared<InputMapAction_Button>());
        const InputMapPtr deep = force->addChild(std::make_shared<InputMapAction_Button>());

        bool ok = false;
        QCOMPARE(MappingPaths::pathOf(deep.get(), &ok), (QList<int>{1, 1}));
        QVERIFY(ok);
        QCOMPARE(MappingPaths::pathOf(root.get(), &ok), QList<int>());
        QVERIFY(ok);
        QCOMPARE(MappingPaths::rootOf(deep.get()), root.get());

        const InputMapPtr copy = root->deepCopy();
        InputMapActionConfig *twin = MappingPaths::counterpart(deep.get(), copy.get());
        QVERIFY(twin && twin != deep.get());
        QCOMPARE(MappingPaths::rootOf(twin), copy.get());
        QCOMPARE(MappingPaths::pathOf(twin), (QList<int>{1, 1}));
        QCOMPARE(MappingPaths::counterpart(root.get(), copy.get()), copy.get());

        QVERIFY(!MappingPaths::at(copy.get(), {2}));
        QVERIFY(!MappingPaths::at(copy.get(), {0, 0}));
        QVERIFY(!MappingPaths::at(nullptr, {0}));

        // A mapping taken out of its parent's children has no place.
        force->children.removeAll(deep);
        MappingPaths::pathOf(deep.get(), &ok);
        QVERIFY(!ok);
        QVERIFY(!MappingPaths::counterpart(deep.get(), copy.get()));
    }
};

QTEST_GUILESS_MAIN(TestLayerRules)
#include "tst_layerrules.moc"
