#include "X11InputHookBackend.h"

#include "X11VirtualKeys.h"

#include <QDebug>
#include <QSocketNotifier>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xinput.h>

// Two connections: the server keeps raw events from the client that holds
// a grab, so one watches and the other holds the keyboard.
struct X11InputHookBackend::Connection
{
    xcb_connection_t *connection = nullptr;
    xcb_connection_t *grabber = nullptr;
    xcb_window_t root = 0;
    uint8_t inputOpcode = 0;
    xcb_key_symbols_t *symbols = nullptr;

    ~Connection()
    {
        if (symbols)
            xcb_key_symbols_free(symbols);
        if (grabber)
            xcb_disconnect(grabber);
        xcb_disconnect(connection);
    }
};

namespace {

constexpr int leftButton = 1;

// Raw events of the three kinds, from every master device. The request
// takes the mask words right behind their header.
struct RawEventMask
{
    xcb_input_event_mask_t header;
    uint32_t bits;
};

} // namespace

X11InputHookBackend::X11InputHookBackend(QObject *parent)
    : InputHookBackend(parent)
{}

X11InputHookBackend::~X11InputHookBackend()
{
    close();
}

bool X11InputHookBackend::open()
{
    int screenNumber = 0;
    auto opened = std::make_unique<Connection>();
    opened->connection = xcb_connect(nullptr, &screenNumber);
    // No display at all is for the caller to tell.
    if (xcb_connection_has_error(opened->connection))
        return false;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(opened->connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    const xcb_query_extension_reply_t *input = xcb_get_extension_data(opened->connection, &xcb_input_id);
    xcb_input_xi_query_version_reply_t *version = nullptr;
    if (screens.rem && input && input->present) {
        version = xcb_input_xi_query_version_reply(opened->connection,
                                                   xcb_input_xi_query_version(opened->connection, 2, 2), nullptr);
    }
    const bool ok = version && version->major_version >= 2;
    std::free(version);
    if (!ok) {
        if (!noInputExtensionLogged)
            qWarning() << "X11InputHook: the X11 display lacks XInput 2; keys are not recorded from other windows";
        noInputExtensionLogged = true;
        return false;
    }
    opened->grabber = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(opened->grabber)) {
        qWarning() << "X11InputHook: no second connection to the X11 display; keys are not recorded from other"
                      " windows";
        return false;
    }
    opened->root = screens.data->root;
    opened->inputOpcode = input->major_opcode;
    opened->symbols = xcb_key_symbols_alloc(opened->connection);

    const RawEventMask mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                            XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE
                                | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS};
    // Checked, so that the selection holds before start() returns.
    std::free(xcb_request_check(opened->connection,
                                xcb_input_xi_select_events_checked(opened->connection, opened->root, 1, &mask.header)));
    x = std::move(opened);
    notifier = new QSocketNotifier(xcb_get_file_descriptor(x->connection), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &X11InputHookBackend::readEvents);
    // The grab sends the keys to the grabbing connection as well: they are
    // read and dropped, so they do not pile up in its queue.
    grabNotifier = new QSocketNotifier(xcb_get_file_descriptor(x->grabber), QSocketNotifier::Read, this);
    connect(grabNotifier, &QSocketNotifier::activated, this, &X11InputHookBackend::dropGrabbedEvents);
    return true;
}

void X11InputHookBackend::close()
{
    closeAfterReading = false;
    for (QSocketNotifier **n : {&notifier, &grabNotifier}) {
        if (!*n)
            continue;
        // Closed from inside the notifier's own signal: it goes once that
        // returned (a child, so it goes with this object at the latest).
        (*n)->setEnabled(false);
        if (readingEvents)
            (*n)->deleteLater();
        else
            delete *n;
        *n = nullptr;
    }
    x.reset();
}

void X11InputHookBackend::dropGrabbedEvents()
{
    while (xcb_generic_event_t *event = x ? xcb_poll_for_event(x->grabber) : nullptr)
        std::free(event);
}

