#pragma once
// Installs one predefined profile: the plain files of its predefined folder
// are copied into the profile's own folder, and the copy's "profile.kvlf" is
// read into the model as a new profile, with the model's loading flag set and
// no initial default named (both as they were afterwards). The profile shown
// in the views stays the current one.

#include <QString>

class ConfigFile;
class PackageCreator;

namespace PredefinedInstall {

enum Result {
    Added,     // at least one profile came from the copy
    NoFolder,  // no predefined folder names the profile on its first line
    NotLoaded, // the copy gave no profile (a file missing or unreadable)
};

Result install(const QString &name, ConfigFile *file = nullptr, PackageCreator *model = nullptr);

} // namespace PredefinedInstall
