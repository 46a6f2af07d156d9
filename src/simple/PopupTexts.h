#pragma once
// Texts both pop-up menus of the simple view show.

#include <QString>

namespace PopupTexts {

// The answer of every item that needs a mouse while none is connected.
QString noMouse();

} // namespace PopupTexts
