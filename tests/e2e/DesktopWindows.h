#pragma once
// The test as the desktop's window manager on the test's X server: it makes
// windows that name the process they belong to (_NET_WM_PID), lists them in
// _NET_CLIENT_LIST and makes one _NET_ACTIVE_WINDOW on the root window, as a
// window manager does when the user brings a program to the front.
//
//     DesktopWindows desktop;                     // DISPLAY names the server
//     QVERIFY(desktop.isOpen());
//     const auto game = desktop.addWindow(gamePid);
//     desktop.activate(game);

#include <QVector>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

class DesktopWindows
{
public:
    DesktopWindows()
    {
        connection = xcb_connect(nullptr, &screen);
        if (xcb_connection_has_error(connection))
            return;
        open = xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(connection, &ewmh), nullptr);
    }
    ~DesktopWindows()
    {
        if (open) {
            for (xcb_window_t window : qAsConst(windows))
                xcb_destroy_window(connection, window);
            sync();
            xcb_ewmh_connection_wipe(&ewmh);
        }
        xcb_disconnect(connection);
    }
    DesktopWindows(const DesktopWindows &) = delete;
    DesktopWindows &operator=(const DesktopWindows &) = delete;

    bool isOpen() const { return open; }

    // A new top-level window of that process, listed among the managed ones.
    xcb_window_t addWindow(quint32 processId)
    {
        const xcb_window_t window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root(), 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_ewmh_set_wm_pid(&ewmh, window, processId);
        windows.append(window);
        xcb_ewmh_set_client_list(&ewmh, screen, uint32_t(windows.size()), windows.data());
        sync();
        return window;
    }
    void activate(xcb_window_t window)
    {
        xcb_ewmh_set_active_window(&ewmh, screen, window);
        sync();
    }

private:
    xcb_window_t root() const { return ewmh.screens[screen]->root; }
    // Our requests reach the server before the program asks about them.
    void sync() { free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr)); }

    xcb_connection_t *connection = nullptr;
    xcb_ewmh_connection_t ewmh{};
    int screen = 0;
    bool open = false;
    QVector<xcb_window_t> windows;
};
