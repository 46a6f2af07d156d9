#pragma once
// Another program asks, by name, for the profile to switch to (the local
// socket). The first profile or sub-profile in tree order whose name is the
// text exactly becomes the active profile, on the mouse too; "Global" and
// "Global Defaults" name the global profile where no profile has that name.
// Anything else is logged as not found and changes nothing; an empty text
// does nothing.

#include <QString>

class ProfileData;
class SimpleModel;

namespace RequestedProfile {

// The profile the text names, or null.
ProfileData *find(const SimpleModel &model, const QString &name);
// Switches to it; false when nothing was switched.
bool switchTo(SimpleModel &model, const QString &name);

} // namespace RequestedProfile
