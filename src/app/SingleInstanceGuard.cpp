#include "SingleInstanceGuard.h"

#include "SettingsFile.h"
#include "UserPrivateFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr std::size_t segmentSize = 8;

QString inFolder(const QString &folder, const QString &name)
{
    // Nothing is ever made outside the private folder, so no folder, no path.
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

QString configFolderLockPath(const QString &name)
{
    const QString folder = QFileInfo(SettingsFile::pathBeforeApplication()).path() + QStringLiteral("/instance");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

} // namespace

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

QString SingleInstanceGuard::keyFolder(QString *problem)
{
    // Not the session's runtime folder: a start with one and a start without
    // must find each other, and the local socket falls back to this folder.
    return UserPrivateFolder::path(problem);
}

SingleInstanceGuard::SingleInstanceGuard(const QString &key)
    : key(key)
    , memLockKey(hashKey(key, "_memLockKey"))
    , sharedmemKey(hashKey(key, "_sharedmemKey"))
    , folder(keyFolder(&setUpProblem))
    , sharedMem(inFolder(folder, sharedmemKey), segmentSize)
    , memLock(inFolder(folder, memLockKey))
    , instanceLock(inFolder(folder, sharedmemKey))
    , configLock(configFolderLockPath(sharedmemKey))
{
    if (folder.isEmpty()) {
        setUpProblem = QStringLiteral("SingleInstanceGuard: no private folder for the keys (%1)").arg(setUpProblem);
        return;
    }
    if (!memLock.lock()) {
        setUpProblem = QStringLiteral("SingleInstanceGuard: cannot open %1").arg(memLock.fileName());
        return;
    }
    guarded = true;
    // Attaching and detaching a second handle removes a segment of ours left
    // behind by an instance that died without detaching.
    {
        UserSharedMemory stale(inFolder(folder, sharedmemKey), segmentSize);
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
    const ProcessLock::Attempt sharedWithOtherTemporaryFolders = configLock.tryLock();
    if (sharedWithOtherTemporaryFolders == ProcessLock::Attempt::HeldElsewhere)
        return false;
    if (!guarded) {
        setUpProblem +=
            sharedWithOtherTemporaryFolders == ProcessLock::Attempt::Locked
                ? QStringLiteral("; only the lock file %1 keeps a second instance out").arg(configLock.fileName())
                : QStringLiteral("; running without a guard against a second instance");
        return true;
    }
    memLock.lock();
    const ProcessLock::Attempt held = instanceLock.tryLock();
    if (held == ProcessLock::Attempt::HeldElsewhere) {
        memLock.unlock();
        configLock.unlock();
        return false;
    }
    if (!sharedMem.isAttached() && sharedMem.attach() == UserSharedMemory::Status::Done) {
        // Another instance holds the segment.
        sharedMem.detach();
        memLock.unlock();
        instanceLock.unlock();
        configLock.unlock();
        return false;
    }
    const UserSharedMemory::Status created = sharedMem.create();
    memLock.unlock();
    switch (created) {
    case UserSharedMemory::Status::Done:
        return true;
    case UserSharedMemory::Status::Exists:
        release();
        return false;
    default:
        break;
    }
    // Another user's segment on the key (or none to be had at all) does not
    // mean that another instance runs.
    if (held == ProcessLock::Attempt::Locked)
        setUpProblem = QStringLiteral("SingleInstanceGuard: the shared-memory key cannot be used (%1); the lock file "
                                      "%2 alone keeps a second instance out")
                           .arg(sharedMem.errorString(), instanceLock.fileName());
    else
        setUpProblem = QStringLiteral("SingleInstanceGuard: neither the shared-memory key (%1) nor the lock file %2 "
                                      "can be used; running without a guard against a second instance")
                           .arg(sharedMem.errorString(), instanceLock.fileName());
    return true;
}

void SingleInstanceGuard::release()
{
    configLock.unlock();
    if (!guarded)
        return;
    memLock.lock();
    sharedMem.detach();
    memLock.unlock();
    instanceLock.unlock();
}