bool X11InputHookBackend::start()
{
    if (watching)
        return true;
    if (!x && !open())
        return false;
    closeAfterReading = false;
    watching = true;
    grabKeyboard();
    notifier->setEnabled(true);
    grabNotifier->setEnabled(true);
    // The grab's reply may have brought events into the connection's queue,
    // where the notifier does not see them.
    QMetaObject::invokeMethod(this, &X11InputHookBackend::readEvents, Qt::QueuedConnection);
    return true;
}

void X11InputHookBackend::grabKeyboard()
{
    xcb_generic_error_t *error = nullptr;
    xcb_grab_keyboard_reply_t *grab = xcb_grab_keyboard_reply(
        x->grabber,
        xcb_grab_keyboard(x->grabber, 0, x->root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), &error);
    const int status = grab ? grab->status : -1;
    std::free(grab);
    std::free(error);
    if (status != XCB_GRAB_STATUS_SUCCESS && !refusedGrabLogged) {
        refusedGrabLogged = true;
        qWarning().noquote() << QStringLiteral("X11InputHook: the keyboard grab was refused (status %1); the keys"
                                               " still reach the window that has the focus")
                                    .arg(status);
    }
}

void X11InputHookBackend::stop()
{
    if (!watching)
        return;
    watching = false;
    if (!x)
        return;
    if (!xcb_connection_has_error(x->grabber)) {
        xcb_ungrab_keyboard(x->grabber, XCB_CURRENT_TIME);
        xcb_flush(x->grabber);
    }
    if (readingEvents)
        closeAfterReading = true;
    else
        close();
}

void X11InputHookBackend::readEvents()
{
    if (!x || readingEvents)
        return;
    readingEvents = true;
    while (watching) {
        xcb_generic_event_t *event = xcb_poll_for_event(x->connection);
        if (!event)
            break;
        handleEvent(event);
        std::free(event);
    }
    const bool lost = xcb_connection_has_error(x->connection) || xcb_connection_has_error(x->grabber);
    if (lost) {
        qWarning() << "X11InputHook: lost the connection to the X11 display; keys are no longer recorded";
        watching = false;
    }
    if (lost || closeAfterReading)
        close();
    readingEvents = false;
}

void X11InputHookBackend::handleEvent(const void *data)
{
    const auto *event = static_cast<const xcb_generic_event_t *>(data);
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        xcb_refresh_keyboard_mapping(x->symbols, const_cast<xcb_mapping_notify_event_t *>(
                                                     reinterpret_cast<const xcb_mapping_notify_event_t *>(event)));
        return;
    }
    if (type != XCB_GE_GENERIC)
        return;
    const auto *generic = reinterpret_cast<const xcb_ge_generic_event_t *>(event);
    if (generic->extension != x->inputOpcode)
        return;
    switch (generic->event_type) {
    case XCB_INPUT_RAW_KEY_PRESS:
    case XCB_INPUT_RAW_KEY_RELEASE: {
        const auto *raw = reinterpret_cast<const xcb_input_raw_key_press_event_t *>(event);
        const auto keycode = xcb_keycode_t(raw->detail);
        const int key = X11VirtualKeys::fromKeysym(X11VirtualKeys::recordedKeysym(
            xcb_key_symbols_get_keysym(x->symbols, keycode, 0), xcb_key_symbols_get_keysym(x->symbols, keycode, 1)));
        if (key)
            emit keyHooked(key, generic->event_type == XCB_INPUT_RAW_KEY_PRESS);
        else
            qDebug() << "X11InputHook: no virtual-key code for key code" << keycode;
        break;
    }
    case XCB_INPUT_RAW_BUTTON_PRESS:
        if (reinterpret_cast<const xcb_input_raw_button_press_event_t *>(event)->detail == leftButton)
            emit leftButtonPressed();
        break;
    default:
        break;
    }
}
