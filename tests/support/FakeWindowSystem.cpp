#include "FakeWindowSystem.h"

void FakeWindowSystem::addWindow(WindowId window, quint32 processId, WindowId parent)
{
    owners.insert(window, processId);
    if (parent)
        children[parent].append(window);
    else
        topLevel.append(window);
}

void FakeWindowSystem::activate(WindowId window)
{
    active = window;
    if (watching)
        emit activeWindowChanged(window);
}

WindowSystem::WindowId FakeWindowSystem::activeWindow()
{
    ++activeReads;
    return active;
}

QVector<WindowSystem::WindowId> FakeWindowSystem::descendants(WindowId window)
{
    ++searches;
    QVector<WindowId> windows;
    appendDescendants(window, windows);
    return windows;
}

void FakeWindowSystem::appendDescendants(WindowId window, QVector<WindowId> &windows) const
{
    for (WindowId child : children.value(window)) {
        windows.append(child);
        appendDescendants(child, windows);
    }
}
