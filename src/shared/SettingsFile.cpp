#include "SettingsFile.h"

#include "SharedConstants.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace SettingsFile {

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString path()
{
    return folder() + "/" + settingsFileName;
}

QString pathBeforeApplication()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/Corvanelle R7 Control Panel/" + settingsFileName;
}

QString channelIniPath()
{
    return folder() + "/Channel.ini";
}

QString channelToken(int channel)
{
    switch (channel) {
    case ChannelAlpha: return QStringLiteral("Alpha");
    case ChannelBeta: return QStringLiteral("Beta");
    default: return QStringLiteral("Stable");
    }
}

void writeStartupDefaults(int currentChannel)
{
    QSettings settings(path(), QSettings::IniFormat);
    if (!settings.value("HasBeenRunBefore", false).toBool()) {
        settings.setValue("AdminAppDetection", false);
        settings.setValue("AutoUpdate", true);
        settings.setValue("EnableHighDpiScaling", true);
        settings.setValue("ExpertAddRelease", true);
        settings.setValue("ExpertView", false);
        settings.setValue("ExpertViewSideBySide", false);
        settings.setValue("ExpertViewShowPressRelease", false);
        settings.setValue("HasDoneCalibration", false);
        settings.setValue("ShowGlobal", false);
        settings.setValue("ShowIntroOnLaunch", true);
        settings.setValue("SetViewedAsActive", true);
        settings.setValue("SetActiveAsViewed", true);
        settings.setValue("VerboseLogging", false);
        settings.setValue("R7API", false);
        return;
    }
    for (const char *key : {"ExpertAddRelease", "SetViewedAsActive", "SetActiveAsViewed"}) {
        if (!settings.contains(key))
            settings.setValue(key, true);
    }
    if (!settings.contains("ReleaseChannel")) {
        settings.setValue("ReleaseChannel", channelToken(currentChannel));
        QFile::remove(channelIniPath());
    }
}

int channelFromChannelIni()
{
    const QString iniPath = channelIniPath();
    if (!QFile::exists(iniPath))
        return 0;
    int channel = 0;
    {
        QSettings channelIni(iniPath, QSettings::IniFormat);
        if (channelIni.value("IsBetaChannel", false).toBool())
            channel = ChannelBeta;
        else if (channelIni.value("IsAlphaChannel", false).toBool())
            channel = ChannelAlpha;
    }
    if (channel == 0)
        QFile::remove(iniPath);
    return channel;
}

} // namespace SettingsFile
