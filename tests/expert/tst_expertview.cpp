// The expert window as far as it is built: what its construction brings up
// (settings defaults, profiles, device link, switching), its tray, closing
// into the tray, the foreground announcements and the local socket.
#include "AppSwitchSocketServer.h"
#include "ConfigFile.h"
#include "ConnectedMouse.h"
#include "ExpertStartup.h"
#include "ExpertTray.h"
#include "ExpertView.h"
#include "FakeHidTransport.h"
#include "ForegroundWrapper.h"
#include "LogRecorder.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "ProcessStateGuard.h"
#include "ProfileData.h"
#include "ProgramFolder.h"
#include "RequestedProfile.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SimpleModel.h"
#include "SimulatedMouse.h"

#include <QAction>
#include <QFile>
#include <QLocalSocket>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

void sendToSocket(const QByteArray &command)
{
    QLocalSocket socket;
    socket.connectToServer(AppSwitchSocketServer::socketPath());
    QVERIFY(socket.waitForConnected(2000));
    socket.write(command);
    QVERIFY(socket.waitForBytesWritten(2000));
    QTest::qWait(50);
    socket.disconnectFromServer();
}

} // namespace

class TestExpertView : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::unique_ptr<ConnectedMouse> fixture;
    std::unique_ptr<SWUpdate> update;
    std::unique_ptr<ExpertView> view;

    void build()
    {
        MouseFunctions::setTransportFactory([this] { return new FakeHidTransport(fixture->mouse()); });
        update = std::make_unique<SWUpdate>();
        view = std::make_unique<ExpertView>(nullptr, update.get());
    }

