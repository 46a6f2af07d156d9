#include "ShortcutRecorder.h"

#include "OutputAction_Keyboard.h"

#include <QList>

namespace {

QList<int> &heldKeys()
{
    static QList<int> keys;
    return keys;
}

} // namespace

void ShortcutRecorder::start()
{
    m_records.clear();
    heldKeys().clear();
}

ShortcutRecorder::Step ShortcutRecorder::key(int key, bool isPress, int source)
{
    Step step = Step::Released;
    if (isPress) {
        if (heldKeys().contains(key))
            return Step::Repeat;
        heldKeys().append(key);
        step = Step::Pressed;
    } else {
        heldKeys().removeAll(key);
    }
    auto record = std::make_shared<OutputAction_Keyboard>(OutputType::Key);
    if (record->setFromKeyCode(key, source)) {
        record->buttonState = isPress ? OutputActionConfig::ButtonPress : OutputActionConfig::ButtonRelease;
        m_records << record;
    }
    return step;
}

bool ShortcutRecorder::keysHeld()
{
    return !heldKeys().isEmpty();
}

OutputList ShortcutRecorder::withState(bool pressed) const
{
    OutputList list;
    for (const OutputPtr &record : m_records) {
        const auto &key = static_cast<const OutputAction_Keyboard &>(*record);
        if ((key.buttonState == OutputActionConfig::ButtonPress) == pressed)
            list << record;
    }
    return list;
}
