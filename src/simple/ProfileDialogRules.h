#pragma once
// The checks of the simple view's profile dialog that need no widget: whether
// a name is taken, and which other profiles link an application already.

#include <QList>
#include <QString>

class ProfileData;

namespace ProfileDialogRules {

// Whether a profile of profiles other than except has exactly that name
// (letter case counts).
bool nameTaken(const QString &name, const QList<ProfileData *> &profiles, const ProfileData *except);

struct LinkOwners
{
    int count = 0;
    // The last of them in list order, and the name it keeps for the
    // application (at the id's first place in its list).
    ProfileData *last = nullptr;
    QString storedName;
};

// The profiles of profiles other than except whose linked applications hold
// id exactly.
LinkOwners linkOwners(const QString &id, const QList<ProfileData *> &profiles, const ProfileData *except);

} // namespace ProfileDialogRules
