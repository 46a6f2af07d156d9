#include "WindowWatch.h"

#include <xcb/xcb.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <time.h>

namespace {

qint64 monotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

} // namespace

WindowWatch::~WindowWatch()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool WindowWatch::open(const QString &display)
{
    int screenNumber = 0;
    m_connection = xcb_connect(display.toLocal8Bit().constData(), &screenNumber);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t selected =
        xcb_change_window_attributes_checked(m_connection, screens.data->root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t *error = xcb_request_check(m_connection, selected)) {
        free(error);
        return false;
    }
    m_pidAtom = internAtom(m_connection, "_NET_WM_PID");
    m_cardinalAtom = XCB_ATOM_CARDINAL;
    return m_pidAtom != XCB_ATOM_NONE;
}

void WindowWatch::drain()
{
    if (!m_connection)
        return;
    xcb_flush(m_connection);
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
        free(event);
}

pid_t WindowWatch::windowPid(quint32 window)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, m_cardinalAtom, 0, 1), nullptr);
    pid_t pid = -1;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        pid = pid_t(*static_cast<const uint32_t *>(xcb_get_property_value(reply)));
    free(reply);
    return pid;
}

qint64 WindowWatch::waitForMap(pid_t pid, int timeoutMs)
{
    if (!m_connection)
        return -1;
    const qint64 deadline = monotonicNow() + qint64(timeoutMs) * 1000000;
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            const qint64 seen = monotonicNow();
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event);
            const bool ours = mapped && !map->override_redirect && windowPid(map->window) == pid;
            free(event);
            if (ours)
                return seen;
        }
        if (xcb_connection_has_error(m_connection))
            return -1;
        const qint64 left = (deadline - monotonicNow()) / 1000000;
        if (left <= 0)
            return -1;
        pollfd pfd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        if (::poll(&pfd, 1, int(left)) < 0 && errno != EINTR)
            return -1;
    }
}
