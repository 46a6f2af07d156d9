#pragma once
// Keeps the program itself up to date. Once a day (when "AutoUpdate" was set
// at construction), at start-up and on request it fetches the release
// manifest of the user's channel; when that names a version other than the
// program's own, it downloads the installer into "Driver Updates" in the
// background and announces that an update is ready. The dialog then offers
// to start the installer and quit, or to upgrade later.
//
// The application object owns the one instance. It connects:
// updatesAvailable(true) to showing the dialog (after updateStyle for the
// active view), channelChanged to the views' version labels, toggleFWCheck
// to MainMenu::toggleFWCheck, and calls loadSettingsAndCheck at start when
// "AutoUpdate" is set. The settings dialog calls switchChannel; the menus
// call checkNow.
//
// A download is bound to its request: when the connection goes it is
// aborted and its file deleted, and only the current request may write or
// complete an installer. Nothing is fetched from other than an https address
// (see UpdateServer), and only a plain version with an installer's suffix
// names the file that upgrade() hands to the desktop.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <utility>

class InternetAccess;
class MouseFunctions;
class QNetworkAccessManager;
class QNetworkReply;
class QUrl;
class TempMessage;
namespace Ui {
class SWUpdate;
}

class SWUpdate : public QDialog
{
    Q_OBJECT

public:
    // A release channel: 1 Alpha, 2 Beta, 3 Public ("Stable"), 4 V3 Alpha.
    using ChannelType = int;

    static constexpr int autoUpdateIntervalMs = 86400000;
    // How soon the offer is tried again while the device awaits a reply.
    static constexpr int deviceRetryMs = 100;

    explicit SWUpdate(QWidget *parent = nullptr);
    ~SWUpdate() override;

    // Replaces the update server's address for this process (UpdateServer::
    // setBase): an https address or an http address on 127.0.0.1; empty
    // restores the default. False, and nothing changes, for any other.
    static bool setServerUrl(const QString &address);

    // "Channel.ini" while it exists (beta before alpha; one that selects
    // neither is deleted), else "ReleaseChannel"; an unknown token leaves the
    // channel as it is. channelChanged for a channel found.
    void loadChannel();
    // loadChannel, then checkUpdates.
    void loadSettingsAndCheck();
    // The menus' check: online, checkUpdates under the busy message; offline,
    // the "Could not connect" message box.
    void checkNow();

    ChannelType channel() const { return m_channel; }
    // An installer for the manifest's version lies in the download folder:
    // the value updatesAvailable carried last.
    bool isUpdateAvailable() const { return m_ready; }
    // "Alpha", "Beta", "V3 Alpha", or "Public" for any other value.
    static QString channelName(int channel);
    // Styles the dialog for the simple view (with the model of the product
    // id) or the expert view, and links the channel's release notes.
    void updateStyle(bool simpleMode, int mousePID);

    // The online state, made at the first call: the manual check asks it,
    // and it follows the state while a download runs.
    InternetAccess *internetAccess();

    void setVisible(bool visible) override;

    // The settings folder's "Driver Updates/", with the slash.
    QString downloadFolder() const { return m_downloadFolder; }

signals:
    void updatesAvailable(bool available);
    void channelChanged(int channel);
    void toggleFWCheck(int value);

public slots:
    // Opens the installer with the desktop's handler and quits; when it
    // cannot be opened, checkNow instead.
    void upgrade();
    // "Beta", "Alpha", "V3Alpha", any other token the public channel; then
    // the firmware check on (MainMenu::setFirmwareCheck), toggleFWCheck(1),
    // channelChanged and checkNow.
    void switchChannel(const QString &token);
    void checkUpdates();
    void onlineStatusChanged(bool isOnline);
    void emitUpdatesAvailable(bool available);

private:
    struct Download;

    void manifestFinished(QNetworkReply *reply);
    void offerOrDownload();
    void deleteOtherInstallers() const;
    void startDownload(const QString &address, const QString &fileName);
    void downloadData(QNetworkReply *reply);
    void downloadError(QNetworkReply *reply);
    void downloadFinished(QNetworkReply *reply);
    // Deletes the running download's file and forgets it with its request,
    // which is aborted when abortRequest.
    void dropDownload(bool abortRequest);
    bool isCurrentDownload(const QNetworkReply *reply) const;
    // Follows a redirect only to an address UpdateServer accepts.
    void verifyRedirect(QNetworkReply *reply, const QUrl &target);
    QNetworkReply *get(const QUrl &address);
    QNetworkAccessManager *network();
    void replyGone();
    void ensureForm();
    TempMessage *busyMessage();

    std::unique_ptr<Ui::SWUpdate> ui;
    ChannelType m_channel = 3;
    QNetworkAccessManager *m_network = nullptr;
    int m_openReplies = 0;
    std::unique_ptr<Download> m_download;
    QString m_installerUrl;
    QString m_downloadFolder;
    QString m_installerFileName;
    QString m_manifestVersion;
    QPointer<TempMessage> m_busyMessage;
    QPointer<QWidget> m_busyParent;
    bool m_busyParentGiven = false;
    bool m_busyMade = false;
    InternetAccess *m_internet = nullptr;
    // The download that the connection's going dropped, to start again: its
    // address and file name.
    std::optional<std::pair<QString, QString>> m_interrupted;
    QString m_channelIniPath;
    bool m_ready = false;

    QPointer<MouseFunctions> m_device;
    // Only the manifest asked for last is acted on.
    QPointer<QNetworkReply> m_manifestReply;
    QTimer m_autoUpdateTimer{this};
    QTimer m_offerRetry{this};
};
