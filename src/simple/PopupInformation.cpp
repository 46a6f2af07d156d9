#include "PopupInformation.h"
#include "ui_PopupInformation.h"

#include "DlgMessageBox.h"
#include "FWUpdate.h"
#include "MouseFunctions.h"
#include "PopupTexts.h"
#include "ProcessTools.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "StyleProperties.h"

#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>
#include <QSettings>
#include <QShowEvent>
#include <QUrl>

namespace {

// The beta notes while "Channel.ini" selects the beta or alpha channel.
QString chooseReleaseNotes()
{
    const QString path = SettingsFile::channelIniPath();
    if (!QFileInfo::exists(path))
        return changelogUrl;
    QSettings channel(path, QSettings::IniFormat);
    const bool testing =
        channel.value("IsBetaChannel", false).toBool() || channel.value("IsAlphaChannel", false).toBool();
    return testing ? betaChangelogUrl : changelogUrl;
}

} // namespace

PopupInformation::PopupInformation(QWidget *parent, SWUpdate *swUpdate)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::PopupInformation>())
    , m_update(swUpdate)
    , m_mouse(MouseFunctions::instance())
    , m_releaseNotesUrl(chooseReleaseNotes())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    setModelKey(m_modelKey);

    connect(ui->check_updates, &ItemLabelClickable::clicked, this, [this] {
        if (m_update)
            m_update->checkNow();
        close();
    });
    connect(m_mouse, &MouseFunctions::fwUpdateRequired, this, &PopupInformation::setFirmwareUpdateRequired);
    connect(ui->update, &QPushButton::clicked, this, &PopupInformation::updateClicked);
    connect(ui->whats_new, &ItemLabelClickable::clicked, this, [this] { openArticle(m_releaseNotesUrl); });
    connect(ui->user_guides, &ItemLabelClickable::clicked, this, [this] { openArticle(introductionUrl); });
    connect(ui->horizontalSlider_hints, &QSlider::valueChanged, this, &PopupInformation::hintsToggled);

    // A fresh install or upgrade turns the hints back on, and stores that.
    QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    const bool on = settings.value("DisplayHints", true).toBool()
                    || !settings.value("HasBeenOpenedSinceInstallOrUpgrade", false).toBool();
    if (on)
        ui->horizontalSlider_hints->setValue(1);
    else
        ui->horizontalSlider_hints->setProperty("slider_style", "hint_toggle_off");

    refreshNotice();
}

PopupInformation::~PopupInformation() = default;

void PopupInformation::setVersionText(const QString &text)
{
    ui->label_version->setText(text);
}

void PopupInformation::setModelKey(const QString &key)
{
    m_modelKey = key;
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->frame, ui->label_version, ui->whats_new, ui->check_updates, ui->user_guides, ui->label_hints,
             ui->horizontalSlider_hints, ui->frame_line, ui->label_update_info, ui->update}) {
        widget->setProperty(StyleProperties::modelKey, key);
        StyleProperties::restyle(widget);
    }
}

void PopupInformation::hintsClosed()
{
    ui->horizontalSlider_hints->setValue(0);
}

void PopupInformation::hintsToggled(int value)
{
    QSlider *slider = ui->horizontalSlider_hints;
    slider->setProperty("slider_style", value > 0 ? "hint_toggle_on" : "hint_toggle_off");
    StyleProperties::restyle(slider);
    slider->update();
    emit displayHints(value > 0);
    QSettings settings(SettingsFile::path(), QSettings::IniFormat);
    SettingsFile::writeIfChanged(settings, "DisplayHints", value > 0);
}

void PopupInformation::setFirmwareUpdateRequired(bool on)
{
    m_firmwareUpdateRequired = on;
    refreshNotice();
}

void PopupInformation::setSoftwareUpdateAvailable(bool on)
{
    m_softwareUpdateAvailable = on;
    refreshNotice();
}

// The program's update is offered first; once it is gone, a required
// firmware update shows again.
void PopupInformation::refreshNotice()
{
    const bool shown = m_softwareUpdateAvailable || m_firmwareUpdateRequired;
    ui->widget_has_updates->setVisible(shown);
    ui->frame_line->setVisible(shown);
    ui->label_update_info->setText(m_softwareUpdateAvailable || !m_firmwareUpdateRequired
                                       ? tr("New Driver Available")
                                       : tr("Firmware Update Required"));
    fitToContents();
}

void PopupInformation::fitToContents()
{
    if (isVisible())
        adjustSize();
}

void PopupInformation::showEvent(QShowEvent *event)
{
    adjustSize();
    QWidget::showEvent(event);
}

void PopupInformation::updateClicked()
{
    close();
    if (m_softwareUpdateAvailable) {
        setSoftwareUpdateAvailable(false);
        if (m_update)
            m_update->upgrade();
        return;
    }
    if (!m_firmwareUpdateRequired)
        return;
    DlgMessageBox(this, tr("Please, ensure that you have closed CorvanelleDriver application."), m_modelKey).exec();
    if (isProcessRunning(oldDriverProcess))
        return; // Update may be pressed again once it is closed
    // A mouse whose firmware is too old to be used still counts: it is the
    // one to update.
    if (!m_mouse || !m_mouse->isDevicePresent()) {
        DlgMessageBox(this, PopupTexts::noMouse(), m_modelKey).exec();
        return;
    }
    setFirmwareUpdateRequired(false);
    FWUpdate::instance()->startCustomUpdate(QString());
}

void PopupInformation::openArticle(const QString &url)
{
    if (!QDesktopServices::openUrl(QUrl(url)))
        qWarning().noquote() << "PopupInformation: could not open" << url;
    close();
}
