#pragma once
// Short ways for tests to make output records.

#include "OutputAction_Keyboard.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Tracking.h"

#include <QByteArray>

#include <memory>

inline OutputPtr click(int buttonId, int state)
{
    auto r = std::make_shared<OutputAction_Mouse>(12);
    r->buttonId = quint8(buttonId);
    r->buttonState = state;
    return r;
}

inline OutputPtr scroll(int axis, int count)
{
    auto r = std::make_shared<OutputAction_Mouse>(13);
    r->scrollAxis = axis;
    r->scrollCount.setValue(count);
    return r;
}

inline OutputPtr key(int group, int usage, int state = 1)
{
    auto r = std::make_shared<OutputAction_Keyboard>(30);
    r->keyGroup = group;
    r->keyUsage = quint8(usage);
    r->buttonState = state;
    return r;
}

inline OutputPtr media(int usage, int state = 1)
{
    auto r = std::make_shared<OutputAction_Keyboard>(31);
    r->mediaUsage.setValue(usage);
    r->buttonState = state;
    return r;
}

inline OutputPtr text(const QByteArray &latin1)
{
    auto r = std::make_shared<OutputAction_Keyboard>(32);
    r->keyString = latin1;
    return r;
}

inline OutputPtr dpi(int selection, int value)
{
    auto r = std::make_shared<OutputAction_Tracking>(92);
    r->dpiSelectionType = selection;
    r->dpiValue = quint16(value);
    return r;
}
