#include "ConfigFile.h"
#include "ConfigMappingReader.h"
#include "ConfigMappings.h"
#include "ModelSnapshot.h"
#include "ProfileReceiver.h"
#include "SampleModel.h"

#include <QJsonDocument>
#include <QtTest>

#include <limits>

using namespace SampleModel;

Q_DECLARE_METATYPE(InputMapPtr)

namespace {

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject objectOf(const QByteArray &json)
{
    return QJsonDocument::fromJson(json).object();
}

constexpr int topLevel = std::numeric_limits<int>::min();

// A list element of the given input kind and parent.
QJsonObject element(const QString &inputId, int predecessorId = topLevel, const QString &name = QString())
{
    QJsonObject object;
    object.insert("InputActionType", QJsonObject{{"Id", inputId}, {"Button", QJsonObject{{"Id", "left"}}}});
    object.insert("ActivationOutputName", name);
    if (predecessorId != topLevel) {
        object.insert("Predecessor", QJsonObject());
        object.insert("PredecessorId", predecessorId);
    } else {
        object.insert("Predecessor", QJsonValue());
    }
    return object;
}

QStringList treeNames(const InputMapActionConfig *mapping, int depth = 0)
{
    QStringList names{QString(depth * 2, ' ') + mapping->name};
    for (const InputMapPtr &child : mapping->children)
        names << treeNames(child.get(), depth + 1);
    return names;
}

} // namespace

class TestConfigFileMappings : public QObject
{
    Q_OBJECT

private slots:
    void inputTypesSurviveTheirObject_data()
    {
        QTest::addColumn<InputMapPtr>("mapping");
        auto button = std::make_shared<InputMapAction_Button>(10);
        button->buttonId = 12;
        button->activeState = 0;
        QTest::newRow("button 12") << InputMapPtr(button);
        auto movement = std::make_shared<InputMapAction_Movement>(20);
        movement->direction = 3;
        movement->countDivisor.setValue(0xFFFF);
        movement->repeat = 1;
        QTest::newRow("movement") << InputMapPtr(movement);
        auto scroll = std::make_shared<InputMapAction_Scroll>(30);
        scroll->wheelDirection = 2;
        QTest::newRow("scroll") << InputMapPtr(scroll);
        auto region = std::make_shared<InputMapAction_Force>(50);
        region->buttonId = 7;
        region->entryStart = 100;
        region->entryEnd = 200;
        region->exitStart = 50;
        region->exitEnd = 250;
        region->forceDirection = 2;
        QTest::newRow("force region") << InputMapPtr(region);
        auto range = std::make_shared<InputMapAction_Force>(52);
        range->buttonId = 1;
        range->rangeMode = 3;
        range->entryStart = 10;
        range->entryEnd = 990;
        QTest::newRow("force range") << InputMapPtr(range);
        auto tilt = std::make_shared<InputMapAction_Angle>(60);
        tilt->axis = 1;
        tilt->entryStart = 1920;
        tilt->entryEnd = 3600;
        tilt->exitStart = 1900;
        tilt->exitEnd = 3600;
        tilt->angleDirection = 1;
        tilt->activeState = 0;
        QTest::newRow("tilt region") << InputMapPtr(tilt);
        auto pivot = std::make_shared<InputMapAction_Angle>(62);
        pivot->axis = 2;
        pivot->rangeMode = 4;
        pivot->entryStart = 0xFF38; // below zero
        pivot->entryEnd = 0;
        pivot->exitStart = 0;
        pivot->exitEnd = 200;
        QTest::newRow("pivot range") << InputMapPtr(pivot);
    }

    void inputTypesSurviveTheirObject()
    {
        QFETCH(InputMapPtr, mapping);
        const QJsonObject type = ConfigMappings::writeInputActionType(*mapping);
        const InputMapPtr read = ConfigMappings::readInputActionType(type);
        QVERIFY(read);
        const QString difference = ModelSnapshot::mappingDifference(*mapping, *read);
        QVERIFY2(difference.isEmpty(), qPrintable(difference + " " + compact(type)));
    }

