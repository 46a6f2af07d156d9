#include "ActAlternate.h"
#include "ActRepeat.h"
#include "ActStop.h"
#include "ActWait.h"
#include "ComboBox.h"
#include "KeyFunction.h"
#include "KeyLetter.h"
#include "KeyMedia.h"
#include "KeyModifier.h"
#include "KeyPad.h"
#include "KeySymbol.h"
#include "KeyText.h"
#include "MouseClick.h"
#include "MousePointer.h"
#include "MouseScroll.h"
#include "OutputBuilders.h"
#include "PackageCreator.h"
#include "PageChecks.h"
#include "PageDriver.h"
#include "PageSteps.h"
#include "ProcessStateGuard.h"
#include "RecordBytes.h"
#include "WidgetDriver.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

namespace {

MakePage repeatPage(int count, int base = 0)
{
    return [count, base] {
        auto *page = new ActRepeat(count);
        page->setIndexBase(base);
        return page;
    };
}

OutputPtr pointer(int x, int y)
{
    auto r = std::make_shared<OutputAction_Mouse>(OutputType::MousePointer);
    r->pointerMode = 2;
    r->xCount.setValue(x);
    r->yCount.setValue(y);
    return r;
}

OutputPtr act(int typeCode, int value)
{
    auto r = std::make_shared<OutputAction_Act>(typeCode);
    switch (typeCode) {
    case OutputType::Alternate:
        r->alternateCount = quint8(value);
        break;
    case OutputType::StopLooping:
        r->skipWaits = quint8(value);
        break;
    default:
        r->countOrTime.setValue(value);
    }
    return r;
}

OutputPtr repeat(int target, int times)
{
    auto r = std::static_pointer_cast<OutputAction_Act>(act(OutputType::RepeatFrom, times));
    r->repeatTarget = quint8(target);
    return r;
}

// A page that only shows the shared combos.
class SharedCombosPage : public oawidget
{
public:
    SharedCombosPage()
    {
        modeCombo = createModeCombo();
        waitCombo = createWaitCombo();
        pageLayout()->addWidget(modeCombo);
        pageLayout()->addWidget(waitCombo);
    }
    void load(const OutputPtr &) override {}
    void ensureConfig() override {}
    void save() override {}
    ComboBox *modeCombo;
    ComboBox *waitCombo;
};

const QString redBorder = QStringLiteral("QLineEdit { border: 2px solid rgba(255, 89, 89, 205); }");
const QString normalBorder = QStringLiteral("QLineEdit { border: 2px solid rgba(0, 0, 0, 38); }");

} // namespace

