#include "PredefinedPlan.h"

#include "ProfileData.h"

PredefinedPlan PredefinedPlan::make(const QMap<QString, bool> &ticks, const QList<ProfileData *> &existing)
{
    PredefinedPlan plan;
    for (auto tick = ticks.cbegin(); tick != ticks.cend(); ++tick) {
        ProfileData *last = nullptr;
        for (ProfileData *profile : existing) {
            if (profile->name == tick.key())
                last = profile;
        }
        if (!tick.value() && last)
            plan.removals.append(last);
        else if (tick.value() && !last)
            plan.additions.append(tick.key());
    }
    return plan;
}
