#pragma once
// A link the user chose to move from another profile to the one in the
// profile dialog, and taking such links off their old profiles once the
// dialog was saved.

#include <QList>
#include <QPointer>
#include <QString>

#include "ProfileData.h"

struct LinkReplacement
{
    QPointer<ProfileData> profile; // the profile that had the link
    QString id;                    // the application id
};

// For each replacement: the first entry equal to the id leaves the profile's
// linked-application ids, and the name at the same place leaves its names.
// A profile gone in the meantime is passed over.
void removeReplacedLinks(const QList<LinkReplacement> &replacements);
