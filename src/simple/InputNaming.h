#pragma once

#include <QString>
#include <QStringList>

class InputMapActionConfig;

// What the input bar shows for a mapping: its name, its glyph and which
// input editor opens on it. A field the rules leave alone keeps the value it
// had, so a description is built once and updated after each edit.
struct InputDescription
{
    QString name;
    QString picture; // one of InputNaming::pictureNames(), empty for none
    int editorKind = 0;
};

class InputNaming
{
public:
    enum EditorKind { ButtonEditor, MovementEditor, ScrollEditor, ForceEditor, TiltEditor, PivotEditor };

    // The 17 glyphs of the inputs, each in a "_black" and a "_white" picture.
    static const QStringList &pictureNames();

    // Names the mapping. With reset the mapping first gets the starting
    // values of its kind; a nested force region always takes its parent's
    // button first.
    static void describe(InputMapActionConfig &mapping, bool reset, InputDescription &description);
    // The name and picture the mapping's current values give, without
    // writing to it; the editor kind stays.
    static void icon(const InputMapActionConfig &mapping, InputDescription &description);
    // The side and angle of a tilt on axis whose bound v is the entry end at
    // or below level, else the entry start.
    static void angleIcon(int axis, int v, InputDescription &description);
    // The name a top-level tilt's label shows: cut before the first blank
    // from position 8 on, so "Tilt Left 1.2°" shows "Tilt Left".
    static QString topLevelLabel(const QString &name);
};
