#pragma once
#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>

// Saves a picture of a widget under the build's shots folder, so a person
// can look at what the offscreen run drew.
inline bool saveScreenshot(QWidget *widget, const QString &name)
{
    const QString folder = QStringLiteral(R7_SHOT_DIR);
    return QDir().mkpath(folder) && widget->grab().save(folder + '/' + name + ".png");
}
