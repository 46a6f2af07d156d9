// What the software update may fetch from and what it names the installer:
// the server's address and its stand-ins, the addresses of installers and
// redirects, and the file name built from the manifest.
#include "SharedConstants.h"
#include "UpdateManifest.h"
#include "UpdateServer.h"

#include "LogRecorder.h"

#include <QtTest>

class TestUpdateServer : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY(UpdateServer::setBase(QString()));
        qunsetenv(UpdateServer::environmentVariable);
    }

    void onlyHttpsOrLocalHttpReplacesTheServer_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("accepted");

        QTest::newRow("https") << "https://updates.example.org" << true;
        QTest::newRow("https on 127.0.0.1") << "https://127.0.0.1:8443" << true;
        QTest::newRow("http on 127.0.0.1") << "http://127.0.0.1:8080" << true;
        QTest::newRow("http on 127.0.0.1 with a path") << "http://127.0.0.1:8080/mirror/" << true;
        QTest::newRow("http on localhost") << "http://localhost:8080" << false;
        QTest::newRow("http elsewhere") << "http://updates.example.org" << false;
        QTest::newRow("http on 127.0.0.2") << "http://127.0.0.2" << false;
        QTest::newRow("ftp") << "ftp://127.0.0.1" << false;
        QTest::newRow("file") << "file:///tmp/updates" << false;
        QTest::newRow("no host") << "https://" << false;
        QTest::newRow("no scheme") << "127.0.0.1:8080" << false;
        QTest::newRow("user name") << "https://someone@updates.example.org" << false;
        QTest::newRow("query") << "https://updates.example.org/?channel=beta" << false;
    }

    void onlyHttpsOrLocalHttpReplacesTheServer()
    {
        QFETCH(QString, address);
        QFETCH(bool, accepted);

        QCOMPARE(UpdateServer::base(), QUrl(updateServerUrl));
        QCOMPARE(UpdateServer::setBase(address), accepted);
        QCOMPARE(UpdateServer::base(), QUrl(accepted ? address : updateServerUrl));

        qputenv(UpdateServer::environmentVariable, address.toUtf8());
        QVERIFY(UpdateServer::setBase(QString()));
        QCOMPARE(UpdateServer::base(), QUrl(accepted ? address : updateServerUrl));
        // The process's own choice wins over the environment.
        QVERIFY(UpdateServer::setBase("https://127.0.0.1:9"));
        QCOMPARE(UpdateServer::base(), QUrl("https://127.0.0.1:9"));
    }

    void refusedEnvironmentIsLoggedOnce()
    {
        LogRecorder log;
        qputenv(UpdateServer::environmentVariable, "http://mirror.example.org");
        QCOMPARE(UpdateServer::base(), QUrl(updateServerUrl));
        QCOMPARE(UpdateServer::base(), QUrl(updateServerUrl));
        QCOMPARE(log.count("SWUpdate: R7_UPDATE_SERVER ignored"), 1);
    }

    void fetchedAddressesStayOnHttps_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("accepted");

        QTest::newRow("https anywhere") << ""
                                        << "https://downloads.example.org/setup.exe" << true;
        QTest::newRow("http under the https server") << ""
                                                     << "http://downloads.example.org/setup.exe" << false;
        QTest::newRow("local http under the https server") << ""
                                                           << "http://127.0.0.1:8080/setup.exe" << false;
        QTest::newRow("local http under a local https server") << "https://127.0.0.1:8443"
                                                               << "http://127.0.0.1:8080/setup.exe" << false;
        QTest::newRow("local http under a local http server") << "http://127.0.0.1:8080"
                                                              << "http://127.0.0.1:8081/setup.exe" << true;
        QTest::newRow("other http under a local http server") << "http://127.0.0.1:8080"
                                                              << "http://localhost:8080/setup.exe" << false;
        QTest::newRow("https under a local http server") << "http://127.0.0.1:8080"
                                                         << "https://downloads.example.org/setup.exe" << true;
        QTest::newRow("no host") << ""
                                 << "https:///setup.exe" << false;
        QTest::newRow("file") << ""
                              << "file:///tmp/setup.exe" << false;
        QTest::newRow("relative") << ""
                                  << "/setup.exe" << false;
    }

    void fetchedAddressesStayOnHttps()
    {
        QFETCH(QString, base);
        QFETCH(QString, address);
        QFETCH(bool, accepted);
        QVERIFY(UpdateServer::setBase(base));
        QCOMPARE(UpdateServer::isAcceptedAddress(QUrl(address)), accepted);
    }

    void manifestAddressFollowsTheBase()
    {
        QCOMPARE(UpdateServer::manifestUrl("public"),
                 QUrl("https://update.corvanelle.com/vesk/public/windows/R7Driver.json"));
        QVERIFY(UpdateServer::setBase("http://127.0.0.1:8080/mirror/"));
        QCOMPARE(UpdateServer::manifestUrl("beta"),
                 QUrl("http://127.0.0.1:8080/mirror/vesk/beta/windows/R7Driver.json"));
    }

    void installerNameTakesOnlyAPlainVersionAndAnInstallerSuffix_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("fileName"); // empty: refused

        const QString setup = "https://downloads.example.org/r7/setup.exe";
        QTest::newRow("four numbers, beta") << "3.1.0.2" << setup << "_Beta"
                                            << "3.1.0.2_Beta.exe";
        QTest::newRow("one number, deb") << "4"
                                         << "https://d.example.org/r7.deb"
                                         << ""
                                         << "4.deb";
        QTest::newRow("suffix of the file, not of the query")
            << "3.1"
            << "https://d.example.org/get/setup.exe?from=mirror.desktop"
            << ""
            << "3.1.exe";
        QTest::newRow("suffix in capitals") << "3.1"
                                            << "https://d.example.org/SETUP.EXE"
                                            << ""
                                            << "3.1.EXE";
        QTest::newRow("five numbers") << "1.2.3.4.5" << setup << ""
                                      << "";
        QTest::newRow("parent folder") << "../x" << setup << ""
                                       << "";
        QTest::newRow("folder inside") << "3.1/../../x" << setup << ""
                                       << "";
        QTest::newRow("letters") << "3.1.0-rc1" << setup << ""
                                 << "";
        QTest::newRow("other digits") << QString::fromUtf8("\u0663.\u0661") << setup << ""
                                      << "";
        QTest::newRow("trailing space") << "3.1 " << setup << ""
                                        << "";
        QTest::newRow("trailing line feed") << "3.1\n"
                                            << setup << ""
                                            << "";
        QTest::newRow("desktop entry") << "3.1"
                                       << "https://d.example.org/setup.desktop"
                                       << ""
                                       << "";
        QTest::newRow("script after the installer suffix") << "3.1"
                                                           << "https://d.example.org/setup.exe.sh"
                                                           << ""
                                                           << "";
        QTest::newRow("no suffix") << "3.1"
                                   << "https://d.example.org/exe"
                                   << ""
                                   << "";
        QTest::newRow("no file name") << "3.1"
                                      << "https://d.example.org/setup/"
                                      << ""
                                      << "";
    }

    void installerNameTakesOnlyAPlainVersionAndAnInstallerSuffix()
    {
        QFETCH(QString, version);
        QFETCH(QString, url);
        QFETCH(QString, tag);
        QFETCH(QString, fileName);

        const UpdateManifest manifest{version, url};
        QString problem;
        QCOMPARE(manifest.installerFileName(tag, &problem), fileName);
        QCOMPARE(problem.isEmpty(), !fileName.isEmpty());
    }

    void manifestNeedsVersionAndUrlAsTexts_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("parsed");

        QTest::newRow("both, others ignored")
            << QByteArray("{\"version\":\"3.1\",\"url\":\"https://d/s.exe\",\"x\":1}") << true;
        QTest::newRow("no url") << QByteArray("{\"version\":\"3.1\"}") << false;
        QTest::newRow("empty version") << QByteArray("{\"version\":\"\",\"url\":\"https://d/s.exe\"}") << false;
        QTest::newRow("number version") << QByteArray("{\"version\":3.1,\"url\":\"https://d/s.exe\"}") << false;
        QTest::newRow("array") << QByteArray("[\"3.1\",\"https://d/s.exe\"]") << false;
        QTest::newRow("not JSON") << QByteArray("<html>moved</html>") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }

    void manifestNeedsVersionAndUrlAsTexts()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, parsed);
        const std::optional<UpdateManifest> manifest = UpdateManifest::parse(body);
        QCOMPARE(manifest.has_value(), parsed);
        if (parsed) {
            QCOMPARE(manifest->version, QString("3.1"));
            QCOMPARE(manifest->url, QString("https://d/s.exe"));
        }
    }
};

QTEST_GUILESS_MAIN(TestUpdateServer)
#include "tst_updateserver.moc"