    void inputTypesAsWritten()
    {
        InputMapAction_Button button(10);
        button.buttonId = 12;
        QCOMPARE(compact(ConfigMappings::writeInputActionType(button)),
                 QByteArray(R"({"$type":"VMouseConfig.InputActionTypes.ButtonToggleInputActionType, VMouseConfig","ActiveState":"activeWhenOn","Button":{"Id":"maxButtonValue","IsValid":true,"KeyName":"MouseButtonTriggerRightPull"},"DataType":"trigger","Id":"buttonToggle","IsValid":true})"));

        // Whatever the record holds, a scroll input counts every step.
        InputMapAction_Scroll scroll(30);
        scroll.wheelDirection = 1;
        QCOMPARE(compact(ConfigMappings::writeInputActionType(scroll)),
                 QByteArray(R"({"$type":"VMouseConfig.InputActionTypes.ScrollInputActionType, VMouseConfig","CountDivisior":1,"DataType":"oneCount","Id":"scroll","IsValid":true,"Repeat":true,"ScrollWheelDirection":"back"})"));

        InputMapAction_Angle range(62);
        range.rangeMode = 3;
        range.entryStart = 0xFFF6;
        QCOMPARE(compact(ConfigMappings::writeInputActionType(range)),
                 QByteArray(R"({"$type":"VMouseConfig.InputActionTypes.ImuAngleRangeInputActionType, VMouseConfig","Axis":"roll","DataType":"oneRangeAndRangeInstance","Id":"imuAngleRange","IsValid":true,"LeftRange":{"EndDegreeTenths":0,"IsValid":true,"StartDegreeTenths":65526},"Mirrored":true,"RightRange":{"EndDegreeTenths":0,"IsValid":true,"StartDegreeTenths":0}})"));

        InputMapAction_Force force(50);
        QTest::ignoreMessage(QtWarningMsg, "ConfigFile: None button!");
        const QJsonObject noButton = ConfigMappings::writeInputActionType(force).value("Button").toObject();
        QCOMPARE(noButton.value("Id").toString(), QString());
        QCOMPARE(noButton.value("KeyName").toString(), QString());

        InputMapActionConfig unknown(40);
        QVERIFY(!ConfigMappings::readInputActionType(ConfigMappings::writeInputActionType(unknown)));
    }

    void inputTypeFallbacks()
    {
        const auto button = std::dynamic_pointer_cast<InputMapAction_Button>(ConfigMappings::readInputActionType(
            objectOf(R"({"Id":"buttonToggle","ActiveState":"sometimes","Button":{"Id":"triggerRightPull"}})")));
        QVERIFY(button);
        QCOMPARE(button->activeState, 1);
        QCOMPARE(button->buttonId, 13);

        const auto movement = std::dynamic_pointer_cast<InputMapAction_Movement>(
            ConfigMappings::readInputActionType(objectOf(R"({"Id":"surfaceCombined","Direction":"up"})")));
        QVERIFY(movement);
        QCOMPARE(movement->direction, 6);
        QCOMPARE(movement->countDivisor.value(), quint16(0));
        QCOMPARE(movement->repeat, 0);

        const auto force = std::dynamic_pointer_cast<InputMapAction_Force>(ConfigMappings::readInputActionType(
            objectOf(R"({"Id":"forceRegionToggle","Direction":"sideways","Region":"none"})")));
        QVERIFY(force);
        QCOMPARE(force->forceDirection, 0);
        QCOMPARE(force->entryEnd + force->exitEnd, 0);

        const auto angle = std::dynamic_pointer_cast<InputMapAction_Angle>(ConfigMappings::readInputActionType(
            objectOf(R"({"Id":"imuAngleRange","Axis":"spin","Mirrored":"yes","LeftRange":{"StartDegreeTenths":70000}})")));
        QVERIFY(angle);
        QCOMPARE(angle->axis, 0);
        QCOMPARE(angle->rangeMode, 4);
        QCOMPARE(angle->entryStart, quint16(70000 & 0xFFFF));

        const auto scroll = std::dynamic_pointer_cast<InputMapAction_Scroll>(
            ConfigMappings::readInputActionType(objectOf(R"({"Id":"scroll","ScrollWheelDirection":"left"})")));
        QVERIFY(scroll);
        QCOMPARE(scroll->wheelDirection, 0);

        QVERIFY(!ConfigMappings::readInputActionType(objectOf(R"({"Id":"systemEvent"})")));
        QVERIFY(!ConfigMappings::readInputActionType(objectOf(R"({"Id":"ButtonToggle"})")));
    }

