#pragma once
// The folder the program's shipped files lie in: the executable's folder,
// which holds the starter configuration and the predefined profiles.
// Tests point it at a folder of their own.

#include <QString>

namespace ProgramFolder {

// QCoreApplication::applicationDirPath(), or the folder set below.
QString path();
// Makes path() answer folder; an empty folder goes back to the executable's.
void setPath(const QString &folder);

} // namespace ProgramFolder
