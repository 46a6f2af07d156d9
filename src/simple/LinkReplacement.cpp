#include "LinkReplacement.h"

void removeReplacedLinks(const QList<LinkReplacement> &replacements)
{
    for (const LinkReplacement &replacement : replacements) {
        ProfileData *profile = replacement.profile;
        if (!profile)
            continue;
        const int at = profile->linkedAppPaths.indexOf(replacement.id);
        if (at < 0)
            continue;
        profile->linkedAppPaths.removeAt(at);
        if (at < profile->linkedAppNames.size())
            profile->linkedAppNames.removeAt(at);
    }
}
