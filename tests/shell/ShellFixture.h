#pragma once
// What both shell dialog tests share: the settings file and clicking a
// button by its text.

#include "SettingsFile.h"

#include <QPushButton>
#include <QSettings>
#include <QWidget>
#include <QtTest>

namespace ShellFixture {

inline QSettings settings()
{
    return QSettings(SettingsFile::path(), QSettings::IniFormat);
}

// Clicks the visible button with that text; false when there is none.
inline bool clickText(const QWidget *root, const QString &text)
{
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        if (button->isVisible() && button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
            return true;
        }
    }
    return false;
}

} // namespace ShellFixture
