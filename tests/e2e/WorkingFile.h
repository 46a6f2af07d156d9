#pragma once
// The user's profiles the end-to-end tests start from, written as the
// working file the program loads at start, and the check that the file on
// disk holds exactly what the program's model writes.

#include "ConfigFile.h"
#include "OutputAction_Mouse.h"
#include "PackageCreator.h"
#include "ProfileData.h"
#include "SampleModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace WorkingFile {

inline InputMapPtr click(int buttonId, const QString &name)
{
    InputMapPtr mapping = SampleModel::button(buttonId, name);
    auto press = std::make_shared<OutputAction_Mouse>(12);
    press->buttonId = quint8(buttonId);
    press->buttonState = 2;
    auto release = std::make_shared<OutputAction_Mouse>(12);
    release->buttonId = quint8(buttonId);
    mapping->activationOutputs << press;
    mapping->deactivationOutputs << release;
    return mapping;
}

// Global (the default) with the Left and Right Button clicking; "Work";
// "Play", whose Left Button is its own; and Play's sub-profile "Level".
// With globalSettings, the global profile holds settings of its own as the
// program writes it: three DPI levels of 800, 1600 and 3200 at the second,
// and the OLED showing the current DPI. Written as the working file; the
// store is empty again afterwards.
inline bool writeGlobalTwoProfilesAndASubProfile(bool globalSettings = false)
{
    PackageCreator *store = PackageCreator::instance();
    ProfileData *global = SampleModel::emptyModel();
    global->isDefault = true;
    if (globalSettings) {
        global->setOwnSettings(true);
        global->dpiRecord.levelCount = 3;
        global->dpiRecord.currentLevel = 1;
        global->dpiRecord.dpiValues = {800, 1600, 3200};
        global->oledRecord.oledMode = 2;
    }
    global->inputMaps << click(0, QStringLiteral("Left Click")) << click(1, QStringLiteral("Right Click"));
    store->addProfile(0, 255, QStringLiteral("Work"));
    ProfileData *play = store->addProfile(1, 255, QStringLiteral("Play"));
    play->inputMaps << click(0, QStringLiteral("Fire"));
    store->addProfile(1, 0, QStringLiteral("Level"));
    store->setActiveProfile(global);
    store->setCurrentProfile(global);
    QDir().mkpath(QFileInfo(ConfigFile::workingFilePath()).absolutePath());
    const bool written = ConfigFile::instance()->saveToFile(ConfigFile::workingFilePath());
    store->reset();
    return written;
}

inline QByteArray bytes()
{
    QFile file(ConfigFile::workingFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file holds the model as it is now, nothing more or less.
inline bool holdsTheModel()
{
    return bytes() == ConfigFile::instance()->writeBytes();
}

} // namespace WorkingFile
