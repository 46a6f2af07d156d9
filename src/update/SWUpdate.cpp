#include "SWUpdate.h"

#include "ui_SWUpdate.h"

#include "CustomMessageBox.h"
#include "InternetAccess.h"
#include "MainMenu.h"
#include "MouseFunctions.h"
#include "SettingsFile.h"
#include "SharedConstants.h"
#include "StyleProperties.h"
#include "TempMessage.h"
#include "UpdateManifest.h"
#include "UpdateServer.h"
#include "Version.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QUrl>

#include <utility>

namespace {

struct ChannelRow
{
    int channel;
    const char *token; // "ReleaseChannel"
    const char *name;  // shown, translated
    const char *pathSegment;
};

const ChannelRow channels[] = {
    {SettingsFile::ChannelAlpha, "Alpha", QT_TRANSLATE_NOOP("SWUpdate", "Alpha"), "alpha"},
    {SettingsFile::ChannelBeta, "Beta", QT_TRANSLATE_NOOP("SWUpdate", "Beta"), "beta"},
    {SettingsFile::ChannelPublic, "Stable", QT_TRANSLATE_NOOP("SWUpdate", "Public"), "public"},
    {SettingsFile::ChannelV3Alpha, "V3Alpha", QT_TRANSLATE_NOOP("SWUpdate", "V3 Alpha"), "v3alpha"},
};

// Any value without a row of its own counts as the public channel.
const ChannelRow &channelRow(int channel)
{
    for (const ChannelRow &row : channels) {
        if (row.channel == channel)
            return row;
    }
    return channels[2];
}

// The channel a "ReleaseChannel" token names; 0 for none but "Beta",
// "Alpha" and "V3Alpha".
int channelFromToken(const QString &token)
{
    for (const ChannelRow &row : channels) {
        if (row.channel != SettingsFile::ChannelPublic && token == QLatin1String(row.token))
            return row.channel;
    }
    return 0;
}

} // namespace

struct SWUpdate::Download
{
    QString address;
    QString fileName;
    QNetworkReply *reply = nullptr;
    QFile file;
    qint64 written = 0;
    bool writeFailed = false;
};

SWUpdate::SWUpdate(QWidget *parent)
    : QDialog(parent)
{
    // The form is built when the dialog is first shown or styled: a start in
    // the tray needs none of it.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);

    m_downloadFolder = SettingsFile::folder() + "/Driver Updates/";
    if (!QDir().mkpath(SettingsFile::folder()) || !QDir().mkpath(m_downloadFolder))
        qWarning().noquote() << "SWUpdate: cannot create" << m_downloadFolder;
    m_channelIniPath = SettingsFile::channelIniPath();

    if (QSettings(SettingsFile::path(), QSettings::IniFormat).value("AutoUpdate", true).toBool()) {
        m_autoUpdateTimer.setObjectName("autoUpdateTimer");
        m_autoUpdateTimer.setInterval(autoUpdateIntervalMs);
        connect(&m_autoUpdateTimer, &QTimer::timeout, this, &SWUpdate::checkUpdates);
        m_autoUpdateTimer.start();
    }
    m_offerRetry.setSingleShot(true);
    m_offerRetry.setInterval(deviceRetryMs);
    connect(&m_offerRetry, &QTimer::timeout, this, &SWUpdate::offerOrDownload);

    // The busy message is made at the first manual check.
    m_busyParent = parent;
    m_busyParentGiven = parent != nullptr;
    m_device = MouseFunctions::instance();
    loadChannel();
}

void SWUpdate::ensureForm()
{
    if (ui)
        return;
    ui = std::make_unique<Ui::SWUpdate>();
    ui->setupUi(this);
    connect(ui->pushButton_now, &QPushButton::clicked, this, &SWUpdate::upgrade);
    connect(ui->pushButton_later, &QPushButton::clicked, this, &QWidget::hide);
}

void SWUpdate::setVisible(bool visible)
{
    if (visible)
        ensureForm();
    QDialog::setVisible(visible);
}

TempMessage *SWUpdate::busyMessage()
{
    // Made once; none when the widget it belongs to has gone, as it would
    // have gone with it.
    if (!m_busyMade && (m_busyParent || !m_busyParentGiven)) {
        m_busyMade = true;
        m_busyMessage = new TempMessage(tr("Checking for update now"), m_busyParent);
    }
    return m_busyMessage;
}

