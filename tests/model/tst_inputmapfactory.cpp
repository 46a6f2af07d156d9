#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "InputMapFactory.h"

#include "OutputBuilders.h"

#include <QtTest>

#include <typeinfo>

class TestInputMapFactory : public QObject
{
    Q_OBJECT

private slots:
    void createMakesTheClassOfTheType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("className");
        QTest::newRow("button") << 10 << typeid(InputMapAction_Button).name();
        QTest::newRow("movement") << 20 << typeid(InputMapAction_Movement).name();
        QTest::newRow("scroll") << 30 << typeid(InputMapAction_Scroll).name();
        QTest::newRow("force region") << 50 << typeid(InputMapAction_Force).name();
        QTest::newRow("force range") << 52 << typeid(InputMapAction_Force).name();
        QTest::newRow("tilt region") << 60 << typeid(InputMapAction_Angle).name();
        QTest::newRow("tilt range") << 62 << typeid(InputMapAction_Angle).name();
        QTest::newRow("no mapping has 0") << 0 << QString();
        QTest::newRow("system event") << 80 << QString();
        QTest::newRow("between the codes") << 51 << QString();
    }
    void createMakesTheClassOfTheType()
    {
        QFETCH(int, type);
        QFETCH(QString, className);
        const InputMapPtr made = InputMapFactory::create(type);
        if (className.isEmpty()) {
            QVERIFY(!made);
            return;
        }
        QVERIFY(made);
        QCOMPARE(QString(typeid(*made).name()), className);
        QCOMPARE(made->inputType, type);
    }

    void convertCarriesTheMappingIntoTheNewClass()
    {
        InputMapActionConfig parent(10);
        auto source = std::make_shared<InputMapAction_Button>();
        source->buttonId = 4;
        source->name = QStringLiteral("Thumb");
        source->blockOnDeactivation = 1;
        source->activationOutputs = {click(0, 1)};
        source->deactivationOutputs = {click(0, 0)};
        parent.addChild(source);
        const InputMapPtr first = source->addChild(std::make_shared<InputMapAction_Button>());
        const InputMapPtr second = source->addChild(std::make_shared<InputMapAction_Scroll>());

        const InputMapPtr moved = InputMapFactory::convert(*source, 20);
        QVERIFY(moved);
        const auto *movement = dynamic_cast<InputMapAction_Movement *>(moved.get());
        QVERIFY(movement);
        QCOMPARE(movement->inputType, 20);
        QCOMPARE(movement->direction, 6);
        QCOMPARE(movement->name, QStringLiteral("Thumb"));
        QCOMPARE(movement->blockOnDeactivation, quint8(1));
        QCOMPARE(movement->activationOutputs, source->activationOutputs);
        QCOMPARE(movement->deactivationOutputs, source->deactivationOutputs);
        QCOMPARE(movement->parent, &parent);
        QCOMPARE(movement->children, (InputMapList{first, second}));
        QCOMPARE(first->parent, moved.get());
        QCOMPARE(second->parent, moved.get());
        QVERIFY(source->children.isEmpty());

        QVERIFY(InputMapFactory::replaceIn(parent.children, source.get(), moved));
        QCOMPARE(parent.children, InputMapList{moved});
        QVERIFY(!InputMapFactory::replaceIn(parent.children, source.get(), moved));
    }

    void convertWithinAClassKeepsItsFields()
    {
        InputMapAction_Force region;
        region.buttonId = 7;
        region.entryStart = 300;
        region.exitStart = 200;
        const InputMapPtr range = InputMapFactory::convert(region, 52);
        const auto *force = dynamic_cast<InputMapAction_Force *>(range.get());
        QVERIFY(force);
        QCOMPARE(force->inputType, 52);
        QCOMPARE(force->buttonId, 7);
        QCOMPARE(force->entryStart, quint16(300));
        QCOMPARE(force->exitStart, quint16(200));
    }

    void convertToAnUnknownTypeChangesNothing()
    {
        InputMapAction_Button source;
        const InputMapPtr child = source.addChild(std::make_shared<InputMapAction_Button>());
        QVERIFY(!InputMapFactory::convert(source, 40));
        QCOMPARE(source.children, InputMapList{child});
        QCOMPARE(child->parent, &source);
    }
};

QTEST_GUILESS_MAIN(TestInputMapFactory)
#include "tst_inputmapfactory.moc"
