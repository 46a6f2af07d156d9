#pragma once
// The fields of an output record that its page writes, as bytes in the order
// the record keeps them (16-bit values high byte first), so that page tests
// compare them with golden bytes.

#include "OutputAction_Act.h"
#include "OutputAction_Keyboard.h"
#include "OutputAction_Mouse.h"

#include <QByteArray>

inline QByteArray pageFieldBytes(const OutputPtr &record)
{
    QByteArray bytes;
    auto add = [&bytes](int byte) { bytes.append(char(quint8(byte))); };
    auto add16 = [&add](const BigEndian16 &value) {
        add(value.high());
        add(value.low());
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
    }
    return bytes;
}