class TestOutputPages : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

    static void setLoading(bool on) { PackageCreator::instance()->loading = on; }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        clean.emplace();
        setLoading(false);
    }
    void cleanup() { clean.reset(); }

    void userEditsReachTheRecord_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Shown>("shown");

        QTest::newRow("button 16") << make<MouseClick>() << Steps{pick("buttonCombo", "16")} << OutputType::MouseButton
                                   << QByteArray::fromHex("0f01") << Shown{};
        QTest::newRow("right button release")
            << make<MouseClick>() << Steps{pick("buttonCombo", "2 (Right Click)"), pick("modeCombo", "Release")}
            << OutputType::MouseButton << QByteArray::fromHex("0100") << Shown{};
        QTest::newRow("pointer -1 and 9999")
            << make<MousePointer>() << Steps{type("xSpin", "-1"), type("ySpin", "9999")} << OutputType::MousePointer
            << QByteArray::fromHex("02ffff270f00") << Shown{};
        QTest::newRow("scroll up 3") << make<MouseScroll>()
                                     << Steps{pick("directionCombo", "Up"), type("unitsSpin", "3")}
                                     << OutputType::MouseScroll << QByteArray::fromHex("000003") << Shown{};
        QTest::newRow("scroll left 3") << make<MouseScroll>()
                                       << Steps{pick("directionCombo", "Left"), type("unitsSpin", "3")}
                                       << OutputType::MouseScroll << QByteArray::fromHex("01fffd") << Shown{};
        QTest::newRow("scroll down 40000 clamped")
            << make<MouseScroll>() << Steps{type("unitsSpin", "40000")} << OutputType::MouseScroll
            << QByteArray::fromHex("008001") << Shown{{"unitsSpin", "32767"}};
        QTest::newRow("scroll right 40000 clamped")
            << make<MouseScroll>() << Steps{pick("directionCombo", "Right"), type("unitsSpin", "40000")}
            << OutputType::MouseScroll << QByteArray::fromHex("017fff") << Shown{{"unitsSpin", "32767"}};

        QTest::newRow("F13") << make<KeyFunction>() << Steps{pick("keyCombo", "F13")} << OutputType::Key
                             << QByteArray::fromHex("046801") << Shown{};
        QTest::newRow("APPLICATION") << make<KeyModifier>() << Steps{pick("keyCombo", "APPLICATION")} << OutputType::Key
                                     << QByteArray::fromHex("036501") << Shown{};
        QTest::newRow("CAPS LOCK") << make<KeyModifier>() << Steps{pick("keyCombo", "CAPS LOCK")} << OutputType::Key
                                   << QByteArray::fromHex("033901") << Shown{};
        QTest::newRow("UP") << make<KeyModifier>() << Steps{pick("keyCombo", "UP")} << OutputType::Key
                            << QByteArray::fromHex("035201") << Shown{};
        QTest::newRow("Numpad =") << make<KeyPad>() << Steps{pick("keyCombo", "Numpad =")} << OutputType::Key
                                  << QByteArray::fromHex("056701") << Shown{};
        QTest::newRow("slash or question mark") << make<KeySymbol>() << Steps{pick("keyCombo", "/ OR ?")}
                                                << OutputType::Key << QByteArray::fromHex("023801") << Shown{};
        QTest::newRow("digit 0 pressed") << make<KeyLetter>()
                                         << Steps{pick("keyCombo", "0"), pick("modeCombo", "Press")} << OutputType::Key
                                         << QByteArray::fromHex("012702") << Shown{};
        QTest::newRow("VOLUME DOWN") << make<KeyMedia>() << Steps{pick("keyCombo", "VOLUME DOWN")}
                                     << OutputType::MediaKey << QByteArray::fromHex("00ea01") << Shown{};

        QTest::newRow("text with e acute") << make<KeyText>() << Steps{type("textEdit", QStringLiteral("\u00e9"))}
                                           << OutputType::KeyString << QByteArray("\xe9") << Shown{};
        QTest::newRow("paste of 300 characters")
            << make<KeyText>() << Steps{pasteText("textEdit", QString(300, QLatin1Char('x')))} << OutputType::KeyString
            << QByteArray(252, 'x') << Shown{};
        QTest::newRow("character outside Latin-1")
            << make<KeyText>() << Steps{pasteText("textEdit", QStringLiteral("a\u20acb"))} << OutputType::KeyString
            << QByteArray("a?b") << Shown{};

        QTest::newRow("repeat target 2") << repeatPage(3) << Steps{pickRow("placeholderCombo", 1)}
                                         << OutputType::RepeatFrom << QByteArray::fromHex("010000")
                                         << Shown{{"targetCombo", "2"}};
        QTest::newRow("repeat target 2 in profile outputs")
            << repeatPage(3, 8) << Steps{pickRow("placeholderCombo", 1)} << OutputType::RepeatFrom
            << QByteArray::fromHex("090000") << Shown{{"targetCombo", "2"}};
        QTest::newRow("repeat 12 times") << repeatPage(3)
                                         << Steps{pickRow("placeholderCombo", 0), type("timesSpin", "12")}
                                         << OutputType::RepeatFrom << QByteArray::fromHex("00000c") << Shown{};
        QTest::newRow("repeat 70000 times clamped")
            << repeatPage(3) << Steps{pickRow("placeholderCombo", 2), type("timesSpin", "70000")}
            << OutputType::RepeatFrom << QByteArray::fromHex("02ffff") << Shown{{"timesSpin", "65535"}};

        QTest::newRow("wait 1.5 s") << make<ActWait>() << Steps{type("secondsSpin", "1.5")} << OutputType::Wait
                                    << QByteArray::fromHex("05dc") << Shown{{"secondsSpin", "1.500"}};
        QTest::newRow("wait 70 s clamped") << make<ActWait>() << Steps{type("secondsSpin", "70")} << OutputType::Wait
                                           << QByteArray::fromHex("ffff") << Shown{{"secondsSpin", "65.535"}};
        QTest::newRow("wait 1.005 s") << make<ActWait>() << Steps{type("secondsSpin", "1.005")} << OutputType::Wait
                                      << QByteArray::fromHex("03ed") << Shown{};
        QTest::newRow("wait 250 ms") << make<ActWait>()
                                     << Steps{pick("unitCombo", "Milliseconds"), type("millisecondsSpin", "250")}
                                     << OutputType::Wait << QByteArray::fromHex("00fa")
                                     << Shown{{"secondsSpin", "0.250"}};
        QTest::newRow("wait 70000 ms clamped")
            << make<ActWait>() << Steps{pick("unitCombo", "Milliseconds"), type("millisecondsSpin", "70000")}
            << OutputType::Wait << QByteArray::fromHex("ffff") << Shown{{"millisecondsSpin", "65535"}};
        QTest::newRow("seconds after milliseconds")
            << make<ActWait>()
            << Steps{pick("unitCombo", "Milliseconds"), type("millisecondsSpin", "1234"), pick("unitCombo", "Seconds"),
                     type("secondsSpin", "2")}
            << OutputType::Wait << QByteArray::fromHex("07d0") << Shown{{"millisecondsSpin", "2000"}};

        QTest::newRow("alternate below 2")
            << make<ActAlternate>() << Steps{type("countSpin", "1")} << OutputType::Alternate
            << QByteArray::fromHex("02") << Shown{{"countSpin", "2"}};
        QTest::newRow("alternate above 99")
            << make<ActAlternate>() << Steps{type("countSpin", "150")} << OutputType::Alternate
            << QByteArray::fromHex("0f") << Shown{{"countSpin", "15"}};
        QTest::newRow("alternate 99") << make<ActAlternate>() << Steps{type("countSpin", "99")} << OutputType::Alternate
                                      << QByteArray::fromHex("63") << Shown{};
        QTest::newRow("stop skipping waits") << make<ActStop>() << Steps{click("skipCheck")} << OutputType::StopLooping
                                             << QByteArray::fromHex("01") << Shown{};
    }
    void userEditsReachTheRecord()
    {
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        QFETCH(int, typeCode);
        QFETCH(QByteArray, bytes);
        QFETCH(Shown, shown);
        PageChecks::editsReachTheRecord(makePage, steps, {typeCode, bytes, shown});
    }

    void pressAsksForRelease_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<QString>("choiceCombo");
        QTest::addColumn<QString>("otherChoice");
        QTest::newRow("mouse click") << make<MouseClick>() << "buttonCombo"
                                     << "3 (Middle Click)";
        QTest::newRow("letter") << make<KeyLetter>() << "keyCombo"
                                << "Q";
        QTest::newRow("media key") << make<KeyMedia>() << "keyCombo"
                                   << "MUTE";
    }
    void pressAsksForRelease()
    {
        QFETCH(MakePage, makePage);
        QFETCH(QString, choiceCombo);
        QFETCH(QString, otherChoice);
        PageHost host(makePage());
        QVERIFY(host.show());
        SignalLog log(host.page);
        const QStringList pressed{"autoReleaseAdd", "updated"};
        const QStringList plain{"updated"};

        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Press"));
        QCOMPARE(log.take(), pressed);
        // Every save while the mode stays Press asks again.
        QVERIFY(PageDriver::pickItem(host.page, choiceCombo, otherChoice));
        QCOMPARE(log.take(), pressed);
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Release"));
        QCOMPARE(log.take(), plain);
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Tap"));
        QCOMPARE(log.take(), plain);
    }

    void setReleaseMakesTheReleaseOfAKey()
    {
        KeyFunction page;
        SignalLog log(&page);
        page.setRelease(12);
        QCOMPARE(pageFieldBytes(page.config()).toHex(' '), QByteArray("04 68 00"));
        QCOMPARE(page.keyIndex(), 12);
        QCOMPARE(page.modeIndex(), 2);
        QCOMPARE(log.take(), (QStringList{"updated", "updated"}));
    }

    void loadSetsControls_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<int>("updatesOnLoad");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("F12") << make<KeyFunction>() << keyInGroup(4, 0x45) << 0
                             << Shown{{"keyCombo", "F12"}, {"modeCombo", "Tap"}} << Steps{}
                             << QByteArray::fromHex("044501");
        QTest::newRow("Numpad = pressed")
            << make<KeyPad>() << keyInGroup(5, 0x67, 2) << 0 << Shown{{"keyCombo", "Numpad ="}, {"modeCombo", "Press"}}
            << Steps{} << QByteArray::fromHex("056702");
        QTest::newRow("letters page, usage 0x32 kept")
            << make<KeyLetter>() << key(0x32) << 0 << Shown{{"keyCombo", ""}} << Steps{pick("modeCombo", "Release")}
            << QByteArray::fromHex("003200");
        QTest::newRow("letters page, usage 0x64 kept")
            << make<KeyLetter>() << key(0x64) << 0 << Shown{{"keyCombo", ""}} << Steps{pick("modeCombo", "Press")}
            << QByteArray::fromHex("006402");
        QTest::newRow("symbols page, usage 0x32 kept")
            << make<KeySymbol>() << keyInGroup(2, 0x32) << 0 << Shown{{"keyCombo", ""}}
            << Steps{pick("modeCombo", "Press")} << QByteArray::fromHex("023202");
        QTest::newRow("VOLUME DOWN released")
            << make<KeyMedia>() << media(0xea, 0) << 0 << Shown{{"keyCombo", "VOLUME DOWN"}, {"modeCombo", "Release"}}
            << Steps{} << QByteArray::fromHex("00ea00");
        QTest::newRow("media usage above 0xff kept")
            << make<KeyMedia>() << media(0x1ea) << 0 << Shown{{"keyCombo", ""}} << Steps{pick("modeCombo", "Release")}
            << QByteArray::fromHex("01ea00");
        QTest::newRow("text") << make<KeyText>() << text("h\xe9llo") << 0 << Shown{{"textEdit", "h\u00e9llo"}}
                              << Steps{} << QByteArray("h\xe9llo");

        QTest::newRow("button 16 pressed")
            << make<MouseClick>() << click(15, 2) << 0 << Shown{{"buttonCombo", "16"}, {"modeCombo", "Press"}}
            << Steps{} << QByteArray::fromHex("0f02");
        QTest::newRow("button the combo lacks kept")
            << make<MouseClick>() << click(19, 1) << 0 << Shown{{"buttonCombo", ""}}
            << Steps{pick("modeCombo", "Release")} << QByteArray::fromHex("1300");
        QTest::newRow("pointer") << make<MousePointer>() << pointer(-1, 9999) << 0
                                 << Shown{{"xSpin", "-1"}, {"ySpin", "9999"}} << Steps{}
                                 << QByteArray::fromHex("02ffff270f00");
        QTest::newRow("scroll FF FD horizontal")
            << make<MouseScroll>() << scroll(1, -3) << 0 << Shown{{"directionCombo", "Left"}, {"unitsSpin", "3"}}
            << Steps{} << QByteArray::fromHex("01fffd");
        QTest::newRow("scroll up 7") << make<MouseScroll>() << scroll(0, 7) << 0
                                     << Shown{{"directionCombo", "Up"}, {"unitsSpin", "7"}}
                                     << Steps{type("unitsSpin", "8")} << QByteArray::fromHex("000008");

        // Typing into the milliseconds box shows it is the visible one.
        QTest::newRow("wait 250 ms") << make<ActWait>() << act(OutputType::Wait, 250) << 0
                                     << Shown{{"unitCombo", "Milliseconds"}, {"millisecondsSpin", "250"}}
                                     << Steps{type("millisecondsSpin", "300")} << QByteArray::fromHex("012c");
        QTest::newRow("alternate 7") << make<ActAlternate>() << act(OutputType::Alternate, 7) << 0
                                     << Shown{{"countSpin", "7"}} << Steps{} << QByteArray::fromHex("07");
        QTest::newRow("stop skipping") << make<ActStop>() << act(OutputType::StopLooping, 1) << 0
                                       << Shown{{"skipCheck", "checked"}} << Steps{} << QByteArray::fromHex("01");

        QTest::newRow("repeat target 2") << repeatPage(3) << repeat(1, 5) << 1
                                         << Shown{{"targetCombo", "2"}, {"timesSpin", "5"}} << Steps{}
                                         << QByteArray::fromHex("010005");
        QTest::newRow("repeat target 2 in profile outputs")
            << repeatPage(3, 8) << repeat(9, 0) << 1 << Shown{{"targetCombo", "2"}} << Steps{pick("targetCombo", "3")}
            << QByteArray::fromHex("0a0000");
        QTest::newRow("repeat target after its own row kept")
            << repeatPage(3) << repeat(5, 0) << 1 << Shown{{"targetCombo", ""}} << Steps{type("timesSpin", "4")}
            << QByteArray::fromHex("050004");
        QTest::newRow("repeat target below the base kept")
            << repeatPage(3, 8) << repeat(3, 2) << 1 << Shown{{"targetCombo", ""}, {"timesSpin", "2"}}
            << Steps{type("timesSpin", "4")} << QByteArray::fromHex("030004");
    }
    void loadSetsControls()
    {
        QFETCH(MakePage, makePage);
        QFETCH(OutputPtr, record);
        QFETCH(int, updatesOnLoad);
        QFETCH(Shown, shown);
        QFETCH(Steps, steps);
        QFETCH(QByteArray, bytes);
        PageChecks::loadShowsTheRecord(makePage, record, updatesOnLoad, shown, {}, steps, bytes);
    }

    void freshPagesHoldStartRecords_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("left click tap") << make<MouseClick>() << OutputType::MouseButton << QByteArray::fromHex("0001");
        QTest::newRow("pointer 0 0") << make<MousePointer>() << OutputType::MousePointer
                                     << QByteArray::fromHex("020000000000");
        QTest::newRow("scroll down 1") << make<MouseScroll>() << OutputType::MouseScroll
                                       << QByteArray::fromHex("00ffff");
        QTest::newRow("letter A") << make<KeyLetter>() << OutputType::Key << QByteArray::fromHex("010401");
        QTest::newRow("minus") << make<KeySymbol>() << OutputType::Key << QByteArray::fromHex("022d01");
        QTest::newRow("CTRL left") << make<KeyModifier>() << OutputType::Key << QByteArray::fromHex("03e001");
        QTest::newRow("F1") << make<KeyFunction>() << OutputType::Key << QByteArray::fromHex("043a01");
        QTest::newRow("NUM LOCK") << make<KeyPad>() << OutputType::Key << QByteArray::fromHex("055301");
        QTest::newRow("PLAY / PAUSE") << make<KeyMedia>() << OutputType::MediaKey << QByteArray::fromHex("00cd01");
        QTest::newRow("alternate 2") << make<ActAlternate>() << OutputType::Alternate << QByteArray::fromHex("02");
        QTest::newRow("no skipping") << make<ActStop>() << OutputType::StopLooping << QByteArray::fromHex("00");
        QTest::newRow("wait 0") << make<ActWait>() << OutputType::Wait << QByteArray::fromHex("0000");
    }
    // The store starts with its loading flag set: a page made then still
    // fills its own new record.
    void freshPagesHoldStartRecords()
    {
        QFETCH(MakePage, makePage);
        QFETCH(int, typeCode);
        QFETCH(QByteArray, bytes);
        PageChecks::freshPageHoldsItsRecord(makePage, typeCode, bytes);
    }

    void textPageHasNoRecordUntilAsked()
    {
        PageHost host(new KeyText);
        auto *edit = WidgetDriver::child<QLineEdit>(host.page, "textEdit");
        QVERIFY(!host.page->config());
        QVERIFY(host.page->isInvalid());
        QCOMPARE(edit->styleSheet(), redBorder);
        QCOMPARE(edit->maxLength(), 252);
        QVERIFY(edit->isClearButtonEnabled());

        host.page->ensureConfig();
        const OutputPtr record = host.page->config();
        QVERIFY(record);
        QCOMPARE(record->typeCode, OutputType::KeyString);
        host.page->ensureConfig();
        QCOMPARE(host.page->config(), record);

        QVERIFY(host.show());
        QVERIFY(PageDriver::typeAndFinish(host.page, "textEdit", "ok"));
        QVERIFY(!host.page->isInvalid());
        QCOMPARE(edit->styleSheet(), normalBorder);
        QCOMPARE(host.page->config(), record);
        // Emptying it with the keyboard leaves an empty, invalid text.
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(host.page->isInvalid());
        QCOMPARE(edit->styleSheet(), redBorder);
        QCOMPARE(pageFieldBytes(record), QByteArray());
    }

    void repeatTargetsFollowTheRowNumber_data()
    {
        QTest::addColumn<int>("chosenRow");
        QTest::addColumn<int>("newNumber");
        QTest::addColumn<bool>("kept");
        QTest::newRow("row 5 target 3 moved to row 2") << 2 << 2 << false;
        QTest::newRow("row 5 target 3 moved to row 3") << 2 << 3 << false;
        QTest::newRow("row 5 target 3 moved to row 4") << 2 << 4 << true;
        QTest::newRow("row 5 target 1 moved to row 2") << 0 << 2 << true;
    }
    void repeatTargetsFollowTheRowNumber()
    {
        QFETCH(int, chosenRow);
        QFETCH(int, newNumber);
        QFETCH(bool, kept);
        PageHost host(new ActRepeat(4));
        auto *page = static_cast<ActRepeat *>(host.page);
        QVERIFY(host.show());
        QVERIFY(page->isInvalid());
        QVERIFY(!page->config());
        auto *placeholder = WidgetDriver::child<ComboBox>(page, "placeholderCombo");
        int checked = 0;
        QCOMPARE(PageDriver::popupTexts(placeholder, &checked), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(checked, -1);

        QVERIFY(PageDriver::pickPopupRow(page, "placeholderCombo", chosenRow));
        QVERIFY(!page->isInvalid());
        QVERIFY(!placeholder->isVisible());
        QSignalSpy updated(page, &oawidget::updated);
        page->updateRowCount(newNumber);
        QVERIFY(!updated.isEmpty());
        QStringList earlier;
        for (int n = 1; n < newNumber; ++n)
            earlier << QString::number(n);
        if (kept) {
            QVERIFY(!page->isInvalid());
            QCOMPARE(PageDriver::shownText(page, "targetCombo"), QString::number(chosenRow + 1));
            QCOMPARE(std::static_pointer_cast<OutputAction_Act>(page->config())->repeatTarget, chosenRow);
            QCOMPARE(PageDriver::popupTexts(WidgetDriver::child<ComboBox>(page, "targetCombo")), earlier);
            return;
        }
        QVERIFY(page->isInvalid());
        QVERIFY(placeholder->isVisible());
        QCOMPARE(PageDriver::shownText(page, "placeholderCombo"), QString());
        QCOMPARE(PageDriver::popupTexts(placeholder, &checked), earlier);
        QCOMPARE(checked, -1);
        QVERIFY(PageDriver::pickPopupRow(page, "placeholderCombo", 0));
        QVERIFY(!page->isInvalid());
        QCOMPARE(PageDriver::shownText(page, "targetCombo"), QStringLiteral("1"));
        QCOMPARE(std::static_pointer_cast<OutputAction_Act>(page->config())->repeatTarget, 0);
    }

    void loadedRepeatTargetSurvivesAMove()
    {
        ActRepeat page(3);
        const OutputPtr record = repeat(6, 2);
        page.load(record);
        page.updateRowCount(6);
        QVERIFY(!page.isInvalid());
        QCOMPARE(pageFieldBytes(record).toHex(' '), QByteArray("06 00 02"));
    }

    // A page loaded again shows the new target, so a later change keeps it.
    void repeatLoadedAgainShowsTheNewTarget()
    {
        ActRepeat page(3);
        page.load(repeat(0, 1));
        const OutputPtr second = repeat(2, 7);
        page.load(second);
        QCOMPARE(PageDriver::shownText(&page, "targetCombo"), QStringLiteral("3"));
        WidgetDriver::child<QSpinBox>(&page, "timesSpin")->setValue(8);
        QCOMPARE(pageFieldBytes(second).toHex(' '), QByteArray("02 00 08"));
    }

    void loadingFlagKeepsLoadedRecords_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("click") << make<MouseClick>() << click(1, 1) << Steps{pick("modeCombo", "Press")};
        QTest::newRow("pointer") << make<MousePointer>() << pointer(3, 4) << Steps{type("xSpin", "5")};
        QTest::newRow("scroll") << make<MouseScroll>() << scroll(0, 2) << Steps{type("unitsSpin", "40000")};
        QTest::newRow("key") << make<KeyLetter>() << keyInGroup(1, 0x05) << Steps{pick("keyCombo", "Z")};
        QTest::newRow("text") << make<KeyText>() << text("abc") << Steps{type("textEdit", "xyz")};
        QTest::newRow("repeat") << repeatPage(3) << repeat(1, 3) << Steps{pick("targetCombo", "3")};
        QTest::newRow("alternate") << make<ActAlternate>() << act(OutputType::Alternate, 4)
                                   << Steps{type("countSpin", "9")};
        QTest::newRow("stop") << make<ActStop>() << act(OutputType::StopLooping, 0) << Steps{click("skipCheck")};
        // The unit still switches the boxes: the seconds box takes the typing.
        QTest::newRow("wait") << make<ActWait>() << act(OutputType::Wait, 250)
                              << Steps{pick("unitCombo", "Seconds"), type("secondsSpin", "2")};
    }
    void loadingFlagKeepsLoadedRecords()
    {
        QFETCH(MakePage, makePage);
        QFETCH(OutputPtr, record);
        QFETCH(Steps, steps);
        PageChecks::loadingFlagKeepsTheRecord(makePage, record, steps);
    }

    // Every value of milliseconds typed as seconds with three decimals comes
    // back as that number of milliseconds.
    void waitSecondsRoundToTheMillisecond()
    {
        for (int ms = 0; ms <= 65535; ++ms) {
            const double typed =
                QStringLiteral("%1.%2").arg(ms / 1000).arg(ms % 1000, 3, 10, QLatin1Char('0')).toDouble();
            if (ActWait::millisecondsFromSeconds(typed) != ms)
                QFAIL(qPrintable(
                    QStringLiteral("%1 s gave %2 ms").arg(typed).arg(ActWait::millisecondsFromSeconds(typed))));
        }
        QCOMPARE(ActWait::millisecondsFromSeconds(99.999), 65535);
    }

    void refusesRecordOfAnotherClass()
    {
        KeyLetter page;
        const OutputPtr own = page.config();
        const OutputPtr other = click(2, 1);
        QTest::ignoreMessage(QtWarningMsg, "KeyLetter: refused a record of output type 12");
        page.load(other);
        QCOMPARE(page.config(), own);
        QCOMPARE(pageFieldBytes(other).toHex(' '), QByteArray("02 01"));
        QCOMPARE(pageFieldBytes(own).toHex(' '), QByteArray("01 04 01"));
    }

    void sharedCombosShowShortAndLongTexts()
    {
        PageHost host(new SharedCombosPage);
        auto *page = static_cast<SharedCombosPage *>(host.page);
        QVERIFY(host.show());
        for (ComboBox *combo : {page->modeCombo, page->waitCombo}) {
            QCOMPARE(combo->minimumSize(), QSize(170, 30));
            QCOMPARE(combo->maximumSize(), QSize(170, 30));
            QCOMPARE(combo->parentWidget(), page);
        }
        QCOMPARE(page->modeCombo->itemText(2), QStringLiteral("Release"));
        QCOMPARE(PageDriver::popupTexts(page->modeCombo),
                 (QStringList{"Tap (Press and Release)", "Press (Press and Hold down)",
                              "Release (Release the Previously Pressed button or key)"}));
        QCOMPARE(page->waitCombo->itemText(1), QStringLiteral("Wait..."));
        QCOMPARE(PageDriver::popupTexts(page->waitCombo),
                 (QStringList{"Continue with the next output action without waiting",
                              "Wait... for this to complete before the next output action"}));
    }

    void pagesLookRight_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("mouse-click") << make<MouseClick>() << Steps{pick("modeCombo", "Press")};
        QTest::newRow("mouse-pointer") << make<MousePointer>() << Steps{type("xSpin", "-120")};
        QTest::newRow("mouse-scroll") << make<MouseScroll>() << Steps{type("unitsSpin", "3")};
        QTest::newRow("key-modifier") << make<KeyModifier>() << Steps{pick("keyCombo", "PAUSE / BREAK")};
        QTest::newRow("key-symbol") << make<KeySymbol>() << Steps{pick("keyCombo", "' OR \"")};
        QTest::newRow("key-media") << make<KeyMedia>() << Steps{};
        QTest::newRow("key-text-empty") << make<KeyText>() << Steps{};
        QTest::newRow("key-text") << make<KeyText>() << Steps{type("textEdit", "Hello")};
        QTest::newRow("repeat-placeholder") << repeatPage(3) << Steps{};
        QTest::newRow("repeat-target") << repeatPage(3)
                                       << Steps{pickRow("placeholderCombo", 1), type("timesSpin", "4")};
        QTest::newRow("alternate") << make<ActAlternate>() << Steps{};
        QTest::newRow("stop") << make<ActStop>() << Steps{click("skipCheck")};
        QTest::newRow("wait-seconds") << make<ActWait>() << Steps{type("secondsSpin", "1.5")};
        QTest::newRow("wait-milliseconds") << make<ActWait>() << Steps{pick("unitCombo", "Milliseconds")};
    }
    void pagesLookRight()
    {
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        PageChecks::grabPage(makePage, steps);
    }
};

QTEST_MAIN(TestOutputPages)
#include "tst_outputpages.moc"
