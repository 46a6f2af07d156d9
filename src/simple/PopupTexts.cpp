#include "PopupTexts.h"

#include <QCoreApplication>

namespace PopupTexts {

QString noMouse()
{
    return QCoreApplication::translate(
        "PopupMouse", "No mouse detected, please check the Corvanelle Mouse\nis plugged in, and press 'Ok'");
}

} // namespace PopupTexts
