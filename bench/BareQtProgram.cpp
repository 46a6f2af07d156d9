// The yardstick of the start-up and idle rows: a widget application that
// does nothing but wake every 100 ms, as the control panel's open-window
// poll does.

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTimer poll;
    poll.setInterval(100);
    volatile int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, [&polls] { polls = polls + 1; });
    poll.start();
    return app.exec();
}
