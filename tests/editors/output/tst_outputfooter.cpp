// The sequence's footer and name field: recording on and off through the
// hooks of a fake desktop, the options it offers, the way back.
#include "FakeInputHookBackend.h"
#include "OutputFooter.h"
#include "OutputNamer.h"
#include "PageDriver.h"
#include "ProcessStateGuard.h"
#include "SettingsFile.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

// The application object announces the way back, as the program's does.
class BackApplication : public QApplication
{
    Q_OBJECT

public:
    using QApplication::QApplication;

signals:
    void navigateBack();
};

namespace {

const QString idleText = QString(QChar(0x25B6)) + QChar(0xFE0E) + " Record keystrokes";

bool shown(const QWidget *root, const char *name)
{
    const QWidget *w = WidgetDriver::child(root, name);
    return w && w->isVisible();
}

} // namespace

class TestOutputFooter : public QObject
{
    Q_OBJECT

    std::optional<ProcessStateGuard> clean;
    std::optional<FakeInputHookBackend::Installed> desktop;
    std::unique_ptr<OutputFooter> footer;

    FakeInputHookBackend *backend() const { return desktop->backend(); }
    QString recordText() const { return WidgetDriver::child<QPushButton>(footer.get(), "pushButton_record")->text(); }

private slots:
    void init()
    {
        clean.emplace();
        desktop.emplace();
        footer = std::make_unique<OutputFooter>();
        footer->show();
        QVERIFY(QTest::qWaitForWindowExposed(footer.get()));
    }
    void cleanup()
    {
        footer.reset();
        desktop.reset();
        clean.reset();
    }

    void twoClicksRecordAndReturnToIdle()
    {
        QSignalSpy started(footer.get(), &OutputFooter::startRecord);
        QCOMPARE(recordText(), idleText);
        QVERIFY(!shown(footer.get(), "label_stopHint"));

        QVERIFY(WidgetDriver::click(footer.get(), "pushButton_record"));
        QVERIFY(footer->isRecording());
        QVERIFY(backend()->isWatching());
        QCOMPARE(recordText(), QString("■ Recording keystrokes"));
        QVERIFY(!shown(footer.get(), "checkBox_wait"));
        QVERIFY(!shown(footer.get(), "pushButton_add"));
        QVERIFY(shown(footer.get(), "label_stopHint"));
        QCOMPARE(PageDriver::shownText(footer.get(), "label_stopHint"), QString("Left click to stop recording"));
        QVERIFY(!WidgetDriver::grabToPng(footer.get(), "footer-recording").isEmpty());

        QTest::qWait(600); // long after any click that stopped it
        QVERIFY(WidgetDriver::click(footer.get(), "pushButton_record"));
        QVERIFY(!footer->isRecording());
        QVERIFY(!backend()->isWatching());
        QCOMPARE(recordText(), idleText);
        QVERIFY(shown(footer.get(), "checkBox_wait"));
        QVERIFY(shown(footer.get(), "pushButton_add"));
        QVERIFY(!shown(footer.get(), "label_stopHint"));
        QCOMPARE(started.count(), 2);
        QCOMPARE(started.at(0).at(0).toBool(), true);
        QCOMPARE(started.at(1).at(0).toBool(), false);
    }

    void keysReachTheFooterOnlyWhileRecording()
    {
        QSignalSpy keys(footer.get(), &OutputFooter::keyHooked);
        footer->startStopRecording();
        backend()->tap(0x41);
        footer->startStopRecording();
        backend()->tap(0x42);
        QCOMPARE(keys.count(), 2);
        QCOMPARE(keys.at(0).at(0).toLongLong(), 0x41LL);
        QCOMPARE(keys.at(0).at(1).toBool(), true);
    }

    // A left click anywhere stops; when it was a click on the record button,
    // that click only stops, whichever of the hook and the button learns of
    // it first.
    void aClickOnTheRecordButtonStopsForGood_data()
    {
        QTest::addColumn<bool>("hookFirst");
        QTest::newRow("the hook hears it first") << true;
        QTest::newRow("the button is pressed first") << false;
    }
    void aClickOnTheRecordButtonStopsForGood()
    {
        QFETCH(bool, hookFirst);
        QSignalSpy started(footer.get(), &OutputFooter::startRecord);
        footer->startStopRecording();
        auto *button = WidgetDriver::child<QPushButton>(footer.get(), "pushButton_record");
        if (hookFirst)
            backend()->leftClick();
        QTest::mousePress(button, Qt::LeftButton);
        if (!hookFirst)
            backend()->leftClick();
        QTest::mouseRelease(button, Qt::LeftButton);
        QVERIFY(!footer->isRecording());
        QVERIFY(!backend()->isWatching());
        QCOMPARE(started.count(), 2);

        // The next click records again.
        QTest::qWait(600);
        QVERIFY(WidgetDriver::click(footer.get(), "pushButton_record"));
        QVERIFY(footer->isRecording());
    }