    // The tree is written depth-first; every nested mapping carries its
    // parent, which carries its own, and names the parent's position.
    void treeIsFlattenedDepthFirst()
    {
        InputMapPtr top = button(0, "top");
        InputMapPtr child = top->addChild(button(1, "child"));
        child->addChild(button(2, "grandchild"));
        top->addChild(button(3, "second child"));

        const QJsonArray list = ConfigFile::writeMappingTree(*top);
        QCOMPARE(list.size(), 4);
        QList<int> ids;
        for (const QJsonValue &value : list)
            ids << value.toObject().value("PredecessorId").toInt();
        QCOMPARE(ids, (QList<int>{65535, 0, 1, 0}));
        QVERIFY(list.at(0).toObject().value("Predecessor").isNull());
        const QJsonObject grandchild = list.at(2).toObject();
        QCOMPARE(grandchild.value("Predecessor").toObject(), list.at(1).toObject());
        QCOMPARE(grandchild.value("Predecessor").toObject().value("Predecessor").toObject(), list.at(0).toObject());

        const InputMapPtr read = ConfigFile::readActionMappingList(list);
        QVERIFY(read);
        QVERIFY(!read->parent);
        const QString difference = ModelSnapshot::mappingDifference(*top, *read);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // A nested mapping saved on its own (as to the mappings library) is
    // written as a top-level mapping, and its descendants name their parents
    // by their positions in what is written, whether or not the mapping
    // belongs to the profile being edited.
    void nestedMappingWrittenOnItsOwn()
    {
        ProfileData *global = emptyModel();
        InputMapPtr top = button(0, "top");
        InputMapPtr middle = top->addChild(button(1, "middle"));
        middle->addChild(button(2, "low"))->addChild(button(3, "lowest"));
        global->inputMaps = {top};
        PackageCreator::instance()->addProfile(0, 255, "Other"); // current, and without these mappings

        const QJsonArray list = ConfigFile::writeMappingTree(*middle);
        QList<int> ids;
        for (const QJsonValue &value : list)
            ids << value.toObject().value("PredecessorId").toInt();
        QCOMPARE(ids, (QList<int>{65535, 0, 1}));

        const InputMapPtr read = ConfigFile::readActionMappingList(list);
        QVERIFY(read);
        QCOMPARE(treeNames(read.get()), QStringList({"middle", "  low", "    lowest"}));
    }

    void libraryListResult()
    {
        QJsonArray list{element("buttonToggle", topLevel, "first"), element("buttonToggle", 0, "child"),
                        element("buttonToggle", topLevel, "last"), element("buttonToggle", 2, "its child")};
        const InputMapPtr read = ConfigFile::readActionMappingList(list);
        QVERIFY(read);
        QCOMPARE(treeNames(read.get()), QStringList({"last", "  its child"}));

        QTest::ignoreMessage(QtWarningMsg, "ConfigFile: invalid PredecessorId detected! id: 0");
        QVERIFY(!ConfigFile::readActionMappingList(QJsonArray{element("buttonToggle", 0)}));
        QVERIFY(!ConfigFile::readActionMappingList(QJsonArray()));
    }

    void invalidPredecessorsAreLeftOut_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("warns");
        QTest::newRow("own position") << 3 << true;
        QTest::newRow("later element") << 7 << true;
        QTest::newRow("negative") << -5 << true;
        QTest::newRow("a system event") << 0 << false;
        QTest::newRow("an unknown input kind") << 1 << false;
    }

