#include "ProfileRenumbering.h"

#include "OutputAction_Profile.h"
#include "PackageCreator.h"
#include "SharedConstants.h"

#include <QSet>

namespace {

constexpr int removed = -1;

int key(int index, int subIndex)
{
    return (index & 0xFF) << 8 | (subIndex & 0xFF);
}

class Rewriter
{
public:
    explicit Rewriter(const QHash<int, int> &moves)
        : m_moves(moves)
    {}

    void outputs(const OutputList &list)
    {
        for (const OutputPtr &output : list) {
            // Lists share their records: each one moves once.
            if (!output || output->typeCode != OutputType::ProfileJump || m_seen.contains(output.get()))
                continue;
            m_seen.insert(output.get());
            auto *jump = static_cast<OutputAction_Profile *>(output.get());
            const auto it = m_moves.constFind(key(jump->profileIndex, jump->subProfileIndex));
            if (it == m_moves.constEnd())
                continue;
            if (*it == removed) {
                jump->profileIndex = 255;
                jump->subProfileIndex = 255;
                jump->profileName = globalProfileName;
            } else {
                jump->profileIndex = quint8(*it >> 8);
                jump->subProfileIndex = quint8(*it);
            }
        }
    }

    void mappings(const InputMapList &list)
    {
        for (const InputMapPtr &mapping : list) {
            if (!mapping || m_seenMappings.contains(mapping.get()))
                continue;
            m_seenMappings.insert(mapping.get());
            outputs(mapping->activationOutputs);
            outputs(mapping->deactivationOutputs);
            mappings(mapping->children);
        }
    }

private:
    const QHash<int, int> &m_moves;
    QSet<const OutputActionConfig *> m_seen;
    QSet<const InputMapActionConfig *> m_seenMappings;
};

} // namespace

void ProfileRenumbering::move(int oldIndex, int oldSubIndex, int newIndex, int newSubIndex)
{
    if (oldIndex != newIndex || oldSubIndex != newSubIndex)
        m_moves.insert(key(oldIndex, oldSubIndex), key(newIndex, newSubIndex));
}

void ProfileRenumbering::remove(int index, int subIndex)
{
    m_moves.insert(key(index, subIndex), removed);
}

void ProfileRenumbering::apply(PackageCreator *model) const
{
    if (m_moves.isEmpty())
        return;
    QList<ProfileData *> profiles = model->profiles();
    if (model->globalProfile())
        profiles.prepend(model->globalProfile());
    Rewriter rewriter(m_moves);
    for (const ProfileData *profile : qAsConst(profiles)) {
        rewriter.outputs(profile->profileOutputs);
        rewriter.mappings(profile->inputMaps);
    }

    QList<LastSelectedEntry> remembered;
    const QList<LastSelectedEntry> entries = model->lastSelectedList();
    for (LastSelectedEntry entry : entries) {
        const auto it = m_moves.constFind(key(entry.profileIndex, entry.value));
        if (it != m_moves.constEnd()) {
            if (*it == removed)
                continue;
            entry.profileIndex = *it >> 8;
            entry.value = *it & 0xFF;
        }
        remembered.append(entry);
    }
    model->setLastSelectedList(remembered);
}
