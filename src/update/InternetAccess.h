#pragma once
// Whether the machine is online, as the toolkit's network configuration
// manager (a child object) sees it. The flag is taken at construction and
// follows each change the manager reports; a change is logged and announced.

#include <QObject>
#include <QString>

class InternetAccess : public QObject
{
    Q_OBJECT

public:
    // The host is not used: the manager answers for the machine as a whole.
    explicit InternetAccess(const QString &host, QObject *parent = nullptr);

    bool isOnline() const { return m_online; }

    // Loads the toolkit's network plugins ahead of the first network
    // manager; safe on any thread, and done once per process.
    static void loadNetworkPlugins();

signals:
    void onlineStatusChanged(bool isOnline);

private:
    void managerOnlineStateChanged(bool isOnline);

    bool m_online = false;
};
