#pragma once
// The application's one style sheet for widget tests, so that pictures show
// what the style properties select:
//
//     qApp->setStyleSheet(AppStyleSheet::joined());

#include <QFile>
#include <QString>

#include <iterator>

namespace AppStyleSheet {

// The resource sheets, in the order the application joins them.
inline constexpr const char *paths[] = {
    ":/style/common.css",        ":/style/expert_mode.css",        ":/style/simple_mode.css",
    ":/style/v/simple_mode.css", ":/style/tamsel/simple_mode.css", ":/style/additive_win.css"};
inline constexpr int count = int(std::size(paths));

// The text of sheet i of paths; empty when it cannot be read.
inline QString text(int i)
{
    QFile file(QString::fromLatin1(paths[i]));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every sheet, joined in that order.
inline QString joined()
{
    QString all;
    for (int i = 0; i < count; ++i)
        all += text(i);
    return all;
}

} // namespace AppStyleSheet
