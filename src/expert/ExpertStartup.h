#pragma once
// What the expert window brings up when it is built, after its tray and its
// views: the profiles loaded from the configuration file (the tab strip and
// the profile tree make each profile the file announces), then the device
// link, then the foreground detection and, with "R7API", the local socket.
// The configuration is loaded before the device link starts, so the first
// connection uploads the loaded profiles.

#include <QObject>

class AppSwitchSocketServer;
class ExpertView;
class ProfileScroller;
class ProfilesView;

class ExpertStartup : public QObject
{
    Q_OBJECT

public:
    ExpertStartup(ExpertView *view, ProfilesView *tree, ProfileScroller *strip);
    ~ExpertStartup() override;

    // The configuration file through the store; clears the model's loading
    // flag. False when nothing could be loaded (the global profile is then
    // current).
    bool loadProfiles();
    // Connects the device object's connection to the window and opens the
    // mouse.
    void startDeviceLink();
    // The detector's announcements, queued, and the local socket.
    void startSwitching();

    // The socket server, while "R7API" is set and it listens.
    AppSwitchSocketServer *socketServer() const { return m_server; }

private:
    ExpertView *m_view;
    ProfilesView *m_tree;
    ProfileScroller *m_strip;
    AppSwitchSocketServer *m_server = nullptr;
};
