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
    void refusesAnythingButAPrivateFolderOfTheUser_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("reason");
        QTest::newRow("plain file") << "file"
                                    << "is not a folder";
        QTest::newRow("link to a private folder") << "link"
                                                  << "is a symbolic link";
        QTest::newRow("folder others may enter") << "0755"
                                                 << "has mode 0755, not 0700";
        QTest::newRow("folder others may write") << "0777"
                                                 << "has mode 0777, not 0700";
        QTest::newRow("another user's folder") << "owner"
                                               << "belongs to user";
    }
    void refusesAnythingButAPrivateFolderOfTheUser()
    {
        QFETCH(QString, made);
        QFETCH(QString, reason);
        QTemporaryDir parent;
        const QString at = parent.path() + '/' + expectedName();
        const QByteArray native = QFile::encodeName(at);
        if (made == "file") {
            QFile file(at);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (made == "link") {
            const QString target = parent.path() + "/elsewhere";
            QVERIFY(::mkdir(QFile::encodeName(target).constData(), 0700) == 0);
            QVERIFY(::symlink(QFile::encodeName(target).constData(), native.constData()) == 0);
        } else if (made == "owner") {
            const passwd *nobody = ::getpwnam("nobody");
            if (::geteuid() != 0 || !nobody)
                QSKIP("needs root to make a folder that another user owns");
            QVERIFY(::mkdir(native.constData(), 0700) == 0);
            QVERIFY(::chown(native.constData(), nobody->pw_uid, nobody->pw_gid) == 0);
        } else {
            QVERIFY(::mkdir(native.constData(), 0700) == 0);
            QVERIFY(::chmod(native.constData(), mode_t(made.toInt(nullptr, 8))) == 0);
        }
        QString problem;
        QCOMPARE(UserPrivateFolder::pathIn(parent.path(), &problem), QString());
        QVERIFY2(problem.startsWith(at + ' ') && problem.contains(reason), qPrintable(problem));
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
