#include "ConfigItems.h"
#include "DpiConfigureRecord.h"
#include "LedSetRecord.h"
#include "LiftOffSelectRecord.h"
#include "OledSetRecord.h"
#include "ReportIntervalRecord.h"
#include "SampleModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonObject objectOf(const char *json)
{
    return QJsonDocument::fromJson(json).object();
}

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

template<typename Record>
std::shared_ptr<Record> readAs(const char *json, int version = 2)
{
    return std::dynamic_pointer_cast<Record>(ConfigItems::readOutputActionItem(objectOf(json), version));
}

template<typename Record>
std::unique_ptr<Record> readSettingsAs(const char *json, int version = 2)
{
    std::unique_ptr<SettingsRecord> record = ConfigItems::readSettingsItem(objectOf(json), version);
    if (!dynamic_cast<Record *>(record.get()))
        return nullptr;
    return std::unique_ptr<Record>(static_cast<Record *>(record.release()));
}

} // namespace

class TestConfigFileItems : public QObject
{
    Q_OBJECT

private slots:
    void everyOutputSurvivesItsItem()
    {
        for (const OutputPtr &output : SampleModel::everyOutput()) {
            const QJsonObject item = ConfigItems::writeOutputActionItem(*output);
            const OutputPtr read = ConfigItems::readOutputActionItem(item, 2);
            QVERIFY2(read && read->equals(*output), qPrintable(QString::number(output->typeCode) + " " + compact(item)));
        }
    }

