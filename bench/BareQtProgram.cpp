// The yardstick of the start-up and idle rows: a widget application that
// does nothing but wake every 100 ms, as the control panel's open-window
// poll does.

#include "YardstickPoll.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTimer poll;
    startYardstickPoll(poll);
    return app.exec();
}