InternetAccess *SWUpdate::internetAccess()
{
    // Comes with the first check or download that needs it; it polls the
    // network interfaces only while a download runs.
    if (!m_internet) {
        m_internet = new InternetAccess(UpdateServer::base().host(), this);
        connect(m_internet, &InternetAccess::onlineStatusChanged, this, &SWUpdate::onlineStatusChanged);
    }
    return m_internet;
}

SWUpdate::~SWUpdate()
{
    dropDownload(true);
    // Its replies go with it; nothing is to be released after that.
    delete std::exchange(m_network, nullptr);
    delete m_busyMessage;
}

QNetworkAccessManager *SWUpdate::network()
{
    // Made for a check and let go once its last reply has gone: while it
    // lives, the toolkit polls every network interface and keeps idle
    // connections with timers of their own, which would wake a program
    // that sits in the tray for days.
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    return m_network;
}

void SWUpdate::replyGone()
{
    if (--m_openReplies == 0 && m_network)
        std::exchange(m_network, nullptr)->deleteLater();
}

bool SWUpdate::setServerUrl(const QString &address)
{
    return UpdateServer::setBase(address);
}

QString SWUpdate::channelName(int channel)
{
    return tr(channelRow(channel).name);
}

void SWUpdate::loadChannel()
{
    if (QFile::exists(m_channelIniPath)) {
        const int fromIni = SettingsFile::channelFromChannelIni();
        if (fromIni) {
            m_channel = fromIni;
            emit channelChanged(m_channel);
        }
        return;
    }
    const QString token =
        QSettings(SettingsFile::path(), QSettings::IniFormat).value("ReleaseChannel", "Stable").toString();
    if (const int channel = channelFromToken(token)) {
        m_channel = channel;
        emit channelChanged(m_channel);
    }
}

void SWUpdate::loadSettingsAndCheck()
{
    loadChannel();
    checkUpdates();
}

void SWUpdate::checkNow()
{
    if (internetAccess()->isOnline()) {
        TempMessage *busy = busyMessage();
        if (busy)
            busy->show();
        checkUpdates();
        if (busy)
            busy->hide();
        return;
    }
    CustomMessageBox box(
        nullptr, tr("Error") + "\n" + tr("Could not connect.\nPlease ensure that you are connected to the internet."),
        tr("Ok"), QString(), QString());
    box.setTextAlignment(Qt::AlignCenter);
    box.exec();
}

void SWUpdate::switchChannel(const QString &token)
{
    const int channel = channelFromToken(token);
    m_channel = channel ? channel : int(SettingsFile::ChannelPublic);
    // Whichever view opened the settings, and whether or not the expert
    // view's menu was ever made: its switch follows when it is.
    MainMenu::setFirmwareCheck(true);
    emit toggleFWCheck(1);
    emit channelChanged(m_channel);
    checkNow();
}

QNetworkReply *SWUpdate::get(const QUrl &address)
{
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply *reply = network()->get(request);
    ++m_openReplies;
    connect(reply, &QObject::destroyed, this, &SWUpdate::replyGone);
    connect(reply, &QNetworkReply::redirected, this,
            [this, reply](const QUrl &target) { verifyRedirect(reply, target); });
    return reply;
}

void SWUpdate::verifyRedirect(QNetworkReply *reply, const QUrl &target)
{
    if (UpdateServer::isAcceptedAddress(target)) {
        emit reply->redirectAllowed();
        return;
    }
    qWarning().noquote() << "SWUpdate: redirect refused:" << target.toString();
    // Not from inside the reply's own signal.
    QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
}

void SWUpdate::checkUpdates()
{
    m_ready = false;
    emit updatesAvailable(false);
    QNetworkReply *reply = get(UpdateServer::manifestUrl(channelRow(m_channel).pathSegment));
    m_manifestReply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { manifestFinished(reply); });
}

