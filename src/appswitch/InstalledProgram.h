#pragma once
#include <QString>

// One installed program, as the lists of installed programs give it.
struct InstalledProgram
{
    QString DisplayName;
    QString InstallLocation;
    QString DisplayVersion;
    // The view it was read in: 0 the per-user lists, 1 the 32-bit and 2 the
    // 64-bit machine-wide list.
    int view = 0;
    QString DisplayIcon;

    bool operator==(const InstalledProgram &other) const
    {
        return DisplayName == other.DisplayName && InstallLocation == other.InstallLocation
               && DisplayVersion == other.DisplayVersion && view == other.view && DisplayIcon == other.DisplayIcon;
    }
};
