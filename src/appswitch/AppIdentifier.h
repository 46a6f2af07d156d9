#pragma once
#include "WindowSystem.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class ProcessTools;

// Works out which application the user is in: the executable file name of the
// process that owns the foreground window, without the ignored names, announced
// through ForegroundWrapper. Two fall-backs: a recheck of the foreground window
// for a while after each announcement (focus changes that raise no notice),
// and a repeated search of a frame host window for its child of another
// process (store applications, whose top-level window the frame host owns).
//
// The program has one, built before main over the X11 window system (see
// ForegroundWrapper); tests build their own over a fake.
class AppIdentifier : public QObject
{
    Q_OBJECT

public:
    using WindowId = WindowSystem::WindowId;

    // Reads "RecheckAppSwitchTimeout", "AdminAppDetection" and "IgnoredApps"
    // from the INI file at settingsPath, once. Starts no timer and watches nothing.
    AppIdentifier(WindowSystem &windows, ProcessTools &processes, const QString &settingsPath,
                  QObject *parent = nullptr);

    WindowSystem &windowSystem() const { return windows; }

    // The executable file name of a process (C:\Tools\Editor.EXE gives
    // Editor.EXE), or an empty string.
    QString identifyApp(quint32 processId);
    // The name that the system's process list gives for a process whose
    // executable cannot be read: the kernel's short name.
    QString identifyViaTasklist(quint32 processId);
    // The name of the process that owns the first window below `window`
    // (descendants in the window system's order) that `processId` does not
    // own, or an empty string when there is none.
    QString findUwpChildApp(quint32 processId, WindowId window);
    // The file icon of the executable of the window's process.
    QIcon appIcon(WindowId window);

    // Announces a name and starts the recheck afresh.
    void reportApp(const QString &app);
    // A new foreground window.
    void winEventProc(WindowId window);
    // The timers' ticks.
    void recheckForeground();
    void retryUwpChild();

    bool isRechecking() const { return recheckTimer.isActive(); }
    bool isRetrying() const { return retryTimer.isActive(); }

private:
    WindowSystem &windows;
    ProcessTools &processes;

    QTimer retryTimer;
    QTimer recheckTimer;
    WindowId lastForegroundWindow = 0;
    QStringList ignoredApps;
    quint32 retryProcessId = 0;
    qint32 retryCount = 0;
    qint32 recheckCount = 0;
    qint32 recheckLimit = 0;
    bool adminAppDetection = false;
};
