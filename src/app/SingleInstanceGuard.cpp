#include "SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QStringList>

#include <unistd.h>

const QString SingleInstanceGuard::defaultKey = QStringLiteral("corvanelle_guard_key");

QString SingleInstanceGuard::hashKey(const QString &key, const QString &suffix)
{
    QByteArray data = key.toUtf8();
    data.append(suffix.toUtf8());
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex());
}

QString SingleInstanceGuard::perUserName(const QString &name)
{
    return name + "_u" + QString::number(::getuid());
}

QString SingleInstanceGuard::keyFromArguments(const QStringList &arguments)
{
    // Every "instance" with a follower sets the key, so the last such one wins.
    QString key = defaultKey;
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("instance"))
            key = arguments.at(i + 1);
    }
    return key;
}

SingleInstanceGuard::SingleInstanceGuard(const QString &key)
    : key(key),
      memLockKey(perUserName(hashKey(key, "_memLockKey"))),
      sharedmemKey(perUserName(hashKey(key, "_sharedmemKey"))),
      sharedMem(sharedmemKey),
      memLock(memLockKey, 1)
{
    // Attaching and detaching a second handle removes a segment left behind by
    // an instance that died without detaching.
    memLock.acquire();
    {
        QSharedMemory stale(sharedmemKey);
        stale.attach();
    }
    memLock.release();
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    release();
}

bool SingleInstanceGuard::tryAcquire()
{
    if (!sharedMem.isAttached()) {
        memLock.acquire();
        const bool otherInstance = sharedMem.attach();
        if (otherInstance)
            sharedMem.detach();
        memLock.release();
        if (otherInstance)
            return false;
    }
    memLock.acquire();
    const bool created = sharedMem.create(8);
    memLock.release();
    if (created)
        return true;
    release();
    return false;
}

void SingleInstanceGuard::release()
{
    memLock.acquire();
    if (sharedMem.isAttached())
        sharedMem.detach();
    memLock.release();
}
