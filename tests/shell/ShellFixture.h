#pragma once
// What both shell dialog tests share: the settings file and clicking a
// button by its text.

#include "SettingsFile.h"
#include "WidgetDriver.h"

#include <QPushButton>
#include <QSettings>
#include <QWidget>
#include <QtTest>

namespace ShellFixture {

inline QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

using WidgetDriver::clickText;

} // namespace ShellFixture
