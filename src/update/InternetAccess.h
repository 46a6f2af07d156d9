#pragma once
// Whether the machine is online, as the toolkit's network configuration
// manager sees it. A manager (a child object) lives only while a request
// that depends on the connection is watched: while one lives, the toolkit
// polls every network interface every ten seconds, which would wake a
// program that sits in the tray for days. While it lives, the flag follows
// each change it reports; a change is logged and announced.

#include <QList>
#include <QObject>
#include <QString>

class InternetAccess : public QObject
{
    Q_OBJECT

public:
    // The host is not used: the manager answers for the machine as a whole.
    explicit InternetAccess(const QString &host, QObject *parent = nullptr);

    // While a request is watched, the state the manager reported last;
    // otherwise the manager's answer at the time of asking.
    bool isOnline() const;

    // Follows the online state until the request is destroyed. When the
    // connection goes meanwhile, the state is followed on until it is back,
    // so that what the loss stopped can be started again.
    void watch(QObject *request);
    bool isWatching() const { return m_manager != nullptr; }

    // Loads the toolkit's network plugins ahead of the first network
    // manager; safe on any thread, and done once per process.
    static void loadNetworkPlugins();

signals:
    void onlineStatusChanged(bool isOnline);

private:
    void managerOnlineStateChanged(bool isOnline);
    void requestGone(QObject *request);
    void releaseManagerWhenDone();

    // The toolkit's manager, named only in the source file.
    QObject *m_manager = nullptr;
    QList<QObject *> m_requests;
    bool m_online = false;
    // The connection went while a request was watched and is not back yet.
    bool m_lostWhileWatching = false;
};
