#include "ConnectionSwitch.h"

#include "MouseFunctions.h"

#include <cmath>

ConnectionSwitch::Device ConnectionSwitch::deviceOf(MouseFunctions *device)
{
    return Device{[device] { return device->isBootloader(); }, [device] { return device->checkFirmware(); },
                  [device] { return device->memoryUsedPercent(); },
                  [device] { return device->waitState() != MouseFunctions::WaitDisconnected; }};
}

ConnectionSwitch::ConnectionSwitch(Device device)
    : m_device(std::move(device))
{}

ConnectionSwitch::Outcome ConnectionSwitch::state() const
{
    Outcome outcome;
    outcome.switchValue = m_on ? 1 : 0;
    return outcome;
}

ConnectionSwitch::Outcome ConnectionSwitch::switchTo(bool on)
{
    m_on = on;
    Outcome outcome = state();
    outcome.picture = on;
    outcome.save = on;
    return outcome;
}

ConnectionSwitch::Outcome ConnectionSwitch::autoConnection(bool connected)
{
    if (m_device.isBootloader())
        return state();
    m_connected = connected;
    if (m_manualOff) {
        Outcome outcome = state();
        outcome.modelUi = true;
        return outcome;
    }
    Outcome outcome = switchTo(connected);
    outcome.modelUi = true;
    outcome.memoryBar = true;
    return outcome;
}

ConnectionSwitch::Outcome ConnectionSwitch::manualMove()
{
    const bool wantOn = !m_on;
    if (m_connected) {
        if (wantOn && m_device.checkFirmware() && m_device.memoryUsedPercent() <= 100.0) {
            m_manualOff = false;
            return switchTo(true);
        }
        m_manualOff = true;
        return switchTo(false);
    }
    if (!m_device.devicePresent()) {
        Outcome outcome = switchTo(false);
        outcome.message = Message::NoMouse;
        return outcome;
    }
    if (m_device.checkFirmware())
        return autoConnection(true);
    m_on = false;
    return state();
}

ConnectionSwitch::Outcome ConnectionSwitch::recheck(bool checkOn)
{
    if (checkOn) {
        if (!m_device.devicePresent())
            return state();
        if (m_device.checkFirmware())
            return autoConnection(true);
        m_on = false;
        return state();
    }
    if (m_connected && !m_manualOff)
        return switchTo(true);
    return state();
}

ConnectionSwitch::Outcome ConnectionSwitch::setOn(bool on)
{
    return switchTo(on);
}

ConnectionSwitch::Outcome ConnectionSwitch::memory(bool visible)
{
    double percent = m_device.memoryUsedPercent();
    Outcome outcome = state();
    outcome.label = QString::number(std::ceil(percent), 'g', 6) + QLatin1Char('%');
    if (m_on && percent > 100.0) {
        outcome = switchTo(false);
        outcome.label = QString::number(std::ceil(percent), 'g', 6) + QLatin1Char('%');
        if (visible)
            outcome.message = Message::TooManyMappings;
        m_overLimit = true;
        percent = 100.0;
    } else if (!m_on && m_overLimit && percent < 100.0) {
        // Back below the limit: on again only as a user's switch-on would
        // be, so never without a mouse or with firmware it refuses.
        m_overLimit = false;
        if (m_connected && m_device.checkFirmware()) {
            m_manualOff = false;
            const QString label = outcome.label;
            outcome = switchTo(true);
            outcome.label = label;
        }
    }
    outcome.bar = static_cast<int>(percent);
    outcome.enableSave = true;
    return outcome;
}

ConnectionSwitch::Outcome ConnectionSwitch::uploadEnded(bool failed, const QString &reason, bool visible) const
{
    Outcome outcome = state();
    outcome.enableSave = failed;
    if (failed && visible) {
        outcome.message = Message::UploadFailed;
        outcome.reason = reason;
    }
    return outcome;
}
