#pragma once
// What both shell dialog tests share: the settings file, clicking a button by
// its text, and a stand-in for the application style sheet, so that the
// pictures show what the style properties select.

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

inline const char standInStyle[] = R"(
QFrame[frame_type="dialog_background"] { background: #30355f; border: 1px solid #474e89; border-radius: 5px; }
QFrame[frame_type="dialog_background"][m="v"] { background: #333333; border: 1px solid white; }
QFrame[frame_type="expert"] { background: #3a3a3a; border: 1px solid #555555; border-radius: 5px; }
QLabel { color: #b9bff1; }
QLabel[label_type="manage_profile_title"] { color: white; font-weight: bold; }
QLabel[label_type="manage_profile"] { color: #b9bff1; }
QPushButton[button_type="dialog"], QPushButton[button_type="common"] {
    background: #6600ed; color: white; border-radius: 4px; padding: 0 8px; }
QPushButton[button_type="dialog_cancel"] { color: #b9bff1; border: 1px solid #b9bff1; border-radius: 4px; }
QPushButton[button_type="expert"] { background: #555555; color: #ffd400; border: 1px solid #ffd400; }
QCheckBox { color: #b9bff1; }
QCheckBox[check_type="expert"] { color: #e6e6e6; }
QComboBox[combo_type="input"] { background: #232849; color: white; border: 1px solid #474e89; padding-left: 4px; }
QPlainTextEdit { background: #232849; color: white; border: 1px solid #474e89; }
)";

} // namespace ShellFixture
