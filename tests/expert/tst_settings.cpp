// The profile settings page against the store and the simulated mouse,
// driven as a user would: combos picked in their pop-ups, text typed, the
// colour chosen in the colour editor, the remove question answered. Which
// rows the connected model shows, what each save writes, the defaults, what
// a load shows, and that a connecting mouse leaves every profile's settings
// as they were.

#include "AppFont.h"
#include "AppStyleSheet.h"
#include "ColorEditor.h"
#include "ComboBox.h"
#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "ModelSnapshot.h"
#include "MouseFunctions.h"
#include "OutputAction.h"
#include "OutputActions.h"
#include "ProcessStateGuard.h"
#include "Settings.h"
#include "SettingsTestKit.h"
#include "SimulatedMouse.h"

#include <QApplication>
#include <QFrame>
#include <QHoverEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include <optional>

using namespace SettingsTestKit;

namespace {

QByteArray bytes(const quint8 *data, int count)
{
    return QByteArray(reinterpret_cast<const char *>(data), count);
}

ColorEditor *openColorEditor()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *editor = window->findChild<ColorEditor *>(); editor && window->isVisible())
            return editor;
    }
    return nullptr;
}

} // namespace

class tst_Settings : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> mouse;
    std::unique_ptr<Host> host;
    Settings *page = nullptr;
    ProfileData *profile = nullptr;

    static PackageCreator *model() { return PackageCreator::instance(); }

    // The page as the profile widget makes it: defaults, then shown.
    void makePage(const QSize &size = QSize(1000, 760))
    {
        page = new Settings;
        page->resetToDefaults();
        page->setRemoveHidden(false);
        host = std::make_unique<Host>(page, size, true);
        page->showPage();
        QVERIFY(host->show());
    }
    // The mouse unplugged and plugged in again as model pid with the usual
    // sensor. The device object stays: the pages hold it.
    void replug(int pid)
    {
        QSignalSpy connects(mouse->device(), &MouseFunctions::mouseConnect);
        mouse->mouse()->unplug();
        QTRY_COMPARE(connects.count(), 1);
        mouse->mouse()->setProductId(pid);
        mouse->mouse()->setSensorId(0);
        mouse->mouse()->setDpiStep(0);
        mouse->mouse()->plugIn();
        QTRY_COMPARE(connects.count(), 2);
        QVERIFY(connects.at(1).at(0).toBool());
        QTRY_COMPARE(mouse->mouse()->pendingReports(), 0);
        QCOMPARE(mouse->device()->mousePID(), pid);
    }
    bool rowShown(const char *frame) const { return WidgetDriver::child(page, frame)->isVisible(); }
    QString shown(const char *name) const { return PageDriver::shownText(page, name); }

