#include "UserSharedMemory.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t privateMode = 0600;
constexpr std::size_t tagSize = 8;

QString systemError(const char *call)
{
    return QString::fromLatin1(call) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

// Never blocks (a named pipe in its place) and never follows a link.
int openKeyFile(const QString &keyFile, int flags)
{
    return ::open(QFile::encodeName(keyFile).constData(), flags | O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                  privateMode);
}

// The key of the open key file as ftok() makes it from the file's name, or -1
// with *error saying why.
key_t keyOf(int file, int projectId, QString *error)
{
    struct stat info = {};
    if (::fstat(file, &info) != 0) {
        *error = systemError("fstat of the key file");
        return -1;
    }
    if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        *error = QStringLiteral("the key file is not a plain file of this user's");
        return -1;
    }
    return key_t((info.st_ino & 0xffff) | ((info.st_dev & 0xff) << 16) | ((unsigned(projectId) & 0xff) << 24));
}

QByteArray tagOf(const QString &keyFile)
{
    return QCryptographicHash::hash(QFileInfo(keyFile).fileName().toUtf8(), QCryptographicHash::Sha1).left(tagSize);
}

} // namespace

UserSharedMemory::UserSharedMemory(const QString &keyFile, int projectId, std::size_t size)
    : keyFile(keyFile)
    , projectId(projectId)
    , size(size)
{}

UserSharedMemory::~UserSharedMemory()
{
    detach();
}

key_t UserSharedMemory::systemKey(const QString &keyFile, int projectId)
{
    const int file = openKeyFile(keyFile, 0);
    if (file < 0)
        return -1;
    QString error;
    const key_t key = keyOf(file, projectId, &error);
    ::close(file);
    return key;
}

void *UserSharedMemory::data() const
{
    return address ? static_cast<char *>(address) + tagSize : nullptr;
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
    else if (info.shm_segsz != tagSize + size)
        error =
            QStringLiteral("the key is held by a segment of %1 bytes, not %2").arg(info.shm_segsz).arg(tagSize + size);
    else if (!carriesTag(segment))
        error = QStringLiteral("the key is held by a segment of another program");
    else
        return segment;
    return -1;
}

bool UserSharedMemory::carriesTag(int segment) const
{
    const void *at = ::shmat(segment, nullptr, SHM_RDONLY);
    if (at == reinterpret_cast<void *>(-1))
        return false;
    const bool tagged = std::memcmp(at, tagOf(keyFile).constData(), tagSize) == 0;
    ::shmdt(at);
    return tagged;
}

UserSharedMemory::Status UserSharedMemory::attach()
{
    if (address)
        return Status::Done;
    const int file = openKeyFile(keyFile, 0);
    if (file < 0) {
        const bool missing = errno == ENOENT;
        error = systemError("open of the key file");
        return missing ? Status::Missing : Status::Failed;
    }
    const key_t key = keyOf(file, projectId, &error);
    ::close(file);
    if (key == -1)
        return Status::Failed;
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
    const int file = openKeyFile(keyFile, O_CREAT);
    if (file < 0) {
        error = systemError("open of the key file");
        return Status::Failed;
    }
    const key_t key = keyOf(file, projectId, &error);
    ::close(file);
    if (key == -1)
        return Status::Failed;
    // A second try when the segment that was in the way went meanwhile.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int segment = ::shmget(key, tagSize + size, IPC_CREAT | IPC_EXCL | privateMode);
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
        std::memcpy(at, tagOf(keyFile).constData(), tagSize);
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

void UserSharedMemory::removeLeftBehind() const
{
    // A second handle, attached and detached, removes the segment when it
    // was the only one attached.
    UserSharedMemory other(keyFile, projectId, size);
    other.attach();
}
