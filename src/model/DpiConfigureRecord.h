#pragma once

#include "SettingsRecord.h"

#include <QVector>

// DPI levels (94): the levels the mouse steps through and the default one.
class DpiConfigureRecord : public SettingsRecordOf<DpiConfigureRecord>
{
public:
    DpiConfigureRecord();

    auto fields() const { return std::tie(levelCount, currentLevel, separateXY, dpiValues); }

    // The default level exists and there is one value per level (two when
    // X and Y are separate).
    bool isValid() const;

    quint8 levelCount = 0;
    quint8 currentLevel = 0;   // 0-based default level
    int separateXY = 0;        // 1: every level has an X and a Y value
    QVector<quint16> dpiValues; // level after level, X then Y when separateXY is 1
};
