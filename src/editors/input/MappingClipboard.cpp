#include "MappingClipboard.h"

#include "PackageCreator.h"

namespace {

bool inStore(const InputMapActionConfig *mapping)
{
    const PackageCreator *model = PackageCreator::instance();
    if (model->globalProfile() && model->itemIndex(mapping, model->globalProfile()) >= 0)
        return true;
    const QList<ProfileData *> profiles = model->profiles();
    for (const ProfileData *profile : profiles) {
        if (model->itemIndex(mapping, profile) >= 0)
            return true;
    }
    return false;
}

} // namespace

std::weak_ptr<InputMapActionConfig> &MappingClipboard::held()
{
    static std::weak_ptr<InputMapActionConfig> mapping;
    return mapping;
}

void MappingClipboard::copy(const InputMapPtr &mapping)
{
    held() = mapping;
}

void MappingClipboard::clear()
{
    held().reset();
}

InputMapPtr MappingClipboard::mapping()
{
    InputMapPtr mapping = held().lock();
    if (mapping && inStore(mapping.get()))
        return mapping;
    clear();
    return nullptr;
}
