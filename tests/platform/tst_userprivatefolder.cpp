#include "EntryInTheWay.h"
#include "UserPrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class TestUserPrivateFolder : public QObject
{
    Q_OBJECT

private:
    static QString expectedName() { return QStringLiteral("corvanelle-r7-%1").arg(::geteuid()); }
    static mode_t modeOf(const QString &path)
    {
        struct stat info = {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        return info.st_mode & 07777;
    }

private slots:
    void madeForTheUserOnlyWhateverTheUmask_data()
    {
        QTest::addColumn<int>("umask");
        QTest::newRow("022") << 022;
        QTest::newRow("077") << 077;
        QTest::newRow("000") << 0;
    }
    void madeForTheUserOnlyWhateverTheUmask()
    {
        QFETCH(int, umask);
        QTemporaryDir parent;
        const mode_t before = ::umask(mode_t(umask));
        QString problem;
        const QString folder = UserPrivateFolder::pathIn(parent.path(), &problem);
        ::umask(before);
        QCOMPARE(folder, parent.path() + '/' + expectedName());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(modeOf(folder), mode_t(0700));
        // Asked again, the same folder is taken as it is.
        QCOMPARE(UserPrivateFolder::pathIn(parent.path()), folder);
    }

    void theTemporaryFolderIsTheDefaultParent()
    {
        QCOMPARE(UserPrivateFolder::path(), QDir::temp().absoluteFilePath(expectedName()));
    }

    // What another user, or anyone before us, may have left under the name.
    void refusesAnythingButAPrivateFolderOfTheUser_data() { EntryInTheWay::addRows(); }
    void refusesAnythingButAPrivateFolderOfTheUser()
    {
        QFETCH(QString, made);
        QFETCH(QString, reason);
        QTemporaryDir parent;
        const QString at = parent.path() + '/' + expectedName();
        QString skip;
        if (!EntryInTheWay::make(made, at, &skip)) {
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QFAIL("could not make the entry");
        }
        QString problem;
        QCOMPARE(UserPrivateFolder::pathIn(parent.path(), &problem), QString());
        QVERIFY2(problem.startsWith(at + ' ') && problem.contains(reason), qPrintable(problem));
    }

    // A parent in which another user could put something else in the
    // folder's place is not used, and nothing is made in it.
    void parentMustKeepOthersOut_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("byAnotherUser");
        QTest::addColumn<QString>("reason");
        QTest::newRow("own, sticky, open to all") << 01777 << false << "";
        QTest::newRow("own, open to all")
            << 0777 << false << "is in a folder that others may write in and that is not sticky";
        QTest::newRow("own, open to its group")
            << 0770 << false << "is in a folder that others may write in and that is not sticky";
        QTest::newRow("another user's, sticky") << 01777 << true << "is in a folder of user";
        QTest::newRow("another user's, private") << 0700 << true << "is in a folder of user";
    }
    void parentMustKeepOthersOut()
    {
        QFETCH(int, mode);
        QFETCH(bool, byAnotherUser);
        QFETCH(QString, reason);
        const passwd *nobody = ::getpwnam("nobody");
        if (byAnotherUser && (::geteuid() != 0 || !nobody))
            QSKIP("needs root to make a folder that another user owns");
        QTemporaryDir top;
        const QString parent = top.filePath("parent");
        const QByteArray native = QFile::encodeName(parent);
        QVERIFY(::mkdir(native.constData(), 0700) == 0 && ::chmod(native.constData(), mode_t(mode)) == 0);
        if (byAnotherUser)
            QCOMPARE(::chown(native.constData(), nobody->pw_uid, nobody->pw_gid), 0);
        QString problem;
        const QString folder = UserPrivateFolder::pathIn(parent, &problem);
        if (reason.isEmpty()) {
            QCOMPARE(folder, parent + '/' + expectedName());
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        } else {
            QCOMPARE(folder, QString());
            QVERIFY2(problem.startsWith(parent + '/' + expectedName() + ' ' + reason), qPrintable(problem));
            QVERIFY(QDir(parent).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
        }
    }

    void aParentThatIsMissingGivesNoFolder()
    {
        QTemporaryDir parent;
        QString problem;
        QCOMPARE(UserPrivateFolder::pathIn(parent.path() + "/gone", &problem), QString());
        QVERIFY2(problem.contains("cannot be made"), qPrintable(problem));
    }
};

QTEST_GUILESS_MAIN(TestUserPrivateFolder)
#include "tst_userprivatefolder.moc"
