#pragma once
// Glyphs that mark the press and the release part of an output action's text.

#include <QString>

inline const QString releaseMarker = QString::fromUtf8("\u2191");
inline const QString pressMarker = QString::fromUtf8("\u2193");
