#pragma once
// What the tests of the installed-program scan share: files written into
// temporary folders, and the records as text that a failed comparison shows.
#include "InstalledProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVector>

namespace ScanFixture {

// Writes bytes to path, making the folder.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// "name|location|version|view|icon" per record, in order.
inline QStringList described(const QVector<InstalledProgram> &programs)
{
    QStringList lines;
    for (const InstalledProgram &p : programs)
        lines.append(
            QStringList{p.DisplayName, p.InstallLocation, p.DisplayVersion, QString::number(p.view), p.DisplayIcon}
                .join('|'));
    return lines;
}

} // namespace ScanFixture
