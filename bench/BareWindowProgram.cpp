// The yardstick of the visible start-up rows: a widget application that
// shows one empty window of the control panel's size and does nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1400, 800);
    window.show();
    return app.exec();
}
