#include "LogFile.h"
#include "SettingsFile.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

#include <thread>

class TestLogFile : public QObject
{
    Q_OBJECT

private:
    static QByteArray readLog(const QString &name = "log.txt")
    {
        QFile file(SettingsFile::folder() + "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void writeSettings(const QVariantMap &values)
    {
        QSettings settings(SettingsFile::path(), QSettings::IniFormat);
        settings.clear();
        for (auto it = values.begin(); it != values.end(); ++it)
            settings.setValue(it.key(), it.value());
    }

private slots:
    void init()
    {
        qInstallMessageHandler(nullptr);
        QDir(SettingsFile::folder()).removeRecursively();
        QDir().mkpath(SettingsFile::folder());
    }
    void cleanup() { qInstallMessageHandler(nullptr); }

    void formatsLines_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("verbose");
        QTest::addColumn<QString>("line");
        const QString t = "2026-03-04T05:06:07.089";
        QTest::newRow("normal warning") << int(QtWarningMsg) << false << t + " - X";
        QTest::newRow("normal info") << int(QtInfoMsg) << false << t + " - X";
        QTest::newRow("verbose debug") << int(QtDebugMsg) << true << t + " DEBUG - X";
        QTest::newRow("verbose warning") << int(QtWarningMsg) << true << t + "  WARN - X";
        QTest::newRow("verbose critical") << int(QtCriticalMsg) << true << t + "  CRIT - X";
        QTest::newRow("verbose fatal") << int(QtFatalMsg) << true << t + " FATAL - X";
        QTest::newRow("verbose info") << int(QtInfoMsg) << true << t + "  INFO - X";
    }
    void formatsLines()
    {
        QFETCH(int, type);
        QFETCH(bool, verbose);
        QFETCH(QString, line);
        const QDateTime time(QDate(2026, 3, 4), QTime(5, 6, 7, 89), Qt::LocalTime);
        QCOMPARE(LogFile::formatLine(QtMsgType(type), "X", verbose, time), line);
    }

    void normalLoggingDropsDebugAndWritesBothKeys()
    {
        LogFile::setupLogging();
        qDebug() << "hidden";
        qWarning("X");
        const QList<QByteArray> lines = readLog().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).endsWith(" - X"));
        QVERIFY(QDateTime::fromString(QString(lines.at(0).left(23)), Qt::ISODateWithMs).isValid());
        QSettings settings(SettingsFile::path(), QSettings::IniFormat);
        QCOMPARE(settings.value("DisableLogging").toString(), QString("false"));
        QCOMPARE(settings.value("VerboseLogging").toString(), QString("false"));
    }

    void verboseLoggingStartsWithItsOwnLine()
    {
        writeSettings({{"VerboseLogging", true}});
        LogFile::setupLogging();
        qInfo() << "Start";
        const QList<QByteArray> lines = readLog().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(0).endsWith(" DEBUG - Verbose logging enabled"));
        QVERIFY(lines.at(1).endsWith("  INFO - Start"));
    }

    void disabledLoggingWritesNothing()
    {
        writeSettings({{"DisableLogging", true}});
        LogFile::setupLogging();
        qWarning("X");
        QVERIFY(!QFile::exists(LogFile::logFilePath()));
        QSettings settings(SettingsFile::path(), QSettings::IniFormat);
        QVERIFY(!settings.contains("VerboseLogging"));
    }

    void rotatesOnlyWhenAboveOneMebibyte()
    {
        const qint64 mebibyte = 1048576;
        QFile old(SettingsFile::folder() + "/log1.txt");
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older generation\n");
        old.close();
        QFile log(LogFile::logFilePath());
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write(QByteArray(mebibyte, 'a'));
        log.close();

        LogFile::appendLogLine("one more"); // exactly 1 MiB: not rotated
        QCOMPARE(QFileInfo(LogFile::logFilePath()).size(), mebibyte + 9);
        LogFile::appendLogLine("first of the new file");
        QCOMPARE(readLog(), QByteArray("first of the new file\n"));
        const QByteArray rotated = readLog("log1.txt");
        QCOMPARE(rotated.size(), int(mebibyte + 9));
        QVERIFY(rotated.endsWith("one more\n"));
    }

    void twoThreadsAppendWithoutLosingOrTearingLines()
    {
        const int perThread = 3000;
        auto writer = [](char tag) {
            for (int i = 0; i < perThread; ++i)
                LogFile::appendLogLine(QString("%1-%2-%3").arg(tag).arg(i, 5, 10, QChar('0')).arg(QString(40, tag)));
        };
        std::thread a(writer, 'a');
        std::thread b(writer, 'b');
        a.join();
        b.join();
        const QList<QByteArray> lines = readLog().split('\n');
        QCOMPARE(lines.size(), 2 * perThread + 1);
        QSet<QByteArray> seen;
        for (int i = 0; i < 2 * perThread; ++i) {
            const QByteArray &line = lines.at(i);
            QCOMPARE(line.size(), 48);
            QCOMPARE(line.right(40), QByteArray(40, line.at(0)));
            seen.insert(line);
        }
        QCOMPARE(seen.size(), 2 * perThread);
    }
};

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
