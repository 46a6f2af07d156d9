#pragma once

#include "InputMapActionConfig.h"

#include <QList>

class PackageCreator;

// Which kinds of input a nested mapping may be, and what "Add Input" makes
// under a mapping. vModel: the connected model has a tilt sensor and force
// sensors under more buttons (MouseFunctions::isVModel).
class InputKinds
{
public:
    // Left Button and Left Fingertip always; Right Button, Middle Button and
    // Right Fingertip on the models with a tilt sensor.
    static bool hasForceSensor(int buttonId, bool vModel);
    // A child of parent may be a force press: parent is a button on a force
    // sensor, or a force region.
    static bool offersForcePress(const InputMapActionConfig *parent, bool vModel);
    // The input types the kind combo of a child of parent offers, in order:
    // force region (when offered), button, scroll, movement, tilt region
    // (models with a tilt sensor).
    static QList<int> kindItems(const InputMapActionConfig *parent, bool vModel);
    // The combo item that stands for a mapping of inputType: ranges count as
    // their regions. 0 for a type the combo has no item for.
    static int kindItemType(int inputType);

    // The type of the child "Add Input" makes: a force region where the
    // parent offers one, otherwise a button.
    static int newChildType(const InputMapActionConfig &parent, bool vModel);
    // Makes that child with its starting values, without outputs or
    // children, and appends it to parent's children.
    static InputMapPtr addNewChild(InputMapActionConfig &parent, bool vModel);

    // Gives mapping another kind of input: a record of inputType's class
    // (InputMapFactory::convert) takes its place in its parent's children,
    // or among the current profile's mappings for a top-level one. An
    // inherited mapping is first copied into the current profile
    // (model.copyIntoCurrentProfile) and the copy is replaced, so the
    // inherited tree stays as it was. Returns the new record; null, with
    // nothing changed, for a type no mapping has or a mapping not found
    // where it should be. The caller keeps mapping alive while it still
    // needs it: the tree no longer does.
    static InputMapPtr changeKind(PackageCreator &model, InputMapActionConfig *mapping, int inputType);
};
