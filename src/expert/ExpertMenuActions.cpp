#include "ExpertMenuActions.h"

#include "ConfigFile.h"
#include "PackageCreator.h"
#include "SharedConstants.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QFileDialog>

namespace ExpertMenuActions {

namespace {
constexpr int publicChannel = 3;

QString tr(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}
} // namespace

UrlOpener desktopUrlOpener()
{
    return [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

FileChooser openFileDialog()
{
    return [](const QString &caption, const QString &start, const QString &filter) {
        return QFileDialog::getOpenFileName(nullptr, caption, start, filter);
    };
}

FileChooser saveFileDialog()
{
    return [](const QString &caption, const QString &start, const QString &filter) {
        return QFileDialog::getSaveFileName(nullptr, caption, start, filter);
    };
}

FileChooser openFirmwareDialog()
{
    return [](const QString &caption, const QString &start, const QString &filter) {
        return QFileDialog::getOpenFileName(nullptr, caption, start, filter, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    };
}

QUrl helpArticle(int item, int channel)
{
    if (item == Introduction)
        return QUrl(introductionUrl);
    if (item == ReleaseNotes)
        return QUrl(channel == publicChannel ? changelogUrl : betaChangelogUrl);
    return QUrl();
}

bool openHelpArticle(int item, int channel, const UrlOpener &open)
{
    const QUrl url = helpArticle(item, channel);
    return !url.isEmpty() && open(url);
}

FlashResult storeInFlash(bool switchOn, MouseFunctions::UploadResult upload, MouseFunctions *device)
{
    if (!switchOn)
        return FlashResult::NoMouse;
    if (upload != MouseFunctions::UploadOk)
        return FlashResult::NotStored;
    return device->saveToFlash() ? FlashResult::Stored : FlashResult::NotStored;
}

QString flashMessage(FlashResult result)
{
    switch (result) {
    case FlashResult::NoMouse:
        return noMouseText();
    case FlashResult::NotStored:
        return tr("The mouse did not take the profiles, so nothing was\nstored in its flash memory.");
    case FlashResult::Stored:
        break;
    }
    return tr("Settings successfully saved to flash memory.\nThese will be used if the mouse is turned on and\nthe "
              "driver is not present / connected.");
}

QString noMouseText()
{
    return tr("No mouse detected, please check the Corvanelle V is\nplugged in, and press 'Ok'");
}

bool resetProfiles(bool withDefault, ConfigFile *file, MouseFunctions *device)
{
    // The starter file adds its profiles to what the store holds, so the old
    // ones go first (those the tree has not taken out already).
    PackageCreator *model = PackageCreator::instance();
    const QList<ProfileData *> old = model->profiles();
    for (ProfileData *profile : old)
        model->removeProfile(profile);
    const bool loaded = withDefault ? file->loadStarterFile() : file->loadStarterFileWithoutDefault();
    qInfo() << "ExpertView: clearAndReset";
    device->configReset();
    return loaded;
}

} // namespace ExpertMenuActions