    // In a profile's list: 0 system event, 1 unknown kind, 2 a mapping,
    // 3 the mapping under test, 4 a child of the one under test.
    void invalidPredecessorsAreLeftOut()
    {
        QFETCH(int, id);
        QFETCH(bool, warns);
        QJsonObject event;
        event.insert("InputActionType", QJsonObject{{"Id", "systemEvent"}, {"Code", "somethingElse"}});
        const QJsonArray values{event, element("keyboardKey"), element("buttonToggle", topLevel, "kept"),
                                element("buttonToggle", id, "tested"), element("buttonToggle", 3, "below")};
        QJsonObject root;
        root.insert("ActionMappings", QJsonObject{{"$values", values}});
        QJsonObject document{{"Version", 2}, {"RootProfile", root}};

        ProfileData *global = emptyModel();
        if (warns)
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable(QString("ConfigFile: invalid PredecessorId detected! id: %1 actionIndex: 3").arg(id)));
        ConfigFile::instance()->readConfig(document, {});
        QCOMPARE(global->inputMaps.size(), 1);
        QCOMPARE(treeNames(global->inputMaps.first().get()), QStringList({"kept"}));
    }

    // Top-level movement mappings are left out of a profile (the built-in
    // pointer mapping is written anew); nested ones stay.
    void topLevelMovementIsDropped()
    {
        QJsonArray values{element("surfaceCombined", topLevel, "pointer"), element("buttonToggle", topLevel, "button"),
                          element("surfaceCombined", 1, "nested movement"), element("buttonToggle", 0, "under pointer")};
        QJsonObject root;
        root.insert("ActionMappings", QJsonObject{{"$values", values}});
        ProfileData *global = emptyModel();
        ConfigFile::instance()->readConfig(QJsonObject{{"RootProfile", root}}, {});
        QCOMPARE(global->inputMaps.size(), 1);
        QCOMPARE(treeNames(global->inputMaps.first().get()), QStringList({"button", "  nested movement"}));
    }

    void nestingDepthIsLimited()
    {
        QJsonArray values{element("buttonToggle", topLevel, "0")};
        for (int i = 1; i < 40; ++i)
            values.append(element("buttonToggle", i - 1, QString::number(i)));
        QJsonObject root;
        root.insert("ActionMappings", QJsonObject{{"$values", values}});
        ProfileData *global = emptyModel();
        const int limit = ConfigMappingReader::maximumDepth;
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QString("ConfigFile: mapping nested too deep, left out - actionIndex: %1").arg(limit)));
        ConfigFile::instance()->readConfig(QJsonObject{{"RootProfile", root}}, {});
        QCOMPARE(global->inputMaps.size(), 1);
        QCOMPARE(treeNames(global->inputMaps.first().get()).size(), limit);
    }

    void actionMappingKeys()
    {
        InputMapAction_Scroll scroll(30);
        scroll.name = "wheel";
        scroll.blockOnDeactivation = 1;
        scroll.activationOutputs = {SampleModel::everyOutput().at(2), OutputPtr()};
        const QJsonObject object = ConfigMappings::writeActionMapping(scroll, QJsonValue(), 65535);
        QCOMPARE(object.keys(),
                 QStringList({"ActionMappingIndexToBlockOnActivation", "ActionMappingIndexToBlockOnDeactivation",
                              "ActivationOutputActionItems", "ActivationOutputName", "DeactivationOutputActionItems",
                              "Id", "InputActionType", "ItemType", "OutputActionSequenceDelay", "Predecessor",
                              "PredecessorId", "ShouldBlockOnActivation", "ShouldBlockOnDeactivation"}));
        QCOMPARE(object.value("ShouldBlockOnDeactivation").toBool(), true);
        QCOMPARE(object.value("ActivationOutputActionItems").toArray().size(), 1);

        QJsonObject withDoNothing = object;
        QJsonArray items = object.value("ActivationOutputActionItems").toArray();
        items.prepend(QJsonObject{{"TypeId", "doNothing"}});
        withDoNothing.insert("ActivationOutputActionItems", items);
        const InputMapPtr read = ConfigMappings::readActionMapping(withDoNothing, 2);
        QVERIFY(read);
        QCOMPARE(read->name, QString("wheel"));
        QCOMPARE(read->blockOnDeactivation, quint8(1));
        QCOMPARE(read->activationOutputs.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestConfigFileMappings)
#include "tst_configfile_mappings.moc"
