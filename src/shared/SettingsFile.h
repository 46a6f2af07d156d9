#pragma once
// Where the per-user settings file lives, and the start-up checks that fill in
// its defaults. Readers open the file for the moment they need a key
// (QSettings on path() in INI format) and pass their own default.

#include <QString>

#include <limits>

class QSettings;
class QVariant;

namespace SettingsFile {

// The application name, which names the per-user folders. main sets it before
// anything reads a path, so that the folders stay the same whatever the
// executable is called and however it is started (a link on the PATH, a
// renamed copy). No organisation name is set.
QString applicationName();

// The per-user configuration folder of the running application.
QString folder();
// folder() + "/settings.ini".
QString path();
// The same file, composed by hand from applicationName() for readers that run
// before main has set the name (during static initialisation).
QString pathBeforeApplication();
// folder() + "/Channel.ini", the older release-channel file.
QString channelIniPath();

// Release channels as the update check numbers them.
enum Channel { ChannelAlpha = 1, ChannelBeta = 2, ChannelPublic = 3, ChannelV3Alpha = 4 };

// The "ReleaseChannel" token of a channel: "Alpha", "Beta", otherwise "Stable".
QString channelToken(int channel);

// A key that holds an integer: the value its readers take when it is absent,
// the value a text that is not a whole number reads as, and the range a
// number read from it is clamped to, so that no reader computes with a value
// the program never writes.
struct IntegerKey
{
    const char *name;
    int fallback;
    int unreadable;
    int minimum;
    int maximum;
};

// The product id of the last mouse that connected: a USB product id.
inline constexpr IntegerKey lastMouseConnectedKey{"LastMouseConnected", 0, 0, 0, 0xFFFF};
// Seconds of rechecking after a foreground change, as the settings dialog
// offers them; text reads as 0, as the toolkit reads it, which turns the
// recheck off.
inline constexpr IntegerKey recheckAppSwitchTimeoutKey{"RecheckAppSwitchTimeout", 1, 0, 0, 5};
// Rotating backups of the configuration file; 0 and 1 both keep only the
// newest one. A count that does not read keeps the usual five rather than
// dropping the user's backups.
inline constexpr IntegerKey numberOfBackupsKey{"NumberOfBackups", 5, 5, 0, std::numeric_limits<int>::max()};

// The key's value in settings, clamped to its range; its fallback when the
// key is absent, its unreadable value when it does not read as a whole
// number. Writes nothing.
int readInteger(const QSettings &settings, const IntegerKey &key);

// Sets key to value unless the file holds that value already: every write
// rewrites and syncs the whole file, so a start that changes nothing writes
// nothing.
void writeIfChanged(QSettings &settings, const QString &key, const QVariant &value);

// First start (no "HasBeenRunBefore"): writes the fourteen first-run keys.
// Later starts: fills in the keys added since, and "ReleaseChannel" from the
// update check's current channel, deleting "Channel.ini" then.
void writeStartupDefaults(int currentChannel);

// The channel that "Channel.ini" selects (beta before alpha), or 0 when the file
// is absent. A file that selects neither is deleted.
int channelFromChannelIni();

} // namespace SettingsFile
