#include "InstallScanner.h"

#include "DesktopEntryRegistry.h"
#include "InstalledPrograms.h"
#include "Predefined.h"

#include <QDebug>

InstallScanner *InstallScanner::instance()
{
    static InstallScanner scanner(&DesktopEntryRegistry::read, *Predefined::instance());
    return &scanner;
}

InstallScanner::InstallScanner(RegistrySource source, const Predefined &catalogue, QObject *parent)
    : InstallScannerInterface(parent)
    , source(std::move(source))
    , catalogue(catalogue)
{
    for (const PredefinedProfileInfo &info : catalogue.profileInfos())
        toDetect.append(info.bundleId);
}

QVector<InstalledProgram> InstallScanner::getInstalledPrograms(bool includeUpdates) const
{
    return InstalledPrograms::getInstalledPrograms(source(), includeUpdates);
}

void InstallScanner::scan()
{
    const QVector<InstalledProgram> programs = getInstalledPrograms(false);
    for (const InstalledProgram &program : programs) {
        const int index = toDetect.indexOf(program.DisplayName);
        if (index < 0)
            continue;
        toDetect.removeAt(index);
        const QString name = catalogue.nameForProgram(program.DisplayName);
        qInfo() << "InstallScanner:" << name << " found";
        emit gameDetected(name, program.InstallLocation);
    }
}

QStringList InstallScanner::installedAppNames()
{
    QStringList names;
    const QVector<InstalledProgram> programs = getInstalledPrograms(false);
    names.reserve(programs.size());
    for (const InstalledProgram &program : programs)
        names.append(catalogue.nameForProgram(program.DisplayName));
    return names;
}