void SWUpdate::manifestFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_manifestReply)
        return;
    if (reply->error() != QNetworkReply::NoError) {
        qWarning().noquote() << "SWUpdate: netReply error" << reply->errorString();
        return;
    }
    const std::optional<UpdateManifest> manifest = UpdateManifest::parse(reply->readAll());
    if (!manifest)
        return;
    m_manifestVersion = manifest->version;
    m_installerUrl = manifest->url;
    offerOrDownload();
}

void SWUpdate::offerOrDownload()
{
    // The download must not start in the middle of a device exchange.
    if (m_device && m_device->isAwaitingReply()) {
        m_offerRetry.start();
        return;
    }
    if (m_manifestVersion == versionString || m_download)
        return;

    const UpdateManifest manifest{m_manifestVersion, m_installerUrl};
    const QString tag = m_channel == SettingsFile::ChannelAlpha || m_channel == SettingsFile::ChannelBeta
                            ? "_" + channelName(m_channel)
                            : QString();
    QString problem;
    const QString fileName = manifest.installerFileName(tag, &problem);
    if (fileName.isEmpty()) {
        qWarning().noquote() << "SWUpdate: update refused," << problem;
        return;
    }
    if (QFileInfo(m_downloadFolder + fileName).absolutePath() != QFileInfo(m_downloadFolder).absolutePath()) {
        qWarning().noquote() << "SWUpdate: update refused, outside the download folder:" << fileName;
        return;
    }
    if (!UpdateServer::isAcceptedAddress(QUrl(m_installerUrl))) {
        qWarning().noquote() << "SWUpdate: update refused, not an https address:" << m_installerUrl;
        return;
    }
    m_installerFileName = fileName;
    deleteOtherInstallers();

    if (QFileInfo(m_downloadFolder + m_installerFileName).isFile()) {
        m_ready = true;
        emit updatesAvailable(true);
        return;
    }
    qInfo().noquote() << "SWUpdate: download update started "
                      << "Version :" << m_manifestVersion;
    startDownload(m_installerUrl, m_installerFileName);
}

void SWUpdate::deleteOtherInstallers() const
{
    QDir folder(m_downloadFolder);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.contains(QLatin1Char('.')) && name != m_installerFileName && !folder.remove(name))
            qWarning().noquote() << "SWUpdate: cannot delete" << folder.filePath(name);
    }
}

void SWUpdate::startDownload(const QString &address, const QString &fileName)
{
    auto download = std::make_unique<Download>();
    download->address = address;
    download->fileName = fileName;
    download->file.setFileName(m_downloadFolder + "temp");
    if (!download->file.open(QIODevice::WriteOnly)) {
        // Forgotten at once, so that the next check tries again.
        qWarning().noquote() << "SWUpdate: cannot write" << download->file.fileName() << download->file.errorString();
        return;
    }
    QNetworkReply *reply = get(QUrl(address));
    internetAccess()->watch(reply);
    download->reply = reply;
    m_download = std::move(download);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { downloadData(reply); });
    connect(reply, &QNetworkReply::errorOccurred, this, [this, reply] { downloadError(reply); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { downloadFinished(reply); });
}

bool SWUpdate::isCurrentDownload(const QNetworkReply *reply) const
{
    return m_download && m_download->reply == reply;
}

void SWUpdate::downloadData(QNetworkReply *reply)
{
    if (!isCurrentDownload(reply))
        return;
    const QByteArray data = reply->readAll();
    if (m_download->file.write(data) != data.size())
        m_download->writeFailed = true;
    m_download->written += data.size();
}

void SWUpdate::downloadError(QNetworkReply *reply)
{
    if (!isCurrentDownload(reply))
        return;
    qWarning().noquote() << "SWUpdate: error while download" << reply->errorString();
    // The request has ended already.
    dropDownload(false);
}

void SWUpdate::downloadFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (!isCurrentDownload(reply))
        return;
    downloadData(reply);
    std::unique_ptr<Download> download = std::move(m_download);
    const bool flushed = download->file.flush();
    download->file.close();
    qInfo() << "SWUpdate: download finished";

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString problem;
    if (reply->error() != QNetworkReply::NoError)
        problem = reply->errorString();
    else if (status != 200)
        problem = QStringLiteral("status %1").arg(status);
    else if (download->written == 0)
        problem = QStringLiteral("empty body");
    else if (download->writeFailed || !flushed)
        problem = download->file.errorString();
    else if (!download->file.rename(m_downloadFolder + download->fileName))
        problem = QStringLiteral("cannot rename to ") + download->fileName + ": " + download->file.errorString();
    if (!problem.isEmpty()) {
        qWarning().noquote() << "SWUpdate: download refused," << problem;
        download->file.remove();
        return;
    }
    qInfo().noquote() << "SWUpdate: update loaded " << download->fileName;
    m_installerFileName = download->fileName;
    m_ready = true;
    emit updatesAvailable(true);
}

