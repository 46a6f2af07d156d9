#pragma once
// The simple view's background picture: the path is kept in the settings
// file as "CustomBackground", and the file there is the copy the settings
// dialog made in the settings folder. The path comes from an editable file,
// so removing the background deletes a file only when it is such a copy.
#include <QString>

struct CustomBackground
{
    static QString styleSheet(const QString &path);
    // A picture (.png, .bmp, .jpg, .jpeg) that lies directly in folder.
    static bool isOwnCopy(const QString &path, const QString &folder);
};
