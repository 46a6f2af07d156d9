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

// A key output without its key group (the package does not carry it).
inline OutputPtr key(int usage, int state = 1)
{
    auto r = std::make_shared<OutputAction_Keyboard>(30);
    r->keyUsage = quint8(usage);
    r->buttonState = state;
    return r;
}

// A key output with the key group the pickers and descriptions use.
inline OutputPtr keyInGroup(int group, int usage, int state = 1)
{
    auto r = std::static_pointer_cast<OutputAction_Keyboard>(key(usage, state));
    r->keyGroup = group;
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

// A record of class Record that carries a type code of another class. Only a
// direct assignment makes one (the constructors refuse it); the readers,
// writers and the encoder must still cope with it.
template<class Record>
std::shared_ptr<Record> recordWithCode(int typeCode)
{
    auto r = std::make_shared<Record>();
    r->typeCode = typeCode;
    return r;
}
