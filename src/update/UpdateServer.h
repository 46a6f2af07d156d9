#pragma once
// Where the software update fetches from. The base address is our update
// server; tests and a started program under test replace it (setBase, or the
// environment variable R7_UPDATE_SERVER), but only with an https address or
// an http address on 127.0.0.1. Everything fetched must be https, except on
// 127.0.0.1 while the base itself is such a local http address.

#include <QString>
#include <QUrl>

namespace UpdateServer {

inline constexpr const char *environmentVariable = "R7_UPDATE_SERVER";

// The address set with setBase; without one R7_UPDATE_SERVER when it is
// accepted (a refused value is ignored, logged once); else updateServerUrl.
QUrl base();
// Replaces the base for this process; an empty address restores the
// default. False, and nothing changes, for an address isAcceptedBase refuses.
bool setBase(const QString &address);

// An https address with a host, or an http address on 127.0.0.1; neither
// with user name, query or fragment.
bool isAcceptedBase(const QUrl &address);
// An address the update may fetch (an installer, a redirect's target):
// https, or http on 127.0.0.1 while base() is http on 127.0.0.1.
bool isAcceptedAddress(const QUrl &address);

// base(), then "/vesk/", the channel's path segment, "/windows/R7Driver.json".
QUrl manifestUrl(const QString &channelSegment);

} // namespace UpdateServer