    void aClickElsewhereStops()
    {
        footer->startStopRecording();
        backend()->leftClick();
        QVERIFY(!footer->isRecording());
        QVERIFY(shown(footer.get(), "pushButton_add"));
    }

    void enableAddWhileRecordingKeepsAddHidden()
    {
        footer->enableAdd(false);
        QVERIFY(!shown(footer.get(), "pushButton_add"));
        footer->enableAdd(true);
        QVERIFY(shown(footer.get(), "pushButton_add"));
        footer->startStopRecording();
        footer->enableAdd(true);
        QVERIFY(!shown(footer.get(), "pushButton_add"));
    }

    void blockOptionAndStoredWaits()
    {
        QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("RecordWaits", true);
        QSignalSpy waits(footer.get(), &OutputFooter::setWait);
        QSignalSpy blocked(footer.get(), &OutputFooter::setBlocked);
        footer->setBlockOption(1, true);
        QVERIFY(shown(footer.get(), "checkBox_block"));
        QCOMPARE(PageDriver::shownText(footer.get(), "checkBox_block"), QString("checked"));
        QCOMPARE(PageDriver::shownText(footer.get(), "checkBox_wait"), QString("checked"));
        QCOMPARE(waits.count(), 1);
        QCOMPARE(waits.at(0).at(0).toBool(), true);
        QCOMPARE(blocked.count(), 1);
        QVERIFY(!WidgetDriver::grabToPng(footer.get(), "footer-block").isEmpty());

        footer->setBlockOption(2, false); // visibility left as it is
        QVERIFY(shown(footer.get(), "checkBox_block"));
        footer->setBlockOption(0, false);
        QVERIFY(!shown(footer.get(), "checkBox_block"));
        QCOMPARE(waits.count(), 3);

        QVERIFY(WidgetDriver::click(footer.get(), "checkBox_wait"));
        QCOMPARE(waits.last().at(0).toBool(), false);
    }

    void addAndBack()
    {
        QSignalSpy add(footer.get(), &OutputFooter::add);
        QSignalSpy back(footer.get(), &OutputFooter::back);
        QVERIFY(WidgetDriver::click(footer.get(), "pushButton_add"));
        QVERIFY(WidgetDriver::click(footer.get(), "pushButton_back"));
        QCOMPARE(add.count(), 1);
        QCOMPARE(back.count(), 1);

        // The application's way back, while the footer is shown.
        emit static_cast<BackApplication *>(qApp)->navigateBack();
        QCOMPARE(back.count(), 2);
        footer->hide();
        emit static_cast<BackApplication *>(qApp)->navigateBack();
        QCOMPARE(back.count(), 2);
    }

    void destroyingARecordingFooterStopsItsHook()
    {
        footer->startStopRecording();
        QVERIFY(backend()->isWatching());
        footer.reset();
        QVERIFY(!backend()->isWatching());
    }

    void theNameTakesFiftyCharacters()
    {
        OutputNamer namer;
        namer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&namer));
        QSignalSpy changed(&namer, &OutputNamer::textChanged);
        QVERIFY(WidgetDriver::typeInto(&namer, "lineEdit_name", QString(60, QLatin1Char('x'))));
        QCOMPARE(namer.text(), QString(50, QLatin1Char('x')));
        QCOMPARE(changed.count(), 50);
        namer.setText("Copy");
        QCOMPARE(changed.last().at(0).toString(), QString("Copy"));
        QCOMPARE(PageDriver::shownText(&namer, "label_name"), QString("Action Name"));
        QVERIFY(!WidgetDriver::grabToPng(&namer, "namer").isEmpty());
    }
};

int main(int argc, char **argv)
{
    BackApplication application(argc, argv);
    TestOutputFooter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_outputfooter.moc"
