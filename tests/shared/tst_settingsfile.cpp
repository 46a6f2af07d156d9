#include "SettingsFile.h"
#include "SharedConstants.h"
#include "Version.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

#include <algorithm>
#include <climits>
#include <iterator>

class TestSettingsFile : public QObject
{
    Q_OBJECT

private:
    static QSettings *open() { return new QSettings(SettingsFile::path(), QSettings::IniFormat); }

private slots:
    void init()
    {
        QFile::remove(SettingsFile::path());
        QFile::remove(SettingsFile::channelIniPath());
    }

    void pathsNameTheApplicationFolder()
    {
        QCoreApplication::setApplicationName("Corvanelle R7 Control Panel");
        QCOMPARE(SettingsFile::path(), SettingsFile::pathBeforeApplication());
        QVERIFY(SettingsFile::path().endsWith("/Corvanelle R7 Control Panel/settings.ini"));
    }

    void missingFileAndKeyReadAsDefaults()
    {
        QScopedPointer<QSettings> settings(open());
        QCOMPARE(settings->value("EnableHighDpiScaling", true).toBool(), true);
        QCOMPARE(settings->value("LastMouseConnected", 0).toInt(), 0);
        settings->setValue("ExpertView", true);
        settings->sync();
        QScopedPointer<QSettings> again(open());
        QCOMPARE(again->value("ExpertView", false).toBool(), true);
        QCOMPARE(again->value("AutoUpdate", true).toBool(), true);
        QCOMPARE(again->value("NumberOfBackups", 5).toInt(), 5);
        QVERIFY(!again->contains("AutoUpdate")); // a read with a default writes nothing back
    }

    void valuesReadBackThroughConversion()
    {
        {
            QScopedPointer<QSettings> settings(open());
            settings->setValue("RecheckAppSwitchTimeout", QString("3"));
            settings->setValue("IgnoredApps", QStringList{"a.exe", "", "b.exe"});
            settings->setValue("LastMouseConnected", QString("not a number"));
        }
        QScopedPointer<QSettings> settings(open());
        QCOMPARE(settings->value("RecheckAppSwitchTimeout", 1).toInt(), 3);
        QCOMPARE(settings->value("IgnoredApps").toStringList(), (QStringList{"a.exe", "", "b.exe"}));
        QCOMPARE(settings->value("LastMouseConnected", 0).toInt(), 0);
    }

