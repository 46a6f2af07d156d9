// The Options menu: which row reports which item, the tilt row that only the
// models with tilt may use, the rows of each layout mode, and the firmware
// check switch with the setting it writes.
#include "MainMenu.h"
#include "MouseFunctions.h"
#include "ProcessStateGuard.h"
#include "SettingsFile.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QSettings>
#include <QSlider>
#include <QtTest>

#include <optional>

namespace {

QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

// The last connected model as the device object reads it when made.
void setLastModel(int model)
{
    settings().setValue("LastMouseConnected", model);
    MouseFunctions::destroyInstance();
}

void clickRow(MainMenu &menu, const QString &row)
{
    auto *label = WidgetDriver::child<QLabel>(&menu, row);
    QVERIFY2(label && label->isVisible(), qPrintable(row));
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
}

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;

private slots:
    void init() { clean.emplace(); }
    void cleanup() { clean.reset(); }

    void rowsReportTheirItem_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("item");
        const char *rows[] = {"label_Options",         "label_SaveToMouseFlash",      "label_ExportToFile",
                              "label_ImportFromFile",  "label_ClearAndResetSettings", "label_CalibrateAngles",
                              "label_CalibrateForces", "label_CheckForUpdates",       "label_ViewVideos",
                              "label_WhatsNew",        "label_UploadFirmware",        "label_AutoCheckFirmware"};
        for (int item = 0; item < 12; ++item)
            QTest::newRow(rows[item]) << QString(rows[item]) << item;
    }

    void rowsReportTheirItem()
    {
        QFETCH(QString, row);
        QFETCH(int, item);
        setLastModel(30);
        MainMenu menu(nullptr);
        menu.setLayoutMode(1);
        menu.showAt(QPoint(40, 30));
        QVERIFY(menu.isVisible());
        QSignalSpy selected(&menu, &MainMenu::itemSelected);
        clickRow(menu, row);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.first().at(0).toInt(), item);
        QVERIFY(!menu.isVisible());
    }

    void exportRowHidesTheMenu()
    {
        MainMenu menu(nullptr);
        menu.showAt(QPoint(10, 10));
        QCOMPARE(menu.pos(), QPoint(10, 10));
        QCOMPARE(WidgetDriver::child<QLabel>(&menu, "label_ExportToFile")->text(),
                 QString("Export Profiles to a File"));
        QSignalSpy selected(&menu, &MainMenu::itemSelected);
        clickRow(menu, "label_ExportToFile");
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.first().at(0).toInt(), 2);
        QVERIFY(!menu.isVisible());
    }

    void aPressDraggedOffARowSelectsNothing()
    {
        MainMenu menu(nullptr);
        menu.showAt(QPoint(10, 10));
        QSignalSpy selected(&menu, &MainMenu::itemSelected);
        auto *row = WidgetDriver::child<QLabel>(&menu, "label_ExportToFile");
        QTest::mousePress(row, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
        QTest::mouseRelease(row, Qt::LeftButton, Qt::NoModifier, QPoint(20, 45));
        QCOMPARE(selected.count(), 0);
        QVERIFY(menu.isVisible());
    }

    void tiltRowOnlyForModelsWithTilt_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("no mouse yet") << 0 << false;
        QTest::newRow("model 5") << 5 << true;
        QTest::newRow("model 10") << 10 << false;
        QTest::newRow("model 20") << 20 << false;
        QTest::newRow("model 30") << 30 << true;
    }

    void tiltRowOnlyForModelsWithTilt()
    {
        QFETCH(int, model);
        QFETCH(bool, enabled);
        setLastModel(model);
        MainMenu menu(nullptr);
        menu.showAt(QPoint(10, 10));
        auto *tilt = WidgetDriver::child<QLabel>(&menu, "label_CalibrateAngles");
        QCOMPARE(tilt->isEnabled(), enabled);
        QSignalSpy selected(&menu, &MainMenu::itemSelected);
        QTest::mouseClick(tilt, Qt::LeftButton, Qt::NoModifier, tilt->rect().center());
        QCOMPARE(selected.count(), enabled ? 1 : 0);
        QCOMPARE(menu.isVisible(), !enabled);
    }

    void layoutModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("upload");
        QTest::addColumn<bool>("firmwareCheck");
        QTest::newRow("all rows") << 1 << 360 << true << true;
        QTest::newRow("without upload") << 2 << 330 << false << true;
        QTest::newRow("ends after the news") << 0 << 300 << false << false;
        QTest::newRow("unknown mode") << 5 << 300 << false << false;
    }

    void layoutModes()
    {
        QFETCH(int, mode);
        QFETCH(int, height);
        QFETCH(bool, upload);
        QFETCH(bool, firmwareCheck);
        MainMenu menu(nullptr);
        menu.setLayoutMode(1);
        menu.setLayoutMode(mode);
        menu.showAt(QPoint(0, 0));
        QCOMPARE(menu.height(), height);
        QCOMPARE(menu.minimumHeight(), height);
        QCOMPARE(menu.maximumHeight(), height);
        QVERIFY(WidgetDriver::child(&menu, "label_WhatsNew")->isVisible());
        QCOMPARE(WidgetDriver::child(&menu, "line_endOfNewsBlock")->isVisible(), firmwareCheck);
        QCOMPARE(WidgetDriver::child(&menu, "label_UploadFirmware")->isVisible(), upload);
        QCOMPARE(WidgetDriver::child(&menu, "label_AutoCheckFirmware")->isVisible(), firmwareCheck);
        QCOMPARE(WidgetDriver::child(&menu, "horizontalSlider_fw")->isVisible(), firmwareCheck);
        if (mode == 1)
            QVERIFY(!WidgetDriver::grabToPng(&menu, "options-menu").isEmpty());
    }

    void switchStartsAtTheDeviceFlag_data()
    {
        QTest::addColumn<bool>("checkEnabled");
        QTest::newRow("check on") << true;
        QTest::newRow("check off") << false;
    }

    void switchStartsAtTheDeviceFlag()
    {
        QFETCH(bool, checkEnabled);
        MouseFunctions::instance()->setFirmwareCheckEnabled(checkEnabled);
        MainMenu menu(nullptr);
        auto *toggle = WidgetDriver::child<QSlider>(&menu, "horizontalSlider_fw");
        QCOMPARE(toggle->value(), checkEnabled ? 1 : 0);
        QVERIFY(toggle->styleSheet().contains(checkEnabled ? "#5aad35" : "#ff5959"));
        QVERIFY(!settings().contains("AllowAnyFirmware")); // nothing written for the start
    }

    void switchTurnsTheFirmwareCheckOffAndOn()
    {
        MainMenu menu(nullptr);
        menu.setLayoutMode(1);
        menu.showAt(QPoint(10, 10));
        QSignalSpy recheck(&menu, &MainMenu::recheckConnection);
        QSignalSpy selected(&menu, &MainMenu::itemSelected);
        auto *toggle = WidgetDriver::child<QSlider>(&menu, "horizontalSlider_fw");
        QCOMPARE(toggle->value(), 1);

        QTest::mouseClick(toggle, Qt::LeftButton, Qt::NoModifier, QPoint(4, toggle->height() / 2));
        QCOMPARE(toggle->value(), 0);
        QCOMPARE(settings().value("AllowAnyFirmware").toBool(), true);
        QVERIFY(!MouseFunctions::instance()->firmwareCheckEnabled());
        QCOMPARE(recheck.count(), 1);
        QCOMPARE(recheck.last().at(0).toInt(), 0);
        QVERIFY(toggle->styleSheet().contains("#ff5959"));
        QVERIFY(menu.isVisible());
        QCOMPARE(selected.count(), 0);

        QTest::mouseClick(toggle, Qt::LeftButton, Qt::NoModifier, QPoint(toggle->width() - 4, toggle->height() / 2));
        QCOMPARE(toggle->value(), 1);
        QCOMPARE(settings().value("AllowAnyFirmware").toBool(), false);
        QVERIFY(MouseFunctions::instance()->firmwareCheckEnabled());
        QCOMPARE(recheck.count(), 2);
        QCOMPARE(recheck.last().at(0).toInt(), 1);
        QVERIFY(menu.isVisible());
    }

    void updateCheckTurnsTheSwitchWithoutARecheck()
    {
        // The software update calls the slot directly; the switch follows
        // without reporting a change of its own.
        MainMenu menu(nullptr);
        QSignalSpy recheck(&menu, &MainMenu::recheckConnection);
        menu.toggleFWCheck(0);
        QCOMPARE(WidgetDriver::child<QSlider>(&menu, "horizontalSlider_fw")->value(), 0);
        QVERIFY(!MouseFunctions::instance()->firmwareCheckEnabled());
        QCOMPARE(settings().value("AllowAnyFirmware").toBool(), true);
        QCOMPARE(recheck.count(), 0);
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
