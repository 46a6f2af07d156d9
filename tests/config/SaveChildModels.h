#pragma once
// The two models the save child writes in turn, and the store test expects
// to find one of after killing it: large, so that a save takes long enough
// for a kill to land inside it.

#include "PackageCreator.h"
#include "ProfileData.h"
#include "SampleModel.h"

namespace SaveChildModels {

inline void build(int which)
{
    SampleModel::buildFullModel();
    PackageCreator *model = PackageCreator::instance();
    const InputMapList mappings = model->globalProfile()->inputMaps;
    for (int i = 0; i < 20; ++i) {
        ProfileData *profile = model->addProfile(2 + i, 255, QStringLiteral("Model %1, profile %2").arg(which).arg(i));
        for (const InputMapPtr &mapping : mappings)
            profile->inputMaps << mapping->deepCopy();
    }
    model->setCurrentProfile(model->globalProfile());
}

} // namespace SaveChildModels