private slots:
    void initTestCase() { ProgramFolder::setPath(R7_SHIPPED_DIR); }

    void init()
    {
        clean.emplace();
        fixture = std::make_unique<ConnectedMouse>(10);
        QFile::remove(ConfigFile::workingFilePath());
    }

    void cleanup()
    {
        view.reset();
        update.reset();
        fixture.reset();
        clean.reset();
    }

    // Built hidden, with the release channel the update object holds and
    // the profiles loaded before the mouse is opened.
    void constructionBringsTheWindowUpInOrder()
    {
        settings().setValue("HasBeenRunBefore", true);
        {
            QSettings channel(SettingsFile::channelIniPath(), QSettings::IniFormat);
            channel.setValue("IsBetaChannel", true);
        }
        fixture->mouse()->plugIn();
        LogRecorder log;
        build();
        QVERIFY(!view->isVisible());
        QCOMPARE(settings().value("ReleaseChannel").toString(), QString("Beta"));
        QVERIFY(!QFile::exists(SettingsFile::channelIniPath()));
        QCOMPARE(log.count("ExpertView: loadSaveFile() start"), 1);
        QCOMPARE(log.count("ExpertView: loadSaveFile():"), 1);
        QVERIFY(log.indexOf("ExpertView: loadSaveFile():") > log.indexOf("ExpertView: loadSaveFile() start"));
        QVERIFY(!PackageCreator::instance()->loading);
        QStringList names;
        for (const ProfileData *profile : SimpleModel::instance()->profiles())
            names << profile->name;
        QCOMPARE(names.value(0), QString("Global"));
        QVERIFY(names.size() > 1);
        // The device link came up after the load: the connection uploads
        // what was loaded and writes the file.
        QTRY_COMPARE(fixture->mouse()->uploads(), 1);
        QCOMPARE(fixture->mouse()->ramPackage(), PackageCreator::instance()->package());
        QVERIFY(QFile::exists(ConfigFile::workingFilePath()));
        QVERIFY(!view->startup()->socketServer());
    }

    void bootloaderConnectionUploadsNothing()
    {
        build();
        // A bootloader that passes the check is reported as a connection
        // (while an update waits for the mouse to come back).
        MouseFunctions *device = MouseFunctions::instance();
        device->setFirmwareStateProvider([] { return 5; });
        device->setFirmwareCheckEnabled(false);
        QSignalSpy connected(device, &MouseFunctions::mouseConnect);
        fixture->mouse()->plugInAsBootloader(7);
        QVERIFY(connected.wait(2000));
        QCOMPARE(connected.last().at(0).toBool(), true);
        QTest::qWait(50);
        QCOMPARE(fixture->mouse()->uploads(), 0);
        QVERIFY(!QFile::exists(ConfigFile::workingFilePath()));
    }

    void trayOffersOpenAndQuit()
    {
        build();
        ExpertTray *tray = view->tray();
        QCOMPARE(tray->icon()->icon().isNull(), false);
        QCOMPARE(tray->menu()->parent(), view.get());
        QStringList texts;
        for (const QAction *action : tray->menu()->actions())
            texts << (action->isSeparator() ? "-" : action->text());
        QCOMPARE(texts, (QStringList{"Open", "-", "Quit"}));
        QCOMPARE(tray->menu()->defaultAction(), tray->openAction());

        QSignalSpy open(view.get(), &ExpertView::emitShowActiveView);
        tray->openAction()->trigger();
        emit tray->icon()->activated(QSystemTrayIcon::Trigger);
        emit tray->icon()->activated(QSystemTrayIcon::DoubleClick);
        emit tray->icon()->activated(QSystemTrayIcon::Context);
        emit tray->icon()->activated(QSystemTrayIcon::MiddleClick);
        QCOMPARE(open.count(), 3);
    }

    void closingHidesIntoTheTray()
    {
        build();
        QSignalSpy hidden(view.get(), &ExpertView::hidden);
        view->activateView();
        QVERIFY(view->isVisible());
        view->close();
        QVERIFY(!view->isVisible());
        QCOMPARE(hidden.count(), 1);

        view->showFullScreen();
        view->close();
        QVERIFY(view->isVisible());
        QVERIFY(view->isMinimized());
        QCOMPARE(hidden.count(), 1);
    }

    void foregroundAnnouncementsDropRepeats()
    {
        build();
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QCOMPARE(view->previousForegroundApp(), self);
        LogRecorder log;
        for (const QString &app : {self, QString("firefox"), QString("firefox"), QString("gimp")})
            ForegroundWrapper::instance()->setForegroundApp(app);
        QCOMPARE(view->previousForegroundApp(), self); // queued: not yet
        QTRY_COMPARE(view->previousForegroundApp(), QString("gimp"));
        QCOMPARE(log.count("ExpertView: foreground application"), 2);
    }

    void localSocketSwitchesAndVibrates()
    {
        settings().setValue("HasBeenRunBefore", true);
        settings().setValue("R7API", true);
        fixture->mouse()->plugIn();
        build();
        QVERIFY(view->startup()->socketServer());
        QTRY_COMPARE(fixture->mouse()->uploads(), 1);

        const QString target = SimpleModel::instance()->userProfiles().last()->name;
        sendToSocket(target.toUtf8());
        QTRY_COMPARE(SimpleModel::instance()->activeProfile()->name, target);
        sendToSocket("Vibrate 300 70");
        QTRY_COMPARE(fixture->mouse()->vibrations().size(), 1);
        QCOMPARE(fixture->mouse()->vibrations().at(0).duration, 300);
        QCOMPARE(fixture->mouse()->vibrations().at(0).strength, 70);
    }

    void requestedProfileByName_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("switchedTo"); // empty: nothing switched
        QTest::addColumn<QString>("logged");
        QTest::newRow("exact") << "Work"
                               << "Work"
                               << "R7API: Switching to \"Work\" profile.";
        QTest::newRow("sub-profile first in tree order") << "Twin"
                                                         << "Twin"
                                                         << "R7API: Switching to";
        QTest::newRow("other case") << "work"
                                    << ""
                                    << "R7API: \"work\" not found.";
        QTest::newRow("Global") << "Global"
                                << "Global"
                                << "R7API: Switching to \"Global\" profile.";
        QTest::newRow("Global Defaults") << "Global Defaults"
                                         << "Global"
                                         << "R7API: Switching to";
        QTest::newRow("unknown") << "Games!"
                                 << ""
                                 << "R7API: \"Games!\" not found.";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }
    void requestedProfileByName()
    {
        QFETCH(QString, request);
        QFETCH(QString, switchedTo);
        QFETCH(QString, logged);
        PackageCreator *model = PackageCreator::instance();
        model->addProfile(255, 255, "Global");
        SimpleModel profiles(model);
        ProfileData *work = profiles.addProfile("Work");
        ProfileData *twinSub = profiles.addSubProfile("Twin", work);
        profiles.addProfile("Twin");
        ProfileData *other = profiles.addProfile("Other");
        profiles.setActiveProfile(other, false);

        LogRecorder log;
        QCOMPARE(RequestedProfile::switchTo(profiles, request), !switchedTo.isEmpty());
        QCOMPARE(profiles.activeProfile()->name, switchedTo.isEmpty() ? QString("Other") : switchedTo);
        if (request == "Twin")
            QCOMPARE(profiles.activeProfile(), twinSub);
        if (logged.isEmpty())
            QVERIFY(log.matching("R7API").isEmpty());
        else
            QCOMPARE(log.count(logged), 1);
    }
};

QTEST_MAIN(TestExpertView)
#include "tst_expertview.moc"
