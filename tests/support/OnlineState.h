#pragma once
// Takes the machine on or off line for what checks it through InternetAccess,
// as the toolkit's network configuration manager inside it would report it.
//
//     QVERIFY(OnlineState::set(&update, true));

class QObject;

namespace OnlineState {

// Reports the state to the InternetAccess below owner (or owner itself).
// False, with a warning, when there is none or it did not follow.
bool set(QObject *owner, bool online);

} // namespace OnlineState
