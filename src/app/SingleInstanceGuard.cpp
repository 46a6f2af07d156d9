#include "SingleInstanceGuard.h"

#include "SettingsFile.h"
#include "UserPrivateFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// Nothing is read or written after the segment's tag: its existence is the
// mark of a running instance.
constexpr std::size_t segmentSize = 0;

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
    , sharedMem(UserPrivateFolder::filePath(folder, sharedmemKey), segmentProjectId, segmentSize)
    , memLock(UserPrivateFolder::filePath(folder, memLockKey))
    , instanceLock(UserPrivateFolder::filePath(folder, sharedmemKey))
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
    sharedMem.removeLeftBehind();
    memLock.unlock();
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    release();
}

bool SingleInstanceGuard::tryAcquire()
{
    const ProcessLock::Attempt sharedWithOtherTemporaryFolders = configLock.tryLock();
    if (sharedWithOtherTemporaryFolders == ProcessLock::Attempt::HeldElsewhere) {
        refusal = QStringLiteral("it holds the lock file %1").arg(configLock.fileName());
        return false;
    }
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
        refusal = QStringLiteral("it holds the lock file %1").arg(instanceLock.fileName());
        return false;
    }
    // A lock that is ours is the truth: no process holds it, so no other
    // instance runs, whatever is on the segment's key (the constructor
    // removed one of ours left behind; anything else is not an instance's).
    // Only a lock that cannot be had leaves it to the segment to tell.
    if (held == ProcessLock::Attempt::Failed && !sharedMem.isAttached()
        && sharedMem.attach() == UserSharedMemory::Status::Done) {
        sharedMem.detach();
        memLock.unlock();
        configLock.unlock();
        refusal = segmentHeld();
        return false;
    }
    const UserSharedMemory::Status created = sharedMem.create();
    memLock.unlock();
    if (created == UserSharedMemory::Status::Done)
        return true;
    if (created == UserSharedMemory::Status::Exists && held == ProcessLock::Attempt::Failed) {
        release();
        refusal = segmentHeld();
        return false;
    }
    // Another user's or program's segment on the key (or none to be had at
    // all) does not mean that another instance runs.
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

QString SingleInstanceGuard::segmentHeld() const
{
    return QStringLiteral("it holds the shared-memory segment keyed by %1, whose lock cannot be had")
        .arg(instanceLock.fileName());
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
