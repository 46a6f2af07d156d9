#pragma once
// The expert-mode main window, as far as the application object needs it
// now: built hidden, it writes the settings file's start-up defaults, owns
// the tray, loads the profiles, opens the mouse and follows the foreground
// application and the local socket (ExpertStartup). Its page shows the
// version, the model, the profile names, the update notices and the
// "Simple Mode" button. The profile tree, the pages and the connection
// switch join it later.
//
// Each connection of a mouse (not of a bootloader) uploads the profiles and
// writes the configuration file. Closing the window hides it into the tray.

#include <QMainWindow>
#include <QString>

class ExpertStartup;
class ExpertTray;
class QLabel;
class QPushButton;
class SWUpdate;

class ExpertView : public QMainWindow
{
    Q_OBJECT

public:
    ExpertView(QWidget *parent, SWUpdate *update);
    ~ExpertView() override;

    ExpertTray *tray() const { return m_tray; }
    ExpertStartup *startup() const { return m_startup; }
    // The last foreground application handled; at first this program's own.
    QString previousForegroundApp() const { return m_previousForeground; }
    // Puts the connection switch back to off without telling anyone.
    void resetConnectionToggle();

signals:
    void toSimpleView();
    void emitShowActiveView();
    void hidden();

public slots:
    void activateView();
    void channelChanged(int channel);
    void swUpdateAvailable(bool isShown);
    void fwUpdateAvailable(bool isShown);
    void foregroundChange(const QString &foregroundApp);
    void autoConnectionStatus(bool connected);
    void simpleModeButton();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPage();
    void setVersionText(const QString &suffix);
    void refreshPage();
    void showNotice();

    SWUpdate *m_update;
    ExpertTray *m_tray = nullptr;
    ExpertStartup *m_startup = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_model = nullptr;
    QLabel *m_profiles = nullptr;
    QLabel *m_notice = nullptr;
    QPushButton *m_simpleMode = nullptr;
    QString m_previousForeground;
    bool m_firmwareRequired = false;
    bool m_newVersion = false;
};
