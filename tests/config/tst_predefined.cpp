#include "Predefined.h"
#include "ProgramFolder.h"
#include "SettingsFile.h"
#include "StoreFixture.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using StoreFixture::writeFile;

class TestPredefined : public QObject
{
    Q_OBJECT

    QTemporaryDir program;
    QString profiles;

private slots:
    // A program folder with four predefined folders: one as the catalogue
    // examples have it, one naming its profile on a later line, one without
    // a bundle id, one without "info.txt"; and a plain file beside them.
    void initTestCase()
    {
        QVERIFY(program.isValid());
        ProgramFolder::setPath(program.path());
        profiles = program.path() + "/profiles/";
        QCOMPARE(Predefined::profilesFolder(), profiles);
        QVERIFY(writeFile(profiles + "b-game/info.txt", "Name=Game One\nBundleID=GameOne\nMouseSupport=5, 10,x\n"));
        QVERIFY(writeFile(profiles + "b-game/logo.png", "predefined logo"));
        QVERIFY(writeFile(profiles + "A-late/info.txt", "BundleID=Late\r\nName= Late Name \r\nOther=1\r\n"));
        QVERIFY(writeFile(profiles + "c-plain/info.txt", "Name=Plain\nMouseSupport=20\nMouseSupport=30\n"));
        QVERIFY(writeFile(profiles + "d-noinfo/profile.kvlf", "{}"));
        QVERIFY(writeFile(profiles + "e-file.txt", "Name=Not a folder\n"));
    }
    void cleanupTestCase() { ProgramFolder::setPath(QString()); }

    void catalogueReadsInfoFiles()
    {
        const QList<PredefinedProfileInfo> infos = Predefined().profileInfos();
        QCOMPARE(infos.size(), 3);
        QCOMPARE(infos.at(0).name, QString("Late Name"));
        QCOMPARE(infos.at(0).bundleId, QString("Late"));
        QCOMPARE(infos.at(1).name, QString("Game One"));
        QCOMPARE(infos.at(1).bundleId, QString("GameOne"));
        QCOMPARE(infos.at(1).mouseSupport, (QList<int>{5, 10, 0}));
        QCOMPARE(infos.at(2).name, QString("Plain"));
        QVERIFY(infos.at(2).bundleId.isEmpty());
        QCOMPARE(infos.at(2).mouseSupport, (QList<int>{20, 30}));
    }

    // An entry without a bundle id matches no program at all.
    void nameForProgram_data()
    {
        QTest::addColumn<QString>("displayName");
        QTest::addColumn<QString>("name");
        QTest::newRow("bundle id inside") << "GameOne Deluxe 2"
                                          << "Game One";
        QTest::newRow("other case") << "gameone"
                                    << "";
        QTest::newRow("first entry wins") << "Late GameOne"
                                          << "Late Name";
        QTest::newRow("no bundle id matches nothing") << "Text Editor"
                                                      << "";
        QTest::newRow("empty display name") << ""
                                            << "";
    }
    void nameForProgram()
    {
        QFETCH(QString, displayName);
        QFETCH(QString, name);
        QCOMPARE(Predefined().nameForProgram(displayName), name);
    }

    void predefinedFolderByFirstLine()
    {
        QCOMPARE(Predefined::predefinedFolder("Game One"), profiles + "b-game");
        QCOMPARE(Predefined::predefinedFolder("Plain"), profiles + "c-plain");
        QCOMPARE(Predefined::predefinedFolder("Late Name"), QString());
        QCOMPARE(Predefined::predefinedFolder("game one"), QString());
        QCOMPARE(Predefined::predefinedFolder("Not a folder"), QString());
    }

    // The user's own logo first, then the predefined folder's; links and
    // folders named like a logo do not count.
    void logoFilePrefersTheUsersOwn()
    {
        QCOMPARE(Predefined::logoFile("Game One"), profiles + "b-game/logo.png");
        const QString own = Predefined::userProfilePath("Game One");
        QVERIFY(writeFile(own + "/logo.jpg", "own logo"));
        QCOMPARE(Predefined::logoFile("Game One"), own + "/logo.jpg");

        const QString plain = Predefined::userProfilePath("Plain");
        QVERIFY(QDir().mkpath(plain + "/logo.dir"));
        QVERIFY(QFile::link(own + "/logo.jpg", plain + "/logo.lnk"));
        QCOMPARE(Predefined::logoFile("Plain"), QString());
        QCOMPARE(Predefined::logoFile("Nobody"), QString());
        QCOMPARE(Predefined::userProfileFile("Plain"), plain + "/profile.kvlf");
    }

    // Every name has its own folder directly inside "Profiles": none reaches
    // above it or names it, and an ordinary name is the folder's name.
    void userFoldersStayInsideProfiles()
    {
        const QString root = SettingsFile::folder() + "/Profiles";
        const QStringList names{
            "..", ".", "", "a/b", "%2F", "Game", "/", "../..", ".hidden", "a%b", QString("nul") + QChar(0) + "x",
            "nul"};
        const auto entries = [&root] { return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden); };
        const int before = entries().size();
        QSet<QString> folders;
        for (const QString &name : names) {
            const QString path = Predefined::userProfilePath(name);
            const QFileInfo info(path);
            QCOMPARE(info.absolutePath(), root);
            QVERIFY2(info.fileName() != "." && info.fileName() != ".." && !info.fileName().isEmpty(), qPrintable(path));
            QVERIFY2(QDir().mkpath(path), qPrintable(path));
            QCOMPARE(QFileInfo(path).canonicalPath(), QFileInfo(root).canonicalFilePath());
            folders.insert(path);
        }
        QCOMPARE(folders.size(), names.size());
        QCOMPARE(Predefined::userProfilePath("Game"), root + "/Game");
        QCOMPARE(entries().size(), before + names.size());
    }

    // The folders read once for many names find what predefinedFolder() and
    // logoFile() find one name at a time: the first folder of a name in
    // catalogue order, the user's own logo first.
    void foldersReadOnceFindTheSame()
    {
        QVERIFY(writeFile(profiles + "f-twin/info.txt", "Name=Game One\n"));
        QVERIFY(writeFile(profiles + "f-twin/logo.png", "twin logo"));
        QVERIFY(writeFile(profiles + "g-unnamed/info.txt", "Name=\n"));
        QVERIFY(writeFile(profiles + "g-unnamed/logo.gif", "unnamed logo"));
        const QHash<QString, QString> folders = Predefined::predefinedFolders();
        for (const QString &name :
             QStringList{"Game One", "Plain", "Late Name", "game one", "Not a folder", "Nobody", ""}) {
            QCOMPARE(folders.value(name), Predefined::predefinedFolder(name));
            QCOMPARE(Predefined::logoFile(name, folders), Predefined::logoFile(name));
        }
        QCOMPARE(folders.value("Game One"), profiles + "b-game");
        QCOMPARE(Predefined::logoFile("", folders), profiles + "g-unnamed/logo.gif");
        QVERIFY(QDir(profiles + "f-twin").removeRecursively());
        QVERIFY(QDir(profiles + "g-unnamed").removeRecursively());
    }
};

QTEST_GUILESS_MAIN(TestPredefined)
#include "tst_predefined.moc"
