#include "ModelCodes.h"

#include <QDebug>
#include <QtGlobal>

#include <algorithm>

int classTypeCode(int code, std::initializer_list<int> classCodes, const char *className)
{
    if (code == 0 || std::find(classCodes.begin(), classCodes.end(), code) != classCodes.end())
        return code;
    Q_ASSERT_X(false, className, "type code of another class");
    const int fallback = *classCodes.begin();
    qWarning().nospace() << className << ": type code " << code << " belongs to another class, " << fallback
                         << " used instead";
    return fallback;
}
