#include "ExpertView.h"

#include "AppFont.h"
#include "ConfigFile.h"
#include "ExpertStartup.h"
#include "ExpertTray.h"
#include "MouseFunctions.h"
#include "ProfileData.h"
#include "SWUpdate.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "SimpleModel.h"
#include "Version.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ExpertView::ExpertView(QWidget *parent, SWUpdate *update)
    : QMainWindow(parent)
    , m_update(update)
    , m_previousForeground(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
{
    buildPage();
    hide();
    setVersionText(QString());
    SettingsFile::writeStartupDefaults(m_update ? m_update->channel() : int(SettingsFile::ChannelPublic));

    m_tray = new ExpertTray(this);
    connect(m_tray, &ExpertTray::openRequested, this, &ExpertView::emitShowActiveView);

    m_startup = new ExpertStartup(this);
    m_startup->loadProfiles();
    m_startup->startDeviceLink();
    refreshPage();
    m_startup->startSwitching();

    SimpleModel *profiles = SimpleModel::instance();
    connect(profiles, &SimpleModel::activeProfileChanged, this, &ExpertView::refreshPage);
    connect(profiles, &SimpleModel::profilesListChanged, this, &ExpertView::refreshPage);
    connect(profiles, &SimpleModel::profileNameChanged, this, &ExpertView::refreshPage);
}

ExpertView::~ExpertView() = default;

void ExpertView::buildPage()
{
    setObjectName(QStringLiteral("MainWindow"));
    setFont(appFont());
    resize(1400, 802);
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("centralWidget"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    const auto row = [page, layout](const char *name) {
        auto *label = new QLabel(page);
        label->setObjectName(QLatin1String(name));
        layout->addWidget(label);
        return label;
    };
    m_version = row("label_driver_fw_version");
    m_model = row("label_model");
    m_profiles = row("label_profiles");
    m_profiles->setWordWrap(true);
    m_notice = row("label_updateHere");
    m_notice->hide();
    layout->addStretch(1);
    m_simpleMode = new QPushButton(tr("Simple Mode"), page);
    m_simpleMode->setObjectName(QStringLiteral("pushButton_simple_mode"));
    m_simpleMode->setFixedSize(140, 30);
    connect(m_simpleMode, &QPushButton::clicked, this, &ExpertView::simpleModeButton);
    layout->addWidget(m_simpleMode);
    setCentralWidget(page);
}

void ExpertView::setVersionText(const QString &suffix)
{
    QString title = productName + " " + versionString;
    if (!suffix.isEmpty())
        title += " " + suffix + " - included FW: " + QString::number(requiredFirmwareBuild.left(6).toInt());
    setWindowTitle(title);
    m_version->setText(tr("Up To Date") + " (" + versionString + ")");
}

void ExpertView::refreshPage()
{
    const int productId = MouseFunctions::instance()->mousePID();
    m_model->setText(tr("Model: %1 (%2)").arg(productId).arg(property("m").toString()));
    QStringList names;
    const SimpleModel *profiles = SimpleModel::instance();
    const ProfileData *active = profiles->activeProfile();
    for (const ProfileData *profile : profiles->profiles())
        names << (profile == active ? profile->name + " *" : profile->name);
    m_profiles->setText(tr("Profiles: %1").arg(names.join(", ")));
}

void ExpertView::showNotice()
{
    if (m_newVersion)
        m_notice->setText(tr("New Driver Available"));
    else if (m_firmwareRequired)
        m_notice->setText(tr("Firmware Update Required"));
    m_notice->setVisible(m_newVersion || m_firmwareRequired);
}

void ExpertView::resetConnectionToggle()
{
    // The connection switch comes with the full window; nothing to reset yet.
}

void ExpertView::activateView()
{
    refreshPage();
    show();
    raise();
    activateWindow();
}

void ExpertView::channelChanged(int channel)
{
    setVersionText(channel == SettingsFile::ChannelPublic ? QString() : SWUpdate::channelName(channel));
}

void ExpertView::swUpdateAvailable(bool isShown)
{
    m_newVersion = isShown;
    showNotice();
}

void ExpertView::fwUpdateAvailable(bool isShown)
{
    m_firmwareRequired = isShown;
    showNotice();
}

void ExpertView::foregroundChange(const QString &foregroundApp)
{
    if (foregroundApp == m_previousForeground)
        return;
    m_previousForeground = foregroundApp;
    qDebug() << "ExpertView: foreground application" << foregroundApp;
}

void ExpertView::autoConnectionStatus(bool connected)
{
    MouseFunctions *device = MouseFunctions::instance();
    if (device->isBootloader())
        return;
    refreshPage();
    if (!connected)
        return;
    // Every connection uploads the profiles, then writes the file.
    const MouseFunctions::UploadResult result = device->sendProfilesToMouse();
    if (result != MouseFunctions::UploadOk)
        qWarning() << "ExpertView: upload on connection failed" << result;
    ConfigFile::instance()->save();
}

void ExpertView::simpleModeButton()
{
    emit toSimpleView();
}

void ExpertView::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (isFullScreen()) {
        showMinimized();
        return;
    }
    hide();
    emit hidden();
}
