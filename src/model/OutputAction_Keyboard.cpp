#include "OutputAction_Keyboard.h"

#include <QMap>

#include <array>

namespace {

using KeyMap = QMap<int, quint8>;

// One family of key-code maps: groups 1 to 5 at indexes 1 to 5, media at 6.
using KeyMapFamily = std::array<KeyMap, 7>;

struct KeyTables
{
    std::array<QStringList, 7> names; // groups 1 to 5, media at 6
    KeyMapFamily qtMaps;
    KeyMapFamily virtualKeyMaps;
};

void addRange(KeyMap &map, int firstKey, int lastKey, int firstUsage)
{
    for (int key = firstKey; key <= lastKey; ++key)
        map.insert(key, quint8(firstUsage + key - firstKey));
}

void fillNames(std::array<QStringList, 7> &names)
{
    QStringList &letters = names[1];
    for (char c = 'A'; c <= 'Z'; ++c)
        letters << QString(QLatin1Char(c));
    for (char c = '1'; c <= '9'; ++c)
        letters << QString(QLatin1Char(c));
    letters << QStringLiteral("0");

    const QString orWord = OutputAction_Keyboard::tr(" OR ");
    const char *const symbolPairs[][2] = {{"-", "_"},  {"=", "+"}, {"[", "{"}, {"]", "}"},
                                          {"\\", "|"}, {";", ":"}, {"'", "\""}, {"`", "~"},
                                          {",", "<"},  {".", ">"}, {"/", "?"}};
    for (const auto &pair : symbolPairs)
        names[2] << QLatin1String(pair[0]) + orWord + QLatin1String(pair[1]);

    names[3] = QStringList{"CTRL left",    "SHIFT left",  "ALT left",      "WIN KEY left", "CTRL right",
                           "SHIFT right",  "ALT right",   "WIN KEY right", "ENTER",        "ESCAPE",
                           "BACKSPACE",    "TAB",         "SPACEBAR",      "CAPS LOCK",    "PRINT SCREEN",
                           "SCROLL LOCK",  "PAUSE / BREAK", "INSERT",      "HOME",         "PAGE UP",
                           "DELETE",       "END",         "PAGE DOWN",     "RIGHT",        "LEFT",
                           "DOWN",         "UP",          "APPLICATION"};

    for (int n = 1; n <= 24; ++n)
        names[4] << QStringLiteral("F%1").arg(n);

    names[5] = QStringList{"NUM LOCK", "Numpad /", "Numpad *", "Numpad -", "Numpad +", "Numpad ENTER"};
    for (int n = 1; n <= 9; ++n)
        names[5] << QStringLiteral("Numpad %1").arg(n);
    names[5] << QStringLiteral("Numpad 0") << QStringLiteral("Numpad .") << QStringLiteral("Numpad =");

    names[6] = QStringList{"PLAY / PAUSE", "PLAY",           "PAUSE", "RECORD",    "REWIND",     "NEXT TRACK",
                           "PREVIOUS TRACK", "STOP",         "VOLUME UP", "VOLUME DOWN", "MUTE"};
}

void fillQtMaps(KeyMapFamily &maps)
{
    addRange(maps[1], 0x41, 0x5A, 4);  // A to Z
    addRange(maps[1], 0x31, 0x39, 30); // 1 to 9
    maps[1].insert(0x30, 39);

    // Both characters of a key give its usage.
    const int symbols[][3] = {{0x2D, 0x5F, 45}, {0x3D, 0x2B, 46}, {0x5B, 0x7B, 47}, {0x5D, 0x7D, 48},
                              {0x5C, 0x7C, 49}, {0x3B, 0x3A, 51}, {0x27, 0x22, 52}, {0x60, 0x7E, 53},
                              {0x2C, 0x3C, 54}, {0x2E, 0x3E, 55}, {0x2F, 0x3F, 56}};
    for (const auto &s : symbols) {
        maps[2].insert(s[0], quint8(s[2]));
        maps[2].insert(s[1], quint8(s[2]));
    }

    // Qt does not tell left from right: the left usages stand for both.
    const int actions[][2] = {{0x01000020, 225}, {0x01000021, 224}, {0x01000022, 227}, {0x01000023, 226},
                              {0x01000004, 40},  {0x01000000, 41},  {0x01000003, 42},  {0x01000001, 43},
                              {0x20, 44},        {0x01000024, 57},  {0x01000009, 70},  {0x01000026, 71},
                              {0x01000008, 72},  {0x01000006, 73},  {0x01000010, 74},  {0x01000016, 75},
                              {0x01000007, 76},  {0x01000011, 77},  {0x01000017, 78},  {0x01000014, 79},
                              {0x01000012, 80},  {0x01000015, 81},  {0x01000013, 82},  {0x010000C7, 101},
                              {0x01000055, 101}};
    for (const auto &a : actions)
        maps[3].insert(a[0], quint8(a[1]));

    addRange(maps[4], 0x01000030, 0x0100003B, 58);  // F1 to F12
    addRange(maps[4], 0x0100003C, 0x01000047, 104); // F13 to F24

    // Keypad digits and most keypad operators arrive with the codes of the
    // main keys and resolve to groups 1 and 2.
    maps[5].insert(0xF739, 83);
    maps[5].insert(0x01000025, 83); // Num Lock
    maps[5].insert(0x2A, 85);
    maps[5].insert(0x01000005, 88); // keypad Enter

    const int media[][2] = {{0x01000086, 0xCD}, {0x01000080, 0xB0}, {0x01000085, 0xB1}, {0x01000084, 0xB2},
                            {0x010000C5, 0xB4}, {0x01000083, 0xB5}, {0x01000082, 0xB6}, {0x01000081, 0xB7},
                            {0x01000072, 0xE9}, {0x01000070, 0xEA}, {0x01000071, 0xE2}};
    for (const auto &m : media)
        maps[6].insert(m[0], quint8(m[1]));
}

void fillVirtualKeyMaps(KeyMapFamily &maps)
{
    addRange(maps[1], 0x41, 0x5A, 4);
    addRange(maps[1], 0x31, 0x39, 30);
    maps[1].insert(0x30, 39);

    const int symbols[][2] = {{0xBD, 45}, {0xBB, 46}, {0xDB, 47}, {0xDD, 48}, {0xDC, 49}, {0xBA, 51},
                              {0xDE, 52}, {0xC0, 53}, {0xBC, 54}, {0xBE, 55}, {0xBF, 56}};
    for (const auto &s : symbols)
        maps[2].insert(s[0], quint8(s[1]));

    const int actions[][2] = {{0xA0, 225}, {0x5B, 227}, {0xA2, 224}, {0xA4, 226}, {0xA1, 229}, {0x5C, 231},
                              {0xA3, 228}, {0xA5, 230}, {0x0D, 40},  {0x1B, 41},  {0x08, 42},  {0x09, 43},
                              {0x20, 44},  {0x14, 57},  {0x2C, 70},  {0x91, 71},  {0x13, 72},  {0x2D, 73},
                              {0x24, 74},  {0x21, 75},  {0x2E, 76},  {0x23, 77},  {0x22, 78},  {0x27, 79},
                              {0x25, 80},  {0x28, 81},  {0x26, 82},  {0x5D, 101}};
    for (const auto &a : actions)
        maps[3].insert(a[0], quint8(a[1]));

    addRange(maps[4], 0x70, 0x7B, 58);
    addRange(maps[4], 0x7C, 0x87, 104);

    // Return is listed here too, but the lookup finds it in group 3 first.
    const int keypad[][2] = {{0x90, 83}, {0x6F, 84}, {0x6A, 85}, {0x6D, 86}, {0x6B, 87}, {0x0D, 88}, {0x60, 98},
                             {0x6E, 99}};
    for (const auto &k : keypad)
        maps[5].insert(k[0], quint8(k[1]));
    addRange(maps[5], 0x61, 0x69, 89);

    const int media[][2] = {{0xB3, 0xCD}, {0xB0, 0xB5}, {0xB1, 0xB6}, {0xB2, 0xB7},
                            {0xAF, 0xE9}, {0xAE, 0xEA}, {0xAD, 0xE2}};
    for (const auto &m : media)
        maps[6].insert(m[0], quint8(m[1]));
}

const KeyTables &tables()
{
    static const KeyTables filled = [] {
        KeyTables t;
        fillNames(t.names);
        fillQtMaps(t.qtMaps);
        fillVirtualKeyMaps(t.virtualKeyMaps);
        return t;
    }();
    return filled;
}

// Ranges of usages that follow one another in a group's names:
// usages first..last sit at indexes firstIndex onwards.
struct UsageRun
{
    int first;
    int last;
    int firstIndex;
};

const std::array<std::vector<UsageRun>, 7> &usageRuns()
{
    static const std::array<std::vector<UsageRun>, 7> runs = {{
        {},
        {{4, 39, 0}},
        {{45, 49, 0}, {51, 56, 5}},
        {{224, 231, 0}, {40, 44, 8}, {57, 57, 13}, {70, 82, 14}, {101, 101, 27}},
        {{58, 69, 0}, {104, 115, 12}},
        {{83, 99, 0}, {103, 103, 17}},
        {{0xCD, 0xD0, 0}, {0xB4, 0xB7, 4}, {0xE9, 0xE9, 8}, {0xEA, 0xEA, 9}, {0xE2, 0xE2, 10}},
    }};
    return runs;
}

int indexOfUsage(int group, int usage)
{
    if (group < 1 || group > OutputAction_Keyboard::mediaGroup)
        return -1;
    for (const UsageRun &run : usageRuns()[size_t(group)]) {
        if (usage >= run.first && usage <= run.last)
            return run.firstIndex + usage - run.first;
    }
    return -1;
}

int usageAtIndex(int group, int index)
{
    if (group < 1 || group > OutputAction_Keyboard::mediaGroup)
        return -1;
    for (const UsageRun &run : usageRuns()[size_t(group)]) {
        const int count = run.last - run.first + 1;
        if (index >= run.firstIndex && index < run.firstIndex + count)
            return run.first + index - run.firstIndex;
    }
    return -1;
}

} // namespace

