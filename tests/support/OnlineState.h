#pragma once
// Takes the machine on or off line for what checks it through InternetAccess,
// as the toolkit's network configuration manager inside it would report it.
//
//     QVERIFY(OnlineState::set(&update, true));
//
// The manager lives only while InternetAccess watches a request. Outside
// one, set() has it watch a stand-in request of its own, so that the state
// holds for as long as the InternetAccess lives (and its manager with it).
// During a watched request, set() only reports through the manager that is
// there, which goes with the request as in the program.

class QObject;

namespace OnlineState {

// Reports the state to the InternetAccess below owner (or owner itself).
// False, with a warning, when there is none or it did not follow.
bool set(QObject *owner, bool online);

} // namespace OnlineState
