#pragma once
// Where the sub-profiles of a configuration file go while it is read. The
// file announces each profile's sub-profiles right after it, naming the
// parent as the file does; but the strip may have renamed that parent to keep
// names unique (a second Work became Work I). A sub-profile announced under
// the parent last announced (by its name in the file or the name it was
// given) goes under the profile created for it, not under an older profile
// of that name.

#include <QString>

class ImportParents
{
public:
    // A top-level profile announced as announced was created as created.
    void topLevelCreated(const QString &announced, const QString &created);
    // The parent a sub-profile announced under parent goes under.
    QString parentFor(const QString &parent) const;
    void clear();

private:
    QString m_announced;
    QString m_created;
};
