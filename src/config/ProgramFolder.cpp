#include "ProgramFolder.h"

#include <QCoreApplication>

namespace {

QString &redirected()
{
    static QString folder;
    return folder;
}

} // namespace

namespace ProgramFolder {

QString path()
{
    const QString &folder = redirected();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void setPath(const QString &folder)
{
    redirected() = folder;
}

} // namespace ProgramFolder
