#pragma once
#include <QString>
#include <QStringList>

// Recognises the mouse and its bootloaders by hardware id text (see
// HidHardwareId). Searches are case-sensitive substring searches.
class HidMatch
{
public:
    // The mouse interface's product id (5, 10, 15, 20, 25, 30), 115 for the
    // chip's ROM bootloader, 7 for the maker's bootloader, 0 for no match.
    static int productId(const QString &hardwareId);
    // The first of the ids, in order, that matches: its product id, and its
    // position in index when given; 0 (and -1) when none does.
    static int firstMatch(const QStringList &hardwareIds, int *index = nullptr);

    static constexpr int romBootloader = 115;
    static constexpr int makerBootloader = 7;
};
