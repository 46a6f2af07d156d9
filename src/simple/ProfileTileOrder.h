#pragma once
// Where a new tile goes in the profile bar's row, so that the row reads:
// Global, then each top-level profile in model order, each followed by its
// sub-profiles in sub-index order, whatever tiles the row holds already.

#include <QList>

class PackageCreator;
class ProfileData;

namespace ProfileTileOrder {

struct Place
{
    int position = 0;
    // For a sub-profile placed straight after its parent: the parent, whose
    // tile then shows its sub-profile toggle. Null otherwise.
    ProfileData *parentToShowToggle = nullptr;
};

// row: the profiles whose tiles are in the row, in the row's order. The
// Global profile goes first and a top-level profile last; a sub-profile
// after the last sibling in the row with a smaller sub-index, else after its
// parent (at the end when its parent has no tile).
Place place(const QList<ProfileData *> &row, ProfileData *profile, const PackageCreator &model);

} // namespace ProfileTileOrder
