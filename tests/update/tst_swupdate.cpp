// The software update against a real HTTP(S) server on 127.0.0.1: the
// manifest per channel, the installer's download into "Driver Updates", what
// is refused, the online state, the wait for the device, the upgrade and the
// dialog. The machine's online state is driven through the network
// configuration manager inside InternetAccess (OnlineState).
#include "AppFont.h"
#include "InternetAccess.h"
#include "MouseFunctions.h"
#include "PackageCreator.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "Version.h"

#include "ConnectedMouse.h"
#include "DialogAnswerer.h"
#include "LogRecorder.h"
#include "OnlineState.h"
#include "ProcessStateGuard.h"
#include "SampleModel.h"
#include "SimulatedMouse.h"
#include "TestHttpServer.h"
#include "TestImages.h"
#include "UrlRecorder.h"
#include "WidgetDriver.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QSet>
#include <QNetworkReply>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <optional>

using TestImages::readAll;
using TestImages::writeFile;

namespace {

QString manifestPath(const QString &segment)
{
    return "/vesk/" + segment + "/windows/R7Driver.json";
}

QByteArray manifest(const QString &version, const QString &url)
{
    return QStringLiteral(R"({"version": "%1", "url": "%2", "notes": "ignored"})").arg(version, url).toUtf8();
}

// An installer's bytes: long enough to arrive in several parts.
QByteArray installerBody(int size = 200000)
{
    QByteArray body(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        body[i] = char((i * 7 + i / 251) & 0xff);
    return body;
}

QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

// Stands in for the application style sheet, so the pictures show what the
// style properties select.
const char standInStyle[] = R"(
QFrame[frame_type="dialog_background"] { background: #2c2c2e; border-radius: 5px; }
QFrame[frame_type="dialog_background"][m="pelkin"] { background: #23202b; }
QFrame[frame_type="expert"] { background: #3a3a3a; border: 1px solid #555555; border-radius: 5px; }
QLabel { color: #e6e6e6; }
QLabel[label_type="dialog"] { color: #ffffff; font-size: 14px; }
QPushButton[button_type="common"] { background: #44404f; color: #ffffff; border-radius: 4px; }
QPushButton[button_type="common"][m="pelkin"] { background: #b753ec; }
QPushButton[button_type="expert"] { background: #555555; color: #ffd400; border: 1px solid #ffd400; }
)";

} // namespace

class TestSWUpdate : public QObject
{
    Q_OBJECT

private:
    std::optional<ProcessStateGuard> clean;
    std::optional<TestHttpServer> http;
    std::optional<TestHttpServer> https;
    std::unique_ptr<SWUpdate> update;
    UrlRecorder desktop;

    QString downloadFolder() const { return SettingsFile::folder() + "/Driver Updates/"; }
    QStringList downloadedFiles() const { return QDir(downloadFolder()).entryList(QDir::Files | QDir::Hidden); }
    TestHttpServer &server(bool tls) { return tls ? *https : *http; }

    SWUpdate *makeUpdate()
    {
        update = std::make_unique<SWUpdate>();
        update->internetAccess();
        setOnline(true);
        return update.get();
    }

    void setOnline(bool online) { QVERIFY(OnlineState::set(update.get(), online)); }

    static bool announced(const QSignalSpy &spy) { return !spy.isEmpty() && spy.last().at(0).toBool(); }

private slots:
    void initTestCase()
    {
        TestHttpServer::trustCertificate();
        QApplication::setFont(appFont());
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        QDesktopServices::setUrlHandler("https", &desktop, "open");
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");
    }

    void init()
    {
        clean.emplace();
        QDir(SettingsFile::folder()).removeRecursively();
        http.emplace();
        https.emplace(TestHttpServer::Security::Tls);
        QVERIFY(http->start());
        QVERIFY(https->start());
        QVERIFY(SWUpdate::setServerUrl(http->baseUrl()));
        desktop.opened.clear();
    }

    void cleanup()
    {
        update.reset();
        QVERIFY(SWUpdate::setServerUrl(QString()));
        http.reset();
        https.reset();
        clean.reset();
        QDir(SettingsFile::folder()).removeRecursively();
    }

    void onlineStateFollowsTheManager()
    {
        makeUpdate();
        auto *internet = update->internetAccess();
        QSignalSpy changes(internet, &InternetAccess::onlineStatusChanged);
        LogRecorder log;
        setOnline(false);
        setOnline(false);
        setOnline(true);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(changes.at(0).at(0).toBool(), false);
        QCOMPARE(changes.at(1).at(0).toBool(), true);
        QCOMPARE(
            log.matching("InternetAccess: onlineStatusChanged"),
            QStringList({"InternetAccess: onlineStatusChanged false", "InternetAccess: onlineStatusChanged true"}));
    }

    void downloadsAndAnnouncesTheInstaller_data()
    {
        QTest::addColumn<QString>("releaseChannel");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("installerPath");
        QTest::addColumn<bool>("redirected");
        QTest::addColumn<QString>("segment");
        QTest::addColumn<QString>("fileName");

        QTest::newRow("beta") << "Beta" << false << "3.1.0.2"
                              << "/files/setup.exe" << false << "beta"
                              << "3.1.0.2_Beta.exe";
        QTest::newRow("alpha") << "Alpha" << false << "3.1.0.2"
                               << "/files/setup.exe" << false << "alpha"
                               << "3.1.0.2_Alpha.exe";
        QTest::newRow("v3 alpha") << "V3Alpha" << false << "4.0"
                                  << "/files/setup.deb" << false << "v3alpha"
                                  << "4.0.deb";
        QTest::newRow("older version, public") << "Stable" << false << "3.0.9.0"
                                               << "/files/setup.exe" << false << "public"
                                               << "3.0.9.0.exe";
        QTest::newRow("https, behind a redirect") << "Stable" << true << "3.1.0.2"
                                                  << "/files/latest.exe" << true << "public"
                                                  << "3.1.0.2.exe";
    }

    void downloadsAndAnnouncesTheInstaller()
    {
        QFETCH(QString, releaseChannel);
        QFETCH(bool, tls);
        QFETCH(QString, version);
        QFETCH(QString, installerPath);
        QFETCH(bool, redirected);
        QFETCH(QString, segment);
        QFETCH(QString, fileName);

        TestHttpServer &site = server(tls);
        QVERIFY(SWUpdate::setServerUrl(site.baseUrl()));
        settings().setValue("ReleaseChannel", releaseChannel);
        const QByteArray body = installerBody();
        site.serve(manifestPath(segment), manifest(version, site.url(installerPath).toString()));
        QStringList expectedPaths = {manifestPath(segment), installerPath};
        if (redirected) {
            site.redirect(installerPath, site.url("/files/3.1.0.2/setup-x64.exe").toString());
            site.serve("/files/3.1.0.2/setup-x64.exe", body);
            expectedPaths.append("/files/3.1.0.2/setup-x64.exe");
        } else {
            site.serve(installerPath, body);
        }

        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        LogRecorder log;
        update->checkUpdates();
        QCOMPARE(available.count(), 1);
        QCOMPARE(available.at(0).at(0).toBool(), false);
        QTRY_VERIFY(announced(available));

        QCOMPARE(available.count(), 2);
        QVERIFY(update->isUpdateAvailable());
        QCOMPARE(site.requestedPaths(), expectedPaths);
        QCOMPARE(downloadedFiles(), QStringList{fileName});
        QVERIFY(readAll(downloadFolder() + fileName) == body);
        QVERIFY(log.contains("SWUpdate: download update started  Version : " + version));
        QVERIFY(log.contains("SWUpdate: update loaded  " + fileName));
    }

    void networkManagerLivesOnlyWhileItsRequestsRun()
    {
        // While one lives, the toolkit polls the network interfaces: a
        // program idling in the tray must hold none between checks.
        http->serve(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        http->serve("/setup.exe", installerBody());
        makeUpdate();
        QVERIFY(!update->findChild<QNetworkAccessManager *>());
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        update->checkUpdates();
        QVERIFY(update->findChild<QNetworkAccessManager *>());
        QTRY_VERIFY(announced(available));
        QTRY_VERIFY(!update->findChild<QNetworkAccessManager *>());

        // The next check makes a new one; a check that fails lets it go too.
        http->serve(manifestPath("public"), "not a manifest");
        update->checkUpdates();
        QTRY_COMPARE(http->requestCount(manifestPath("public")), 2);
        QTRY_VERIFY(!update->findChild<QNetworkAccessManager *>());
        QVERIFY(SWUpdate::setServerUrl("http://127.0.0.1:1"));
        LogRecorder log;
        update->checkUpdates();
        QTRY_VERIFY(!log.matching("SWUpdate: netReply error").isEmpty());
        QTRY_VERIFY(!update->findChild<QNetworkAccessManager *>());
    }

    void onlineWatchLivesOnlyWhileTheDownloadRuns_data()
    {
        // installer: "held" serves half the body until release, "missing"
        // is a 404, "empty" a 200 without a body.
        QTest::addColumn<QString>("installer");
        QTest::addColumn<QString>("logged");
        QTest::newRow("finished") << "held" << "SWUpdate: update loaded";
        QTest::newRow("failed") << "missing" << "SWUpdate: error while download";
        QTest::newRow("refused") << "empty" << "SWUpdate: download refused, empty body";
    }

    void onlineWatchLivesOnlyWhileTheDownloadRuns()
    {
        // Like the network manager: while the online watch runs, the toolkit
        // polls the network interfaces, so none may stay behind a download.
        QFETCH(QString, installer);
        QFETCH(QString, logged);
        const QByteArray body = installerBody();
        http->serve(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        if (installer == "held")
            http->holdBack("/setup.exe", body, body.size() / 2);
        else if (installer == "empty")
            http->serve("/setup.exe", QByteArray());
        // Not made by makeUpdate, which pins the online state for the test.
        update = std::make_unique<SWUpdate>();
        const auto watching = [this] {
            const InternetAccess *internet = update->findChild<InternetAccess *>();
            return internet && internet->isWatching();
        };
        const auto managers = [this] {
            int count = 0;
            for (const QObject *child : update->findChildren<QObject *>())
                count += child->inherits("QNetworkConfigurationManager") ? 1 : 0;
            return count;
        };
        LogRecorder log;
        update->checkUpdates();
        if (installer == "held") {
            QTRY_COMPARE(http->heldResponses(), 1);
            QVERIFY(watching());
            QCOMPARE(managers(), 1);
            http->release();
        }
        QTRY_VERIFY(!log.matching(logged).isEmpty());
        QVERIFY(!watching());
        QTRY_COMPARE(managers(), 0);
        QTRY_VERIFY(!update->findChild<QNetworkAccessManager *>());
        QCOMPARE(http->requestCount("/setup.exe"), 1);
    }

    void lostConnectionIsWatchedUntilItIsBack()
    {
        // The download that the loss dropped starts again when the machine
        // is back, so the watch outlives the dropped request.
        const QByteArray body = installerBody();
        http->serve(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        http->holdBack("/setup.exe", body, body.size() / 2);
        update = std::make_unique<SWUpdate>();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        update->checkUpdates();
        QTRY_COMPARE(http->heldResponses(), 1);
        auto *internet = update->findChild<InternetAccess *>();
        QVERIFY(internet && internet->isWatching());
        // The machine may be offline for the toolkit: the report must be a
        // change either way.
        if (!internet->isOnline())
            QVERIFY(OnlineState::set(internet, true));
        QVERIFY(OnlineState::set(internet, false));
        QTRY_COMPARE(http->droppedByClient(), 1);
        QTRY_VERIFY(!update->findChild<QNetworkAccessManager *>());
        QVERIFY(internet->isWatching());

        http->serve("/setup.exe", body);
        QVERIFY(OnlineState::set(internet, true));
        QTRY_VERIFY(announced(available));
        QCOMPARE(http->requestCount("/setup.exe"), 2);
        QTRY_VERIFY(!internet->isWatching());
    }

    void ownVersionOffersNothing()
    {
        http->serve(manifestPath("public"), manifest(versionString, http->url("/setup.exe").toString()));
        http->serve("/setup.exe", installerBody());
        QCOMPARE(versionString, QString("3.0.9.1"));
        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        update->checkUpdates();
        QTRY_COMPARE(http->requestCount(manifestPath("public")), 1);
        QTest::qWait(200);
        QCOMPARE(http->requestedPaths(), QStringList{manifestPath("public")});
        QCOMPARE(available.count(), 1);
        QVERIFY(!update->isUpdateAvailable());
        QVERIFY(downloadedFiles().isEmpty());
    }

    void presentInstallerIsAnnouncedWithoutDownload()
    {
        http->serve(manifestPath("beta"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        settings().setValue("ReleaseChannel", "Beta");
        QVERIFY(QDir().mkpath(downloadFolder()));
        for (const QString name : {"3.1.0.2_Beta.exe", "3.1.0.1_Beta.exe", "notes.txt", ".hidden", "temp", "README"})
            QVERIFY(writeFile(downloadFolder() + name, name.toUtf8()));

        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        update->checkUpdates();
        QTRY_VERIFY(announced(available));
        QCOMPARE(http->requestedPaths(), QStringList{manifestPath("beta")});
        QCOMPARE(downloadedFiles(), QStringList({"3.1.0.2_Beta.exe", "README", "temp"}));
        QCOMPARE(readAll(downloadFolder() + "3.1.0.2_Beta.exe"), QByteArray("3.1.0.2_Beta.exe"));
    }

    void failedRenameMakesNothingReady()
    {
        http->serve(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        http->serve("/setup.exe", installerBody());
        QVERIFY(QDir().mkpath(downloadFolder() + "3.1.0.2.exe")); // a folder in the installer's place
        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        LogRecorder log;
        update->checkUpdates();
        QTRY_VERIFY(!log.matching("SWUpdate: download refused, cannot rename to 3.1.0.2.exe").isEmpty());
        QCOMPARE(http->requestCount("/setup.exe"), 1);
        QCOMPARE(available.count(), 1);
        QVERIFY(!update->isUpdateAvailable());
        QVERIFY(downloadedFiles().isEmpty()); // "temp" went too
    }

    void unwritableTempStartsNoDownloadAndTheNextCheckRetries()
    {
        http->serve(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        http->serve("/setup.exe", installerBody());
        QVERIFY(QDir().mkpath(downloadFolder() + "temp"));
        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        LogRecorder log;
        update->checkUpdates();
        QTRY_VERIFY(!log.matching("SWUpdate: cannot write").isEmpty());
        QCOMPARE(http->requestedPaths(), QStringList{manifestPath("public")});

        QVERIFY(QDir(downloadFolder()).rmdir("temp"));
        update->checkUpdates();
        QTRY_VERIFY(announced(available));
        QCOMPARE(http->requestCount("/setup.exe"), 1);
    }

    void onlyTheLatestManifestCounts()
    {
        // The beta manifest is still on its way when the channel goes back
        // to the public one.
        http->holdBack(manifestPath("beta"), manifest("3.1.0.2", http->url("/setup.exe").toString()), 0);
        http->serve(manifestPath("public"), manifest(versionString, http->url("/setup.exe").toString()));
        http->serve("/setup.exe", installerBody());
        makeUpdate();
        update->switchChannel("Beta");
        QTRY_COMPARE(http->heldResponses(), 1);
        update->switchChannel("Stable");
        QTRY_COMPARE(http->requestCount(manifestPath("public")), 1);
        http->release();
        QTest::qWait(300);
        QCOMPARE(http->requestCount("/setup.exe"), 0);
        QVERIFY(downloadedFiles().isEmpty());
    }

    void goingOfflineDropsTheDownloadAndOnlineRestartsIt()
    {
        const QByteArray body = installerBody(300000);
        http->serve(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        http->holdBack("/setup.exe", body, body.size() / 2);
        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        LogRecorder log;
        update->checkUpdates();
        QTRY_VERIFY(QFileInfo(downloadFolder() + "temp").size() > 0);

        setOnline(false);
        QVERIFY(!QFile::exists(downloadFolder() + "temp"));
        QTRY_COMPARE(http->droppedByClient(), 1);
        QVERIFY(downloadedFiles().isEmpty());

        // The whole body this time; the first request must not come back.
        http->serve("/setup.exe", body);
        http->release();
        setOnline(true);
        QTRY_VERIFY(announced(available));
        QCOMPARE(http->requestCount("/setup.exe"), 2);
        QCOMPARE(downloadedFiles(), QStringList{"3.1.0.2.exe"});
        QVERIFY(readAll(downloadFolder() + "3.1.0.2.exe") == body);
        QCOMPARE(log.count("SWUpdate: download update started"), 1);
    }

    void refusedUpdatesWriteAndAnnounceNothing_data()
    {
        QTest::addColumn<bool>("tls");
        // {base} stands for the server's address, {http} for a plain http
        // server's on 127.0.0.1 elsewhere.
        QTest::addColumn<QString>("manifestText");
        QTest::addColumn<int>("installerStatus"); // 0: not served; 302: to {http}
        QTest::addColumn<QByteArray>("installer");
        QTest::addColumn<QStringList>("requested");
        QTest::addColumn<QString>("warning");

        const QString manifestAt = manifestPath("public");
        const QString good = R"({"version": "3.1.0.2", "url": "{base}/setup.exe"})";
        QTest::newRow("manifest 404") << false << QString() << 200 << installerBody() << QStringList{manifestAt}
                                      << "SWUpdate: netReply error";
        QTest::newRow("installer 404") << false << good << 0 << QByteArray() << QStringList{manifestAt, "/setup.exe"}
                                       << "SWUpdate: error while download";
        QTest::newRow("installer 302 to an http address")
            << true << good << 302 << installerBody() << QStringList{manifestAt, "/setup.exe"}
            << "SWUpdate: redirect refused: http://127.0.0.1";
        QTest::newRow("empty 200 body") << false << good << 200 << QByteArray() << QStringList{manifestAt, "/setup.exe"}
                                        << "SWUpdate: download refused, empty body";
        QTest::newRow("version ../x") << false << R"({"version": "../x", "url": "{base}/setup.exe"})" << 200
                                      << installerBody() << QStringList{manifestAt}
                                      << "SWUpdate: update refused, version is no plain version number";
        QTest::newRow("version 1.2.3.4.5")
            << false << R"({"version": "1.2.3.4.5", "url": "{base}/setup.exe"})" << 200 << installerBody()
            << QStringList{manifestAt} << "SWUpdate: update refused, version is no plain version number";
        QTest::newRow("suffix desktop") << false << R"({"version": "3.1.0.2", "url": "{base}/setup.desktop"})" << 200
                                        << installerBody() << QStringList{manifestAt}
                                        << "SWUpdate: update refused, no installer";
        QTest::newRow("http installer under an https base")
            << true << R"({"version": "3.1.0.2", "url": "{http}/setup.exe"})" << 200 << installerBody()
            << QStringList{manifestAt} << "SWUpdate: update refused, not an https address";
        QTest::newRow("manifest no object") << false << R"(["3.1.0.2", "{base}/setup.exe"])" << 200 << installerBody()
                                            << QStringList{manifestAt} << QString();
        QTest::newRow("manifest lacks url")
            << false << R"({"version": "3.1.0.2"})" << 200 << installerBody() << QStringList{manifestAt} << QString();
        QTest::newRow("url no string") << false << R"({"version": "3.1.0.2", "url": 7})" << 200 << installerBody()
                                       << QStringList{manifestAt} << QString();
    }

    void refusedUpdatesWriteAndAnnounceNothing()
    {
        QFETCH(bool, tls);
        QFETCH(QString, manifestText);
        QFETCH(int, installerStatus);
        QFETCH(QByteArray, installer);
        QFETCH(QStringList, requested);
        QFETCH(QString, warning);

        TestHttpServer &site = server(tls);
        QVERIFY(SWUpdate::setServerUrl(site.baseUrl()));
        if (!manifestText.isNull()) {
            manifestText.replace("{base}", site.baseUrl()).replace("{http}", http->baseUrl());
            site.serve(manifestPath("public"), manifestText.toUtf8());
        }
        if (installerStatus == 200)
            site.serve("/setup.exe", installer);
        else if (installerStatus == 302)
            site.redirect("/setup.exe", http->url("/setup.exe").toString());
        // Served wherever a refused address would lead.
        if (tls)
            http->serve("/setup.exe", installerBody());
        http->serve("/x.exe", installerBody());
        https->serve("/x.exe", installerBody());

        makeUpdate();
        const QStringList configBefore =
            QDir(SettingsFile::folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        LogRecorder log;
        update->checkUpdates();
        QTRY_COMPARE(site.requestedPaths(), requested);
        if (!warning.isEmpty())
            QTRY_VERIFY(!log.matching(warning).isEmpty());
        QTest::qWait(200);

        QCOMPARE(site.requestedPaths(), requested);
        if (tls)
            QCOMPARE(http->requestedPaths(), QStringList());
        QCOMPARE(available.count(), 1);
        QVERIFY(!update->isUpdateAvailable());
        QCOMPARE(downloadedFiles(), QStringList());
        QCOMPARE(QDir(SettingsFile::folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), configBefore);
        QVERIFY(!QFile::exists(SettingsFile::folder() + "/x.exe"));
    }

    void channelIsLoadedFromChannelIniOrSettings_data()
    {
        QTest::addColumn<QString>("channelIni");     // null: no file
        QTest::addColumn<QString>("releaseChannel"); // null: absent
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<bool>("iniKept");

        QTest::newRow("ini beta over settings") << "IsBetaChannel=true\nIsAlphaChannel=true\n"
                                                << "V3Alpha" << 2 << true << true;
        QTest::newRow("ini alpha") << "IsAlphaChannel=true\n"
                                   << "Beta" << 1 << true << true;
        QTest::newRow("ini neither: deleted, settings unread") << "IsBetaChannel=false\nIsAlphaChannel=false\n"
                                                               << "Beta" << 3 << false << false;
        QTest::newRow("V3Alpha") << QString() << "V3Alpha" << 4 << true << false;
        QTest::newRow("Beta") << QString() << "Beta" << 2 << true << false;
        QTest::newRow("Alpha") << QString() << "Alpha" << 1 << true << false;
        QTest::newRow("Stable") << QString() << "Stable" << 3 << false << false;
        QTest::newRow("unknown token") << QString() << "Nightly" << 3 << false << false;
        QTest::newRow("absent") << QString() << QString() << 3 << false << false;
    }

    void channelIsLoadedFromChannelIniOrSettings()
    {
        QFETCH(QString, channelIni);
        QFETCH(QString, releaseChannel);
        QFETCH(int, channel);
        QFETCH(bool, announced);
        QFETCH(bool, iniKept);

        auto writeFiles = [&] {
            QVERIFY(QDir().mkpath(SettingsFile::folder()));
            if (!channelIni.isNull())
                QVERIFY(writeFile(SettingsFile::channelIniPath(), "[General]\n" + channelIni.toUtf8()));
            if (!releaseChannel.isNull())
                settings().setValue("ReleaseChannel", releaseChannel);
        };
        writeFiles();
        makeUpdate();
        QCOMPARE(update->channel(), channel);
        QCOMPARE(QFile::exists(SettingsFile::channelIniPath()), iniKept);

        // The same files at start: announced when found, then checked.
        writeFiles();
        QSignalSpy changed(update.get(), &SWUpdate::channelChanged);
        update->loadSettingsAndCheck();
        QCOMPARE(update->channel(), channel);
        QCOMPARE(QFile::exists(SettingsFile::channelIniPath()), iniKept);
        QCOMPARE(changed.count(), announced ? 1 : 0);
        if (announced)
            QCOMPARE(changed.at(0).at(0).toInt(), channel);
        const QStringList segments = {"public", "alpha", "beta", "public", "v3alpha"};
        QTRY_COMPARE(http->requestedPaths(), QStringList{manifestPath(segments.at(channel))});
    }

    void switchingTheChannelChecksAtOnce_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("segment");

        QTest::newRow("Stable") << "Stable" << 3 << "public";
        QTest::newRow("unknown token") << "Public" << 3 << "public";
        QTest::newRow("Alpha") << "Alpha" << 1 << "alpha";
        QTest::newRow("V3Alpha") << "V3Alpha" << 4 << "v3alpha";
    }

    void switchingTheChannelChecksAtOnce()
    {
        QFETCH(QString, token);
        QFETCH(int, channel);
        QFETCH(QString, segment);

        settings().setValue("ReleaseChannel", "Beta");
        settings().setValue("AllowAnyFirmware", true);
        MouseFunctions::instance()->setFirmwareCheckEnabled(false);
        makeUpdate();
        QCOMPARE(update->channel(), 2);
        QSignalSpy firmwareCheck(update.get(), &SWUpdate::toggleFWCheck);
        QSignalSpy changed(update.get(), &SWUpdate::channelChanged);
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        update->switchChannel(token);

        QCOMPARE(update->channel(), channel);
        QCOMPARE(firmwareCheck.count(), 1);
        QCOMPARE(firmwareCheck.at(0).at(0).toInt(), 1);
        // The check is on again and stays so, with no menu made to take it.
        QVERIFY(MouseFunctions::instance()->firmwareCheckEnabled());
        QCOMPARE(settings().value("AllowAnyFirmware"), QVariant(false));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), channel);
        QCOMPARE(available.count(), 1); // the check started at once
        QTRY_COMPARE(http->requestedPaths(), QStringList{manifestPath(segment)});
        // The settings dialog writes the token, not the update.
        QCOMPARE(settings().value("ReleaseChannel").toString(), QString("Beta"));
    }

    void channelNames()
    {
        QStringList names;
        for (int channel = 0; channel <= 5; ++channel)
            names.append(SWUpdate::channelName(channel));
        QCOMPARE(names, QStringList({"Public", "Alpha", "Beta", "Public", "V3 Alpha", "Public"}));
    }

    void dailyCheckOnlyWithAutoUpdate_data()
    {
        QTest::addColumn<QVariant>("autoUpdate");
        QTest::addColumn<bool>("running");
        QTest::newRow("absent") << QVariant() << true;
        QTest::newRow("true") << QVariant(true) << true;
        QTest::newRow("false") << QVariant(false) << false;
    }

    void dailyCheckOnlyWithAutoUpdate()
    {
        QFETCH(QVariant, autoUpdate);
        QFETCH(bool, running);
        if (autoUpdate.isValid())
            settings().setValue("AutoUpdate", autoUpdate);
        makeUpdate();
        auto *timer = update->findChild<QTimer *>("autoUpdateTimer");
        QCOMPARE(timer && timer->isActive(), running);
        if (running) {
            QCOMPARE(timer->interval(), 86400000);
            QVERIFY(!timer->isSingleShot());
            QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
            QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
            QCOMPARE(available.count(), 1);
            QTRY_COMPARE(http->requestCount(manifestPath("public")), 1);
        }
    }

    void offerWaitsWhileTheDeviceAwaitsAReply()
    {
        SampleModel::buildFullModel();
        PackageCreator::instance()->loading = false;
        ConnectedMouse fixture(20);
        fixture.connect();
        MouseFunctions *device = fixture.device();
        fixture.mouse()->setReplyDelay(120);

        const QByteArray body = installerBody();
        http->serve("/setup.exe", body);
        // The manifest's body waits until the upload is under way.
        http->holdBack(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()), 0);
        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);

        QStringList events;
        // A manager is made for each request when the one before has gone.
        QSet<QNetworkAccessManager *> watched;
        const auto watchManagers = [&] {
            for (QNetworkAccessManager *manager : update->findChildren<QNetworkAccessManager *>()) {
                if (!watched.contains(manager)) {
                    watched.insert(manager);
                    connect(manager, &QNetworkAccessManager::finished, this, [&](QNetworkReply *reply) {
                        events.append(reply->url().path() + (device->isAwaitingReply() ? " during" : " after"));
                    });
                }
            }
        };
        connect(device, &MouseFunctions::uploadFinished, this, [&] { events.append("upload finished"); });
        connect(&*http, &TestHttpServer::requestReceived, this, [&](const QString &path) {
            watchManagers();
            if (path == "/setup.exe")
                events.append(path + (device->isAwaitingReply() ? " requested during" : " requested after"));
        });

        update->checkUpdates();
        watchManagers();
        QTRY_COMPARE(http->heldResponses(), 1);
        QTimer::singleShot(30, &*http, &TestHttpServer::release);
        QCOMPARE(device->sendProfilesToMouse(), MouseFunctions::UploadOk);
        QTRY_VERIFY(announced(available));

        QCOMPARE(events, QStringList({manifestPath("public") + " during", "upload finished",
                                      "/setup.exe requested after", "/setup.exe after"}));
        QVERIFY(readAll(downloadFolder() + "3.1.0.2.exe") == body);
    }

    void upgradeNowOpensTheInstallerAndQuits()
    {
        http->serve(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        http->serve("/setup.exe", installerBody());
        settings().setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        update->checkUpdates();
        QTRY_VERIFY(announced(available));
        update->updateStyle(false, 20);
        update->show();
        QVERIFY(QTest::qWaitForWindowExposed(update.get()));

        LogRecorder log;
        QTimer::singleShot(0, this, [this] { QVERIFY(WidgetDriver::click(update.get(), "pushButton_now")); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0); // quit() ends it

        QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(downloadFolder() + "3.1.0.2.exe")});
        QCOMPARE(settings().value("HasBeenOpenedSinceInstallOrUpgrade").toString(), QString("false"));
        QVERIFY(log.contains("SWUpdate: upgrade started"));
    }

    void refusedOpenRunsTheManualCheck_data()
    {
        QTest::addColumn<bool>("online");
        QTest::newRow("online: checks again") << true;
        QTest::newRow("offline: could not connect") << false;
    }

    void refusedOpenRunsTheManualCheck()
    {
        QFETCH(bool, online);
        QVERIFY(QDir().mkpath(downloadFolder()));
        QVERIFY(writeFile(downloadFolder() + "3.1.0.2.exe", "installer"));
        http->serve(manifestPath("public"), manifest("3.1.0.2", http->url("/setup.exe").toString()));
        settings().setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
        makeUpdate();
        QSignalSpy available(update.get(), &SWUpdate::updatesAvailable);
        update->checkUpdates();
        QTRY_VERIFY(announced(available));
        update->show();
        setOnline(online);

        // The desktop reports a failure only when its handler cannot be
        // called: this one has no such slot.
        QObject refusing;
        QDesktopServices::setUrlHandler("file", &refusing, "noSuchSlot");
        QString boxText;
        DialogAnswerer answer(
            [&boxText](QWidget *dialog) {
                if (auto *label = WidgetDriver::child<QLabel>(dialog, "label_text"))
                    boxText = label->text();
                WidgetDriver::click(dialog, "pushButton_yes");
            },
            online ? 300 : 5000);
        QVERIFY(WidgetDriver::click(update.get(), "pushButton_now"));
        QDesktopServices::setUrlHandler("file", &desktop, "open");

        QCOMPARE(answer.answered(), !online);
        if (online) {
            QTRY_COMPARE(http->requestCount(manifestPath("public")), 2);
        } else {
            QVERIFY(boxText.contains(
                "Error<br>Could not connect.<br>Please ensure that you are connected to the internet."));
            QCOMPARE(http->requestCount(manifestPath("public")), 1);
        }
        QCOMPARE(settings().value("HasBeenOpenedSinceInstallOrUpgrade").toBool(), true);
        QVERIFY(QFile::exists(downloadFolder() + "3.1.0.2.exe"));
    }

    void upgradeLaterHidesTheDialog()
    {
        makeUpdate();
        update->show();
        QVERIFY(QTest::qWaitForWindowExposed(update.get()));
        QVERIFY(WidgetDriver::click(update.get(), "pushButton_later"));
        QVERIFY(update->isHidden());
        QVERIFY(desktop.opened.isEmpty());
    }

    void dialogIsStyledForTheView_data()
    {
        QTest::addColumn<bool>("simpleMode");
        QTest::addColumn<int>("mousePID");
        QTest::addColumn<QString>("releaseChannel");
        QTest::addColumn<QString>("modelKey");
        QTest::addColumn<QString>("linkColour");
        QTest::addColumn<QString>("notes");

        QTest::newRow("simple-pelkin") << true << 20 << "Stable"
                                       << "pelkin"
                                       << "#b753ec" << changelogUrl;
        QTest::newRow("simple-tamsel") << true << 10 << "Stable"
                                       << "tamsel"
                                       << "red" << changelogUrl;
        QTest::newRow("simple-v-beta") << true << 30 << "Beta"
                                       << "v"
                                       << "#f6cc00" << betaChangelogUrl;
        QTest::newRow("expert") << false << 20 << "Stable" << QString() << "#ffd400" << changelogUrl;
        QTest::newRow("expert-beta") << false << 5 << "Beta" << QString() << "#ffd400" << betaChangelogUrl;
    }

    void dialogIsStyledForTheView()
    {
        QFETCH(bool, simpleMode);
        QFETCH(int, mousePID);
        QFETCH(QString, releaseChannel);
        QFETCH(QString, modelKey);
        QFETCH(QString, linkColour);
        QFETCH(QString, notes);

        qApp->setStyleSheet(standInStyle);
        settings().setValue("ReleaseChannel", releaseChannel);
        makeUpdate();
        update->updateStyle(simpleMode, mousePID);
        update->show();
        QVERIFY(QTest::qWaitForWindowExposed(update.get()));

        QCOMPARE(update->size(), QSize(400, 184));
        QVERIFY(update->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(update->isModal());
        auto *frame = WidgetDriver::child<QFrame>(update.get(), "frame");
        auto *label = WidgetDriver::child<QLabel>(update.get(), "label");
        auto *note = WidgetDriver::child<QLabel>(update.get(), "label_3");
        auto *link = WidgetDriver::child<QLabel>(update.get(), "label_url");
        auto *later = WidgetDriver::child<QPushButton>(update.get(), "pushButton_later");
        auto *now = WidgetDriver::child<QPushButton>(update.get(), "pushButton_now");
        QCOMPARE(label->text(), QString("A new driver release is ready to install!"));
        QCOMPARE(note->text(), QString("The driver will close and restart during installation."));
        QCOMPARE(later->text(), QString("Upgrade Later"));
        QCOMPARE(now->text(), QString("Upgrade Now"));
        QCOMPARE(link->text(), QString("<a href=\"%1\"><span style='color:%2;'>Click here to see what`s new</span></a>")
                                   .arg(notes, linkColour));

        QCOMPARE(frame->property("frame_type").toString(), QString(simpleMode ? "dialog_background" : "expert"));
        for (QWidget *widget : {static_cast<QWidget *>(label), static_cast<QWidget *>(note)})
            QCOMPARE(widget->property("label_type").toString(), QString(simpleMode ? "dialog" : ""));
        for (QWidget *widget : {static_cast<QWidget *>(later), static_cast<QWidget *>(now)})
            QCOMPARE(widget->property("button_type").toString(), QString(simpleMode ? "common" : "expert"));
        if (simpleMode) {
            for (QWidget *widget : std::initializer_list<QWidget *>{frame, label, note, later, now})
                QCOMPARE(widget->property("m").toString(), modelKey);
        }

        QVERIFY(!WidgetDriver::grabToPng(update.get(), "swupdate-" + QString(QTest::currentDataTag())).isEmpty());

        // The link opens the channel's release notes in the browser.
        QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl(notes)});
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestSWUpdate)
#include "tst_swupdate.moc"
