#include "OnlineState.h"

#include "InternetAccess.h"

#include <QDebug>
#include <QMetaObject>

namespace OnlineState {

bool set(QObject *owner, bool online)
{
    auto *internet = qobject_cast<InternetAccess *>(owner);
    if (!internet && owner)
        internet = owner->findChild<InternetAccess *>();
    if (!internet) {
        qWarning() << "OnlineState: no InternetAccess below" << owner;
        return false;
    }
    if (!internet->isWatching()) {
        auto *standIn = new QObject(internet);
        standIn->setObjectName(QStringLiteral("OnlineState stand-in request"));
        internet->watch(standIn);
    }
    QObject *manager = nullptr;
    for (QObject *child : internet->children()) {
        if (child->inherits("QNetworkConfigurationManager"))
            manager = child;
    }
    // The manager's own signal, so that InternetAccess takes the state as
    // it takes every change.
    if (!manager
        || !QMetaObject::invokeMethod(manager, "onlineStateChanged", Qt::DirectConnection, Q_ARG(bool, online))) {
        qWarning() << "OnlineState: no network configuration manager to report through";
        return false;
    }
    return internet->isOnline() == online;
}

} // namespace OnlineState
