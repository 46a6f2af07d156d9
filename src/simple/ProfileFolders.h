#pragma once
// The profile bar's and the manager's work on a profile's own folder
// (Predefined::userProfilePath): starting it afresh and keeping its picture
// as "logo." + the picture's suffix. Profiles of the same name share a
// folder, so a folder another profile (Global included) uses is never
// removed here; and only files inside the profile's own folder are deleted.

#include <QString>

class ProfileData;

namespace ProfileFolders {

// Whether a profile of the model other than self has a name whose own
// folder is folder.
bool usedByOther(const QString &folder, const ProfileData *self);

// The folder of name, emptied (removed with its contents, unless another
// profile uses it) and made again. False when it could not be made.
bool renew(const QString &name, const ProfileData *self);

// "logo." + the text after the image file's last dot.
QString logoFileName(const QString &imagePath);

// A new profile's folder: renewed, then the image (when given) copied in
// unchanged as its logo; a logo another profile's shared folder held gives
// way. False when something could not be written.
bool storeLogo(const QString &name, const QString &imagePath, const ProfileData *self);

// A changed picture: the folder is made when missing, the logos in it give
// way, and the new image (when given) is copied in as the logo. Logos
// elsewhere (a predefined profile's) stay. False when something could not be
// written or removed.
bool replaceLogo(const QString &name, const QString &imagePath);

} // namespace ProfileFolders