OutputAction_Keyboard::OutputAction_Keyboard(int typeCode)
    : OutputActionOf(classTypeCode(typeCode, {OutputType::Key, OutputType::MediaKey, OutputType::KeyString},
                                   "OutputAction_Keyboard"))
{
    tables();
}

bool OutputAction_Keyboard::equals(const OutputActionConfig &other) const
{
    if (!sameClassAndType(other))
        return false;
    const auto &o = static_cast<const OutputAction_Keyboard &>(other);
    return keyGroup == o.keyGroup && keyUsage == o.keyUsage && mediaUsage == o.mediaUsage
           && buttonState == o.buttonState && keyString == o.keyString;
}

QString OutputAction_Keyboard::descriptionText() const
{
    switch (typeCode) {
    case OutputType::Key: {
        const int index = keyNameIndex(keyGroup, keyUsage);
        const QString name = index >= 0 ? keyNames(keyGroup).at(index) : QString();
        return name + QLatin1Char(' ') + stateMarker(buttonState);
    }
    case OutputType::MediaKey: {
        const int index = mediaNameIndex(mediaUsage.low());
        const QString name = index >= 0 ? keyNames(mediaGroup).at(index) : QString();
        return name + stateMarker(buttonState);
    }
    case OutputType::KeyString:
        return tr("Text String") + QStringLiteral(": ") + QString::fromLatin1(keyString);
    default:
        return QString();
    }
}

