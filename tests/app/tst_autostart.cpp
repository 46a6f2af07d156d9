#include "Autostart.h"
#include "FileSizeLimit.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The arguments a desktop reads from an Exec value: string escapes first
// (\s \n \t \r \\), then the quoting (\" \` \$ \\ inside double quotes),
// then %% as one %.
QStringList execArguments(const QString &value)
{
    QString unescaped;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != '\\' || i + 1 == value.size()) {
            unescaped += c;
            continue;
        }
        const QChar next = value.at(++i);
        if (next == 's')
            unescaped += ' ';
        else if (next == 'n')
            unescaped += '\n';
        else if (next == 't')
            unescaped += '\t';
        else if (next == 'r')
            unescaped += '\r';
        else if (next == '\\')
            unescaped += '\\';
        else
            unescaped += QString(c) + next;
    }
    QStringList arguments;
    QString argument;
    bool quoted = false;
    bool started = false;
    for (int i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped.at(i);
        if (quoted && c == '\\' && i + 1 < unescaped.size()) {
            argument += unescaped.at(++i);
        } else if (c == '"') {
            quoted = !quoted;
            started = true;
        } else if (c == ' ' && !quoted) {
            if (started)
                arguments << argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
            argument.clear();
            started = false;
        } else {
            argument += c;
            started = true;
        }
    }
    if (started)
        arguments << argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return arguments;
}

} // namespace

class TestAutostart : public QObject
{
    Q_OBJECT

private slots:
    void execLineKeepsTheExecutableWhole_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::newRow("plain") << "/usr/bin/Corvanelle R7 Control Panel";
        QTest::newRow("quote, grave accent, dollar") << "/opt/a \"b\" `c` $HOME/d";
        QTest::newRow("backslashes") << "/opt/back\\slash\\\\twice";
        QTest::newRow("percent") << "/opt/100%/%f";
        QTest::newRow("newline") << "/opt/line\nbreak/app";
        QTest::newRow("tab and carriage return") << "/opt/tab\there/cr\rhere";
    }
    void execLineKeepsTheExecutableWhole()
    {
        QFETCH(QString, executable);
        const QString line = Autostart::execLine(executable, "hide");
        QVERIFY2(!line.contains('\n') && !line.contains('\r') && !line.contains('\t'), qPrintable(line));
        QCOMPARE(execArguments(line), QStringList({executable, "hide"}));
    }

    void execLineEscapesAsTheFileFormatRequires()
    {
        QCOMPARE(Autostart::execLine("/a\"b$c`d\\e%f\ng", "hide"),
                 QString("\"/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f\\ng\" hide"));
    }

    void entryIsOneLinePerKey()
    {
        QVERIFY(Autostart::registerEntry("Panel", "/opt/two\nlines", "hide"));
        QFile entry(Autostart::entryPath("Panel"));
        QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(3), "Exec=" + Autostart::execLine("/opt/two\nlines", "hide"));
    }

    void entryNamesTheIconWhenGiven()
    {
        QVERIFY(Autostart::registerEntry("Iconic", "/usr/bin/app", "hide", "corvanelle-r7"));
        QFile entry(Autostart::entryPath("Iconic"));
        QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.filter("Icon="), QStringList{"Icon=corvanelle-r7"});
        QCOMPARE(lines.size(), 6);
    }

    // Installed, the entry starts the program through the command on the
    // PATH; anything else of that name is not the program.
    void entryStartsTheInstalledCommand_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("command"); // what bin/corvanelle-r7 is
        QTest::addColumn<bool>("used");
        const auto row = [](const char *name, const QString &folder, const QString &command, bool used) {
            QTest::newRow(name) << folder << command << used;
        };
        const QString installed = QStringLiteral("lib/corvanelle-r7");
        const QString deeper = QStringLiteral("lib/x86_64-linux-gnu/corvanelle-r7");
        row("relative link, as installed", installed, "link:../" + installed + "/Corvanelle R7 Control Panel", true);
        row("absolute link", installed, "link:<program>", true);
        row("deeper program folder", deeper, "link:../" + deeper + "/Corvanelle R7 Control Panel", true);
        row("no command", installed, "", false);
        row("link to another program", installed, "link:../lib/other/app", false);
        row("a copy of the program", installed, "copy", false);
    }
    void entryStartsTheInstalledCommand()
    {
        QFETCH(QString, programFolder);
        QFETCH(QString, command);
        QFETCH(bool, used);
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        const QString program = prefix.filePath(programFolder + "/Corvanelle R7 Control Panel");
        const QString other = prefix.filePath("lib/other/app");
        for (const QString &file : {program, other}) {
            QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
            QFile created(file);
            QVERIFY(created.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir().mkpath(prefix.filePath("bin")));
        const QString path = prefix.filePath("bin/corvanelle-r7");
        if (command.startsWith("link:"))
            QVERIFY(QFile::link(command.mid(5).replace("<program>", program), path));
        else if (command == "copy")
            QVERIFY(QFile::copy(program, path));

        QVERIFY(Autostart::registerEntry("Installed", program, "hide"));
        QFile entry(Autostart::entryPath("Installed"));
        QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList exec = QString::fromUtf8(entry.readAll()).split('\n').filter(QRegularExpression("^Exec="));
        QCOMPARE(exec.size(), 1);
        QCOMPARE(execArguments(exec.at(0).mid(5)), QStringList({used ? path : program, "hide"}));
    }

    // A full disk: the entry is not written at all rather than cut short.
    void entryThatCannotBeWrittenWholeIsNotWritten()
    {
        const QString path = Autostart::entryPath("Cut");
        QVERIFY(!QFile::exists(path));
        bool written = true;
        {
            FileSizeLimit full(40);
            QVERIFY(full.isSet());
            written = Autostart::registerEntry("Cut", "/usr/bin/app", "hide");
        }
        QVERIFY(!written);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
