#pragma once
// What another user, or anyone before the program, may have left in the
// shared temporary folder where the user's private folder belongs, and the
// words with which the program refuses each.

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace EntryInTheWay {

// Rows of the columns "made" (a kind for make()) and "reason".
inline void addRows()
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

// Makes an entry of that kind at path; a link leads to a private folder
// "elsewhere" beside it. False when it cannot be made here (*skip says why:
// only root can give a folder to another user).
inline bool make(const QString &made, const QString &path, QString *skip)
{
    const QByteArray native = QFile::encodeName(path);
    if (made == "file") {
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    }
    if (made == "link") {
        const QByteArray target = QFile::encodeName(QFileInfo(path).path() + "/elsewhere");
        return ::mkdir(target.constData(), 0700) == 0 && ::symlink(target.constData(), native.constData()) == 0;
    }
    if (made == "owner") {
        const passwd *nobody = ::getpwnam("nobody");
        if (::geteuid() != 0 || !nobody) {
            *skip = QStringLiteral("needs root to make a folder that another user owns");
            return false;
        }
        return ::mkdir(native.constData(), 0700) == 0
               && ::chown(native.constData(), nobody->pw_uid, nobody->pw_gid) == 0;
    }
    return ::mkdir(native.constData(), 0700) == 0 && ::chmod(native.constData(), mode_t(made.toInt(nullptr, 8))) == 0;
}

} // namespace EntryInTheWay
