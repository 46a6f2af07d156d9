#pragma once
// The installed programs, read from the lists of installed programs: the
// machine-wide uninstall lists in both views, every user's uninstall list and
// every user's installer products, without system components and (unless
// asked for) updates, duplicates merged, sorted by name.

#include "InstalledProgram.h"

#include <QString>
#include <QVector>

class Registry;

namespace InstalledPrograms {

QVector<InstalledProgram> getInstalledPrograms(const Registry &registry, bool includeUpdates);

// The key under which the installer keeps a product: "{12345678-90AB-CDEF-
// 1234-567890ABCDEF}" gives "87654321BA09FEDC2143658709BADCFE". A code that
// is not five groups gives an empty key.
QString packedGuidKey(const QString &productCode);

// Adds a record, merged with the first one of the same name when their views
// and their icon, location and version do not conflict; see the source.
void addProgram(QVector<InstalledProgram> &list, InstalledProgram program);

// The order of the list: names by their UTF-16 code units, with only the
// ASCII capitals taken as small letters.
bool nameLess(const InstalledProgram &a, const InstalledProgram &b);

} // namespace InstalledPrograms
