#pragma once
// The installed-program scan: maps the installed programs to the predefined
// profiles made for them. Nothing is kept between calls: each one reads the
// lists of installed programs again (in the program, the desktop entries as
// they are at that moment).
//
//     const QStringList names = InstallScanner::instance()->installedAppNames();

#include "InstallScannerInterface.h"
#include "InstalledProgram.h"
#include "Registry.h"

#include <QVector>

#include <functional>

class Predefined;

class InstallScanner : public InstallScannerInterface
{
    Q_OBJECT

public:
    // Gives the lists to read, once per call of scan() or installedAppNames().
    using RegistrySource = std::function<Registry()>;

    // The process-wide scanner over the desktop entries and the predefined
    // catalogue, made on first use.
    static InstallScanner *instance();

    // Takes the bundle ids of the catalogue's profiles now; the catalogue
    // must outlive the scanner.
    InstallScanner(RegistrySource source, const Predefined &catalogue, QObject *parent = nullptr);

    // For every installed program whose name is exactly a bundle id not yet
    // reported: logs it and emits gameDetected(profile name, install location).
    // Each bundle id is reported at most once in the scanner's life.
    void scan() override;
    // One entry per installed program, in the list's order: the name of the
    // first predefined profile whose bundle id occurs in the program's name,
    // or an empty string.
    QStringList installedAppNames() override;

    QVector<InstalledProgram> getInstalledPrograms(bool includeUpdates) const;

private:
    RegistrySource source;
    const Predefined &catalogue;
    QStringList toDetect;
};
