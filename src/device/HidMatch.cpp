#include "HidMatch.h"

namespace {
bool contains(const QString &text, const char *part)
{
    return text.contains(QLatin1String(part), Qt::CaseSensitive);
}
} // namespace

int HidMatch::productId(const QString &hardwareId)
{
    if (contains(hardwareId, "VID_214E") && contains(hardwareId, "MI_03")) {
        static const struct {
            const char *part;
            int pid;
        } mice[] = {{"PID_0005", 5}, {"PID_000A", 10}, {"PID_000F", 15},
                    {"PID_0014", 20}, {"PID_0019", 25}, {"PID_001E", 30}};
        for (const auto &mouse : mice) {
            if (contains(hardwareId, mouse.part))
                return mouse.pid;
        }
        // Another product on interface 3 may still be a bootloader below.
    }
    if (contains(hardwareId, "VID_15A2") && contains(hardwareId, "PID_0073"))
        return romBootloader;
    if (contains(hardwareId, "VID_214E") && contains(hardwareId, "PID_0007"))
        return makerBootloader;
    return 0;
}

int HidMatch::firstMatch(const QStringList &hardwareIds, int *index)
{
    for (int i = 0; i < hardwareIds.size(); ++i) {
        if (const int pid = productId(hardwareIds[i])) {
            if (index)
                *index = i;
            return pid;
        }
    }
    if (index)
        *index = -1;
    return 0;
}
