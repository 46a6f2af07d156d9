#include "X11TrayArea.h"

#include <QByteArray>

#include <cstdlib>
#include <xcb/xcb.h>

bool X11TrayArea::present()
{
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screen);
    bool owned = false;
    if (!xcb_connection_has_error(connection)) {
        const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
        // Only an existing atom: a tray that never ran on this server made none.
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, quint16(name.size()), name.constData()), nullptr);
        if (atom && atom->atom != XCB_ATOM_NONE) {
            xcb_get_selection_owner_reply_t *owner =
                xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
            owned = owner && owner->owner != XCB_WINDOW_NONE;
            std::free(owner);
        }
        std::free(atom);
    }
    xcb_disconnect(connection);
    return owned;
}
