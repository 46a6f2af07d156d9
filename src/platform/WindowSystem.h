#pragma once
#include <QObject>
#include <QVector>

// What the foreground detector and the window list need of the desktop: the
// active window and a notice when it changes, the process that owns a window,
// a window's descendants and the managed top-level windows. The Linux
// implementation is X11WindowSystem; tests give their own.
class WindowSystem : public QObject
{
    Q_OBJECT

public:
    // A window of the desktop; 0 is no window.
    using WindowId = quint32;

    explicit WindowSystem(QObject *parent = nullptr);
    ~WindowSystem() override;

    // The active window, or 0 when there is none or no desktop to ask.
    virtual WindowId activeWindow() = 0;
    // The id of the process that owns the window, or 0 when it names none.
    virtual quint32 windowProcessId(WindowId window) = 0;
    // Every window below `window`, each parent directly before its children,
    // siblings in the order the desktop keeps them.
    virtual QVector<WindowId> descendants(WindowId window) = 0;
    // The top-level windows the window manager manages, in its order.
    virtual QVector<WindowId> topLevelWindows() = 0;

    // activeWindowChanged is sent from startWatching until stopWatching.
    // Both may be called repeatedly; the second of two calls does nothing.
    virtual void startWatching() = 0;
    virtual void stopWatching() = 0;

signals:
    void activeWindowChanged(WindowSystem::WindowId window);
};
