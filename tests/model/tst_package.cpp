#include "InputMapAction_Angle.h"
#include "InputMapAction_Button.h"
#include "InputMapAction_Force.h"
#include "InputMapAction_Movement.h"
#include "InputMapAction_Scroll.h"
#include "OutputAction_Act.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Led.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Profile.h"
#include "OutputAction_Tilts.h"
#include "OutputAction_Tracking.h"
#include "PackageCreator.h"

#include "OutputBuilders.h"

#include <QtTest>

Q_DECLARE_METATYPE(OutputPtr)
Q_DECLARE_METATYPE(InputMapPtr)

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

struct Item
{
    int kind;
    QByteArray body;
};

// Splits a package into its items; an item running past the end ends the list
// with kind -1.
QList<Item> split(const QByteArray &bytes)
{
    QList<Item> items;
    int at = 0;
    while (at < bytes.size()) {
        if (at + 2 > bytes.size() || at + 2 + quint8(bytes[at + 1]) > bytes.size()) {
            items.append({-1, QByteArray()});
            break;
        }
        const int length = quint8(bytes[at + 1]);
        items.append({bytes[at], bytes.mid(at + 2, length)});
        at += 2 + length;
    }
    return items;
}

QList<Item> headers(const QByteArray &bytes)
{
    QList<Item> list;
    for (const Item &item : split(bytes)) {
        if (item.kind == 1)
            list.append(item);
    }
    return list;
}

// The parent index of each button mapping's input item, by button id
// (-1 for a top-level mapping).
QMap<int, int> parentIndexes(const QByteArray &bytes)
{
    QMap<int, int> parents;
    for (const Item &item : split(bytes)) {
        if (item.kind != 2 || quint8(item.body[1]) != 10)
            continue;
        const bool hasParent = item.body[0] & 0x01;
        parents[quint8(item.body[2])] = hasParent ? quint8(item.body[4]) | quint8(item.body[5]) << 8 : -1;
    }
    return parents;
}

std::shared_ptr<InputMapAction_Button> button(int id, OutputList press = {}, OutputList release = {})
{
    auto mapping = std::make_shared<InputMapAction_Button>();
    mapping->buttonId = id;
    mapping->activationOutputs = press;
    mapping->deactivationOutputs = release;
    return mapping;
}



// The eight settings records in package order (94, 104, 93, 102, 95, 97, 116,
// 115): two DPI levels, 800 and 1600 with the second the default, and every
// other record at its default.
QByteArray defaultRecords()
{
    return hex("03085E0201002003400603026801" "03025D03" "03026600"
               "030B5F0064F401000000000000" "03026100" "03027400" "03027300");
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private:
    PackageCreator *store = PackageCreator::instance();

    ProfileData *ownGlobal()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        global->setOwnSettings(true);
        global->dpiRecord.levelCount = 2;
        global->dpiRecord.currentLevel = 1;
        global->dpiRecord.dpiValues = {800, 1600};
        return global;
    }

    QByteArray packageOrFail(QString *error = nullptr)
    {
        QString problem;
        const QByteArray bytes = store->package(&problem);
        if (error)
            *error = problem;
        return bytes;
    }

