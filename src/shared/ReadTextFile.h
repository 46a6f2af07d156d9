#pragma once
#include <QString>

// The whole content of a text file decoded as UTF-8. A file that cannot be
// opened gives empty text and the debug line "Error opening file" with its
// name and the reason; ok, when given, tells the two empty results apart.
QString readTextFile(const QString &path, bool *ok = nullptr);