    // Every integer key: a number is clamped to the key's range, an absent
    // key gives the readers' default, text reads as the toolkit reads it (0)
    // but for the backup count, and nothing is written back.
    void integerKeysReadClampedToTheirRange_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        const struct
        {
            const char *key;
            int fallback;
            int unreadable;
            int minimum;
            int maximum;
            int inRange;
        } keys[] = {
            {"LastMouseConnected", 0, 0, 0, 0xFFFF, 20},
            {"RecheckAppSwitchTimeout", 1, 0, 0, 5, 3},
            {"NumberOfBackups", 5, 5, 0, INT_MAX, 3},
        };
        for (const auto &k : keys) {
            auto row = [&](const char *name, const QVariant &stored, int expected) {
                QTest::addRow("%s %s", k.key, name) << QString(k.key) << stored << expected;
            };
            row("absent", QVariant(), k.fallback);
            row("in range", QString::number(k.inRange), k.inRange);
            row("least int", QString::number(INT_MIN), k.minimum);
            row("greatest int", QString::number(INT_MAX), k.maximum);
            row("minus one", QString("-1"), k.minimum);
            row("past int", QString("99999999999"), k.maximum);
            row("text", QString("lots"), k.unreadable);
            row("fraction", QString("2.5"), k.unreadable);
        }
    }

    void integerKeysReadClampedToTheirRange()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        if (stored.isValid())
            QScopedPointer<QSettings>(open())->setValue(key, stored);
        const SettingsFile::IntegerKey integerKeys[] = {SettingsFile::lastMouseConnectedKey,
                                                        SettingsFile::recheckAppSwitchTimeoutKey,
                                                        SettingsFile::numberOfBackupsKey};
        const auto found = std::find_if(std::begin(integerKeys), std::end(integerKeys),
                                        [&](const SettingsFile::IntegerKey &k) { return key == k.name; });
        QVERIFY(found != std::end(integerKeys));
        QScopedPointer<QSettings> settings(open());
        QCOMPARE(SettingsFile::readInteger(*settings, *found), expected);
        QCOMPARE(settings->value(key), stored);
    }

    void firstStartWritesTheFirstRunKeys()
    {
        QFile channelIni(SettingsFile::channelIniPath());
        QDir().mkpath(SettingsFile::folder());
        QVERIFY(channelIni.open(QIODevice::WriteOnly));
        channelIni.write("[General]\nIsBetaChannel=true\n");
        channelIni.close();

        SettingsFile::writeStartupDefaults(SettingsFile::ChannelBeta);
        QScopedPointer<QSettings> settings(open());
        const QStringList expected = {"AdminAppDetection", "AutoUpdate", "EnableHighDpiScaling",
                                      "ExpertAddRelease", "ExpertView", "ExpertViewShowPressRelease",
                                      "ExpertViewSideBySide", "HasDoneCalibration", "R7API",
                                      "SetActiveAsViewed", "SetViewedAsActive", "ShowGlobal",
                                      "ShowIntroOnLaunch", "VerboseLogging"};
        QCOMPARE(settings->allKeys(), expected);
        QCOMPARE(settings->value("AutoUpdate").toBool(), true);
        QCOMPARE(settings->value("ShowIntroOnLaunch").toBool(), true);
        QCOMPARE(settings->value("ExpertView").toBool(), false);
        QVERIFY(QFile::exists(SettingsFile::channelIniPath()));
    }

    void laterStartFillsInMissingKeys()
    {
        {
            QScopedPointer<QSettings> settings(open());
            settings->setValue("HasBeenRunBefore", true);
            settings->setValue("SetViewedAsActive", false);
        }
        QDir().mkpath(SettingsFile::folder());
        QFile channelIni(SettingsFile::channelIniPath());
        QVERIFY(channelIni.open(QIODevice::WriteOnly));
        channelIni.close();

        SettingsFile::writeStartupDefaults(SettingsFile::ChannelBeta);
        QScopedPointer<QSettings> settings(open());
        QCOMPARE(settings->value("ReleaseChannel").toString(), QString("Beta"));
        QCOMPARE(settings->value("ExpertAddRelease").toBool(), true);
        QCOMPARE(settings->value("SetViewedAsActive").toBool(), false);
        QCOMPARE(settings->value("SetActiveAsViewed").toBool(), true);
        QVERIFY(!settings->contains("AutoUpdate"));
        QVERIFY(!QFile::exists(SettingsFile::channelIniPath()));
    }

    void channelIniSelectsTheChannel_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("kept");
        QTest::newRow("beta") << QByteArray("[General]\nIsBetaChannel=true\nIsAlphaChannel=true\n")
                              << int(SettingsFile::ChannelBeta) << true;
        QTest::newRow("alpha") << QByteArray("[General]\nIsAlphaChannel=true\n") << int(SettingsFile::ChannelAlpha)
                               << true;
        QTest::newRow("neither") << QByteArray("[General]\nIsBetaChannel=false\nIsAlphaChannel=false\n") << 0 << false;
    }

    void channelIniSelectsTheChannel()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, channel);
        QFETCH(bool, kept);
        QCOMPARE(SettingsFile::channelFromChannelIni(), 0);
        QDir().mkpath(SettingsFile::folder());
        QFile file(SettingsFile::channelIniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.flush();
        // QSettings keeps a parsed file until its size or time changes: the
        // rows' files differ in size, and each gets a time of its own too.
        static int written = 0;
        QVERIFY(file.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)).addSecs(++written),
                                 QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(SettingsFile::channelFromChannelIni(), channel);
        QCOMPARE(QFile::exists(SettingsFile::channelIniPath()), kept);
    }

    void sharedConstantsHoldTheirTexts()
    {
        QCOMPARE(versionString, QString("3.0.9.1"));
        QCOMPARE(requiredFirmwareBuild, QString("000208"));
        QCOMPARE(languages.size(), 8);
        QCOMPARE(languages.first(), QString("Auto"));
        QVERIFY(!contentLanguages.contains("en"));
        QCOMPARE(productName, QString("Corvanelle R7 Control Panel"));
        QCOMPARE(globalProfileName, QString("Global"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
