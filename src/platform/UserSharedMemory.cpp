#include "UserSharedMemory.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

namespace {

constexpr int projectId = 'Q';
constexpr mode_t privateMode = 0600;

QString systemError(const char *call)
{
    return QString::fromLatin1(call) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

UserSharedMemory::UserSharedMemory(const QString &keyFile, std::size_t size)
    : keyFile(keyFile)
    , size(size)
{}

UserSharedMemory::~UserSharedMemory()
{
    detach();
}

key_t UserSharedMemory::systemKey(const QString &keyFile)
{
    return ::ftok(QFile::encodeName(keyFile).constData(), projectId);
}

int UserSharedMemory::ownSegment(key_t key, Status *status)
{
    // Asking for no access finds any segment on the key; reading its owner
    // and mode needs read access, which another user's private one denies.
    const int segment = ::shmget(key, 0, 0);
    struct shmid_ds info = {};
    if (segment < 0 || ::shmctl(segment, IPC_STAT, &info) != 0) {
        if (errno == ENOENT || errno == EINVAL || errno == EIDRM) {
            *status = Status::Missing;
            error = QStringLiteral("no segment on the key");
        } else if (errno == EACCES) {
            *status = Status::Taken;
            error = QStringLiteral("the key is held by a segment of another user");
        } else {
            *status = Status::Failed;
            error = systemError(segment < 0 ? "shmget" : "shmctl");
        }
        return -1;
    }
    const uid_t user = ::geteuid();
    *status = Status::Taken;
    if (info.shm_perm.uid != user || info.shm_perm.cuid != user)
        error = QStringLiteral("the key is held by a segment of user %1").arg(info.shm_perm.cuid);
    else if ((info.shm_perm.mode & 0777) != privateMode)
        error = QStringLiteral("the key is held by a segment with mode %1, not 0600")
                    .arg(info.shm_perm.mode & 0777, 4, 8, QLatin1Char('0'));
    else if (info.shm_segsz != size)
        error = QStringLiteral("the key is held by a segment of %1 bytes, not %2").arg(info.shm_segsz).arg(size);
    else
        return segment;
    return -1;
}

UserSharedMemory::Status UserSharedMemory::attach()
{
    if (address)
        return Status::Done;
    const key_t key = systemKey(keyFile);
    if (key == -1) {
        const bool missing = errno == ENOENT;
        error = systemError("ftok");
        return missing ? Status::Missing : Status::Failed;
    }
    Status status = Status::Failed;
    const int segment = ownSegment(key, &status);
    if (segment < 0)
        return status;
    void *at = ::shmat(segment, nullptr, 0);
    if (at == reinterpret_cast<void *>(-1)) {
        // Removed since it was looked at: as if it had not been there.
        const bool removed = errno == EINVAL || errno == EIDRM;
        error = systemError("shmat");
        return removed ? Status::Missing : Status::Failed;
    }
    id = segment;
    address = at;
    error.clear();
    return Status::Done;
}

UserSharedMemory::Status UserSharedMemory::create()
{
    if (address)
        return Status::Exists;
    const QByteArray path = QFile::encodeName(keyFile);
    const int file = ::open(path.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, privateMode);
    if (file < 0) {
        error = systemError("open of the key file");
        return Status::Failed;
    }
    ::close(file);
    const key_t key = systemKey(keyFile);
    if (key == -1) {
        error = systemError("ftok");
        return Status::Failed;
    }
    // A second try when the segment that was in the way went meanwhile.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int segment = ::shmget(key, size, IPC_CREAT | IPC_EXCL | privateMode);
        if (segment < 0) {
            if (errno != EEXIST) {
                error = systemError("shmget");
                return Status::Failed;
            }
            Status status = Status::Failed;
            if (ownSegment(key, &status) >= 0) {
                error = QStringLiteral("a segment of this user's is on the key already");
                return Status::Exists;
            }
            if (status != Status::Missing)
                return status;
            continue;
        }
        void *at = ::shmat(segment, nullptr, 0);
        if (at == reinterpret_cast<void *>(-1)) {
            error = systemError("shmat");
            ::shmctl(segment, IPC_RMID, nullptr);
            return Status::Failed;
        }
        id = segment;
        address = at;
        error.clear();
        return Status::Done;
    }
    error = QStringLiteral("the segment on the key kept changing");
    return Status::Failed;
}

void UserSharedMemory::detach()
{
    if (!address)
        return;
    ::shmdt(address);
    address = nullptr;
    struct shmid_ds info = {};
    if (::shmctl(id, IPC_STAT, &info) == 0 && info.shm_nattch == 0)
        ::shmctl(id, IPC_RMID, nullptr);
    id = -1;
}
