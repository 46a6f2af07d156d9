// The installed programs of the desktop: application entries in the user's
// and the system's applications folders, read as the lists of installed
// programs, and the entry format's own rules (escapes, Exec quoting, field
// codes). Damaged and hostile files are skipped without holding the scan up.
#include "DesktopEntry.h"
#include "DesktopEntryRegistry.h"
#include "InstalledPrograms.h"
#include "ScanFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using ScanFixture::described;
using ScanFixture::writeFile;

namespace {

QByteArray entry(const QByteArray &lines)
{
    return "[Desktop Entry]\nType=Application\n" + lines;
}

} // namespace

class TestDesktopEntries : public QObject
{
    Q_OBJECT

    QTemporaryDir root;
    QString user;   // the user's applications folder
    QString first;  // the first system one
    QString second; // the second system one
    QString elsewhere;

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        qputenv("XDG_DATA_HOME", root.filePath("home").toUtf8());
        // A relative entry counts for nothing.
        qputenv("XDG_DATA_DIRS", (root.filePath("one") + "::relative:" + root.filePath("two") + "/").toUtf8());
        user = root.filePath("home/applications");
        first = root.filePath("one/applications");
        second = root.filePath("two/applications");
        elsewhere = root.filePath("elsewhere");
        QCOMPARE(DesktopEntryRegistry::userApplicationsFolder(), user);
        QCOMPARE(DesktopEntryRegistry::systemApplicationsFolders(), (QStringList{first, second}));
    }

    void entriesBecomeInstalledPrograms()
    {
        // The user's copy hides the system's entry of the same id.
        QVERIFY(writeFile(user + "/editor.desktop",
                          entry("# Name=Commented out\nName = Editor\nName[de]=Bearbeiter\nIcon=accessories-editor\n"
                                "Exec=\"/opt/My Editor/bin/editor\" --new-window %U\n"
                                "[Desktop Action New]\nName=New Window\nExec=/other/place %f\n")));
        QVERIFY(writeFile(first + "/editor.desktop", entry("Name=System Editor\nExec=/usr/bin/editor\n")));
        // Path before the program's folder; TryExec before Exec.
        QVERIFY(writeFile(first + "/game.desktop",
                          entry("Name=Game\nTryExec=/usr/games/game\nExec=launcher %f\nPath=/srv/game\n")));
        QVERIFY(writeFile(first + "/tool.desktop", entry("Name=Tool\r\nTryExec=/usr/lib/tool/run\r\nExec=tool\r\n")));
        QVERIFY(writeFile(first + "/relative.desktop", entry("Name=Relative\nExec=relprog --x\n")));
        QVERIFY(writeFile(first + "/escaped.desktop",
                          entry("Name=Escaped\\sName\nExec=\"/opt/Quote \\\\\"Q\\\\\" App/run\" \"%%\"\n")));
        QVERIFY(writeFile(first + "/noexec.desktop", entry("Name=No program\n")));
        QVERIFY(writeFile(first + "/nodisplay.desktop", entry("Name=Not shown\nExec=x\nNoDisplay=true\n")));
        QVERIFY(writeFile(first + "/hidden.desktop", entry("Name=Deleted\nExec=x\nHidden=true\n")));
        QVERIFY(writeFile(first + "/link.desktop", "[Desktop Entry]\nType=Link\nName=A link\nExec=x\nURL=http://x\n"));
        QVERIFY(writeFile(first + "/untyped.desktop", "[Desktop Entry]\nName=Untyped\nExec=x\n"));
        QVERIFY(writeFile(first + "/notes.txt", entry("Name=Not an entry file\nExec=x\n")));
        // Two entries of one name and no conflict make one record.
        QVERIFY(writeFile(first + "/viewer.desktop", entry("Name=Viewer\nExec=/usr/bin/viewer\n")));
        QVERIFY(writeFile(second + "/viewer-two.desktop", entry("Name=Viewer\nExec=/usr/bin/viewer\nIcon=viewer\n")));
        QVERIFY(writeFile(second + "/game.desktop", entry("Name=Second Game\nExec=/usr/bin/game2\n")));
        QVERIFY(writeFile(second + "/games/nested.desktop", entry("Name=Nested\nExec=/usr/bin/nested\n")));
        // A link is followed to a file inside the applications folders only.
        QVERIFY(writeFile(second + "/target.txt", entry("Name=Linked inside\nExec=/usr/bin/inside\n")));
        QVERIFY(QFile::link(second + "/target.txt", second + "/inside.desktop"));
        QVERIFY(writeFile(elsewhere + "/target.desktop", entry("Name=Linked outside\nExec=/usr/bin/outside\n")));
        QVERIFY(QFile::link(elsewhere + "/target.desktop", second + "/outside.desktop"));
        QVERIFY(QFile::link(elsewhere, second + "/linked-folder"));

        const Registry registry = DesktopEntryRegistry::read();
        QCOMPARE(
            described(InstalledPrograms::getInstalledPrograms(registry, false)),
            (QStringList{"Editor|/opt/My Editor/bin||0|accessories-editor", "Escaped Name|/opt/Quote \"Q\" App||2|",
                         "Game|/srv/game||2|", "Linked inside|/usr/bin||2|", "Nested|/usr/bin||2|", "Relative|||2|",
                         "Tool|/usr/lib/tool||2|", "Viewer|/usr/bin||2|viewer"}));
    }

    // Nothing of these is read, and none of them holds the scan up.
    void damagedAndHostileFilesAreSkipped()
    {
        QVERIFY(QDir(root.filePath("home")).removeRecursively());
        QVERIFY(QDir(root.filePath("one")).removeRecursively());
        QVERIFY(QDir(root.filePath("two")).removeRecursively());
        QVERIFY(writeFile(first + "/good.desktop", entry("Name=Good\nExec=/usr/bin/good\n")));
        QVERIFY(writeFile(first + "/garbage.desktop", QByteArray("\x00\xff\xfe[Desk\x00top Entry]\n=\n\\", 15)));
        QVERIFY(writeFile(first + "/nogroup.desktop", "Name=No group\nExec=/usr/bin/x\n"));
        QVERIFY(writeFile(first + "/late.desktop", "[Other]\nName=Late\n[Desktop Entry]\nName=Late\nExec=/a\n"
                                                   "Type=Application\n[Desktop Entry]\nName=Again\n"));
        QVERIFY(writeFile(first + "/quote.desktop", entry("Name=Broken quote\nExec=\"/usr/bin/x --y\n")));
        QVERIFY(writeFile(first + "/empty.desktop", ""));
        QByteArray big = entry("Name=Big\nExec=/usr/bin/big\n");
        big.append(QByteArray(int(DesktopEntry::maximumFileSize) - big.size() + 1, '#'));
        QVERIFY(writeFile(first + "/big.desktop", big));
        QByteArray largest = entry("Name=Largest\nExec=/usr/bin/largest\n#");
        largest.append(QByteArray(int(DesktopEntry::maximumFileSize) - largest.size(), '#'));
        QVERIFY(writeFile(first + "/largest.desktop", largest));
        // (The superuser reads every file.)
        if (::geteuid() != 0) {
            QVERIFY(writeFile(first + "/unreadable.desktop", entry("Name=Unreadable\nExec=/usr/bin/x\n")));
            QVERIFY(QFile::setPermissions(first + "/unreadable.desktop", QFileDevice::WriteOwner));
        }
        // A pipe would wait for a writer; a device never ends.
        QVERIFY(::mkfifo(QFile::encodeName(first + "/pipe.desktop").constData(), 0600) == 0);
        QVERIFY(QFile::link(first + "/pipe.desktop", first + "/pipe-link.desktop"));
        QVERIFY(QFile::link("/dev/zero", first + "/zero.desktop"));
        QVERIFY(QFile::link(first + "/loop.desktop", first + "/loop.desktop"));
        QVERIFY(QFile::link(first, first + "/loop"));
        QVERIFY(writeFile(first + "/back\\slash.desktop", entry("Name=Backslash\nExec=/usr/bin/x\n")));

        QElapsedTimer clock;
        clock.start();
        const Registry registry = DesktopEntryRegistry::read();
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(described(InstalledPrograms::getInstalledPrograms(registry, false)),
                 (QStringList{"Good|/usr/bin||2|", "Largest|/usr/bin||2|", "Late|/||2|"}));
        QVERIFY(!DesktopEntry::readFile(first + "/pipe.desktop"));
        QVERIFY(!DesktopEntry::readFile("/dev/zero"));
        QVERIFY(DesktopEntry::readFile(first + "/largest.desktop"));
    }

    void execArguments_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("plain") << "/usr/bin/app --flag" << QStringList{"/usr/bin/app", "--flag"};
        QTest::newRow("field codes") << "app %f %U --name=%c %% 100%" << QStringList{"app", "--name=", "%", "100%"};
        QTest::newRow("quoted") << "\"/opt/My App/run\" \"a b\" \"\"" << QStringList{"/opt/My App/run", "a b", ""};
        QTest::newRow("quoted escapes") << "\"say \\\"hi\\\" \\$HOME \\`x\\` \\\\ \\n\""
                                        << QStringList{"say \"hi\" $HOME `x` \\ \\n"};
        QTest::newRow("quotes inside an argument") << "--path=\"/a b\"/c" << QStringList{"--path=/a b/c"};
        QTest::newRow("blanks around") << "  app   x  " << QStringList{"app", "x"};
        QTest::newRow("broken quote") << "app \"x" << QStringList();
        QTest::newRow("empty") << "" << QStringList();
    }
    void execArguments()
    {
        QFETCH(QString, exec);
        QFETCH(QStringList, arguments);
        QCOMPARE(DesktopEntry::splitExec(exec), arguments);
    }

    // String escapes resolve before Exec's own quoting rules apply.
    void valuesResolveEscapes()
    {
        const DesktopEntry parsed = DesktopEntry::parse(
            "[Desktop Entry]\nName=a\\sb\\tc\\nd\\re\\\\f\\;g\\\nExec=\"/x \\\\\"y\\\\\"\" %F\nHidden=True\n");
        QVERIFY(parsed.isValid());
        QCOMPARE(parsed.value("Name"), QString("a b\tc\nd\re\\f\\;g\\"));
        QCOMPARE(parsed.execArguments(), QStringList{"/x \"y\""});
        QVERIFY(!parsed.isTrue("Hidden"));
        QCOMPARE(parsed.value("Missing"), QString());
    }
};

QTEST_GUILESS_MAIN(TestDesktopEntries)
#include "tst_desktopentries.moc"
