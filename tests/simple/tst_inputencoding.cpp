#include "InputEncoding.h"
#include "InputKinds.h"

#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"

#include "ModelSnapshot.h"
#include "OutputBuilders.h"
#include "SampleModel.h"

#include <QtTest>

using Bounds = QList<int>; // entry start, entry end, exit start, exit end

namespace {

Bounds boundsOf(const InputMapAction_Angle &angle)
{
    return {angle.entryStart, angle.entryEnd, angle.exitStart, angle.exitEnd};
}

void setBounds(InputMapAction_Angle &angle, const Bounds &bounds)
{
    angle.entryStart = quint16(bounds.at(0));
    angle.entryEnd = quint16(bounds.at(1));
    angle.exitStart = quint16(bounds.at(2));
    angle.exitEnd = quint16(bounds.at(3));
}

} // namespace

class TestInputEncoding : public QObject
{
    Q_OBJECT

private slots:
    void movementRows_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("stored");
        QTest::newRow("left") << 0 << 0 << 0;
        QTest::newRow("down") << 3 << 3 << 3;
        QTest::newRow("all") << 6 << 4 << 6;
        // The text forms' directions 4 and 5 have no row of their own.
        QTest::newRow("text form 4 shows all") << 4 << 4 << 6;
        QTest::newRow("text form 5 shows all") << 5 << 4 << 6;
    }
    void movementRows()
    {
        QFETCH(int, direction);
        QFETCH(int, index);
        QFETCH(int, stored);
        QCOMPARE(InputEncoding::movementIndex(direction), index);
        InputMapAction_Movement movement;
        InputEncoding::storeMovement(movement, index, 5, false);
        QCOMPARE(movement.direction, stored);
    }

    void movementDistanceIsStoredHighByteFirst()
    {
        InputMapAction_Movement movement;
        InputEncoding::storeMovement(movement, 1, 300, true);
        QCOMPARE(movement.countDivisor.bytes[0], quint8(1));
        QCOMPARE(movement.countDivisor.bytes[1], quint8(44));
        QCOMPARE(movement.repeat, 1);
        InputEncoding::storeMovement(movement, 1, 65535, false);
        QCOMPARE(movement.countDivisor.value(), quint16(65535));
        QCOMPARE(movement.repeat, 0);
    }

    void forceMovesEntryAndExitStart_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("entryStart");
        QTest::addColumn<int>("exitStart");
        QTest::newRow("10 %") << 10 << 100 << 0;
        QTest::newRow("50 %") << 50 << 500 << 400;
        QTest::newRow("99 %") << 99 << 990 << 890;
    }
    void forceMovesEntryAndExitStart()
    {
        QFETCH(int, percent);
        QFETCH(int, entryStart);
        QFETCH(int, exitStart);
        InputMapAction_Force force;
        force.entryEnd = 1000;
        force.exitEnd = 700;
        InputEncoding::storeForce(force, percent);
        QCOMPARE(int(force.entryStart), entryStart);
        QCOMPARE(int(force.exitStart), exitStart);
        QCOMPARE(force.entryEnd, quint16(1000));
        QCOMPARE(force.exitEnd, quint16(700));
        QCOMPARE(InputEncoding::forcePercent(force), percent);
    }

    void childAngles_data()
    {
        QTest::addColumn<int>("axis");
        QTest::addColumn<int>("direction");
        QTest::addColumn<double>("degrees");
        QTest::addColumn<Bounds>("stored");
        QTest::newRow("1.0 right") << 0 << 1 << 1.0 << Bounds{1810, 3600, 1805, 3600};
        QTest::newRow("30.0 left") << 0 << 0 << 30.0 << Bounds{0, 1500, 0, 1530};
        QTest::newRow("12.5 back on the pitch axis") << 1 << 1 << 12.5 << Bounds{1925, 3600, 1913, 3600};
        // The spin box's 2.3 is a little less than 2.3: 22.99... tenths.
        QTest::newRow("2.3 right truncates") << 2 << 1 << 2.3 << Bounds{1822, 3600, 1817, 3600};
        QTest::newRow("1.2 left") << 0 << 0 << 1.2 << Bounds{0, 1788, 0, 1793};
        QTest::newRow("179.9 left") << 0 << 0 << 179.9 << Bounds{0, 0, 0, 179};
    }
    void childAngles()
    {
        QFETCH(int, axis);
        QFETCH(int, direction);
        QFETCH(double, degrees);
        QFETCH(Bounds, stored);
        InputMapAction_Angle angle;
        setBounds(angle, {0, 1788, 0, 1793});
        InputEncoding::storeChildAngle(angle, axis, direction, degrees);
        QCOMPARE(boundsOf(angle), stored);
        QCOMPARE(angle.axis, axis);
        QCOMPARE(InputEncoding::angleDirectionIndex(angle), direction);
    }

    void topLevelAnglesKeepTheirSide_data()
    {
        QTest::addColumn<Bounds>("before");
        QTest::addColumn<double>("degrees");
        QTest::addColumn<Bounds>("after");
        QTest::newRow("right side") << Bounds{1850, 3600, 1845, 3600} << 10.0 << Bounds{1900, 3600, 1890, 3600};
        QTest::newRow("left side") << Bounds{0, 1788, 0, 1793} << 20.0 << Bounds{0, 1600, 0, 1620};
    }
    void topLevelAnglesKeepTheirSide()
    {
        QFETCH(Bounds, before);
        QFETCH(double, degrees);
        QFETCH(Bounds, after);
        InputMapAction_Angle angle;
        angle.axis = 1;
        setBounds(angle, before);
        InputEncoding::storeTopLevelAngle(angle, degrees);
        QCOMPARE(boundsOf(angle), after);
        QCOMPARE(angle.axis, 1);
    }

    void anglesReadBack_data()
    {
        QTest::addColumn<Bounds>("stored");
        QTest::addColumn<double>("degrees");
        QTest::addColumn<int>("direction");
        QTest::newRow("defaults") << Bounds{0, 1788, 0, 1793} << 1.2 << 0;
        QTest::newRow("right 1.0") << Bounds{1810, 3600, 1805, 3600} << 1.0 << 1;
        QTest::newRow("left 30.0") << Bounds{0, 1500, 0, 1530} << 30.0 << 0;
    }
    void anglesReadBack()
    {
        QFETCH(Bounds, stored);
        QFETCH(double, degrees);
        QFETCH(int, direction);
        InputMapAction_Angle angle;
        setBounds(angle, stored);
        QCOMPARE(InputEncoding::angle(angle), degrees);
        QCOMPARE(InputEncoding::angleDirectionIndex(angle), direction);
    }

    void kindItemsFollowTheParentAndTheModel_data()
    {
        QTest::addColumn<int>("parentType");
        QTest::addColumn<int>("buttonId");
        QTest::addColumn<bool>("vModel");
        QTest::addColumn<QList<int>>("items");
        const QList<int> plain{10, 30, 20};
        const QList<int> withForce{50, 10, 30, 20};
        QTest::newRow("left button") << 10 << 0 << false << withForce;
        QTest::newRow("left fingertip") << 10 << 7 << false << withForce;
        QTest::newRow("middle button, no tilt sensor") << 10 << 2 << false << plain;
        QTest::newRow("middle button, tilt sensor") << 10 << 2 << true << (withForce + QList<int>{60});
        QTest::newRow("right fingertip, tilt sensor") << 10 << 8 << true << (withForce + QList<int>{60});
        QTest::newRow("top thumb, tilt sensor") << 10 << 4 << true << (plain + QList<int>{60});
        QTest::newRow("force region") << 50 << 13 << false << withForce;
        QTest::newRow("force range") << 52 << 0 << false << plain;
        QTest::newRow("movement") << 20 << 0 << false << plain;
    }
    void kindItemsFollowTheParentAndTheModel()
    {
        QFETCH(int, parentType);
        QFETCH(int, buttonId);
        QFETCH(bool, vModel);
        QFETCH(QList<int>, items);
        InputMapPtr parent;
        if (parentType == 10) {
            auto button = std::make_shared<InputMapAction_Button>();
            button->buttonId = buttonId;
            parent = button;
        } else if (parentType == 20) {
            parent = std::make_shared<InputMapAction_Movement>();
        } else {
            auto force = std::make_shared<InputMapAction_Force>(parentType);
            force->buttonId = buttonId;
            parent = force;
        }
        QCOMPARE(InputKinds::kindItems(parent.get(), vModel), items);

        // "Add Input" makes the first kind the combo offers, a force press
        // or a button.
        const InputMapPtr child = InputKinds::addNewChild(*parent, vModel);
        QCOMPARE(child->inputType, items.first());
        QCOMPARE(child->parent, parent.get());
        QCOMPARE(parent->children, InputMapList{child});
        QVERIFY(child->activationOutputs.isEmpty() && child->deactivationOutputs.isEmpty());
        QVERIFY(child->children.isEmpty());
    }

    void newChildrenStartAtTheirValues()
    {
        InputMapAction_Button right;
        right.buttonId = 1;
        const auto *button = dynamic_cast<InputMapAction_Button *>(InputKinds::addNewChild(right, false).get());
        QVERIFY(button);
        QCOMPARE(button->buttonId, 0);
        QCOMPARE(button->activeState, 1);

        const auto *force = dynamic_cast<InputMapAction_Force *>(InputKinds::addNewChild(right, true).get());
        QVERIFY(force);
        QCOMPARE(force->buttonId, 1);
        QCOMPARE(force->entryStart, quint16(500));
        QCOMPARE(force->entryEnd, quint16(1000));
        QCOMPARE(force->exitStart, quint16(400));
        QCOMPARE(force->exitEnd, quint16(1000));
        QCOMPARE(force->forceDirection, 0);
        QCOMPARE(force->rangeMode, 0); // not mirrored
        QCOMPARE(force->activeState, 1);

        // Under a force region the new force press has no button of its own.
        InputMapAction_Force region;
        region.buttonId = 0;
        const auto *nested = dynamic_cast<InputMapAction_Force *>(InputKinds::addNewChild(region, false).get());
        QVERIFY(nested);
        QCOMPARE(nested->buttonId, 13);
    }

    void changeOfKindReplacesTheRecord()
    {
        PackageCreator *store = PackageCreator::instance();
        ProfileData *global = SampleModel::emptyModel();
        const InputMapPtr left = SampleModel::button(0);
        auto force = std::make_shared<InputMapAction_Force>();
        force->name = QStringLiteral("Hard");
        force->blockOnDeactivation = 1;
        force->activationOutputs = {key(0x04)};
        left->addChild(std::make_shared<InputMapAction_Scroll>());
        left->addChild(force);
        const InputMapPtr grandchild = force->addChild(SampleModel::button(3));
        global->inputMaps = {left};
        ProfileData *work = store->addProfile(0, 255, QStringLiteral("Work"));
        const ModelSnapshot before = ModelSnapshot::take();

        // Inherited: the tree is copied first and the copy's record replaced.
        const InputMapPtr movement = InputKinds::changeKind(*store, force.get(), 20);
        QVERIFY(dynamic_cast<InputMapAction_Movement *>(movement.get()));
        QCOMPARE(work->inputMaps.size(), 1);
        const InputMapPtr copy = work->inputMaps.first();
        QCOMPARE(copy->children.at(1), movement);
        QCOMPARE(movement->parent, copy.get());
        QCOMPARE(movement->name, QStringLiteral("Hard"));
        QCOMPARE(movement->blockOnDeactivation, quint8(1));
        QCOMPARE(movement->activationOutputs.size(), 1);
        QCOMPARE(movement->children.size(), 1);
        QCOMPARE(movement->children.first()->parent, movement.get());
        work->inputMaps.clear();
        const QString difference = ModelSnapshot::take().differenceFrom(before);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        work->inputMaps = {copy};

        // Owned: replaced where it stands, its children carried over.
        const InputMapActionConfig *nested = movement->children.first().get();
        const InputMapPtr tilt = InputKinds::changeKind(*store, movement.get(), 60);
        QCOMPARE(copy->children.at(1), tilt);
        QCOMPARE(tilt->children.first().get(), nested);
        QCOMPARE(work->inputMaps.size(), 1);

        QVERIFY(!InputKinds::changeKind(*store, tilt.get(), 40));
        QCOMPARE(copy->children.at(1), tilt);
        store->reset();
    }

    void rangesShowAsTheirRegions()
    {
        QCOMPARE(InputKinds::kindItemType(52), 50);
        QCOMPARE(InputKinds::kindItemType(62), 60);
        QCOMPARE(InputKinds::kindItemType(20), 20);
        QCOMPARE(InputKinds::kindItemType(80), 0);
    }
};

QTEST_GUILESS_MAIN(TestInputEncoding)
#include "tst_inputencoding.moc"
