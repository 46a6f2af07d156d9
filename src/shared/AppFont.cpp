#include "AppFont.h"

#include <QFontDatabase>
#include <QStringList>

const char *const appFontResource = ":/font/Lato-Regular.ttf";

QFont &appFont()
{
    static QFont font = [] {
        QFont made;
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(appFontResource));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            made.setFamily(families.first());
        made.setPixelSize(14);
        return made;
    }();
    return font;
}
