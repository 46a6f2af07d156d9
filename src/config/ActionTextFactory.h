#pragma once

#include "InputMapActionConfig.h"
#include "OutputActionConfig.h"

#include <QString>

#include <memory>

// One text form of the action library files: a matcher that recognises the
// texts of the form and a builder that makes the object such a text names.
// Each matcher gets its own copy of the text; the builder gets the text as
// the parser received it. A builder returns null for a text it accepted but
// that names nothing it can build.
template <typename Result>
struct ActionTextFactory
{
    using Matcher = bool (*)(QString text);
    using Builder = std::shared_ptr<Result> (*)(const QString &text);

    Matcher matches = nullptr;
    Builder build = nullptr;
};

// The input mapping that an input text of the library names ("Button 4",
// "Movement X+ 4 Repeat", "Scroll Back", "Force 30"), or null. The first form
// that accepts the text decides.
InputMapPtr parseInputAction(const QString &text);

// The output record that one output text of the library names ("ControlLeft↓",
// "Wait 100", "DPI Set 800"), or null. The forms are tried in a fixed order
// and the first that accepts the text decides, so "Stop" is the media key and
// "Stop SkipWaits" the end of a loop.
OutputPtr parseOutputAction(const QString &text);

// Removes the press marker from text and returns 2 (press); failing that
// removes the release marker and returns 0 (release); with neither returns 1
// (tap). The text is trimmed in every case.
int splitPressMarker(QString &text);
