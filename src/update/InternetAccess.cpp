#include "InternetAccess.h"

#include <QDebug>

// The manager is deprecated in Qt 5.15 but still the toolkit's only view of
// the machine's online state; it is named nowhere else.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <QNetworkConfigurationManager>

InternetAccess::InternetAccess(const QString &host, QObject *parent)
    : QObject(parent)
{
    Q_UNUSED(host)
    auto *manager = new QNetworkConfigurationManager(this);
    connect(manager, &QNetworkConfigurationManager::onlineStateChanged, this,
            &InternetAccess::managerOnlineStateChanged);
    m_online = manager->isOnline();
}

void InternetAccess::loadNetworkPlugins()
{
    // The first configuration manager of the process loads the plugins and
    // starts their thread; every later one, in any thread, shares them.
    QNetworkConfigurationManager warmUp;
}
#pragma GCC diagnostic pop

void InternetAccess::managerOnlineStateChanged(bool isOnline)
{
    if (isOnline == m_online)
        return;
    m_online = isOnline;
    qInfo() << "InternetAccess: onlineStatusChanged" << isOnline;
    emit onlineStatusChanged(isOnline);
}
