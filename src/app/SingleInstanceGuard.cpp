#include "SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

const QString SingleInstanceGuard::defaultKey = QStringLiteral("corvanelle_guard_key");

QString SingleInstanceGuard::hashKey(const QString &key, const QString &suffix)
{
    QByteArray data = key.toUtf8();
    data.append(suffix.toUtf8());
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex());
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

QString SingleInstanceGuard::keyFolder()
{
    // Not the toolkit's runtime location: without $XDG_RUNTIME_DIR that falls
    // back to the temporary folder.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QFileInfo(runtime).isDir()
                               ? runtime + QStringLiteral("/Corvanelle R7 Control Panel")
                               : QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                     + QStringLiteral("/Corvanelle R7 Control Panel/instance");
    QDir().mkpath(folder);
    return folder;
}

SingleInstanceGuard::SingleInstanceGuard(const QString &key)
    : key(key)
    , memLockKey(hashKey(key, "_memLockKey"))
    , sharedmemKey(hashKey(key, "_sharedmemKey"))
    , memLock(keyFolder() + '/' + memLockKey)
{
    const QString segmentKey = keyFolder() + '/' + sharedmemKey;
    sharedMem.setNativeKey(segmentKey);
    // Attaching and detaching a second handle removes a segment left behind by
    // an instance that died without detaching.
    memLock.lock();
    {
        QSharedMemory stale;
        stale.setNativeKey(segmentKey);
        stale.attach();
    }
    memLock.unlock();
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    release();
}

bool SingleInstanceGuard::tryAcquire()
{
    if (!sharedMem.isAttached()) {
        memLock.lock();
        const bool otherInstance = sharedMem.attach();
        if (otherInstance)
            sharedMem.detach();
        memLock.unlock();
        if (otherInstance)
            return false;
    }
    memLock.lock();
    const bool created = sharedMem.create(8);
    memLock.unlock();
    if (created)
        return true;
    release();
    return false;
}

void SingleInstanceGuard::release()
{
    memLock.lock();
    if (sharedMem.isAttached())
        sharedMem.detach();
    memLock.unlock();
}
