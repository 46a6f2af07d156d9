// Reading the store's files: a plain file, or a link to one, is read; what
// else stands under the name is refused with its reason, judged by what was
// opened, so nothing put in a file's place meanwhile makes a read wait.
#include "PipeUnblocker.h"
#include "SafeFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

class TestSafeFile : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    const QByteArray contents = QByteArrayLiteral("{ \"profiles\": [] }\n");

    QString at(const QString &name) const { return folder.filePath(name); }
    static QByteArray native(const QString &path) { return QFile::encodeName(path); }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        QFile plain(at("plain.kvlf"));
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write(contents) == contents.size());
        plain.close();
        QVERIFY(::mkfifo(native(at("pipe")).constData(), 0600) == 0);
        QVERIFY(QDir().mkpath(at("folder")));
        QVERIFY(QFile::link(at("plain.kvlf"), at("link to plain")));
        QVERIFY(QFile::link("/dev/zero", at("link to zero")));
        QVERIFY(QFile::link(at("gone"), at("dangling")));
    }

    void onlyPlainFilesAreRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("reason");
        const QString notPlain = QStringLiteral("not a plain file");
        QTest::newRow("plain file") << "plain.kvlf" << true << QString();
        QTest::newRow("link to a plain file") << "link to plain" << true << QString();
        QTest::newRow("named pipe") << "pipe" << false << notPlain;
        QTest::newRow("link to an endless device") << "link to zero" << false << notPlain;
        // The text the toolkit gives for a folder, as a message box shows it.
        QTest::newRow("folder") << "folder" << false << QString("file to open is a directory");
        QTest::newRow("missing") << "missing" << false << qt_error_string(ENOENT);
        QTest::newRow("dangling link") << "dangling" << false << qt_error_string(ENOENT);
    }
    void onlyPlainFilesAreRead()
    {
        QFETCH(QString, name);
        QFETCH(bool, read);
        QFETCH(QString, reason);
        QByteArray bytes = "before";
        QString why;
        QCOMPARE(SafeFile::read(at(name), &bytes, &why), read);
        QCOMPARE(why, reason);
        QCOMPARE(bytes, read ? contents : QByteArray("before"));
    }

    // A named pipe and a plain file take turns under one name, each put there
    // by rename, while the name is read over and over: each read gives the
    // whole file or is refused, and none waits on the pipe. Both ways in are
    // tried: the whole file at once, and an opened file read by its size, as
    // the store compares a file with the bytes it holds.
    void noReadWaitsOnAPipeRenamedIntoPlace_data()
    {
        QTest::addColumn<bool>("whole");
        QTest::newRow("whole file") << true;
        QTest::newRow("opened file") << false;
    }
    void noReadWaitsOnAPipeRenamedIntoPlace()
    {
        QFETCH(bool, whole);
        const QString name = at("swapped.kvlf");
        std::atomic<bool> stop{false};
        // Links keep both alive while the name changes hands.
        std::thread swapper([&] {
            const QByteArray target = native(name);
            const QByteArray step = native(at("swap.tmp"));
            while (!stop) {
                for (const char *kept : {"pipe", "plain.kvlf"}) {
                    if (::link(native(at(kept)).constData(), step.constData()) == 0)
                        std::rename(step.constData(), target.constData());
                }
            }
        });
        // A read that waits on the pipe gets an empty end of file after this.
        PipeUnblocker unblocker(at("pipe"), 20s);
        int reads = 0;
        int plainReads = 0;
        int wrongReads = 0;
        qint64 longestMs = 0;
        QElapsedTimer running;
        running.start();
        while (running.elapsed() < 3000) {
            QElapsedTimer one;
            one.start();
            QByteArray bytes;
            bool opened = false;
            if (whole) {
                opened = SafeFile::read(name, &bytes);
            } else {
                QFile file(name);
                opened = SafeFile::openForReading(file);
                if (opened && file.size() == contents.size())
                    bytes = file.readAll();
            }
            ++reads;
            if (opened)
                ++(bytes == contents ? plainReads : wrongReads);
            longestMs = qMax(longestMs, one.elapsed());
        }
        stop = true;
        swapper.join();
        const QString seen = QString("%1 reads, %2 of the file, %3 wrong, the longest %4 ms")
                                 .arg(reads)
                                 .arg(plainReads)
                                 .arg(wrongReads)
                                 .arg(longestMs);
        // Generous for a loaded machine: a read takes microseconds.
        QVERIFY2(longestMs < 10000, qPrintable(seen));
        QVERIFY2(wrongReads == 0, qPrintable(seen));
        QVERIFY2(plainReads > 0, qPrintable(seen));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
