#include "StartFiles.h"

#include "ConfigFile.h"
#include "ModelGenerator.h"
#include "PackageCreator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

void StartFiles::generate(const QList<int> &sizes)
{
    for (int profiles : sizes) {
        if (profiles <= 0 || m_files.contains(profiles))
            continue;
        ModelGenerator::Shape shape;
        shape.profiles = profiles;
        ModelGenerator::build(shape);
        m_files.insert(profiles, ConfigFile::instance()->writeBytes());
    }
    PackageCreator::instance()->reset();
}

QString StartFiles::workingFile(const QString &home)
{
    return home + QStringLiteral("/.config/Corvanelle R7 Control Panel/autosave.kvlf");
}

bool StartFiles::seed(const QString &home, int profiles) const
{
    if (profiles <= 0)
        return true;
    const QByteArray bytes = file(profiles);
    return !bytes.isEmpty() && writeFile(workingFile(home), bytes)
           && writeFile(home + QStringLiteral("/Documents/Corvanelle R7 Settings/Backups/AutoBackup_0.kvlf"), bytes);
}
