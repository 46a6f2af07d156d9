#include "InternetAccess.h"

#include <QDebug>

#include <utility>

// The manager is deprecated in Qt 5.15 but still the toolkit's only view of
// the machine's online state; it is named nowhere else.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <QNetworkConfigurationManager>

InternetAccess::InternetAccess(const QString &host, QObject *parent)
    : QObject(parent)
{
    Q_UNUSED(host)
}

bool InternetAccess::isOnline() const
{
    if (m_manager)
        return m_online;
    return QNetworkConfigurationManager().isOnline();
}

void InternetAccess::watch(QObject *request)
{
    if (!request || m_requests.contains(request))
        return;
    m_requests.append(request);
    connect(request, &QObject::destroyed, this, &InternetAccess::requestGone);
    if (m_manager)
        return;
    auto *manager = new QNetworkConfigurationManager(this);
    connect(manager, &QNetworkConfigurationManager::onlineStateChanged, this,
            &InternetAccess::managerOnlineStateChanged);
    m_manager = manager;
    m_online = manager->isOnline();
}

void InternetAccess::loadNetworkPlugins()
{
    // The first configuration manager of the process loads the plugins and
    // starts their thread; every later one, in any thread, shares them.
    QNetworkConfigurationManager warmUp;
}
#pragma GCC diagnostic pop

void InternetAccess::requestGone(QObject *request)
{
    m_requests.removeAll(request);
    releaseManagerWhenDone();
}

void InternetAccess::releaseManagerWhenDone()
{
    if (!m_manager || !m_requests.isEmpty() || m_lostWhileWatching)
        return;
    QObject *manager = std::exchange(m_manager, nullptr);
    manager->disconnect(this);
    // Not from inside the manager's own signal.
    manager->deleteLater();
}

void InternetAccess::managerOnlineStateChanged(bool isOnline)
{
    if (isOnline == m_online)
        return;
    m_online = isOnline;
    m_lostWhileWatching = !isOnline;
    qInfo() << "InternetAccess: onlineStatusChanged" << isOnline;
    emit onlineStatusChanged(isOnline);
    releaseManagerWhenDone();
}
