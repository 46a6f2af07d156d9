#include "ColorEditor.h"
#include "ComboBox.h"
#include "LightingLogo.h"
#include "LightingOled.h"
#include "PackageCreator.h"
#include "PageChecks.h"
#include "PageDriver.h"
#include "PageSteps.h"
#include "ProcessStateGuard.h"
#include "RecordBytes.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

OutputPtr led(int mode, QColor colour)
{
    auto r = std::make_shared<OutputAction_Led>(OutputType::Led);
    r->ledMode = quint8(mode);
    r->colour1[0] = quint8(colour.red());
    r->colour1[1] = quint8(colour.green());
    r->colour1[2] = quint8(colour.blue());
    return r;
}

OutputPtr oled(int typeCode, int content, int hundredths, int option, const QByteArray &message = {})
{
    auto r = std::make_shared<OutputAction_Oled>(typeCode);
    r->oledMode = content;
    r->flashDuration.setValue(hundredths);
    r->flashOption = option;
    r->message = message;
    return r;
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QString buttonStyle(const QString &colour)
{
    return QStringLiteral("QPushButton { border: 1px solid #373737; border-radius: 4px; background-color: %1; }")
        .arg(colour);
}

// The colour editor's pop-up, when it is open.
ColorEditor *openColourEditor()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *editor = window->findChild<ColorEditor *>(); editor && window->isVisible())
            return editor;
    }
    return nullptr;
}

// Opens the editor from the page's colour button and chooses the colour
// with its red, green and blue fields and Ok.
bool chooseColour(const QWidget *page, const QColor &colour)
{
    if (!WidgetDriver::click(page, "colorButton"))
        return false;
    ColorEditor *editor = openColourEditor();
    if (!editor || !QTest::qWaitForWindowExposed(editor->window()))
        return false;
    const std::pair<const char *, int> channels[] = {
        {"lineEdit_r", colour.red()}, {"lineEdit_g", colour.green()}, {"lineEdit_b", colour.blue()}};
    for (const auto &[field, value] : channels) {
        if (!WidgetDriver::typeInto(editor, field, QString::number(value)))
            return false;
    }
    return WidgetDriver::click(editor, "pushButton_ok");
}

} // namespace

