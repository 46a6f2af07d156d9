// The real program's start: what a first start writes and asks for, a
// hidden start from the autostart entry, and the arguments that are not one.
#include "ProgramRun.h"
#include "TestHttpServer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace ProgramRun;

class TestAppStart : public QObject
{
    Q_OBJECT

private:
    TestHttpServer server;

    QProcessEnvironment withServer() const { return environment(server.baseUrl()); }

private slots:
    void initTestCase() { QVERIFY(server.start()); }

    void init()
    {
        QDir(configFolder()).removeRecursively();
        QFile::remove(autostartPath());
        server.clearRequests();
    }

    void firstStartOpensTheSimpleViewAndWritesItsSettings()
    {
        auto program = start({}, withServer());
        QVERIFY(waitForLog("Opening Window in Simple Mode"));
        QVERIFY(log().contains("Start \"Corvanelle R7 Control Panel\" \"3.0.9.1\""));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestedPaths().contains("/vesk/public/windows/R7Driver.json"), 20000);

        QSettings settings(settingsPath(), QSettings::IniFormat);
        const QVariantMap firstRun{{"AdminAppDetection", false},
                                   {"AutoUpdate", true},
                                   {"EnableHighDpiScaling", true},
                                   {"ExpertAddRelease", true},
                                   {"ExpertView", false},
                                   {"ExpertViewSideBySide", false},
                                   {"ExpertViewShowPressRelease", false},
                                   {"HasDoneCalibration", false},
                                   {"ShowGlobal", false},
                                   {"ShowIntroOnLaunch", true},
                                   {"SetViewedAsActive", true},
                                   {"SetActiveAsViewed", true},
                                   {"VerboseLogging", false},
                                   {"R7API", false},
                                   {"HasBeenRunBefore", true},
                                   {"HasBeenOpenedSinceInstallOrUpgrade", true}};
        for (auto it = firstRun.cbegin(); it != firstRun.cend(); ++it)
            QVERIFY2(settings.value(it.key()) == it.value().toString(), qPrintable(it.key()));
        QVERIFY(!settings.contains("ReleaseChannel"));
        stop(*program);
        QVERIFY(QFile::exists(autostartPath()));
    }

    // Started from the autostart entry: nothing shows and the first-run
    // install waits for a start that opens the window.
    void hiddenStartShowsNothingUntilAskedTo()
    {
        QSettings(settingsPath(), QSettings::IniFormat).setValue("VerboseLogging", true);
        auto program = start({"hide"});
        QVERIFY(waitForLog("Autostart - launched minimized"));
        QVERIFY(waitForLog("ExpertView: loadSaveFile():"));
        QTest::qWait(500);
        QCOMPARE(countInLog("App: showActiveView"), 0);
        QCOMPARE(countInLog("Opening Window in"), 0);
        QVERIFY(!QSettings(settingsPath(), QSettings::IniFormat).contains("HasBeenRunBefore"));
        // Started with no display at all, it says once what goes without.
        QCOMPARE(countInLog("App: no X display (DISPLAY is unset); foreground applications are not detected"), 1);

        auto second = start({});
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(waitForLog("App: showActiveView"));
        QVERIFY(waitForLog("Opening Window in Simple Mode"));
        stop(*program);
    }

    // Each write of these files is synced to disk: a start that finds them
    // as it would leave them writes neither (the first-run defaults that a
    // hidden start repeats included).
    void aStartThatChangesNothingWritesNothing()
    {
        auto first = start({"hide"});
        QVERIFY(waitForLog("Autostart - launched minimized"));
        stop(*first);
        const QString files[] = {settingsPath(), configFolder() + "/Starter Mappings.kvlf"};
        const QDateTime before = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 86400);
        for (const QString &path : files) {
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadWrite), qPrintable(path));
            QVERIFY(file.setFileTime(before, QFileDevice::FileModificationTime));
        }
        auto second = start({"hide"});
        QVERIFY(waitForLog("Autostart - launched minimized", 2));
        stop(*second);
        QCOMPARE(countInLog("copyStarterFile: true"), 2);
        for (const QString &path : files)
            QVERIFY2(QFileInfo(path).lastModified() == before, qPrintable(path));
    }

    // As a program put on the PATH under a name of its own: the folders do
    // not follow the name it was started by.
    void startedThroughALinkKeepsItsFolders()
    {
        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        const QString link = bin.filePath("r7panel");
        QVERIFY(QFile::link(QStringLiteral(R7_APP_EXECUTABLE), link));
        auto program = start({"hide"}, environment(), link);
        QVERIFY(waitForLog("Autostart - launched minimized"));
        stop(*program);
        QVERIFY(QFile::exists(settingsPath()));
        QVERIFY(QFile::exists(configFolder() + "/Starter Mappings.kvlf"));
        for (const auto location : {QStandardPaths::GenericConfigLocation, QStandardPaths::GenericDataLocation}) {
            const QString folder = QStandardPaths::writableLocation(location) + "/r7panel";
            QVERIFY2(!QFileInfo::exists(folder), qPrintable(folder));
        }
    }

    void otherArgumentsStartNormally_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("Hide") << QStringList{"Hide"};
        QTest::newRow("hide second") << QStringList{"instance", "hide"};
    }
    void otherArgumentsStartNormally()
    {
        QFETCH(QStringList, arguments);
        auto program = start(arguments);
        QVERIFY(waitForLog("Opening Window in Simple Mode"));
        QCOMPARE(countInLog("Autostart - launched minimized"), 0);
        stop(*program);
    }

    void autostartEntryOfAnotherPathStays()
    {
        QDir().mkpath(QFileInfo(autostartPath()).absolutePath());
        const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Corvanelle R7 Control Panel\n"
                                 "Exec=\"/opt/elsewhere/Corvanelle R7 Control Panel\" hide\n";
        {
            QFile file(autostartPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(entry), qint64(entry.size()));
        }
        auto program = start({"hide"});
        QVERIFY(waitForLog("Autostart - launched minimized"));
        stop(*program);
        QFile file(autostartPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), entry);
    }
};

QTEST_GUILESS_MAIN(TestAppStart)
#include "tst_appstart.moc"
