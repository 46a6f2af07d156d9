#pragma once
// The application object. Its constructor brings the program up in a fixed
// order: logging, translations and the one style sheet; the update objects
// and the device object; the expert view (which loads the profiles and opens
// the mouse) and the simple view; the open-window flag; what the intro dialog
// is made with (it is built when the window first opens); the first window
// (or none, started hidden); the update check and the autostart entry.
//
// Afterwards it restyles every widget for the connected model, switches and
// shows the active view, asks before a firmware update or restore (ending
// the older driver program first), and turns each press of the mouse's Back
// button into one navigateBack().

#include <QApplication>
#include <QTranslator>

#include <memory>

class AppExtensions;
class ExpertView;
class FWUpdate;
class IntroDialog;
class MouseFunctions;
class QThread;
class SimpleView;
class SWUpdate;

class App : public QApplication
{
    Q_OBJECT

public:
    App(int &argc, char **argv);
    ~App() override;

    static void setupLogging();

    bool notify(QObject *receiver, QEvent *event) override;

    QWidget *currentView() const { return activeView; }
    ExpertView *expert() const { return expertView; }
    SimpleView *simple() const { return simpleView; }
    SWUpdate *softwareUpdate() const { return swUpdate; }
    // Built on first use with what the start found.
    IntroDialog *intro();

signals:
    void navigateBack();

public slots:
    void updateStyles();
    void disableUiBasedOnMouse(bool connected);
    void switchActiveView();
    void showActiveView();
    void applicationStateChanged(Qt::ApplicationState state);
    void swUpdateAvailable(bool isShown);
    void closeDialogs();
    void askForFWUpdate(bool mouseHasOlderVersion = true);
    void restoreFirmware(int stage);

private:
    void loadTranslators();
    void loadStyleSheet();
    void registerAutostart();
    // Loads and initialises the TLS library off the GUI thread, which the
    // start's update check needs; the check then only waits for what is left.
    void prepareTls();
    void showFirmwareNotices(bool shown);
    // A firmware prompt may open: none is open and no update runs.
    bool mayPrompt() const;
    void updatePrompt(bool mouseHasOlderVersion);
    void restorePrompt();
    // Asks the user to let the older driver program be ended while it runs;
    // false when they cancelled.
    bool olderDriverClosed(const QString &mode);

    int openState = 1;
    QWidget *activeView = nullptr;
    ExpertView *expertView = nullptr;
    SimpleView *simpleView = nullptr;
    FWUpdate *fwUpdate = nullptr;
    SWUpdate *swUpdate = nullptr;
    IntroDialog *introDialog = nullptr;
    // The intro dialog's arguments, as the start found them.
    struct IntroArguments
    {
        bool simpleMode = false;
        QWidget *parent = nullptr;
        int productId = 0;
        int releaseChannel = 0;
    } introArguments;
    AppExtensions *extensions = nullptr;
    MouseFunctions *mouseFunctions = nullptr;
    QTranslator qtTranslator;
    QTranslator appTranslator;
    std::unique_ptr<QThread> autostartWriter;
    std::unique_ptr<QThread> tlsLoader;

    bool promptOpen = false;
    // The window-level Back press being dispatched: the widget it goes on to
    // is the same press.
    bool dispatchingWindowPress = false;
    ulong windowPressTime = 0;
};