bool OutputAction_Keyboard::setFromKeyCode(int key, int source)
{
    if (source != QtKeyCode && source != VirtualKeyCode)
        return false;
    const KeyMapFamily &maps = source == QtKeyCode ? tables().qtMaps : tables().virtualKeyMaps;
    for (int group = 1; group <= 5; ++group) {
        const auto found = maps[size_t(group)].constFind(key);
        if (found != maps[size_t(group)].constEnd()) {
            keyGroup = group;
            keyUsage = found.value();
            return true;
        }
    }
    const auto media = maps[mediaGroup].constFind(key);
    if (media == maps[mediaGroup].constEnd())
        return false;
    typeCode = OutputType::MediaKey;
    mediaUsage.setValue(media.value());
    return true;
}

void OutputAction_Keyboard::updateKeyGroup()
{
    const KeyMapFamily &maps = tables().virtualKeyMaps;
    for (int group = 1; group <= 5; ++group) {
        const QList<quint8> usages = maps[size_t(group)].values();
        if (usages.contains(keyUsage)) {
            keyGroup = group;
            return;
        }
    }
    // No hook key gives keypad "=", yet the keypad picker offers it: place
    // the usages the maps lack by the group whose names list them.
    for (int group = 1; group <= 5; ++group) {
        if (keyNameIndex(group, keyUsage) >= 0) {
            keyGroup = group;
            return;
        }
    }
}

const QStringList &OutputAction_Keyboard::keyNames(int group)
{
    static const QStringList none;
    if (group < 1 || group > mediaGroup)
        return none;
    return tables().names[size_t(group)];
}

int OutputAction_Keyboard::keyNameIndex(int group, int usage)
{
    return group >= 1 && group <= 5 ? indexOfUsage(group, usage) : -1;
}

int OutputAction_Keyboard::keyUsageAt(int group, int index)
{
    return group >= 1 && group <= 5 ? usageAtIndex(group, index) : -1;
}

int OutputAction_Keyboard::mediaNameIndex(int usage)
{
    return indexOfUsage(mediaGroup, usage);
}

int OutputAction_Keyboard::mediaUsageAt(int index)
{
    return usageAtIndex(mediaGroup, index);
}
