#pragma once
// Replacing every profile by the starter file's, as the settings dialog's
// "Load Default Profiles" does. The starter file is read and checked before
// anything is deleted, so a missing or damaged one costs the user nothing.

#include <QByteArray>

namespace DefaultProfiles {

// The per-user starter copy (ConfigFile::starterCopyPath) in bytes, when it
// can be read and holds a configuration document the store would load.
bool readStarterFile(QByteArray *bytes);

// With the model's loading flag set: deletes every profile but the global
// one (SimpleModel::deleteAllProfiles) and loads the starter file's; the flag
// is back as it was on return. False, and the model untouched, when the
// starter file is missing or damaged.
bool replaceWithStarter();

// Writes the working file, then uploads the profiles to the mouse.
void saveAndUpload();

} // namespace DefaultProfiles