void SWUpdate::dropDownload(bool abortRequest)
{
    if (!m_download)
        return;
    std::unique_ptr<Download> download = std::move(m_download);
    QNetworkReply *reply = download->reply;
    // Nothing more of it is written or completed; its going still counts
    // towards letting the network manager go.
    disconnect(reply, &QNetworkReply::readyRead, this, nullptr);
    disconnect(reply, &QNetworkReply::errorOccurred, this, nullptr);
    disconnect(reply, &QNetworkReply::finished, this, nullptr);
    disconnect(reply, &QNetworkReply::redirected, this, nullptr);
    if (abortRequest)
        reply->abort();
    reply->deleteLater();
    download->file.close();
    download->file.remove();
}

void SWUpdate::onlineStatusChanged(bool isOnline)
{
    if (!isOnline) {
        if (m_download) {
            m_interrupted.emplace(m_download->address, m_download->fileName);
            dropDownload(true);
        }
        return;
    }
    if (m_interrupted) {
        const auto [address, fileName] = *std::exchange(m_interrupted, std::nullopt);
        if (!m_download)
            startDownload(address, fileName);
    }
}

void SWUpdate::emitUpdatesAvailable(bool available)
{
    m_ready = available;
    emit updatesAvailable(available);
}

void SWUpdate::upgrade()
{
    if (m_installerFileName.isEmpty()
        || !QDesktopServices::openUrl(QUrl::fromLocalFile(m_downloadFolder + m_installerFileName))) {
        checkNow();
        return;
    }
    QSettings(SettingsFile::path(), QSettings::IniFormat).setValue("HasBeenOpenedSinceInstallOrUpgrade", false);
    qInfo() << "SWUpdate: upgrade started";
    QCoreApplication::quit();
}

void SWUpdate::updateStyle(bool simpleMode, int mousePID)
{
    ensureForm();
    const std::initializer_list<QWidget *> labels = {ui->label, ui->label_3};
    const std::initializer_list<QWidget *> buttons = {ui->pushButton_later, ui->pushButton_now};
    QString linkColour;
    if (simpleMode) {
        const QString key = mousePID == 10 ? "tamsel" : mousePID == 20 ? "pelkin" : "v";
        StyleProperties::set({ui->frame, ui->label, ui->label_3, ui->pushButton_later, ui->pushButton_now},
                             StyleProperties::modelKey, key);
        ui->frame->setProperty("frame_type", "dialog_background");
        StyleProperties::set(labels, "label_type", "dialog");
        StyleProperties::set(buttons, "button_type", "common");
        linkColour = mousePID == 10 ? "red" : mousePID == 20 ? "#b753ec" : "#f6cc00";
    } else {
        ui->frame->setProperty("frame_type", "expert");
        StyleProperties::set(labels, "label_type", QString());
        StyleProperties::set(buttons, "button_type", "expert");
        linkColour = "#ffd400";
    }
    for (QWidget *widget :
         {static_cast<QWidget *>(ui->frame), static_cast<QWidget *>(ui->label), static_cast<QWidget *>(ui->label_3),
          static_cast<QWidget *>(ui->pushButton_later), static_cast<QWidget *>(ui->pushButton_now)})
        StyleProperties::repolish(widget);

    const QString notes = m_channel == SettingsFile::ChannelPublic ? changelogUrl : betaChangelogUrl;
    ui->label_url->setTextFormat(Qt::RichText);
    ui->label_url->setText(QStringLiteral("<a href=\"%1\"><span style='color:%2;'>%3</span></a>")
                               .arg(notes, linkColour, tr("Click here to see what`s new")));
    ui->label_url->setOpenExternalLinks(true);
    ui->label_url->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
}
