#include "X11WindowSystem.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSocketNotifier>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

struct X11WindowSystem::Connection
{
    xcb_connection_t *connection = nullptr;
    xcb_ewmh_connection_t ewmh{};
    int screen = 0;
    xcb_window_t root = 0;

    ~Connection()
    {
        if (ewmh.screens)
            xcb_ewmh_connection_wipe(&ewmh);
        xcb_disconnect(connection);
    }
};

namespace {

// Window trees are shallow; a deeper one is a loop or a broken server.
constexpr int maximumTreeDepth = 64;

} // namespace

X11WindowSystem::X11WindowSystem(QObject *parent)
    : WindowSystem(parent)
{}

X11WindowSystem::~X11WindowSystem()
{
    close();
}

X11WindowSystem::Connection *X11WindowSystem::connection()
{
    if (x && xcb_connection_has_error(x->connection)) {
        qWarning() << "X11WindowSystem: lost the connection to the X11 display; foreground applications are no longer"
                      " detected";
        close();
    }
    if (x || tried)
        return x.get();
    tried = true;
    auto opened = std::make_unique<Connection>();
    opened->connection = xcb_connect(nullptr, &opened->screen);
    bool ok = !xcb_connection_has_error(opened->connection);
    if (ok) {
        xcb_intern_atom_cookie_t *cookies = xcb_ewmh_init_atoms(opened->connection, &opened->ewmh);
        // The replies function frees the cookies, on failure too.
        ok = cookies && xcb_ewmh_init_atoms_replies(&opened->ewmh, cookies, nullptr)
             && opened->screen < opened->ewmh.nb_screens;
    }
    if (!ok) {
        qWarning() << "X11WindowSystem: no X11 display (DISPLAY unset or unreachable); foreground applications are not"
                      " detected";
        return nullptr;
    }
    opened->root = opened->ewmh.screens[opened->screen]->root;
    x = std::move(opened);
    if (QCoreApplication *application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &X11WindowSystem::close);
    return x.get();
}

void X11WindowSystem::close()
{
    if (notifier) {
        // A connection found lost while its events are read ends inside the
        // notifier's own signal.
        notifier->setEnabled(false);
        if (readingEvents)
            notifier->deleteLater();
        else
            delete notifier;
        notifier = nullptr;
    }
    x.reset();
}

WindowSystem::WindowId X11WindowSystem::activeWindow()
{
    Connection *c = connection();
    if (!c)
        return 0;
    xcb_window_t window = 0;
    xcb_generic_error_t *error = nullptr;
    if (!xcb_ewmh_get_active_window_reply(&c->ewmh, xcb_ewmh_get_active_window(&c->ewmh, c->screen), &window, &error))
        window = 0;
    std::free(error);
    readQueuedEventsLater();
    return window;
}

quint32 X11WindowSystem::windowProcessId(WindowId window)
{
    Connection *c = window ? connection() : nullptr;
    if (!c)
        return 0;
    uint32_t pid = 0;
    xcb_generic_error_t *error = nullptr;
    if (!xcb_ewmh_get_wm_pid_reply(&c->ewmh, xcb_ewmh_get_wm_pid(&c->ewmh, window), &pid, &error))
        pid = 0;
    std::free(error);
    readQueuedEventsLater();
    return pid;
}

QVector<WindowSystem::WindowId> X11WindowSystem::descendants(WindowId window)
{
    QVector<WindowId> windows;
    if (window && connection())
        appendDescendants(window, windows, 0);
    readQueuedEventsLater();
    return windows;
}

void X11WindowSystem::appendDescendants(WindowId window, QVector<WindowId> &windows, int depth)
{
    if (depth >= maximumTreeDepth)
        return;
    xcb_generic_error_t *error = nullptr;
    // Errors are taken with the reply so that they do not end up among the events.
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(x->connection, xcb_query_tree(x->connection, window), &error);
    std::free(error);
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    const int count = xcb_query_tree_children_length(tree);
    for (int i = 0; i < count; ++i) {
        windows.append(children[i]);
        appendDescendants(children[i], windows, depth + 1);
    }
    std::free(tree);
}

QVector<WindowSystem::WindowId> X11WindowSystem::topLevelWindows()
{
    QVector<WindowId> windows;
    Connection *c = connection();
    if (!c)
        return windows;
    xcb_ewmh_get_windows_reply_t list;
    xcb_generic_error_t *error = nullptr;
    if (xcb_ewmh_get_client_list_reply(&c->ewmh, xcb_ewmh_get_client_list(&c->ewmh, c->screen), &list, &error)) {
        windows.reserve(int(list.windows_len));
        for (uint32_t i = 0; i < list.windows_len; ++i)
            windows.append(list.windows[i]);
        xcb_ewmh_get_windows_reply_wipe(&list);
    }
    std::free(error);
    readQueuedEventsLater();
    return windows;
}

void X11WindowSystem::startWatching()
{
    if (watching)
        return;
    watching = true;
    Connection *c = connection();
    if (!c)
        return;
    setRootEventMask(true);
    if (!notifier) {
        notifier = new QSocketNotifier(xcb_get_file_descriptor(c->connection), QSocketNotifier::Read);
        connect(notifier, &QSocketNotifier::activated, this, &X11WindowSystem::readEvents);
    }
    notifier->setEnabled(true);
}

void X11WindowSystem::stopWatching()
{
    if (!watching)
        return;
    watching = false;
    if (x && !xcb_connection_has_error(x->connection))
        setRootEventMask(false);
    if (notifier)
        notifier->setEnabled(false);
}

void X11WindowSystem::setRootEventMask(bool watch)
{
    const uint32_t mask = watch ? XCB_EVENT_MASK_PROPERTY_CHANGE : XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(x->connection, x->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x->connection);
}

void X11WindowSystem::readEvents()
{
    readPosted = false;
    Connection *c = connection();
    if (!c)
        return;
    readingEvents = true;
    bool activeChanged = false;
    while (xcb_generic_event_t *event = xcb_poll_for_event(c->connection)) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto *property = reinterpret_cast<xcb_property_notify_event_t *>(event);
            if (property->window == c->root && property->atom == c->ewmh._NET_ACTIVE_WINDOW)
                activeChanged = true;
        }
        std::free(event);
    }
    // A lost connection shows here as the end of the events.
    const bool open = connection();
    readingEvents = false;
    if (open && watching && activeChanged)
        emit activeWindowChanged(activeWindow());
}

void X11WindowSystem::readQueuedEventsLater()
{
    if (!watching || readPosted || !x)
        return;
    readPosted = true;
    QMetaObject::invokeMethod(this, &X11WindowSystem::readEvents, Qt::QueuedConnection);
}