class TestLightingPages : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        clean.emplace();
        PackageCreator::instance()->loading = false;
    }
    void cleanup() { clean.reset(); }

    void userEditsReachTheRecord_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QStringList>("hidden");

        // Logo: mode, brightness, duration, colour 1, colour 2.
        QTest::newRow("logo fixed colour")
            << make<LightingLogo>() << Steps{pick("modeCombo", "Fixed Colour")} << OutputType::Led
            << hex("016401f4007fff000000") << Shown{} << QStringList{};
        QTest::newRow("logo hue rotation")
            << make<LightingLogo>() << Steps{pick("modeCombo", "Hue Rotation")} << OutputType::Led
            << hex("026401f4000000000000") << Shown{} << QStringList{"colorButton"};
        QTest::newRow("logo off again") << make<LightingLogo>()
                                        << Steps{pick("modeCombo", "Fixed Colour"), pick("modeCombo", "Off")}
                                        << OutputType::Led << hex("006401f4007fff000000") << Shown{}
                                        << QStringList{"colorButton"};

        // OLED: content, duration, option, message.
        const QStringList flashOnly{"durationSpin", "waitCombo"};
        QTest::newRow("flash current profile 2.5 s, wait")
            << make<LightingOled>()
            << Steps{pick("actionCombo", "Flash"), pick("contentCombo", "Current Profile"), type("durationSpin", "2.5"),
                     pick("waitCombo", "Wait...")}
            << OutputType::OledFlash << hex("0300fa01") << Shown{{"durationSpin", "2.50 s"}} << QStringList{"textEdit"};
        QTest::newRow("flash 12 s") << make<LightingOled>()
                                    << Steps{pick("actionCombo", "Flash"), type("durationSpin", "12")}
                                    << OutputType::OledFlash << hex("0003e800") << Shown{{"durationSpin", "10.00 s"}}
                                    << QStringList{};
        QTest::newRow("flash 0.29 s") << make<LightingOled>()
                                      << Steps{pick("actionCombo", "Flash"), type("durationSpin", "0.29")}
                                      << OutputType::OledFlash << hex("00001d00") << Shown{} << QStringList{};
        QTest::newRow("message of 20 characters")
            << make<LightingOled>() << Steps{type("textEdit", "abcdefghijklmnopqrst")} << OutputType::OledShow
            << hex("01009600") + "abcdefghijklmnopqr" << Shown{{"textEdit", "abcdefghijklmnopqr"}} << flashOnly;
        QTest::newRow("message in Latin-1")
            << make<LightingOled>() << Steps{type("textEdit", "caf\u00e9")} << OutputType::OledShow
            << hex("01009600") + "caf\xe9" << Shown{} << flashOnly;
        QTest::newRow("firmware version")
            << make<LightingOled>() << Steps{pick("contentCombo", "Firmware Version")} << OutputType::OledShow
            << hex("07009600") << Shown{} << (flashOnly + QStringList{"textEdit"});
        QTest::newRow("blank keeps no message")
            << make<LightingOled>() << Steps{type("textEdit", "hi"), pick("contentCombo", "Blank")}
            << OutputType::OledShow << hex("00009600") + "hi" << Shown{} << QStringList{"textEdit"};
        QTest::newRow("show previous") << make<LightingOled>()
                                       << Steps{pick("actionCombo", "Flash"), pick("actionCombo", "Show Previous")}
                                       << OutputType::OledPrevious << hex("00009600") << Shown{}
                                       << QStringList{"contentCombo", "durationSpin", "textEdit", "waitCombo"};
    }
    void userEditsReachTheRecord()
    {
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        QFETCH(int, typeCode);
        QFETCH(QByteArray, bytes);
        QFETCH(Shown, shown);
        QFETCH(QStringList, hidden);
        PageChecks::editsReachTheRecord(makePage, steps, {typeCode, bytes, shown, hidden});
    }

    void freshPagesHoldStartRecords()
    {
        for (const bool loading : {false, true}) {
            PackageCreator::instance()->loading = loading;
            LightingLogo logo;
            QCOMPARE(logo.config()->typeCode, OutputType::Led);
            QCOMPARE(pageFieldBytes(logo.config()).toHex(' '), QByteArray("00 64 01 f4 00 00 00 00 00 00"));
            QVERIFY(WidgetDriver::child(&logo, "colorButton")->isHidden());
            QVERIFY(!logo.hasExtraRow());
            QVERIFY(!logo.extraRowWidget());

            PageHost host(new LightingOled);
            QCOMPARE(host.page->config()->typeCode, OutputType::OledShow);
            QCOMPARE(pageFieldBytes(host.page->config()).toHex(' '), QByteArray("00 00 96 00"));
            QCOMPARE(PageDriver::shownText(&host.window, "contentCombo"), QStringLiteral("Custom Message"));
            QVERIFY(!WidgetDriver::child(&host.window, "textEdit")->isHidden());
            QVERIFY(WidgetDriver::child(&host.window, "durationSpin")->isHidden());
            QVERIFY(host.page->hasExtraRow());
        }
    }

    void pickedColourReachesRecordAndButton()
    {
        PageHost host(new LightingLogo);
        QVERIFY(host.show());
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Fixed Colour"));
        auto *button = WidgetDriver::child<QPushButton>(host.page, "colorButton");
        QVERIFY(button->isVisible());
        QCOMPARE(button->styleSheet(), buttonStyle("#007FFF"));
        QCOMPARE(button->size(), QSize(30, 30));

        QVERIFY(chooseColour(host.page, Qt::red));
        QCOMPARE(pageFieldBytes(host.page->config()).toHex(' '), QByteArray("01 64 01 f4 ff 00 00 00 00 00"));
        QCOMPARE(button->styleSheet(), buttonStyle("#ff0000"));
        ColorEditor *editor = openColourEditor();
        QVERIFY(!editor);

        // Hue rotation hides the button and keeps the colour; fixed colour
        // again shows it.
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Hue Rotation"));
        QVERIFY(button->isHidden());
        QCOMPARE(pageFieldBytes(host.page->config()).toHex(' '), QByteArray("02 64 01 f4 ff 00 00 00 00 00"));
        QVERIFY(PageDriver::pickItem(host.page, "modeCombo", "Fixed Colour"));
        QCOMPARE(pageFieldBytes(host.page->config()).toHex(' '), QByteArray("01 64 01 f4 ff 00 00 00 00 00"));
    }

    void colourEditorOpensWithTheStoredColour()
    {
        PageHost host(new LightingLogo);
        QVERIFY(host.show());
        const OutputPtr record = led(1, QColor(0x12, 0x34, 0x56));
        host.page->load(record);
        QVERIFY(WidgetDriver::click(host.page, "colorButton"));
        ColorEditor *editor = openColourEditor();
        QVERIFY(editor);
        QCOMPARE(editor->color(), QColor(0x12, 0x34, 0x56));
        QCOMPARE(editor->findChild<QPushButton *>("pushButton_ok")->property("m").toString(), QStringLiteral("pelkin"));
        QVERIFY(WidgetDriver::click(editor, "pushButton_cancel"));
        QVERIFY(!openColourEditor());
        QCOMPARE(pageFieldBytes(record).toHex(' '), QByteArray("01 64 01 f4 12 34 56 00 00 00"));
    }

    void logoLoads_data()
    {
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("style");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("fixed colour") << led(1, QColor(0x12, 0x34, 0xab)) << "Fixed Colour" << buttonStyle("#1234ab")
                                      << Steps{} << hex("016401f41234ab000000");
        // The colour survives a switch away and back.
        QTest::newRow("fixed colour, off and back")
            << led(1, QColor(0, 255, 0)) << "Fixed Colour" << buttonStyle("#00ff00")
            << Steps{pick("modeCombo", "Off"), pick("modeCombo", "Fixed Colour")} << hex("016401f400ff00000000");
        QTest::newRow("hue rotation") << led(2, Qt::black) << "Hue Rotation" << QString() << Steps{}
                                      << hex("026401f4000000000000");
    }
    void logoLoads()
    {
        QFETCH(OutputPtr, record);
        QFETCH(QString, mode);
        QFETCH(QString, style);
        QFETCH(Steps, steps);
        QFETCH(QByteArray, bytes);
        PageHost host(new LightingLogo);
        QVERIFY(host.show());
        SignalLog log(host.page);
        host.page->load(record);
        QCOMPARE(log.events, QStringList());
        QCOMPARE(PageDriver::shownText(host.page, "modeCombo"), mode);
        auto *button = WidgetDriver::child<QPushButton>(host.page, "colorButton");
        QCOMPARE(button->isHidden(), style.isEmpty());
        if (!style.isEmpty())
            QCOMPARE(button->styleSheet(), style);
        QVERIFY(performAll(host.page, steps));
        QCOMPARE(pageFieldBytes(record).toHex(' '), bytes.toHex(' '));
    }

    void oledLoads_data()
    {
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("message") << oled(OutputType::OledShow, 1, 150, 0, "Hello")
                                 << Shown{{"contentCombo", "Custom Message"}, {"textEdit", "Hello"}}
                                 << QStringList{"durationSpin"} << hex("01009600") + "Hello";
        QTest::newRow("message in Latin-1")
            << oled(OutputType::OledShow, 1, 150, 0, "caf\xe9") << Shown{{"textEdit", "caf\u00e9"}} << QStringList{}
            << hex("01009600") + "caf\xe9";
        // A message without text is the blank screen, and is stored so.
        QTest::newRow("empty message") << oled(OutputType::OledShow, 1, 150, 0) << Shown{{"contentCombo", "Blank"}}
                                       << QStringList{"textEdit"} << hex("00009600");
        QTest::newRow("flash profile 2.5 s, wait") << oled(OutputType::OledFlash, 3, 250, 1)
                                                   << Shown{{"actionCombo", "Flash"},
                                                            {"contentCombo", "Current Profile"},
                                                            {"durationSpin", "2.50 s"},
                                                            {"waitCombo", "Wait..."}}
                                                   << QStringList{"textEdit"} << hex("0300fa01");
        QTest::newRow("flash 0.29 s stays 29")
            << oled(OutputType::OledFlash, 2, 29, 0)
            << Shown{{"durationSpin", "0.29 s"}, {"contentCombo", "Current Dpi"}} << QStringList{} << hex("02001d00");
        QTest::newRow("show previous") << oled(OutputType::OledPrevious, 0, 0, 0)
                                       << Shown{{"actionCombo", "Show Previous"}}
                                       << QStringList{"contentCombo", "durationSpin", "textEdit", "waitCombo"}
                                       << hex("00000000");
        QTest::newRow("content the page lacks") << oled(OutputType::OledShow, 9, 150, 0) << Shown{{"contentCombo", ""}}
                                                << QStringList{"textEdit"} << hex("09009600");
    }
    // The load ends with a save, which leaves the record as it was but for
    // the blank message.
    void oledLoads()
    {
        QFETCH(OutputPtr, record);
        QFETCH(Shown, shown);
        QFETCH(QStringList, hidden);
        QFETCH(QByteArray, bytes);
        PageHost host(new LightingOled);
        QVERIFY(host.show());
        const int typeCode = record->typeCode;
        SignalLog log(host.page);
        host.page->load(record);
        QCOMPARE(log.events, QStringList{"updated"});
        QCOMPARE(host.page->config(), record);
        QCOMPARE(record->typeCode, typeCode);
        QCOMPARE(pageFieldBytes(record).toHex(' '), bytes.toHex(' '));
        for (const auto &expected : shown)
            QCOMPARE(PageDriver::shownText(&host.window, expected.first), expected.second);
        for (const QString &name : hidden)
            QVERIFY2(WidgetDriver::child(&host.window, name)->isHidden(), qPrintable(name));
    }

    // An emptied message is the blank screen, and loads back as "Blank".
    void emptiedMessageLoadsAsBlank()
    {
        PageHost host(new LightingOled);
        QVERIFY(host.show());
        QVERIFY(PageDriver::typeAndFinish(&host.window, "textEdit", "hi"));
        auto *edit = WidgetDriver::child<QLineEdit>(&host.window, "textEdit");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        const OutputPtr record = host.page->config();
        QCOMPARE(pageFieldBytes(record).toHex(' '), QByteArray("00 00 96 00"));

        PageHost again(new LightingOled);
        QVERIFY(again.show());
        again.page->load(record->clone());
        QCOMPARE(PageDriver::shownText(&again.window, "contentCombo"), QStringLiteral("Blank"));
        QVERIFY(WidgetDriver::child(&again.window, "textEdit")->isHidden());
    }

    void oledSecondLineFollowsTheAction_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<bool>("extraRow");
        QTest::newRow("show a message") << Steps{} << true;
        QTest::newRow("show the DPI") << Steps{pick("contentCombo", "Current Dpi")} << false;
        QTest::newRow("flash the DPI") << Steps{pick("contentCombo", "Current Dpi"), pick("actionCombo", "Flash")}
                                       << true;
        QTest::newRow("show previous") << Steps{pick("actionCombo", "Show Previous")} << false;
    }
    void oledSecondLineFollowsTheAction()
    {
        QFETCH(Steps, steps);
        QFETCH(bool, extraRow);
        PageHost host(new LightingOled);
        QVERIFY(host.show());
        QVERIFY(performAll(&host.window, steps));
        QCOMPARE(host.page->hasExtraRow(), extraRow);
        QVERIFY(!host.page->isAdvanced());
        QCOMPARE(host.page->extraRowWidget()->parentWidget(), &host.window);
    }

    void loadingFlagKeepsLoadedRecords_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<OutputPtr>("record");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("logo") << make<LightingLogo>() << led(1, Qt::blue) << Steps{pick("modeCombo", "Hue Rotation")};
        QTest::newRow("OLED") << make<LightingOled>() << oled(OutputType::OledFlash, 3, 250, 1)
                              << Steps{pick("actionCombo", "Show"), pick("contentCombo", "Custom Message"),
                                       type("textEdit", "x")};
    }
    void loadingFlagKeepsLoadedRecords()
    {
        QFETCH(MakePage, makePage);
        QFETCH(OutputPtr, record);
        QFETCH(Steps, steps);
        PageChecks::loadingFlagKeepsTheRecord(makePage, record, steps);
    }

    void pagesLookRight_data()
    {
        QTest::addColumn<MakePage>("makePage");
        QTest::addColumn<Steps>("steps");
        QTest::newRow("logo-fixed") << make<LightingLogo>() << Steps{pick("modeCombo", "Fixed Colour")};
        QTest::newRow("oled-message") << make<LightingOled>() << Steps{type("textEdit", "Hello")};
        QTest::newRow("oled-flash") << make<LightingOled>()
                                    << Steps{pick("actionCombo", "Flash"), pick("contentCombo", "Current Profile")};
    }
    void pagesLookRight()
    {
        QFETCH(MakePage, makePage);
        QFETCH(Steps, steps);
        PageChecks::grabPage(makePage, steps);
    }
};

QTEST_MAIN(TestLightingPages)
#include "tst_lightingpages.moc"
