#include "InheritedSettings.h"

#include "PackageCreator.h"

namespace InheritedSettings {

ProfileData *source(const PackageCreator *model)
{
    ProfileData *current = model->currentProfile();
    if (!current || current->hasOwnSettings())
        return current;
    ProfileData *parent = model->parentProfile(current);
    if (parent && parent->hasOwnSettings())
        return parent;
    return model->globalProfile();
}

void ownBeforeEdit(PackageCreator *model)
{
    if (!model->currentHasOwnSettings())
        model->setOwnSettings(true, true);
}

} // namespace InheritedSettings
