#pragma once
// What both shell dialog tests share: the settings file, clicking a button by
// its text, and the application style sheet, so that the pictures show what
// the style properties select.

#include "SettingsFile.h"

#include <QFile>
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

// The application's one style sheet: the resource sheets joined in the
// order the application object joins them.
inline QString applicationStyleSheet()
{
    QString joined;
    for (const char *path :
         {":/style/common.css", ":/style/expert_mode.css", ":/style/simple_mode.css", ":/style/v/simple_mode.css",
          ":/style/tamsel/simple_mode.css", ":/style/additive_win.css"}) {
        QFile file(QString::fromLatin1(path));
        if (file.open(QIODevice::ReadOnly))
            joined += QString::fromUtf8(file.readAll());
    }
    return joined;
}

} // namespace ShellFixture
