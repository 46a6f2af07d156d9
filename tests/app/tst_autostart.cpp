#include "Autostart.h"
#include "FileSizeLimit.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A string value as a desktop reads it: \s \n \t \r \\ unescaped.
QString unescapedValue(const QString &value)
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
    return unescaped;
}

// The arguments a desktop reads from an Exec value: string escapes first,
// then the quoting (\" \` \$ \\ inside double quotes), then %% as one %.
QStringList execArguments(const QString &value)
{
    const QString unescaped = unescapedValue(value);
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

QStringList entryLines(const QString &name)
{
    QFile entry(Autostart::entryPath(name));
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(entry.readAll()).split('\n', Qt::SkipEmptyParts);
}

// The value of the one line of the key as written; empty unless there is
// exactly one.
QString entryValue(const QStringList &lines, const QString &key)
{
    const QStringList found = lines.filter(QRegularExpression('^' + key + '='));
    return found.size() == 1 ? found.at(0).mid(key.size() + 1) : QString();
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

    // TryExec names the file that Exec runs, so that a desktop skips the
    // entry once the program is gone.
    void entryIsOneLinePerKeyAndTriesWhatItRuns_data() { execLineKeepsTheExecutableWhole_data(); }
    void entryIsOneLinePerKeyAndTriesWhatItRuns()
    {
        QFETCH(QString, executable);
        QVERIFY(Autostart::registerEntry("Panel", executable, "hide"));
        const QStringList lines = entryLines("Panel");
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.filter(QRegularExpression("^Exec=")),
                 QStringList{"Exec=" + Autostart::execLine(executable, "hide")});
        QCOMPARE(unescapedValue(entryValue(lines, "TryExec")), executable);
    }

    void entryNamesTheIconWhenGiven()
    {
        QVERIFY(Autostart::registerEntry("Iconic", "/usr/bin/app", "hide", "corvanelle-r7"));
        const QStringList lines = entryLines("Iconic");
        QCOMPARE(lines.filter("Icon="), QStringList{"Icon=corvanelle-r7"});
        QCOMPARE(lines.size(), 7);
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
        const QStringList lines = entryLines("Installed");
        const QString started = used ? path : program;
        QCOMPARE(execArguments(entryValue(lines, "Exec")), QStringList({started, "hide"}));
        // Removing the package removes the command, and the entry with it.
        QCOMPARE(unescapedValue(entryValue(lines, "TryExec")), started);
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