private slots:
    void init() { store->reset(); }
    void cleanupTestCase() { store->reset(); }

    void globalProfileBlock()
    {
        ProfileData *global = ownGlobal();
        global->inputMaps = {button(0, {key(4)})};

        QString error;
        const QByteArray bytes = store->package(&error);
        QVERIFY(error.isEmpty());
        const QByteArray expected = hex("010B0400010006") + QByteArray("Global")
                                    + hex("02051050010001" "03045B02FFFF")
                                    + hex("02051050020008") + defaultRecords()
                                    + hex("02071014060100010103070A020100010003")
                                    + hex("0205100A000101" "03031E0401");
        QCOMPARE(bytes.toHex(' '), expected.toHex(' '));
        QCOMPARE(store->itemCount(), quint8(4));
    }

    void startupJumpNamesTheActiveProfile_data()
    {
        QTest::addColumn<int>("activeIndex");
        QTest::addColumn<int>("activeSub");
        QTest::addColumn<QByteArray>("jump");
        QTest::newRow("none") << -1 << -1 << hex("03045B02FFFF");
        QTest::newRow("global") << 255 << 255 << hex("03045B02FFFF");
        QTest::newRow("top-level") << 1 << 255 << hex("03045B0201FF");
        QTest::newRow("sub-profile") << 1 << 0 << hex("03045B020100");
    }

    void startupJumpNamesTheActiveProfile()
    {
        QFETCH(int, activeIndex);
        QFETCH(int, activeSub);
        QFETCH(QByteArray, jump);
        ProfileData *global = ownGlobal();
        ProfileData *top = store->addProfile(1, 255, "Top");
        ProfileData *sub = store->addProfile(1, 0, "Sub");
        if (activeIndex == 255)
            store->setActiveProfile(global);
        else if (activeIndex == 1)
            store->setActiveProfile(activeSub == 255 ? top : sub);
        const QList<Item> items = split(store->package());
        QCOMPARE(items.at(1).body, hex("1050010001"));
        QCOMPARE(items.at(2).kind, 3);
        QCOMPARE(items.at(2).body, jump.mid(2));
    }

    void outputItems_data()
    {
        QTest::addColumn<OutputPtr>("output");
        QTest::addColumn<QByteArray>("bytes");

        auto pointer = std::make_shared<OutputAction_Mouse>(10);
        pointer->pointerMode = 2;
        pointer->xCount.setValue(300);
        pointer->yCount.setValue(-1);
        QTest::newRow("pointer") << OutputPtr(pointer) << hex("03070A022C01FFFF00");
        auto click = std::make_shared<OutputAction_Mouse>(12);
        click->buttonId = 1;
        click->buttonState = 2;
        QTest::newRow("click") << OutputPtr(click) << hex("03030C0102");
        auto scroll = std::make_shared<OutputAction_Mouse>(13);
        scroll->scrollCount.setValue(-3);
        QTest::newRow("scroll down 3") << OutputPtr(scroll) << hex("03050D00FDFF00");
        QTest::newRow("key") << key(0x04, 2) << hex("03031E0402");
        auto media = std::make_shared<OutputAction_Keyboard>(31);
        media->mediaUsage.setValue(0xCD);
        media->buttonState = 1;
        QTest::newRow("media key") << OutputPtr(media) << hex("03041FCD0001");
        QTest::newRow("text") << text("abc") << hex("0305200361" "6263");
        QTest::newRow("empty text") << text("") << hex("03022000");

        auto mirrored = std::make_shared<OutputAction_Joystick>(50);
        mirrored->stickAxis = 1;
        mirrored->rangeMode = 3;
        mirrored->firstRangeEnd = 1000;
        mirrored->secondRangeStart = 1000; // not written for a mirrored range
        QTest::newRow("stick, mirrored") << OutputPtr(mirrored) << hex("0306320103" "00083E");
        auto twoRanges = std::make_shared<OutputAction_Joystick>(*mirrored);
        twoRanges->rangeMode = 4;
        twoRanges->secondRangeEnd = 0;
        QTest::newRow("stick, two ranges") << OutputPtr(twoRanges) << hex("0309320104" "00083E" "E83000");
        auto joyButton = std::make_shared<OutputAction_Joystick>(51);
        joyButton->buttonId = 5;
        QTest::newRow("joystick button") << OutputPtr(joyButton) << hex("0303330500");
        auto slider = std::make_shared<OutputAction_Joystick>(52);
        slider->rangeMode = 2;
        slider->firstRangeStart = 0x123;
        slider->firstRangeEnd = 0x456;
        QTest::newRow("slider") << OutputPtr(slider) << hex("03053402231645");

        auto vibration = std::make_shared<OutputAction_Haptic>(80);
        vibration->strength = 50;
        vibration->duration.setValue(150);
        vibration->hapticOption = 128;
        QTest::newRow("vibration") << OutputPtr(vibration) << hex("0307503296008001" "00");

        auto next = std::make_shared<OutputAction_Profile>(90);
        next->profileSelection = 1;
        QTest::newRow("next profile") << OutputPtr(next) << hex("03035AFF01");
        auto goTo = std::make_shared<OutputAction_Profile>(91);
        goTo->profileIndex = 2;
        goTo->subProfileIndex = 1;
        goTo->profileName = "not in the package";
        QTest::newRow("go to profile") << OutputPtr(goTo) << hex("03045B020201");

        auto dpi = std::make_shared<OutputAction_Tracking>(92);
        dpi->dpiSelectionType = 6;
        dpi->dpiValue = 1600;
        QTest::newRow("DPI") << OutputPtr(dpi) << hex("03045C064006");
        auto liftOff = std::make_shared<OutputAction_Tracking>(93);
        liftOff->liftOffLevel = 2;
        QTest::newRow("lift-off") << OutputPtr(liftOff) << hex("03025D02");

        auto led = std::make_shared<OutputAction_Led>(95);
        led->ledMode = 1;
        led->colour1[0] = 10;
        led->colour1[1] = 20;
        led->colour1[2] = 30;
        led->colour2[2] = 0xFF;
        QTest::newRow("logo LED") << OutputPtr(led) << hex("030B5F0164F4010A141E0000FF");

        auto message = std::make_shared<OutputAction_Oled>(97);
        message->oledMode = 1;
        message->message = "abc";
        QTest::newRow("OLED message") << OutputPtr(message) << hex("0306610103616263");
        auto profileShown = std::make_shared<OutputAction_Oled>(97);
        profileShown->oledMode = 3;
        profileShown->message = "unused";
        QTest::newRow("OLED profile") << OutputPtr(profileShown) << hex("03026103");
        QTest::newRow("OLED previous") << OutputPtr(std::make_shared<OutputAction_Oled>(98)) << hex("030162");
        auto flash = std::make_shared<OutputAction_Oled>(103);
        flash->flashOption = 1;
        flash->flashDuration.setValue(300);
        flash->oledMode = 1;
        flash->message = "hi";
        QTest::newRow("OLED flash message") << OutputPtr(flash) << hex("030867012C01010268" "69");
        auto flashDpi = std::make_shared<OutputAction_Oled>(*flash);
        flashDpi->flashOption = 0;
        flashDpi->oledMode = 2;
        QTest::newRow("OLED flash DPI") << OutputPtr(flashDpi) << hex("030567002C0102");

        auto repeat = std::make_shared<OutputAction_Act>(110);
        repeat->repeatTarget = 1;
        repeat->countOrTime.setValue(3);
        QTest::newRow("Repeat From") << OutputPtr(repeat) << hex("03046E010300");
        auto alternate = std::make_shared<OutputAction_Act>(111);
        alternate->alternateCount = 2;
        QTest::newRow("Alternate") << OutputPtr(alternate) << hex("03026F02");
        auto stop = std::make_shared<OutputAction_Act>(112);
        stop->skipWaits = 1;
        QTest::newRow("Stop Looping") << OutputPtr(stop) << hex("030570FFFFFF01");
        auto wait = std::make_shared<OutputAction_Act>(113);
        wait->countOrTime.setValue(1000);
        QTest::newRow("Wait 1000 ms") << OutputPtr(wait) << hex("030571E8030000");
        auto tilts = std::make_shared<OutputAction_Tilts>(114);
        tilts->tiltAxis = 3;
        QTest::newRow("tilt reset") << OutputPtr(tilts) << hex("03027203");
        QTest::newRow("settings-only code") << OutputPtr(recordWithCode<OutputAction_Tracking>(104)) << hex("030168");
    }

    void outputItems()
    {
        QFETCH(OutputPtr, output);
        QFETCH(QByteArray, bytes);
        QCOMPARE(store->encodeOutput(output.get()).toHex(' '), bytes.toHex(' '));
        QVERIFY(store->packageError().isEmpty());
    }

    // The LED and OLED records share their bodies with the outputs of the
    // same codes.
    void ledAndOledRecordItems()
    {
        ProfileData *global = ownGlobal();
        global->oledRecord.oledMode = 1;
        global->oledRecord.message = "abc";
        global->ledRecord.ledMode = 2;
        global->ledRecord.brightness = 50;
        global->ledRecord.ledDuration.setValue(0x0102);
        global->ledRecord.colour1[0] = 10;
        global->ledRecord.colour2[2] = 0xFF;
        QCOMPARE(store->encodeSettingsRecord(97).toHex(' '), hex("0306610103616263").toHex(' '));
        QCOMPARE(store->encodeSettingsRecord(95).toHex(' '), hex("030B5F023202010A00000000FF").toHex(' '));
        global->oledRecord.oledMode = 4;
        QCOMPARE(store->encodeSettingsRecord(97).toHex(' '), hex("03026104").toHex(' '));
    }

    void inputItems_data()
    {
        QTest::addColumn<InputMapPtr>("mapping");
        QTest::addColumn<int>("parentIndex");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("scroll forward, no outputs")
            << InputMapPtr(std::make_shared<InputMapAction_Scroll>()) << -1 << hex("0206001E00010001");

        auto blocking = button(3, {key(4)}, {key(4, 0)});
        blocking->blockOnDeactivation = 1;
        blocking->activeState = 0;
        QTest::newRow("button with parent, block and both lists")
            << InputMapPtr(blocking) << 0x0103 << hex("020A390A03000301FFFF0101" "03031E0401" "03031E0400");

        auto movement = std::make_shared<InputMapAction_Movement>();
        movement->direction = 1;
        movement->countDivisor.setValue(0x0102);
        movement->repeat = 1;
        movement->activationOutputs = {key(5)};
        QTest::newRow("movement") << InputMapPtr(movement) << -1 << hex("02071014010201" "0101" "03031E0501");

        auto region = std::make_shared<InputMapAction_Force>(50);
        region->buttonId = 0;
        region->entryStart = 100;
        region->exitEnd = 900;
        region->forceDirection = 2;
        QTest::newRow("force region") << InputMapPtr(region) << -1 << hex("020B003200" "64083E" "000438" "0201");
        auto range = std::make_shared<InputMapAction_Force>(52);
        range->buttonId = 1;
        range->rangeMode = 3;
        QTest::newRow("force range") << InputMapPtr(range) << -1 << hex("02070034" "0103" "00083E");

        auto angleRegion = std::make_shared<InputMapAction_Angle>(60);
        angleRegion->entryStart = 1800;
        angleRegion->entryEnd = 3600;
        angleRegion->exitStart = 1700;
        angleRegion->exitEnd = 3600;
        QTest::newRow("angle region") << InputMapPtr(angleRegion) << -1 << hex("020B003C00" "0870E1" "A460E1" "0201");
        auto mirrored = std::make_shared<InputMapAction_Angle>(62);
        mirrored->axis = 1;
        mirrored->rangeMode = 3;
        mirrored->entryEnd = 1700;
        mirrored->exitStart = 1900;
        mirrored->exitEnd = 3600;
        QTest::newRow("angle range, mirrored") << InputMapPtr(mirrored) << -1 << hex("0207003E0103" "00046A");
        auto twoRanges = std::make_shared<InputMapAction_Angle>(*mirrored);
        twoRanges->rangeMode = 4;
        QTest::newRow("angle range, two ranges")
            << InputMapPtr(twoRanges) << -1 << hex("020A003E0104" "00046A" "6C70E1");

        QTest::newRow("unknown input type") << std::make_shared<InputMapActionConfig>(70) << -1 << hex("02020046");
    }

    void inputItems()
    {
        QFETCH(InputMapPtr, mapping);
        QFETCH(int, parentIndex);
        QFETCH(QByteArray, bytes);
        QCOMPARE(store->encodeInputMap(mapping.get(), parentIndex).toHex(' '), bytes.toHex(' '));
        QVERIFY(store->packageError().isEmpty());
    }

    void childrenNameTheirParentsItemIndex()
    {
        ProfileData *global = ownGlobal();
        InputMapPtr first = button(0, {key(4)});
        InputMapPtr child = first->addChild(button(1, {key(5)}));
        InputMapPtr grandchild = child->addChild(button(2));
        InputMapPtr sibling = first->addChild(button(3));
        InputMapPtr second = button(4);
        InputMapPtr secondChild = second->addChild(button(5));
        global->inputMaps = {first, second};

        const QByteArray bytes = store->package();
        const QMap<int, int> parents = parentIndexes(bytes);
        QCOMPARE(parents.value(0), -1);
        QCOMPARE(parents.value(1), 3); // start-up 0, settings 1, pointer 2, first 3
        QCOMPARE(parents.value(2), 4);
        QCOMPARE(parents.value(3), 3);
        QCOMPARE(parents.value(4), -1);
        QCOMPARE(parents.value(5), 7);
        QVERIFY(bytes.contains(hex("020711" "0A0101" "0300" "01" "03031E0501")));

        // The item list counts the same way: the configuration file relies on it.
        store->setCurrentProfile(global);
        const QList<InputMapActionConfig *> items = store->packageItems();
        QCOMPARE(items, (QList<InputMapActionConfig *>{nullptr, nullptr, nullptr, first.get(), child.get(),
                                                       grandchild.get(), sibling.get(), second.get(),
                                                       secondChild.get()}));
        QCOMPARE(store->itemIndex(grandchild.get()), 5);
        QCOMPARE(store->itemIndex(secondChild.get(), global), 8);
        QCOMPARE(store->itemIndex(button(9).get()), -1);
    }

    void ownSettingsDecideTheSettingsEvent()
    {
        ownGlobal();
        ProfileData *inheriting = store->addProfile(0, 255, "Plain");
        InputMapPtr plainTop = button(0);
        plainTop->addChild(button(1));
        inheriting->inputMaps = {plainTop};
        ProfileData *owning = store->addProfile(1, 255, "Own");
        owning->setOwnSettings(true);
        owning->dpiRecord.levelCount = 2;
        owning->dpiRecord.currentLevel = 1;
        owning->dpiRecord.dpiValues = {800, 1600};
        auto liftOff = std::make_shared<OutputAction_Tracking>(93);
        liftOff->liftOffLevel = 2;
        owning->profileOutputs = {liftOff};
        InputMapPtr ownTop = button(2);
        ownTop->addChild(button(3));
        owning->inputMaps = {ownTop};

        const QByteArray bytes = store->package();
        const int plainAt = bytes.indexOf(QByteArray("Plain"));
        const int ownAt = bytes.indexOf(QByteArray("Own"));
        QVERIFY(plainAt > 0 && ownAt > plainAt);

        // No settings event, no pointer mapping: the first mapping is item 0.
        QCOMPARE(bytes.mid(plainAt - 7, 7), hex("010A0200010005"));
        QCOMPARE(bytes.mid(plainAt + 5, 14), hex("0204000A0001" "0206010A01010000"));

        // Settings event with the eight records and the profile output after them.
        QCOMPARE(bytes.mid(ownAt - 7, 7), hex("01080300010003"));
        const QByteArray ownBlock = bytes.mid(ownAt + 3);
        QVERIFY(ownBlock.startsWith(hex("02051050020009") + defaultRecords() + hex("03025D02")));
        QCOMPARE(parentIndexes(ownBlock).value(3), 1);
        QCOMPARE(store->itemCount(), quint8(3));
    }

    // A profile that inherits its settings but carries profile outputs (from a
    // hand-edited file): its settings event announces exactly the outputs that
    // follow, and takes a place in the item list like any built-in item.
    void inheritingProfileWithOutputsStaysConsistent()
    {
        ownGlobal();
        ProfileData *inheriting = store->addProfile(0, 255, "Plain");
        auto liftOff = std::make_shared<OutputAction_Tracking>(93);
        liftOff->liftOffLevel = 2;
        inheriting->profileOutputs = {liftOff};
        InputMapPtr top = button(0);
        InputMapPtr child = top->addChild(button(1));
        inheriting->inputMaps = {top};

        const QByteArray bytes = store->package();
        const int plainAt = bytes.indexOf(QByteArray("Plain"));
        QCOMPARE(bytes.mid(plainAt - 7, 7), hex("010A0300010005"));
        const QByteArray block = bytes.mid(plainAt + 5);
        QVERIFY(block.startsWith(hex("02051050020001" "03025D02" "0204000A0001")));
        QCOMPARE(parentIndexes(block).value(1), 1);
        QCOMPARE(store->itemIndex(top.get(), inheriting), 1);
        QCOMPARE(store->itemIndex(child.get(), inheriting), 2);
    }

    // Without settings of its own the global profile writes no settings event:
    // its built-in places are the start-up event and the pointer mapping, and
    // the file's mapping places rely on the same count.
    void globalWithoutSettingsCountsWhatItWrites()
    {
        ProfileData *global = store->addProfile(255, 255, "Global");
        InputMapPtr top = button(0, {key(4)});
        InputMapPtr child = top->addChild(button(1));
        global->inputMaps = {top};

        const QByteArray bytes = store->package();
        QCOMPARE(store->itemIndex(top.get(), global), 2);
        QCOMPARE(parentIndexes(bytes).value(1), store->itemIndex(top.get(), global));
        const QList<Item> items = split(bytes);
        const int inputs = int(std::count_if(items.begin(), items.end(), [](const Item &i) { return i.kind == 2; }));
        QCOMPARE(inputs, 4);
        QCOMPARE(int(items.at(0).body.at(0)), inputs);
        QCOMPARE(int(store->itemCount()), inputs);
    }

    void entryCountsIncludeChildProfiles()
    {
        ProfileData *global = ownGlobal();
        global->inputMaps = {button(0, {key(4)})};
        store->addProfile(0, 255, "Zero");
        QCOMPARE(headers(store->package()).at(0).body.at(0), char(5));

        ProfileData *zeroA = store->addProfile(0, 0, "Zero a");
        zeroA->inputMaps = {button(1), button(2)};
        store->addProfile(0, 1, "Zero b");
        store->addProfile(1, 255, "One");
        store->addProfile(1, 0, "One a");
        const QList<Item> list = headers(store->package());
        QCOMPARE(list.size(), 6);
        const QList<QByteArray> names = {"Global", "Zero", "Zero a", "Zero b", "One", "One a"};
        const QList<int> counts = {3 + 1 + 2, 2, 2, 0, 1, 0};
        for (int i = 0; i < list.size(); ++i) {
            QCOMPARE(list[i].body.mid(5), names[i]);
            QCOMPARE(int(list[i].body.at(0)), counts[i]);
            QCOMPARE(list[i].body.mid(1, 4), hex("000100") + char(names[i].size()));
        }
    }

    void namesOutsideLatin1BecomeQuestionMarks()
    {
        ownGlobal();
        store->addProfile(0, 255, QString::fromUtf8("Café ✓"));
        const QList<Item> list = headers(store->package());
        QCOMPARE(list.at(1).body.mid(4), hex("06") + QByteArray("Caf\xE9 ?"));
    }

    void packageLeavesTheCurrentProfileAlone()
    {
        ownGlobal();
        ProfileData *zero = store->addProfile(0, 255, "Zero");
        store->addProfile(1, 255, "One");
        store->setCurrentProfile(zero);
        QVERIFY(!store->package().isEmpty());
        QCOMPARE(store->currentProfile(), zero);
    }

    void packageWithoutGlobalProfileFails()
    {
        store->addProfile(0, 255, "Zero");
        QString error;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^PackageCreator: package not built"));
        QVERIFY(store->package(&error).isEmpty());
        QVERIFY(!error.isEmpty());
    }

    // A range value keeps its low 12 bits. A bound below zero, as a file
    // holds it (-50 stored as 65486), must not keep the package back.
    void rangeValuesAreCutToTwelveBits()
    {
        ProfileData *global = ownGlobal();
        auto angle = std::make_shared<InputMapAction_Angle>(62);
        angle->rangeMode = 4;
        angle->entryStart = quint16(-50);
        angle->entryEnd = 0x1234;
        angle->exitStart = 4095;
        angle->exitEnd = 4096;
        auto stick = std::make_shared<OutputAction_Joystick>(50);
        stick->rangeMode = 3;
        stick->firstRangeStart = 0xF001;
        stick->firstRangeEnd = 1000;
        angle->activationOutputs = {stick};
        global->inputMaps = {angle};

        QTest::ignoreMessage(QtWarningMsg, "PackageCreator: range 65486 to 4660 cut to 12 bits");
        QString error;
        const QByteArray bytes = store->package(&error);
        QVERIFY(error.isEmpty());
        QVERIFY(!bytes.isEmpty());
        const QByteArray items = hex("020B103E0004" "CEF423" "FFF000" "01") + hex("0306320003" "01083E");
        QVERIFY2(bytes.endsWith(items), qPrintable(bytes.right(items.size()).toHex(' ')));
    }

    // Every length and count is one byte: what does not fit fails visibly.
    void lengthLimits_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("fits");
        QTest::newRow("text body 255") << "text" << 253 << true;
        QTest::newRow("text body 256") << "text" << 254 << false;
        QTest::newRow("OLED record body 255") << "oled" << 252 << true;
        QTest::newRow("OLED record body 256") << "oled" << 253 << false;
        QTest::newRow("DPI record 125 values") << "dpi" << 125 << true;
        QTest::newRow("DPI record 126 values") << "dpi" << 126 << false;
        QTest::newRow("name of 250") << "name" << 250 << true;
        QTest::newRow("name of 251") << "name" << 251 << false;
        QTest::newRow("255 press outputs") << "press" << 255 << true;
        QTest::newRow("256 press outputs") << "press" << 256 << false;
        QTest::newRow("256 release outputs") << "release" << 256 << false;
        QTest::newRow("255 settings outputs") << "settings" << 255 - 8 << true;
        QTest::newRow("256 settings outputs") << "settings" << 256 - 8 << false;
        QTest::newRow("255 entries") << "entries" << 255 - 3 << true;
        QTest::newRow("256 entries") << "entries" << 256 - 3 << false;
    }

    void lengthLimits()
    {
        QFETCH(QString, what);
        QFETCH(int, size);
        QFETCH(bool, fits);
        ProfileData *global = ownGlobal();
        InputMapPtr mapping = button(0, {key(4)});
        global->inputMaps = {mapping};
        if (what == "text") {
            mapping->activationOutputs = {text(QByteArray(size, 'x'))};
        } else if (what == "oled") {
            global->oledRecord.oledMode = 1;
            global->oledRecord.message = QByteArray(size, 'x');
        } else if (what == "dpi") {
            global->dpiRecord.levelCount = quint8(size);
            global->dpiRecord.dpiValues = QVector<quint16>(size, 800);
        } else if (what == "name") {
            store->addProfile(0, 255, QString(size, 'n'));
        } else if (what == "press") {
            mapping->activationOutputs = OutputList();
            for (int i = 0; i < size; ++i)
                mapping->activationOutputs.append(key(4));
        } else if (what == "release") {
            for (int i = 0; i < size; ++i)
                mapping->deactivationOutputs.append(key(4, 0));
        } else if (what == "settings") {
            for (int i = 0; i < size; ++i)
                global->profileOutputs.append(std::make_shared<OutputAction_Tilts>(114));
        } else if (what == "entries") {
            global->inputMaps.clear();
            for (int i = 0; i < size; ++i)
                global->inputMaps.append(button(i % 13));
        }

        QString error;
        if (!fits)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^PackageCreator: package not built"));
        const QByteArray bytes = store->package(&error);
        QCOMPARE(bytes.isEmpty(), !fits);
        QCOMPARE(error.isEmpty(), fits);
        if (fits) {
            const QList<Item> items = split(bytes);
            QVERIFY(!items.isEmpty());
            QVERIFY(items.last().kind != -1);
        }
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
