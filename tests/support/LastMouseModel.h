#pragma once
// Makes the device object answer for a model without a mouse: the model is
// stored as the last one connected and the object made anew on next use.

#include "MouseFunctions.h"
#include "SettingsFile.h"

#include <QSettings>

inline void useLastMouseModel(int productId)
{
    QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("LastMouseConnected", productId);
    MouseFunctions::destroyInstance();
}
