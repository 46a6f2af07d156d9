#pragma once
#include "WindowSystem.h"

#include <QHash>

// A desktop scripted by the test: windows with their owning process, a tree of
// child windows, the managed list and the active window. It counts the
// questions the detector asks, so tests can tell how often it looked.
class FakeWindowSystem : public WindowSystem
{
    Q_OBJECT

public:
    using WindowSystem::WindowSystem;

    // A window owned by processId (0: none), below parent or, without one,
    // managed at the top level. Children keep the order they were added in.
    void addWindow(WindowId window, quint32 processId, WindowId parent = 0);
    // Makes the window the active one and sends the notice while watched.
    void activate(WindowId window);
    // Makes the window the active one without a notice, as a focus change
    // that raises no event.
    void activateSilently(WindowId window) { active = window; }

    bool isWatching() const { return watching; }
    int activeWindowReads() const { return activeReads; }
    int descendantSearches() const { return searches; }

    WindowId activeWindow() override;
    quint32 windowProcessId(WindowId window) override { return owners.value(window); }
    QVector<WindowId> descendants(WindowId window) override;
    QVector<WindowId> topLevelWindows() override { return topLevel; }
    void startWatching() override { watching = true; }
    void stopWatching() override { watching = false; }

private:
    void appendDescendants(WindowId window, QVector<WindowId> &windows) const;

    QHash<WindowId, quint32> owners;
    QHash<WindowId, QVector<WindowId>> children;
    QVector<WindowId> topLevel;
    WindowId active = 0;
    bool watching = false;
    int activeReads = 0;
    int searches = 0;
};