    void outputItemsAsWritten_data()
    {
        QTest::addColumn<int>("position"); // in SampleModel::everyOutput()
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("pointer") << 0
                                 << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.MousePointerOutputActionItem, VMouseConfig","DataType":"trigger","IsValid":true,"ItemType":"outputAction","TypeId":"mousePointer","xCount":300,"yCount":-1})");
        QTest::newRow("click") << 1
                               << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.MouseButtonOutputActionItem, VMouseConfig","ButtonId":3,"ButtonState":"downOn","DataType":"trigger","IsValid":true,"ItemType":"outputAction","TypeId":"mouseButton"})");
        QTest::newRow("media key") << 5
                                   << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.KeyboardMediaOutputActionItem, VMouseConfig","ButtonState":"tap","DataType":"trigger","IsValid":true,"ItemType":"outputAction","MediaKeyCode":{"HidPageValue":205},"TypeId":"keyboardMedia"})");
        QTest::newRow("stick") << 7
                               << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.JoystickStickOutputActionItem, VMouseConfig","Axis":"forwardBack","DataType":"oneRangeAndRangeInstance","IsValid":true,"ItemType":"outputAction","LeftRange":{"EndPercentageTenths":400,"IsValid":true,"StartPercentageTenths":100},"Mirrored":false,"RightRange":{"EndPercentageTenths":1000,"IsValid":true,"StartPercentageTenths":600},"TypeId":"joystickStick"})");
        QTest::newRow("slider") << 9
                                << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.JoystickSliderOutputActionItem, VMouseConfig","DataType":"trigger","IsValid":true,"ItemType":"outputAction","Mirrored":true,"Range":{"EndPercentageTenths":950,"IsValid":true,"StartPercentageTenths":50},"Ranges":[{"EndPercentageTenths":950,"IsValid":true,"StartPercentageTenths":50}],"TypeId":"joystickSlider"})");
        QTest::newRow("go to profile") << 12
                                       << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.ProfileJumpOutputActionItem, VMouseConfig","DataType":"trigger","IsAuto":false,"IsValid":true,"ItemType":"outputAction","LastSelected":[],"ProfileJumpId":{"ProfileIndex":1,"ProfileName":"Play","SubProfileIndex":255},"TypeId":"profileJump"})");
        QTest::newRow("lift-off level two") << 14
                                            << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.LiftOffSelectOutputActionItem, VMouseConfig","DataType":"trigger","IsValid":true,"ItemType":"outputAction","Level":"two","TypeId":"liftOffSelect"})");
        QTest::newRow("oled previous") << 17
                                       << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.OledSetOutputActionItem, VMouseConfig","DataType":"trigger","IsValid":true,"ItemType":"outputAction","TypeId":"oledPrevious"})");
        QTest::newRow("oled flash without message") << 18
                                                    << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.OledSetOutputActionItem, VMouseConfig","DataType":"trigger","Duration10ms":300,"IsValid":true,"ItemType":"outputAction","OledConfigurationParameters":{"Mode":"profile"},"Options":"wait","TypeId":"oledFlash"})");
        QTest::newRow("wait") << 22
                              << QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.WaitOutputActionItem, VMouseConfig","DataType":"trigger","IsValid":true,"ItemType":"outputAction","TimeToWaitms":60000,"TypeId":"wait"})");
    }

    void outputItemsAsWritten()
    {
        QFETCH(int, position);
        QFETCH(QByteArray, json);
        QCOMPARE(compact(ConfigItems::writeOutputActionItem(*SampleModel::everyOutput().at(position))), json);
    }

    void settingsItemsAsWritten()
    {
        DpiConfigureRecord dpi;
        dpi.levelCount = 2;
        dpi.dpiValues = {800, 1600};
        QCOMPARE(compact(ConfigItems::writeSettingsItem(dpi)),
                 QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.DpiConfigureOutputActionItem, VMouseConfig","DataType":"trigger","DefaultLevelIndex":0,"IsValid":true,"ItemType":"outputAction","Levels":[{"XDpiRaw":800,"YDpiRaw":800,"isValid":true},{"XDpiRaw":1600,"YDpiRaw":1600,"isValid":true}],"SeparateXAndY":false,"TypeId":"dpiConfigure"})"));
        const auto read = readSettingsAs<DpiConfigureRecord>(compact(ConfigItems::writeSettingsItem(dpi)));
        QVERIFY(read && read->equals(dpi));

        dpi.separateXY = 1;
        const auto separate = readSettingsAs<DpiConfigureRecord>(compact(ConfigItems::writeSettingsItem(dpi)));
        QVERIFY(separate);
        QCOMPARE(separate->levelCount, quint8(1));
        QCOMPARE(separate->dpiValues, QVector<quint16>({800, 1600}));

        // The settings form always carries the message.
        OledSetRecord oled;
        oled.oledMode = 2;
        QCOMPARE(compact(ConfigItems::writeSettingsItem(oled)),
                 QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.OledSetOutputActionItem, VMouseConfig","DataType":"trigger","IsValid":true,"ItemType":"outputAction","OledConfigurationParameters":{"Message":"","Mode":"dpiLevels"},"TypeId":"oledSet"})"));
    }

    void doNothingAndUnknownKindsGiveNoRecord()
    {
        QCOMPARE(compact(ConfigItems::writeDoNothingItem()),
                 QByteArray(R"({"$type":"VMouseConfig.OutputActionItems.DoNothingOutputActionItem, VMouseConfig","DataType":"trigger","IsSelected":false,"IsValid":true,"ItemType":"outputAction","TypeId":"doNothing"})"));
        for (const char *json : {R"({"TypeId":"doNothing"})", R"({"TypeId":"dpiConfigure"})", R"({"TypeId":"MouseButton"})",
                                 R"({"TypeId":12})", "{}"})
            QVERIFY2(!ConfigItems::readOutputActionItem(objectOf(json), 2), json);
        for (const char *json : {R"({"TypeId":"doNothing"})", R"({"TypeId":"dpiSelect"})", R"({"TypeId":"oledFlash"})", "{}"})
            QVERIFY2(!ConfigItems::readSettingsItem(objectOf(json), 2), json);

        OutputAction_Mouse unknown;
        unknown.typeCode = 11;
        QCOMPARE(compact(ConfigItems::writeOutputActionItem(unknown)),
                 QByteArray(R"({"DataType":"trigger","IsValid":true,"ItemType":"outputAction"})"));
    }

    void buttonStateReading_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("state");
        QTest::newRow("empty") << QByteArray(R"({"TypeId":"mouseButton","ButtonState":""})") << 1;
        QTest::newRow("missing") << QByteArray(R"({"TypeId":"mouseButton"})") << 1;
        QTest::newRow("other case") << QByteArray(R"({"TypeId":"mouseButton","ButtonState":"UpOff"})") << 1;
        QTest::newRow("number") << QByteArray(R"({"TypeId":"mouseButton","ButtonState":0})") << 1;
        QTest::newRow("release") << QByteArray(R"({"TypeId":"mouseButton","ButtonState":"upOff"})") << 0;
        QTest::newRow("press") << QByteArray(R"({"TypeId":"mouseButton","ButtonState":"downOn"})") << 2;
    }

    void buttonStateReading()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, state);
        const auto click = readAs<OutputAction_Mouse>(json);
        QVERIFY(click);
        QCOMPARE(click->buttonState, state);
    }

    void scrollDirectionFromAxisAndSign_data()
    {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("axis");
        QTest::addColumn<QString>("written");
        QTest::newRow("up, negative count") << "up" << -3 << 0 << "down";
        QTest::newRow("down") << "down" << -1 << 0 << "down";
        QTest::newRow("up") << "up" << 2 << 0 << "up";
        QTest::newRow("left") << "left" << -5 << 1 << "left";
        QTest::newRow("right, zero") << "right" << 0 << 1 << "right";
        QTest::newRow("unknown keeps vertical") << "sideways" << 4 << 0 << "up";
    }

    void scrollDirectionFromAxisAndSign()
    {
        QFETCH(QString, direction);
        QFETCH(int, count);
        QFETCH(int, axis);
        QFETCH(QString, written);
        QJsonObject item{{"TypeId", "mouseScroll"}, {"ScrollDirection", direction}, {"Count", count}};
        const auto scroll = std::dynamic_pointer_cast<OutputAction_Mouse>(ConfigItems::readOutputActionItem(item, 2));
        QVERIFY(scroll);
        QCOMPARE(scroll->scrollAxis, axis);
        QCOMPARE(int(scroll->scrollCount.signedValue()), count);
        const QJsonObject back = ConfigItems::writeOutputActionItem(*scroll);
        QCOMPARE(back.value("ScrollDirection").toString(), written);
        QCOMPARE(back.value("Count").toInt(), count);
    }

    void dpiSelectionByFileVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("old file, value in hundreds") << 1 << "value" << 16 << 1600;
        QTest::newRow("old file, increase") << 1 << "increase" << 2 << 200;
        QTest::newRow("old file, level index") << 1 << "index" << 2 << 2;
        QTest::newRow("old file, cut to 16 bits") << 1 << "value" << 1000 << (100000 & 0xFFFF);
        QTest::newRow("version 2") << 2 << "value" << 1600 << 1600;
        QTest::newRow("version 3") << 3 << "value" << 1600 << 1600;
    }

    void dpiSelectionByFileVersion()
    {
        QFETCH(int, version);
        QFETCH(QString, type);
        QFETCH(int, value);
        QFETCH(int, stored);
        QJsonObject item{{"TypeId", "dpiSelect"}, {"SelectionType", type}, {"Value", value}};
        const auto dpi = std::dynamic_pointer_cast<OutputAction_Tracking>(ConfigItems::readOutputActionItem(item, version));
        QVERIFY(dpi);
        QCOMPARE(int(dpi->dpiValue), stored);
    }

    void dpiLevelsOfOldFiles()
    {
        const char *old = R"({"TypeId":"dpiConfigure","DefaultLevelIndex":1,"SeparateXAndY":true,
            "Levels":[{"XDpi":8,"YDpi":4,"XDpiRaw":1},{"XDpi":16,"YDpi":12}]})";
        const auto dpi = readSettingsAs<DpiConfigureRecord>(old, 1);
        QVERIFY(dpi);
        QCOMPARE(dpi->levelCount, quint8(2));
        QCOMPARE(dpi->currentLevel, quint8(1));
        QCOMPARE(dpi->separateXY, 1);
        QCOMPARE(dpi->dpiValues, QVector<quint16>({800, 400, 1600, 1200}));

        const auto raw = readSettingsAs<DpiConfigureRecord>(old, 2);
        QVERIFY(raw);
        QCOMPARE(raw->dpiValues, QVector<quint16>({1, 0, 0, 0}));
    }

    void settingsFallbacks()
    {
        const auto led = readSettingsAs<LedSetRecord>(R"({"TypeId":"ledSet","LedConfigurationParameters":
            {"Mode":"fixedColour","Brightness":50,"Duration10ms":20,"Colour1":{"R":1,"G":2,"B":3},"Colour2":{"R":9,"G":9,"B":9}}})");
        QVERIFY(led);
        QCOMPARE(led->ledMode, 1);
        QCOMPARE(led->brightness, quint8(100));
        QCOMPARE(led->ledDuration.value(), quint16(500));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(led->colour1), 3), QByteArray("\x01\x02\x03"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(led->colour2), 3), QByteArray(3, '\0'));

        const auto cycling = readSettingsAs<LedSetRecord>(
            R"({"TypeId":"ledSet","LedConfigurationParameters":{"Mode":"hueRotation","Colour1":{"R":1}}})");
        QVERIFY(cycling);
        QCOMPARE(cycling->ledMode, 2);
        QCOMPARE(cycling->colour1[0], quint8(0));
        const auto unknownLed = readSettingsAs<LedSetRecord>(R"({"TypeId":"ledSet"})");
        QVERIFY(unknownLed);
        QCOMPARE(unknownLed->ledMode, 0);

        const auto oled =
            readSettingsAs<OledSetRecord>(R"({"TypeId":"oledSet","OledConfigurationParameters":{"Mode":"customMessage","Message":""}})");
        QVERIFY(oled);
        QCOMPARE(oled->oledMode, 0);
        const auto message = readSettingsAs<OledSetRecord>(
            R"({"TypeId":"oledSet","OledConfigurationParameters":{"Mode":"cube","Message":"kept?"}})");
        QVERIFY(message);
        QCOMPARE(message->oledMode, 6);
        QVERIFY(message->message.isEmpty());

        const auto interval = readSettingsAs<ReportIntervalRecord>(R"({"TypeId":"reportInterval","ReportInterval":"rI_2000_Hz"})");
        QVERIFY(interval);
        QCOMPARE(interval->reportInterval, 1);
        const auto liftOff = readSettingsAs<LiftOffSelectRecord>(R"({"TypeId":"liftOffSelect","Level":"four"})");
        QVERIFY(liftOff);
        QCOMPARE(liftOff->liftOffLevel, 3);
    }

    void outputFallbacksKeepStartingValues()
    {
        const auto liftOff = readAs<OutputAction_Tracking>(R"({"TypeId":"liftOffSelect","Level":"four"})");
        QVERIFY(liftOff);
        QCOMPARE(liftOff->liftOffLevel, 0);

        const auto oled = readAs<OutputAction_Oled>(R"({"TypeId":"oledSet","OledConfigurationParameters":{"Mode":"customMessage"}})");
        QVERIFY(oled);
        QCOMPARE(oled->oledMode, 0);

        const auto led = readAs<OutputAction_Led>(R"({"TypeId":"ledSet","LedConfigurationParameters":{"Mode":"fixedColour","Brightness":7}})");
        QVERIFY(led);
        QCOMPARE(led->ledMode, quint8(1));
        QCOMPARE(led->brightness, quint8(100));

        const auto haptic = readAs<OutputAction_Haptic>(R"({"TypeId":"hapticFeedback","HapticFeedbackOption":"strong"})");
        QVERIFY(haptic);
        QCOMPARE(haptic->hapticOption, 0);
        QCOMPARE(haptic->duration.value(), quint16(0));

        const auto pointer = readAs<OutputAction_Mouse>(R"({"TypeId":"mousePointer"})");
        QVERIFY(pointer);
        QCOMPARE(pointer->pointerMode, 2);

        // The key group comes from the key.
        const auto keypadEnter = readAs<OutputAction_Keyboard>(R"({"TypeId":"keyboardKey","KeyCode":{"HidPageValue":88}})");
        QVERIFY(keypadEnter);
        QCOMPARE(keypadEnter->keyGroup, 5);
        QCOMPARE(keypadEnter->buttonState, 1);
    }

    // Numbers are cut to the width of their field; anything that is not a
    // number reads as 0.
    void numbersAreCutToTheirField_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("buttonId");
        QTest::addColumn<int>("duration");
        QTest::newRow("in range") << QByteArray(R"({"ButtonId":5,"Time10ms":700})") << 5 << 700;
        QTest::newRow("too large") << QByteArray(R"({"ButtonId":300,"Time10ms":70000})") << 44 << 4464;
        QTest::newRow("negative") << QByteArray(R"({"ButtonId":-1,"Time10ms":-2})") << 255 << 65534;
        QTest::newRow("fractions") << QByteArray(R"({"ButtonId":2.9,"Time10ms":-0.5})") << 2 << 0;
        QTest::newRow("huge") << QByteArray(R"({"ButtonId":1e300,"Time10ms":-1e300})") << 255 << 0;
        QTest::newRow("wrong types") << QByteArray(R"({"ButtonId":"5","Time10ms":[7]})") << 0 << 0;
    }

    void numbersAreCutToTheirField()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, buttonId);
        QFETCH(int, duration);
        QJsonObject item = QJsonDocument::fromJson(json).object();
        item.insert("TypeId", "joystickButton");
        const auto button = std::dynamic_pointer_cast<OutputAction_Joystick>(ConfigItems::readOutputActionItem(item, 2));
        QVERIFY(button);
        QCOMPARE(int(button->buttonId), buttonId);
        item.insert("TypeId", "hapticFeedback");
        const auto haptic = std::dynamic_pointer_cast<OutputAction_Haptic>(ConfigItems::readOutputActionItem(item, 2));
        QVERIFY(haptic);
        QCOMPARE(int(haptic->duration.value()), duration);
    }

    void buttonNames_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("keyName");
        QTest::addColumn<QString>("id");
        QTest::newRow("left") << 0 << "MouseButtonLeft" << "left";
        QTest::newRow("thumb top") << 4 << "MouseButtonThumbTop" << "thumbTop";
        QTest::newRow("right trigger pull") << 12 << "MouseButtonTriggerRightPull" << "maxButtonValue";
        QTest::newRow("above the table") << 14 << "" << "";
        QTest::newRow("negative") << -1 << "" << "";
    }

    void buttonNames()
    {
        QFETCH(int, button);
        QFETCH(QString, keyName);
        QFETCH(QString, id);
        QString writtenKeyName = "stale";
        QString writtenId = "stale";
        ConfigItems::buttonNames(button, writtenKeyName, writtenId);
        QCOMPARE(writtenKeyName, keyName);
        QCOMPARE(writtenId, id);
        if (!id.isEmpty())
            QCOMPARE(ConfigItems::buttonFromId(id), button);
    }

    void buttonIdFallbacks()
    {
        QString keyName;
        QString id;
        QTest::ignoreMessage(QtWarningMsg, "ConfigFile: None button!");
        ConfigItems::buttonNames(13, keyName, id);
        QVERIFY(keyName.isEmpty() && id.isEmpty());
        QCOMPARE(ConfigItems::buttonFromId("maxButtonValue"), 12);
        QCOMPARE(ConfigItems::buttonFromId("triggerRightPull"), 13);
        QCOMPARE(ConfigItems::buttonFromId("MouseButtonLeft"), 13);
        QCOMPARE(ConfigItems::buttonFromId(""), 13);
    }

    void selectionTypes()
    {
        QCOMPARE(ConfigItems::selectionTypeName(0), QString());
        QCOMPARE(ConfigItems::selectionTypeName(5), QString("index"));
        QCOMPARE(ConfigItems::selectionTypeName(9), QString());
        QCOMPARE(ConfigItems::selectionTypeFromName("decrease"), 8);
        QCOMPARE(ConfigItems::selectionTypeFromName("sideways"), 0);
        QCOMPARE(ConfigItems::buttonStateName(3), QString());
    }
};

QTEST_GUILESS_MAIN(TestConfigFileItems)
#include "tst_configfile_items.moc"
