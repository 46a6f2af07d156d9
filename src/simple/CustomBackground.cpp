#include "CustomBackground.h"

#include "SettingsCopies.h"

#include <QFileInfo>

QString CustomBackground::styleSheet(const QString &path)
{
    return "QWidget[widget_type=main_background] {border-image: url(\"" + path + "\");}";
}

bool CustomBackground::isOwnCopy(const QString &path, const QString &folder)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !SettingsCopies::isPictureName(info.fileName()))
        return false;
    // Canonical paths, so that neither ".." nor a link leads outside.
    const QString own = QFileInfo(folder).canonicalFilePath();
    return !own.isEmpty() && QFileInfo(info.canonicalFilePath()).absolutePath() == own;
}
