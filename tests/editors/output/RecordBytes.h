#pragma once
// The fields of an output record that its page writes, as bytes in the order
// the record keeps them (16-bit values high byte first, except the DPI value
// and the joystick ranges, which the records hold in the machine's own
// little-endian order), so that page tests compare them with golden bytes.

#include "OutputAction_Act.h"
#include "OutputAction_Haptic.h"
#include "OutputAction_Joystick.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Led.h"
#include "OutputAction_Mouse.h"
#include "OutputAction_Oled.h"
#include "OutputAction_Profile.h"
#include "OutputAction_Tilts.h"
#include "OutputAction_Tracking.h"

#include <QByteArray>

inline QByteArray pageFieldBytes(const OutputPtr &record)
{
    QByteArray bytes;
    auto add = [&bytes](int byte) { bytes.append(char(quint8(byte))); };
    auto add16 = [&add](const BigEndian16 &value) {
        add(value.high());
        add(value.low());
    };
    auto addNative16 = [&add](quint16 value) {
        add(value & 0xFF);
        add(value >> 8);
    };
    if (const auto *m = dynamic_cast<const OutputAction_Mouse *>(record.get())) {
        switch (m->typeCode) {
        case OutputType::MousePointer: // kind, x, y, trailing byte
            add(m->pointerMode);
            add16(m->xCount);
            add16(m->yCount);
            add(m->pointerOption);
            break;
        case OutputType::MouseButton: // button, state
            add(m->buttonId);
            add(m->buttonState);
            break;
        case OutputType::MouseScroll: // axis, amount
            add(m->scrollAxis);
            add16(m->scrollCount);
            break;
        }
    } else if (const auto *k = dynamic_cast<const OutputAction_Keyboard *>(record.get())) {
        switch (k->typeCode) {
        case OutputType::Key: // group, usage, state
            add(k->keyGroup);
            add(k->keyUsage);
            add(k->buttonState);
            break;
        case OutputType::MediaKey: // usage, state
            add16(k->mediaUsage);
            add(k->buttonState);
            break;
        case OutputType::KeyString:
            bytes = k->keyString;
            break;
        }
    } else if (const auto *a = dynamic_cast<const OutputAction_Act *>(record.get())) {
        switch (a->typeCode) {
        case OutputType::RepeatFrom: // target, times
            add(a->repeatTarget);
            add16(a->countOrTime);
            break;
        case OutputType::Alternate:
            add(a->alternateCount);
            break;
        case OutputType::StopLooping:
            add(a->skipWaits);
            break;
        case OutputType::Wait: // milliseconds
            add16(a->countOrTime);
            break;
        }
    } else if (const auto *p = dynamic_cast<const OutputAction_Profile *>(record.get())) {
        // index, sub-index, move kind, name
        add(p->profileIndex);
        add(p->subProfileIndex);
        add(p->profileSelection);
        bytes += p->profileName.toUtf8();
    } else if (const auto *t = dynamic_cast<const OutputAction_Tilts *>(record.get())) {
        add(t->tiltAxis);
    } else if (const auto *d = dynamic_cast<const OutputAction_Tracking *>(record.get())) {
        if (d->typeCode == OutputType::LiftOff) {
            add(d->liftOffLevel);
        } else { // selection, value
            add(d->dpiSelectionType);
            addNative16(d->dpiValue);
        }
    } else if (const auto *h = dynamic_cast<const OutputAction_Haptic *>(record.get())) {
        // strength, duration, option
        add(h->strength);
        add16(h->duration);
        add(h->hapticOption);
    } else if (const auto *j = dynamic_cast<const OutputAction_Joystick *>(record.get())) {
        if (j->typeCode == OutputType::JoystickButton) { // button, state
            add(j->buttonId);
            add(j->buttonState);
        } else { // axis, range mode, the four range values
            add(j->stickAxis);
            add(j->rangeMode);
            for (const quint16 value : {j->firstRangeStart, j->firstRangeEnd, j->secondRangeStart, j->secondRangeEnd})
                addNative16(value);
        }
    } else if (const auto *l = dynamic_cast<const OutputAction_Led *>(record.get())) {
        // mode, brightness, duration, colour 1, colour 2
        add(l->ledMode);
        add(l->brightness);
        add16(l->ledDuration);
        for (const quint8 byte : l->colour1)
            add(byte);
        for (const quint8 byte : l->colour2)
            add(byte);
    } else if (const auto *o = dynamic_cast<const OutputAction_Oled *>(record.get())) {
        // content, duration, option, message
        add(o->oledMode);
        add16(o->flashDuration);
        add(o->flashOption);
        bytes += o->message;
    }
    return bytes;
}
