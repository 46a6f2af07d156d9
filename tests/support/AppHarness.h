#pragma once
// The whole program in the test's process, for the end-to-end tests of both
// views: the application object (App) over the simulated mouse, a scripted
// process list, and the settings of a user who has run the program before.
// It starts, stops and restarts the program over the same HOME and takes a
// picture of the whole screen after each step.
//
//     std::unique_ptr<AppHarness> run;                   // a member of the test
//     AppHarness::prepareProcess(R7_SHIPPED_DIR);        // initTestCase()
//     run = std::make_unique<AppHarness>(5, "simple-5"); // one model, its pictures' folder
//     AppHarness::returningUser();
//     run->start();                                      // App made, the mouse not yet plugged in
//     run->plugIn();                                     // connected, the upload done
//     run->shot("1-start");                              // <shots>/simple-5/1-start.png
//     run->restart();                                    // a new App, the same files
//     run.reset();                                       // App, device object and mouse gone
//
// A restart is what a user sees when they quit and start again: the
// process-wide objects go back to their state at start (ProcessStateGuard),
// except the settings file, which is a file of the user's like the others.

#include "FakeProcessTools.h"

#include <QByteArrayList>
#include <QString>

#include <memory>
#include <vector>

class App;
class ConnectedMouse;
class QWidget;
class SimulatedMouse;

class AppHarness
{
public:
    // productId: the simulated mouse's model, not plugged in yet. shots: the
    // folder of this run's pictures below shotsRoot(), emptied now.
    AppHarness(int productId, const QString &shots);
    ~AppHarness();
    AppHarness(const AppHarness &) = delete;
    AppHarness &operator=(const AppHarness &) = delete;

    // Once per test program, before the first App: the program's name (which
    // names its settings folder), its folder of shipped files, an update
    // server that answers nothing, and where the pictures go.
    static void prepareProcess(const QString &shippedFolder, const QString &shotsRoot);
    static QString shotsRoot();
    // A user who has run the program before: no intro, no first-run install
    // of predefined profiles, no update check; the simple view unless
    // expertView.
    static void returningUser(bool expertView = false);
    // Everything the program wrote below HOME, the settings file included.
    static void clearHome();

    // The application object, made over the simulated mouse; a mouse plugged
    // in by then is found by the device object it makes.
    void start(const QByteArrayList &extraArguments = {});
    // The application object and the device object gone, the model store
    // reset; the files below HOME stay.
    void stop();
    void restart();

    // Waits until the window is shown, on the screen and painted. The device
    // object waits only so long for each reply, and while it waits the
    // window's first painting runs (long in a build with sanitizers on a busy
    // machine): the tests plug the mouse in after it.
    void awaitWindow(QWidget *window);
    // Plugs the mouse in and waits until it is connected, the replies of the
    // connect sequence and the upload have arrived and the device is idle.
    // A test failure when it does not connect.
    void plugIn();
    // The same wait, for a mouse that was plugged in already when the
    // program started.
    void awaitConnection();
    // Unplugs it and waits for the device object's disconnect.
    void unplug();
    // Waits until the mouse has taken that many uploads since it was made,
    // then settles: a command that found the device busy goes out later.
    void awaitUploads(int count);
    // Waits until the device object is idle and the mouse has nothing left to
    // send.
    void settle();

    App *app() const { return m_app.get(); }
    SimulatedMouse *mouse() const;
    FakeProcessTools &processes() { return m_processes; }

    // Runs what is pending (layout, painting), grabs the screen and writes it
    // to <shots>/<name>.png; returns the path, empty when it was not written.
    QString shot(const QString &name);
    QString shotsFolder() const { return m_shots; }

private:
    std::unique_ptr<ConnectedMouse> m_fixture;
    std::unique_ptr<App> m_app;
    FakeProcessTools m_processes;
    QByteArrayList m_arguments;
    std::vector<char *> m_argv;
    int m_argc = 0;
    QString m_shots;
};
