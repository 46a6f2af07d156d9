#pragma once
// Where the per-user settings file lives, and the start-up checks that fill in
// its defaults. Readers open the file for the moment they need a key
// (QSettings on path() in INI format) and pass their own default.

#include <QString>

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
