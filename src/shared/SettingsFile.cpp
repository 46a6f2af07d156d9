#include "SettingsFile.h"

#include "SharedConstants.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace SettingsFile {

QString applicationName()
{
    return QStringLiteral("Corvanelle R7 Control Panel");
}

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
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" + applicationName() + "/"
           + settingsFileName;
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

int readInteger(const QSettings &settings, const IntegerKey &key)
{
    // Read wider than int, so that a number past int's range is clamped
    // rather than taken for text.
    const QVariant value = settings.value(QLatin1String(key.name));
    if (!value.isValid())
        return key.fallback;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok)
        return key.unreadable;
    return int(std::clamp<qlonglong>(number, key.minimum, key.maximum));
}

void writeIfChanged(QSettings &settings, const QString &key, const QVariant &value)
{
    // A value read back from the file is text; the comparison converts the
    // new value to it ("true", "5").
    if (!settings.contains(key) || settings.value(key) != value)
        settings.setValue(key, value);
}

void writeStartupDefaults(int currentChannel)
{
    QSettings settings(path(), QSettings::IniFormat);
    if (!settings.value("HasBeenRunBefore", false).toBool()) {
        // Repeated at every start until the first start with a window.
        const std::pair<const char *, bool> firstRun[] = {
            {"AdminAppDetection", false},
            {"AutoUpdate", true},
            {"EnableHighDpiScaling", true},
            {"ExpertAddRelease", true},
            {"ExpertView", false},
            {"ExpertViewSideBySide", false},
            {"ExpertViewShowPressRelease", false},
            {"HasDoneCalibration", false},
            {"ShowGlobal", false},
            {"ShowIntroOnLaunch", true},
            {"SetViewedAsActive", true},
            {"SetActiveAsViewed", true},
            {"VerboseLogging", false},
            {"R7API", false},
        };
        for (const auto &[key, value] : firstRun)
            writeIfChanged(settings, QString::fromLatin1(key), value);
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
