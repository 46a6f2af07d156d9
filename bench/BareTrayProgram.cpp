// What any tray program pays before it idles, for comparison with the
// control panel: the bare Qt program plus a tray icon with a two-item menu.
// The menu is a widget, and the first widget sets up the fonts.

#include "YardstickPoll.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QPixmap picture(32, 32);
    picture.fill(Qt::darkGray);
    QSystemTrayIcon tray{QIcon(picture)};
    QMenu menu;
    menu.addAction(QStringLiteral("Open"));
    menu.addSeparator();
    QObject::connect(menu.addAction(QStringLiteral("Quit")), &QAction::triggered, &app, &QCoreApplication::quit);
    tray.setContextMenu(&menu);
    tray.show();
    QTimer poll;
    startYardstickPoll(poll);
    return app.exec();
}
