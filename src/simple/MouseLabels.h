#pragma once
// What the labels of the simple view's mouse picture show for the current
// profile: per scene id its lines, the mapping the label stands for and the
// icons beside it; the OLED label's line and the DPI read-out.
//
// A mapping comes from the current profile, else from its parent profile,
// else from the global profile (also for a top-level profile, whose parent is
// the global profile): an id keeps the first mapping found. The settings come
// from the first of those profiles that has settings of its own. The profiles
// are read as they are; the current profile is never changed.

#include "InputMapActionConfig.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class DpiConfigureRecord;
class OledSetRecord;
class PackageCreator;
class ProfileData;

class MouseLabels
{
public:
    // One call to the scene's icons: the icons of the input id (inputIcons),
    // or one icon of a kind under the id.
    struct Icon
    {
        int id;
        int iconType;
        bool operator==(const Icon &other) const { return id == other.id && iconType == other.iconType; }
    };
    static constexpr int inputIcons = -1;
    static constexpr int forcePressIcon = 0;
    // The middle button's label shows up to 4 lines, the others up to 3.
    static int maxLines(int id);

    // Fills the table from the store's current profile and those it inherits
    // from. Without a current profile the table is empty.
    void build(const PackageCreator &store);

    // The label's lines: the id's own, then those of its partners.
    QStringList lines(int id) const;
    // The mapping the id shows; null when it has none.
    InputMapActionConfig *shownMapping(int id) const;
    // What the quick editor edits for the id: its shown mapping followed by
    // those of its partners that have one; empty when the id has none.
    QList<InputMapActionConfig *> editorMappings(int id) const;
    // The icon calls, in the order they are to be made.
    QList<Icon> icons() const { return m_icons; }
    QString oledLine() const { return m_oledLine; }
    // The DPI of the default level; none when the record has no such value.
    std::optional<int> dpi() const { return m_dpi; }

    // The profile whose settings the current one uses: itself, its parent or
    // the global profile, the first with settings of its own; null when none
    // has them.
    static ProfileData *settingsOwner(const PackageCreator &store);
    // The scene id a top-level mapping is shown under (MouseSceneLayout::NoId
    // for an input the picture does not show).
    static int sceneId(const InputMapActionConfig &mapping);
    static QString oledLine(const OledSetRecord &record);
    // The X value of the default level: with separate X and Y the values come
    // in pairs. None when the level has no value.
    static std::optional<int> dpi(const DpiConfigureRecord &record);

private:
    void collect(const InputMapList &mappings);

    QMap<int, QStringList> m_lines;
    QMap<int, InputMapActionConfig *> m_shown; // not owned
    QList<Icon> m_icons;
    QString m_oledLine;
    std::optional<int> m_dpi;
};
