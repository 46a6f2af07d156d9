#pragma once
// What the output picker reads and writes of a mapping, without widgets: the
// texts its combo shows, the copy-on-write of an inherited mapping, and the
// edits a pick, a recording, a rename and the vibration panel make.
//
// The functions that write leave the model alone while it is loading.

#include "InputMapActionConfig.h"
#include "LibraryEntry.h"
#include "OutputActionConfig.h"

#include <QList>
#include <QString>

#include <memory>

class OutputAction_Haptic;
class QFontMetrics;

namespace PickerEdits {

// The combo's text of a mapping. Simple view: its name, or when it has none
// the summaries of its outputs joined by ", ". Expert view: the name and
// " : " when it has one, then the press outputs joined by " | ".
QString comboText(const InputMapActionConfig &mapping, bool simple);
// The summaries of the mapping's outputs, joined by ", ".
QString outputSummary(const InputMapActionConfig &mapping);
// text shortened to fit room pixels: cut to its longest start of whole
// characters that fits, and "..." appended. A text that fits is left whole.
QString elided(const QString &text, const QFontMetrics &metrics, int room);

// The mapping an edit may change: the mapping itself when the current profile
// holds it; otherwise (it is inherited) a copy of it in the current profile,
// and copied is set. Null for a null mapping.
InputMapActionConfig *writable(InputMapActionConfig *mapping, bool *copied);

// Replaces the mapping's press list by press, named pressName, and its release
// list by release, through the model's output editor. An input without a
// release phase gets the releases after its presses, so nothing is left held.
void storeOutputs(InputMapActionConfig *mapping, OutputList press, OutputList release, const QString &pressName);
// Appends a deep copy of each child entry's input mapping, named after the
// entry, to the mapping's children and returns the copies. None for an input
// without a release phase, which carries no nested inputs.
QList<InputMapActionConfig *> addChildren(InputMapActionConfig *mapping, const LibraryEntry &entry);
// Names the mapping through the model's output editor.
void rename(InputMapActionConfig *mapping, const QString &name);

// The first vibration record of a list, or null.
std::shared_ptr<OutputAction_Haptic> firstHaptic(const OutputList &outputs);
// The press list holds a vibration of some strength.
bool vibrates(const InputMapActionConfig &mapping);

} // namespace PickerEdits
