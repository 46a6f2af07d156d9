#include "SimpleViewTexts.h"

#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "Version.h"

#include <QCoreApplication>

QString SimpleViewTexts::versionText(int channel)
{
    QString text = QCoreApplication::translate("SimpleView", "Version:") + " " + versionString;
    if (channel != SettingsFile::ChannelPublic)
        text += " " + SWUpdate::channelName(channel);
    return text;
}

QString SimpleViewTexts::windowTitle(int channel)
{
    QString title = productName;
    // Alpha builds tell which firmware they carry.
    if (channel == SettingsFile::ChannelAlpha)
        title += " " + versionString + " - included FW: " + QString::number(requiredFirmwareBuild.left(6).toInt());
    return title;
}
