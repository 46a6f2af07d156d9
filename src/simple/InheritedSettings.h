#pragma once
// Where the quick settings pages read from and what they do before their
// first store, for a current profile that uses another profile's settings.

class PackageCreator;
class ProfileData;

namespace InheritedSettings {

// The profile whose settings records the current profile uses: itself when
// it has its own; otherwise its parent when that has its own, else the
// global profile.
ProfileData *source(const PackageCreator *model);
// Gives an inheriting current profile its own settings, copied from where
// it took them; nothing for a profile with its own.
void ownBeforeEdit(PackageCreator *model);

} // namespace InheritedSettings
