#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Mouse.h"

#include "OutputBuilders.h"

#include <QtTest>

class TestInputMappings : public QObject
{
    Q_OBJECT

private slots:
    void newMappingsStartAtTheirDefaults()
    {
        const InputMapActionConfig base;
        QCOMPARE(base.blockOnDeactivation, quint8(0));
        QVERIFY(base.name.isEmpty());
        QVERIFY(base.activationOutputs.isEmpty() && base.deactivationOutputs.isEmpty() && base.children.isEmpty());
        QVERIFY(!base.parent);

        const InputMapAction_Button button;
        QCOMPARE(button.inputType, 10);
        QCOMPARE(button.buttonId, 13);
        QCOMPARE(button.activeState, 1);

        const InputMapAction_Movement movement;
        QCOMPARE(movement.inputType, 20);
        QCOMPARE(movement.direction, 6);
        QCOMPARE(movement.countDivisor.bytes[0], quint8(0));
        QCOMPARE(movement.countDivisor.bytes[1], quint8(1));
        QCOMPARE(movement.repeat, 0);

        QCOMPARE(InputMapAction_Scroll().wheelDirection, 0);

        const InputMapAction_Force force(52);
        QCOMPARE(force.inputType, 52);
        QCOMPARE(force.buttonId, 13);
        QCOMPARE(force.entryStart, quint16(0));
        QCOMPARE(force.entryEnd, quint16(1000));
        QCOMPARE(force.exitStart, quint16(0));
        QCOMPARE(force.exitEnd, quint16(1000));
        QCOMPARE(force.forceDirection, 0);
        QCOMPARE(force.activeState, 1);

        const InputMapAction_Angle angle;
        QCOMPARE(angle.inputType, 60);
        QCOMPARE(angle.entryStart + angle.entryEnd + angle.exitStart + angle.exitEnd, 0);
        QCOMPARE(angle.angleDirection, 2);
        QCOMPARE(angle.activeState, 1);
    }

    void cloneSharesOutputsAndChildren()
    {
        auto source = std::make_shared<InputMapAction_Force>(50);
        source->name = "squeeze";
        source->exitStart = 300;
        source->activationOutputs = {key(4), key(5)};
        source->deactivationOutputs = {key(6)};
        InputMapPtr child = source->addChild(std::make_shared<InputMapAction_Button>());
        InputMapActionConfig grandparent;
        source->parent = &grandparent;

        InputMapPtr copy = source->clone();
        auto *force = dynamic_cast<InputMapAction_Force *>(copy.get());
        QVERIFY(force);
        QVERIFY(copy != source);
        QCOMPARE(force->name, QString("squeeze"));
        QCOMPARE(force->exitStart, quint16(300));
        QCOMPARE(copy->activationOutputs, source->activationOutputs);
        QCOMPARE(copy->deactivationOutputs, source->deactivationOutputs);
        QCOMPARE(copy->children, source->children);
        QCOMPARE(copy->parent, &grandparent);
        QCOMPARE(child->parent, source.get()); // the shared child still names its first parent
    }

    // A mapping with two children, one of which has a child.
    void deepCopyMakesAnIndependentTree()
    {
        auto root = std::make_shared<InputMapAction_Button>();
        root->buttonId = 3;
        root->activationOutputs = {key(4)};
        root->deactivationOutputs = {key(4)};
        InputMapPtr first = root->addChild(std::make_shared<InputMapAction_Scroll>());
        first->activationOutputs = {std::make_shared<OutputAction_Mouse>(13)};
        InputMapPtr second = root->addChild(std::make_shared<InputMapAction_Button>());
        InputMapPtr grandchild = second->addChild(std::make_shared<InputMapAction_Movement>());
        grandchild->activationOutputs = {key(7), key(8)};

        InputMapPtr copy = root->deepCopy();
        QVERIFY(dynamic_cast<InputMapAction_Button *>(copy.get()));
        QCOMPARE(static_cast<InputMapAction_Button &>(*copy).buttonId, 3);
        QVERIFY(!copy->parent);
        QCOMPARE(copy->children.size(), 2);
        InputMapPtr firstCopy = copy->children.at(0);
        InputMapPtr secondCopy = copy->children.at(1);
        QCOMPARE(secondCopy->children.size(), 1);
        InputMapPtr grandchildCopy = secondCopy->children.at(0);

        const QList<QPair<InputMapPtr, InputMapPtr>> pairs = {
            {root, copy}, {first, firstCopy}, {second, secondCopy}, {grandchild, grandchildCopy}};
        for (const auto &pair : pairs) {
            QVERIFY(pair.first != pair.second);
            QCOMPARE(pair.second->inputType, pair.first->inputType);
            const QList<OutputList> sourceLists = {pair.first->activationOutputs, pair.first->deactivationOutputs};
            const QList<OutputList> copyLists = {pair.second->activationOutputs, pair.second->deactivationOutputs};
            for (int l = 0; l < 2; ++l) {
                QCOMPARE(copyLists[l].size(), sourceLists[l].size());
                for (int i = 0; i < sourceLists[l].size(); ++i) {
                    QVERIFY(copyLists[l][i] != sourceLists[l][i]);
                    QVERIFY(copyLists[l][i]->equals(*sourceLists[l][i]));
                }
            }
        }
        QCOMPARE(firstCopy->parent, copy.get());
        QCOMPARE(secondCopy->parent, copy.get());
        QCOMPARE(grandchildCopy->parent, secondCopy.get());
        QCOMPARE(grandchild->parent, second.get());
    }

    void deepCopyOfANestedMappingKeepsItsParent()
    {
        auto root = std::make_shared<InputMapAction_Button>();
        InputMapPtr child = root->addChild(std::make_shared<InputMapAction_Button>());
        QCOMPARE(child->deepCopy()->parent, root.get());
    }

    void activationOnlyInputs_data()
    {
        QTest::addColumn<int>("inputType");
        QTest::addColumn<bool>("activationOnly");
        QTest::newRow("button") << 10 << false;
        QTest::newRow("movement") << 20 << true;
        QTest::newRow("scroll") << 30 << true;
        QTest::newRow("force region") << 50 << false;
        QTest::newRow("force range") << 52 << true;
        QTest::newRow("angle region") << 60 << false;
        QTest::newRow("angle range") << 62 << true;
    }

    void activationOnlyInputs()
    {
        QFETCH(int, inputType);
        QFETCH(bool, activationOnly);
        QCOMPARE(InputMapActionConfig(inputType).isActivationOnly(), activationOnly);
    }

    void packTwelveBitPair_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("1000, 0") << 1000 << 0 << QByteArray::fromHex("E83000");
        QTest::newRow("0, 1000") << 0 << 1000 << QByteArray::fromHex("00083E");
        QTest::newRow("0x123, 0x456") << 0x123 << 0x456 << QByteArray::fromHex("231645");
        QTest::newRow("bits above 11 dropped") << 0xF123 << 0xF456 << QByteArray::fromHex("231645");
        QTest::newRow("largest") << 0xFFF << 0xFFF << QByteArray::fromHex("FFFFFF");
    }

    void packTwelveBitPair()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QByteArray, bytes);
        QCOMPARE(::packTwelveBitPair(quint16(a), quint16(b)), bytes);
    }
};

QTEST_GUILESS_MAIN(TestInputMappings)
#include "tst_inputmappings.moc"