private slots:
    void initTestCase() { QApplication::setFont(appFont()); }
    void init()
    {
        clean.emplace();
        profile = ownProfile(1, "Work");
        model()->loading = false;
    }
    void cleanup()
    {
        host.reset();
        page = nullptr;
        mouse.reset();
        qApp->setStyleSheet(QString());
        clean.reset();
    }

    // ------------------------------------------------------------ the rows

    // The rows follow the connected model; every save writes all seven
    // records, the hidden rows' too, with the values they were given.
    void rowsFollowTheModel_data()
    {
        QTest::addColumn<int>("pid");
        QTest::addColumn<bool>("backlight");
        QTest::addColumn<bool>("oled");
        QTest::addColumn<bool>("tilt");
        QTest::newRow("V") << 5 << true << true << true;
        QTest::newRow("Pelkin") << 20 << true << false << false;
        QTest::newRow("tamsel") << 10 << false << false << false;
    }
    void rowsFollowTheModel()
    {
        QFETCH(int, pid);
        QFETCH(bool, backlight);
        QFETCH(bool, oled);
        QFETCH(bool, tilt);
        mouse = std::make_unique<ConnectedMouse>(pid);
        mouse->connect();
        // The page in the expert view's look.
        qApp->setStyleSheet(AppStyleSheet::joined().replace(QLatin1String("ExpertView"), QLatin1String("#expertHost")));
        makePage();
        QCOMPARE(rowShown("frame_line_logo_backlight"), backlight);
        QCOMPARE(rowShown("widget_logo_backlight"), backlight);
        QCOMPARE(rowShown("frame_line_oled"), oled);
        QCOMPARE(rowShown("frame_line_zero_tilt"), tilt);
        QCOMPARE(rowShown("widget_auto_zero_tilt"), tilt);
        for (const char *always : {"frame_line_max_polling_rate", "frame_line_lift_off", "frame_line_controller_type",
                                   "frame_line_auto_release", "DPILevels"})
            QVERIFY2(rowShown(always), always);
        QCOMPARE(WidgetDriver::child(page, "label_auto_release")->toolTip(),
                 QString("Automatically release outputs that are left in a \"Press\" state when no buttons are "
                         "held down."));

        if (backlight)
            QVERIFY(PageDriver::pickItem(page, "comboBox_logo_backlight", "Fixed Color"));
        if (oled) {
            QVERIFY(PageDriver::pickItem(page, "comboBox_oled", "Custom Message"));
            QVERIFY(PageDriver::typeAndFinish(page, "lineEdit_oled_message", "Hello"));
        }
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        QVERIFY(PageDriver::pickItem(page, "comboBox_max_polling_rate", "500Hz"));
        QCOMPARE(changed.count(), 7);
        QCOMPARE(profile->reportIntervalRecord.reportInterval, 2);
        QCOMPARE(profile->liftOffRecord.liftOffLevel, 2);
        QCOMPARE(profile->gameDeviceRecord.gameDevice, 1);
        QCOMPARE(profile->ledRecord.ledMode, backlight ? 1 : 2);
        QCOMPARE(profile->oledRecord.oledMode, oled ? 1 : 6);
        QCOMPARE(profile->tiltAutoZeroingRecord.tiltAutoZeroing, 1);
        QCOMPARE(profile->autoReleaseRecord.autoRelease, 1);
        if (pid != 10) {
            // The top of the page, once the list has scrolled to its new row.
            QTest::qWait(150);
            WidgetDriver::child<QScrollArea>(page, "scrollArea")->verticalScrollBar()->setValue(0);
            QVERIFY(!WidgetDriver::grabToPng(&host->window, QStringLiteral("settings-page-pid-%1").arg(pid)).isEmpty());
        }

        // A model connected later changes the rows at the next showing.
        replug(pid == 5 ? 10 : 5);
        QCOMPARE(rowShown("frame_line_oled"), oled);
        page->showPage();
        QCOMPARE(rowShown("frame_line_oled"), pid != 5);
    }

    void popupOffersTheTable()
    {
        mouse = std::make_unique<ConnectedMouse>(5);
        mouse->connect();
        makePage();
        auto *combo = WidgetDriver::child<ComboBox>(page, "comboBox_max_polling_rate");
        QCOMPARE(PageDriver::popupTexts(combo), (QStringList{"1000Hz", "500Hz", "250Hz", "125Hz"}));
        QCOMPARE(PageDriver::popupTexts(WidgetDriver::child<ComboBox>(page, "comboBox_oled")),
                 (QStringList{"Custom Message", "Current Dpi", "Current Profile", "Force Press Forces", "Tilt Angles",
                              "Animated Cube", "Firmware Version", "Blank"}));
        QVERIFY(PageDriver::pickItem(page, "comboBox_max_polling_rate", "125Hz"));
        QCOMPARE(profile->reportIntervalRecord.reportInterval, 8);
        QVERIFY(PageDriver::pickItem(page, "comboBox_lift_off", "Maximum"));
        QCOMPARE(profile->liftOffRecord.liftOffLevel, 3);
        QVERIFY(PageDriver::pickItem(page, "comboBox_game_controller", "Disabled"));
        QCOMPARE(profile->gameDeviceRecord.gameDevice, 0);
        QVERIFY(PageDriver::pickItem(page, "comboBox_auto_release", "Disabled"));
        QCOMPARE(profile->autoReleaseRecord.autoRelease, 0);
    }

    void resetWritesThePageDefaults()
    {
        makePage();
        profile->dpiRecord = dpiRecord(2, 1, 0, {800, 1600});
        profile->reportIntervalRecord.reportInterval = 8;
        profile->liftOffRecord.liftOffLevel = 3;
        profile->gameDeviceRecord.gameDevice = 0;
        profile->ledRecord.ledMode = 0;
        profile->oledRecord.oledMode = 2;
        profile->tiltAutoZeroingRecord.tiltAutoZeroing = 0;
        profile->autoReleaseRecord.autoRelease = 0;
        page->resetToDefaults();
        QVERIFY(profile->dpiRecord.equals(dpiRecord(1, 0, 0, {1500})));
        QCOMPARE(profile->reportIntervalRecord.reportInterval, 1);
        QCOMPARE(profile->liftOffRecord.liftOffLevel, 2);
        QCOMPARE(profile->gameDeviceRecord.gameDevice, 1);
        QCOMPARE(profile->ledRecord.ledMode, 2);
        QCOMPARE(profile->oledRecord.oledMode, 6);
        QCOMPARE(profile->tiltAutoZeroingRecord.tiltAutoZeroing, 1);
        QCOMPARE(profile->autoReleaseRecord.autoRelease, 1);
        QVERIFY(profile->profileOutputs.isEmpty());

        // While the model loads they stay on the page.
        profile->reportIntervalRecord.reportInterval = 8;
        model()->loading = true;
        page->resetToDefaults();
        QCOMPARE(profile->reportIntervalRecord.reportInterval, 8);
    }

    // ------------------------------------------------------------ loading

    void loadShowsTheRecords_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("text");
        QTest::newRow("polling 8") << 104 << 8 << QByteArray() << "comboBox_max_polling_rate"
                                   << "125Hz";
        QTest::newRow("polling 3 leaves the combo") << 104 << 3 << QByteArray() << "comboBox_max_polling_rate"
                                                    << "1000Hz";
        QTest::newRow("lift-off 2") << 93 << 2 << QByteArray() << "comboBox_lift_off"
                                    << "Minimum";
        QTest::newRow("lift-off 3") << 93 << 3 << QByteArray() << "comboBox_lift_off"
                                    << "Maximum";
        QTest::newRow("lift-off 5") << 93 << 5 << QByteArray() << "comboBox_lift_off"
                                    << "Maximum";
        QTest::newRow("joystick 0") << 102 << 0 << QByteArray() << "comboBox_game_controller"
                                    << "Disabled";
        QTest::newRow("joystick 2 leaves the combo") << 102 << 2 << QByteArray() << "comboBox_game_controller"
                                                     << "Enabled";
        QTest::newRow("tilt 0") << 116 << 0 << QByteArray() << "comboBox_auto_zero_tilt"
                                << "Disabled";
        QTest::newRow("auto-release 0") << 115 << 0 << QByteArray() << "comboBox_auto_release"
                                        << "Disabled";
        QTest::newRow("backlight off") << 95 << 0 << QByteArray() << "comboBox_logo_backlight"
                                       << "Off";
        QTest::newRow("backlight 7 leaves the combo") << 95 << 7 << QByteArray() << "comboBox_logo_backlight"
                                                      << "Hue Rotation";
        QTest::newRow("OLED blank") << 97 << 0 << QByteArray() << "comboBox_oled"
                                    << "Blank";
        QTest::newRow("OLED message without text") << 97 << 1 << QByteArray() << "comboBox_oled"
                                                   << "Blank";
        QTest::newRow("OLED firmware") << 97 << 7 << QByteArray() << "comboBox_oled"
                                       << "Firmware Version";
        QTest::newRow("OLED message") << 97 << 1 << QByteArray("\xE9t\xE9") << "lineEdit_oled_message"
                                      << "été";
        QTest::newRow("OLED kind 9 leaves the combo") << 97 << 9 << QByteArray() << "comboBox_oled"
                                                      << "Animated Cube";
    }
    void loadShowsTheRecords()
    {
        QFETCH(int, tag);
        QFETCH(int, value);
        QFETCH(QByteArray, message);
        QFETCH(QString, combo);
        QFETCH(QString, text);
        mouse = std::make_unique<ConnectedMouse>(5);
        mouse->connect();
        makePage();
        switch (tag) {
        case 104:
            profile->reportIntervalRecord.reportInterval = value;
            break;
        case 93:
            profile->liftOffRecord.liftOffLevel = value;
            break;
        case 102:
            profile->gameDeviceRecord.gameDevice = value;
            break;
        case 116:
            profile->tiltAutoZeroingRecord.tiltAutoZeroing = value;
            break;
        case 115:
            profile->autoReleaseRecord.autoRelease = value;
            break;
        case 95:
            profile->ledRecord.ledMode = value;
            break;
        case 97:
            profile->oledRecord.oledMode = value;
            profile->oledRecord.message = message;
            break;
        }
        const ModelSnapshot before = ModelSnapshot::take();
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        page->load();
        QCOMPARE(shown(combo.toLatin1()), text);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());
        if (!message.isEmpty()) {
            QCOMPARE(shown("comboBox_oled"), QString("Custom Message"));
            QVERIFY(WidgetDriver::child(page, "lineEdit_oled_message")->isVisible());
        }
    }

    // A stored fixed colour paints the button and stays in the editor.
    void loadShowsTheFixedColour()
    {
        mouse = std::make_unique<ConnectedMouse>(20);
        mouse->connect();
        makePage();
        profile->ledRecord.ledMode = 1;
        profile->ledRecord.colour1[0] = 0x12;
        profile->ledRecord.colour1[1] = 0x34;
        profile->ledRecord.colour1[2] = 0x56;
        page->load();
        QCOMPARE(shown("comboBox_logo_backlight"), QString("Fixed Color"));
        QWidget *button = WidgetDriver::child(page, "pushButton_color");
        QVERIFY(button->isVisible());
        QVERIFY(button->styleSheet().contains("background-color: #123456;"));
        QVERIFY(PageDriver::pickItem(page, "comboBox_max_polling_rate", "250Hz"));
        QCOMPARE(bytes(profile->ledRecord.colour1, 3), QByteArray("\x12\x34\x56"));
    }

    // "Custom Message" without text is stored as blank and comes back so;
    // the message takes 18 characters, stored in Latin-1.
    void customMessage()
    {
        mouse = std::make_unique<ConnectedMouse>(5);
        mouse->connect();
        makePage();
        QVERIFY(!WidgetDriver::child(page, "lineEdit_oled_message")->isVisible());
        QVERIFY(PageDriver::pickItem(page, "comboBox_oled", "Custom Message"));
        QVERIFY(WidgetDriver::child(page, "label_oled_text")->isVisible());
        QVERIFY(PageDriver::typeAndFinish(page, "lineEdit_oled_message", ""));
        QCOMPARE(profile->oledRecord.oledMode, 0);
        QVERIFY(profile->oledRecord.message.isEmpty());
        page->load();
        QCOMPARE(shown("comboBox_oled"), QString("Blank"));

        QVERIFY(PageDriver::pickItem(page, "comboBox_oled", "Custom Message"));
        QVERIFY(PageDriver::typeAndFinish(page, "lineEdit_oled_message", "é"));
        QCOMPARE(profile->oledRecord.oledMode, 1);
        QCOMPARE(profile->oledRecord.message, QByteArray("\xE9"));
        QVERIFY(PageDriver::typeAndFinish(page, "lineEdit_oled_message", "abcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(profile->oledRecord.message, QByteArray("abcdefghijklmnopqr"));

        QVERIFY(PageDriver::pickItem(page, "comboBox_oled", "Tilt Angles"));
        QCOMPARE(profile->oledRecord.oledMode, 5);
        QVERIFY(profile->oledRecord.message.isEmpty());
    }

    // The colour chosen in the editor paints the button at once and is
    // stored with "Fixed Color"; the other modes store black.
    void fixedColour()
    {
        mouse = std::make_unique<ConnectedMouse>(20);
        mouse->connect();
        makePage();
        QVERIFY(!WidgetDriver::child(page, "pushButton_color")->isVisible());
        QVERIFY(PageDriver::pickItem(page, "comboBox_logo_backlight", "Fixed Color"));
        QVERIFY(WidgetDriver::click(page, "pushButton_color"));
        ColorEditor *editor = openColorEditor();
        QVERIFY(editor);
        QVERIFY(WidgetDriver::typeInto(editor, "lineEdit_r", "255"));
        QVERIFY(WidgetDriver::typeInto(editor, "lineEdit_g", "128"));
        QVERIFY(WidgetDriver::typeInto(editor, "lineEdit_b", "0"));
        QVERIFY(WidgetDriver::click(editor, "pushButton_ok"));
        QVERIFY(!openColorEditor());

        QVERIFY(WidgetDriver::child(page, "pushButton_color")->styleSheet().contains("background-color: #ff8000;"));
        const LedSetRecord &led = profile->ledRecord;
        QCOMPARE(led.ledMode, 1);
        QCOMPARE(int(led.brightness), 100);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(led.ledDuration.bytes), 2), QByteArray("\x01\xF4"));
        QCOMPARE(bytes(led.colour1, 3), QByteArray("\xFF\x80\x00", 3));
        QCOMPARE(bytes(led.colour2, 3), QByteArray(3, '\0'));

        QVERIFY(PageDriver::pickItem(page, "comboBox_logo_backlight", "Hue Rotation"));
        QVERIFY(!WidgetDriver::child(page, "pushButton_color")->isVisible());
        QCOMPARE(led.ledMode, 2);
        QCOMPARE(bytes(led.colour1, 3), QByteArray(3, '\0'));
        QVERIFY(PageDriver::pickItem(page, "comboBox_logo_backlight", "Fixed Color"));
        QCOMPARE(bytes(led.colour1, 3), QByteArray("\xFF\x80\x00", 3));
    }

    // ------------------------------------------------------------ the bottom bar

    void removeSettings()
    {
        makePage();
        QVERIFY(WidgetDriver::child(page, "pushButton_remove_settings")->isVisible());
        QCOMPARE(WidgetDriver::child(page, "widget_bottom")->height(), 88);
        QVERIFY(PageDriver::pickItem(page, "comboBox_max_polling_rate", "125Hz"));
        QSignalSpy removed(page, &Settings::removed);
        const ModelSnapshot before = ModelSnapshot::take();

        DialogAnswerer no(DialogAnswerer::clickButton("pushButton_no"));
        QVERIFY(WidgetDriver::click(page, "pushButton_remove_settings"));
        QVERIFY(no.answered());
        QCOMPARE(removed.count(), 0);
        QCOMPARE(ModelSnapshot::take().differenceFrom(before), QString());

        DialogAnswerer yes(DialogAnswerer::clickButton("pushButton_yes"));
        QVERIFY(WidgetDriver::click(page, "pushButton_remove_settings"));
        QVERIFY(yes.answered());
        QCOMPARE(removed.count(), 1);
        QCOMPARE(profile->reportIntervalRecord.reportInterval, 1);
        QCOMPARE(shown("comboBox_max_polling_rate"), QString("1000Hz"));
    }

    void ownSettingsAndTheBottomBar()
    {
        page = new Settings;
        page->setRemoveHidden(true);
        host = std::make_unique<Host>(page, QSize(1000, 760));
        QVERIFY(host->show());
        QVERIFY(!WidgetDriver::child(page, "widget_remove_settings")->isVisible());
        QCOMPARE(WidgetDriver::child(page, "widget_bottom")->height(), 61);

        // A profile without settings of its own takes them on with the
        // page's defaults.
        ProfileData *sub = model()->addProfile(1, 0, "Sub");
        model()->setCurrentProfile(sub);
        sub->liftOffRecord.liftOffLevel = 3;
        page->setOwnSettings(true);
        QVERIFY(sub->hasOwnSettings());
        QCOMPARE(sub->liftOffRecord.liftOffLevel, 2);
        QVERIFY(WidgetDriver::child(page, "widget_remove_settings")->isVisible());
        QCOMPARE(WidgetDriver::child(page, "widget_bottom")->height(), 88);
        page->setOwnSettings(false);
        QVERIFY(!sub->hasOwnSettings());

        // Hovering a bottom button shows its hint.
        QWidget *add = WidgetDriver::child(page, "pushButton_add_output_action");
        QHoverEvent enter(QEvent::HoverEnter, QPointF(5, 5), QPointF(-1, -1));
        QApplication::sendEvent(add, &enter);
        QVERIFY(WidgetDriver::child(page, "label_add_output_action")->isVisible());
        QHoverEvent leave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(5, 5));
        QApplication::sendEvent(add, &leave);
        QVERIFY(!WidgetDriver::child(page, "label_add_output_action")->isVisible());
    }

    // Another output can be added once every row has one.
    void addOutputAction()
    {
        makePage();
        OutputActions *list = page->outputActions();
        QCOMPARE(list->rowCount(), 1);
        QVERIFY(!WidgetDriver::child(page, "pushButton_add_output_action")->isEnabled());
        QVERIFY(PageDriver::pickPopupRow(list->row(0), "categoryCombo", 0));
        QCOMPARE(profile->profileOutputs.size(), 1);
        QVERIFY(WidgetDriver::click(page, "pushButton_add_output_action"));
        QCOMPARE(list->rowCount(), 2);
        QVERIFY(!WidgetDriver::child(page, "pushButton_add_output_action")->isEnabled());
    }

    // A page loaded with its profile opens at its top: only a row the user
    // adds scrolls the list down to it.
    void loadKeepsThePageAtItsTop()
    {
        makePage(QSize(1000, 300));
        QScrollBar *bar = WidgetDriver::child<QScrollArea>(page, "scrollArea")->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(0);
        page->load();
        QTest::qWait(200);
        QCOMPARE(bar->value(), 0);

        QVERIFY(PageDriver::pickPopupRow(page->outputActions()->row(0), "categoryCombo", 0));
        QVERIFY(WidgetDriver::click(page, "pushButton_add_output_action"));
        QTRY_COMPARE(bar->value(), bar->maximum());
    }

    // ------------------------------------------------------------ connecting

    // Two profiles' pages, both shown once; a mouse connects. Neither
    // profile's settings change, nothing is announced, and the upload that
    // follows carries the package built before. Afterwards an edit goes
    // into the profile shown. After a fine sensor the hidden page's value is
    // snapped anew when that mouse goes and the coarser one comes: shown
    // only, never written into the current profile.
    void connectLeavesEveryProfileAsItWas_data()
    {
        QTest::addColumn<bool>("fineFirst");
        QTest::newRow("no sensor known before") << false;
        QTest::newRow("a fine sensor before") << true;
    }
    void connectLeavesEveryProfileAsItWas()
    {
        QFETCH(bool, fineFirst);
        // One device object for the whole test: the pages hold it.
        mouse = std::make_unique<ConnectedMouse>(20, 32768, fineFirst ? 1 : 0);
        if (fineFirst) {
            mouse->mouse()->setDpiStep(50);
            mouse->connect();
            QCOMPARE(mouse->device()->dpiStep(), 50);
        }
        model()->addProfile(255, 255, "Global")->setOwnSettings(true);
        ProfileData *a = profile;
        a->dpiRecord = dpiRecord(1, 0, 0, {1550});
        ProfileData *b = ownProfile(2, "Game");
        b->dpiRecord = dpiRecord(1, 0, 0, {800});

        model()->loading = true; // the profile widgets are made while the view loads
        auto pageA = std::make_unique<Settings>();
        auto pageB = std::make_unique<Settings>();
        pageA->resetToDefaults();
        pageB->resetToDefaults();
        model()->loading = false;
        model()->setCurrentProfile(a);
        pageA->showPage();
        model()->setCurrentProfile(b);
        pageB->showPage();
        QCOMPARE(PageDriver::shownText(pageA.get(), "lineEdit_dpi_one"), QString(fineFirst ? "1550" : "1500"));
        QCOMPARE(PageDriver::shownText(pageB.get(), "lineEdit_dpi_one"), QString("800"));

        const QByteArray package = model()->package();
        QSignalSpy changed(model(), &PackageCreator::updateMemoryUsed);
        if (fineFirst)
            replug(20); // the fine sensor's mouse goes, one with the usual sensor comes
        else
            mouse->connect();
        QCOMPARE(mouse->device()->dpiStep(), 100);
        QCOMPARE(PageDriver::shownText(pageA.get(), "lineEdit_dpi_one"), QString("1500"));
        QCOMPARE(PageDriver::shownText(pageB.get(), "lineEdit_dpi_one"), QString("800"));
        QCOMPARE(changed.count(), 0);
        QVERIFY(!model()->loading);
        QVERIFY(b->dpiRecord.equals(dpiRecord(1, 0, 0, {800})));
        QVERIFY(a->dpiRecord.equals(dpiRecord(1, 0, 0, {1550})));
        QCOMPARE(mouse->device()->sendProfilesToMouse(), MouseFunctions::UploadOk);
        QCOMPARE(mouse->mouse()->ramPackage(), package);

        host = std::make_unique<Host>(pageB.release(), QSize(1000, 760));
        QVERIFY(host->show());
        QVERIFY(PageDriver::typeAndFinish(host->window.findChild<Settings *>(), "lineEdit_dpi_one", "1200"));
        QVERIFY(b->dpiRecord.equals(dpiRecord(1, 0, 0, {1200})));
        QVERIFY(a->dpiRecord.equals(dpiRecord(1, 0, 0, {1550})));
    }
};

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
