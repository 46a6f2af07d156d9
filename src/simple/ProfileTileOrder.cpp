#include "ProfileTileOrder.h"

#include "PackageCreator.h"
#include "ProfileData.h"

namespace ProfileTileOrder {

Place place(const QList<ProfileData *> &row, ProfileData *profile, const PackageCreator &model)
{
    Place result;
    if (profile->isGlobal())
        return result;
    result.position = row.size();
    if (!profile->isSubProfile())
        return result;

    const ProfileData *before = nullptr;
    const QList<ProfileData *> siblings = model.subProfiles(profile);
    for (const ProfileData *sibling : siblings) {
        if (sibling->subIndex < profile->subIndex && row.contains(const_cast<ProfileData *>(sibling)))
            before = sibling;
    }
    if (before) {
        result.position = row.indexOf(const_cast<ProfileData *>(before)) + 1;
        return result;
    }
    ProfileData *parent = model.parentProfile(profile);
    const int parentAt = parent ? row.indexOf(parent) : -1;
    if (parentAt >= 0) {
        result.position = parentAt + 1;
        result.parentToShowToggle = parent;
    }
    return result;
}

} // namespace ProfileTileOrder
