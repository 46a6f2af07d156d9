#pragma once
// The rules of the expert window's "Connect To Mouse" switch, without a
// widget: each event (a connection report, the user's move, the firmware
// check's switch, the memory use, the end of a save) returns what the window
// does about it: the switch's value, the picture's connected look, whether a
// save runs and which message the user sees.
//
// While the switch is on every save uploads the profiles before writing the
// file. A user's switch-off ("manual off") lasts across reconnects until the
// user switches on again. Memory use above 100 % switches off on its own and
// back on once it falls below 100 % again, but only with a mouse connected
// that passes the firmware check.

#include <QString>

#include <functional>
#include <optional>

class MouseFunctions;

class ConnectionSwitch
{
public:
    // What the switch needs to know of the device, read when an event needs it.
    struct Device
    {
        std::function<bool()> isBootloader;
        // May tell the user about the firmware itself.
        std::function<bool()> checkFirmware;
        std::function<double()> memoryUsedPercent;
        // A device (mouse or bootloader) is present at all.
        std::function<bool()> devicePresent;
    };
    // The device object's answers.
    static Device deviceOf(MouseFunctions *device);

    enum class Message { None, NoMouse, TooManyMappings, UploadFailed };

    struct Outcome
    {
        int switchValue = 0;
        // MouseImage::setConnected's argument, when it is to be called.
        std::optional<bool> picture;
        bool save = false;
        // The model-dependent pages and logo are to be refreshed.
        bool modelUi = false;
        // The memory bar is to run after the save.
        bool memoryBar = false;
        // The Save button is to be enabled.
        bool enableSave = false;
        Message message = Message::None;
        // The text of an UploadFailed message.
        QString reason;
        // Memory events: the label's text and the bar's value.
        QString label;
        int bar = 0;
    };

    explicit ConnectionSwitch(Device device);

    bool connected() const { return m_connected; }
    bool manualOff() const { return m_manualOff; }
    bool isOn() const { return m_on; }
    bool overLimit() const { return m_overLimit; }

    // The device object's mouseConnect(connected).
    Outcome autoConnection(bool connected);
    // The user moved the switch; the value is not looked at: every move asks
    // for the opposite of the current state.
    Outcome manualMove();
    // The firmware check was switched on (true) or off.
    Outcome recheck(bool checkOn);
    // Sets the switch as told.
    Outcome setOn(bool on);
    // The memory use after an edit, a connect or an import; messages only
    // while the window is visible.
    Outcome memory(bool visible);
    // The end of a save that asked for an upload: a failed one is reported
    // (while visible) and keeps Save enabled, since the mouse lacks the edits.
    // Nothing to do (no message, Save as the file left it) otherwise.
    Outcome uploadEnded(bool failed, const QString &reason, bool visible) const;

private:
    Outcome state() const;
    Outcome switchTo(bool on);

    Device m_device;
    bool m_connected = false;
    bool m_manualOff = false;
    bool m_on = false;
    bool m_overLimit = false;
};
