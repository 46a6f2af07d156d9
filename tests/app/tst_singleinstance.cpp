#include "AppExtensions.h"
#include "ProcessLock.h"
#include "ProgramRun.h"
#include "SingleInstanceGuard.h"
#include "UserPrivateFolder.h"
#include "UserSharedMemory.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>

#include <fcntl.h>
#include <linux/securebits.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/shm.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A key file of the program's, and the project id of its segment's key.
struct KeyFile
{
    QString path;
    int projectId;
    key_t key() const { return UserSharedMemory::systemKey(path, projectId); }
};

KeyFile guardKeyFile(const QString &key, const QString &folder = SingleInstanceGuard::keyFolder())
{
    return {folder + '/' + SingleInstanceGuard::hashKey(key, "_sharedmemKey"), SingleInstanceGuard::segmentProjectId};
}

KeyFile flagKeyFile(const QString &folder = SingleInstanceGuard::keyFolder())
{
    return {folder + '/' + AppExtensions::flagName, AppExtensions::segmentProjectId};
}

bool isRoot()
{
    return ::geteuid() == 0;
}

// A segment on the key of one of the program's key files, as someone else (or
// an instance that died) left it there; removed at the end.
class Segment
{
public:
    Segment() = default;
    ~Segment()
    {
        if (heldAt)
            ::shmdt(heldAt);
        if (id >= 0)
            ::shmctl(id, IPC_RMID, nullptr);
    }
    Segment(const Segment &) = delete;
    Segment &operator=(const Segment &) = delete;

    // Made by "nobody" (which takes root) or by this user.
    bool make(const KeyFile &keyFile, bool byAnotherUser, int mode, size_t size)
    {
        const int file = ::open(QFile::encodeName(keyFile.path).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
        if (file < 0)
            return false;
        ::close(file);
        const key_t key = keyFile.key();
        if (!byAnotherUser) {
            id = ::shmget(key, size, IPC_CREAT | IPC_EXCL | mode);
            return id >= 0;
        }
        const passwd *nobody = ::getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(gid) != 0 || ::setuid(uid) != 0)
                ::_exit(1);
            ::_exit(::shmget(key, size, IPC_CREAT | IPC_EXCL | mode) >= 0 ? 0 : 2);
        }
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return false;
        id = ::shmget(key, 0, 0);
        return id >= 0;
    }

    // Made as the program makes its own, by a process that then ends without
    // detaching, as an instance that was killed leaves it; size as the
    // program asks for it (the bytes after the segment's tag).
    bool leave(const KeyFile &keyFile, size_t size, qint64 value)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            UserSharedMemory left(keyFile.path, keyFile.projectId, size);
            if (left.create() != UserSharedMemory::Status::Done)
                ::_exit(1);
            if (size >= sizeof value)
                *static_cast<qint64 *>(left.data()) = value;
            ::_exit(0);
        }
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return false;
        id = ::shmget(keyFile.key(), 0, 0);
        return id >= 0;
    }

    // Attached until the end, as by the program that uses it.
    bool hold()
    {
        heldAt = ::shmat(id, nullptr, 0);
        if (heldAt != reinterpret_cast<void *>(-1))
            return true;
        heldAt = nullptr;
        return false;
    }

    bool exists() const
    {
        struct shmid_ds info = {};
        return ::shmctl(id, IPC_STAT, &info) == 0;
    }

    void setValue(qint64 value)
    {
        void *at = ::shmat(id, nullptr, 0);
        QVERIFY(at != reinterpret_cast<void *>(-1));
        *static_cast<qint64 *>(at) = value;
        ::shmdt(at);
    }
    qint64 value() const
    {
        void *at = ::shmat(id, nullptr, SHM_RDONLY);
        if (at == reinterpret_cast<void *>(-1))
            return -1;
        const qint64 result = *static_cast<const qint64 *>(at);
        ::shmdt(at);
        return result;
    }

private:
    int id = -1;
    void *heldAt = nullptr;
};

// The mode of the segment on a key file's key; -1 when there is none.
int segmentMode(const KeyFile &keyFile)
{
    struct shmid_ds info = {};
    const int id = ::shmget(keyFile.key(), 0, 0);
    if (id < 0 || ::shmctl(id, IPC_STAT, &info) != 0)
        return -1;
    return info.shm_perm.mode & 0777;
}

// Makes keyFile a new file whose inode agrees with other's in the 16 bits
// that a System V key keeps of it. On a tmpfs, inodes are numbered in
// sequence, so one comes within 65536 tries; false when none came.
bool makeCollidingKeyFile(const QString &keyFile, const QString &other)
{
    struct stat target = {};
    if (::stat(QFile::encodeName(other).constData(), &target) != 0)
        return false;
    const QByteArray path = QFile::encodeName(keyFile);
    for (int attempt = 0; attempt < (1 << 20); ++attempt) {
        const int file = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (file < 0)
            return false;
        struct stat made = {};
        const bool colliding = ::fstat(file, &made) == 0 && (made.st_ino & 0xffff) == (target.st_ino & 0xffff);
        ::close(file);
        if (colliding)
            return true;
        ::unlink(path.constData());
    }
    return false;
}

class ProcessWithoutRootPowers : public QProcess
{
protected:
    void setupChildProcess() override
    {
        if (::geteuid() == 0 && ::prctl(PR_SET_SECUREBITS, SECBIT_NOROOT) != 0)
            ::_exit(125);
    }
};

// The real program, started so that root meets the modes of files and
// segments as any user does: it keeps no capabilities across exec.
std::unique_ptr<QProcess> startAsPlainUser(const QStringList &arguments,
                                           const QProcessEnvironment &environment = ProgramRun::environment())
{
    auto process = std::make_unique<ProcessWithoutRootPowers>();
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setProcessEnvironment(environment);
    process->start(R7_APP_EXECUTABLE, arguments);
    process->waitForStarted(20000);
    return process;
}

} // namespace

// Starts the real program, so the guard and the open-window flag are seen
// across processes as a user would meet them.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    static int countInLog(const QByteArray &text) { return ProgramRun::countInLog(text); }
    static std::unique_ptr<QProcess> start(const QStringList &arguments,
                                           const QProcessEnvironment &environment = ProgramRun::environment())
    {
        return ProgramRun::start(arguments, environment);
    }
    static QProcessEnvironment withTemporaryFolder(const QString &folder)
    {
        QProcessEnvironment environment = ProgramRun::environment();
        environment.insert("TMPDIR", folder);
        return environment;
    }
    static QProcessEnvironment withoutRuntimeFolder()
    {
        QProcessEnvironment environment = ProgramRun::environment();
        environment.remove("XDG_RUNTIME_DIR");
        return environment;
    }
    // A running instance is ready once its start line is in the log.
    bool waitForStart(int starts) { return ProgramRun::waitForLog("INFO - Start", starts); }
    void stop(QProcess &process) { ProgramRun::stop(process); }
    // The refused start ends with 0, and says why in the running one's log.
    void expectRefused(const QStringList &arguments, const QProcessEnvironment &environment = ProgramRun::environment())
    {
        const int refusals = countInLog("Another instance runs (it holds the lock file ");
        auto second = start(arguments, environment);
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(countInLog("Another instance runs (it holds the lock file "), refusals + 1);
    }

private slots:
    void init()
    {
        QDir(ProgramRun::configFolder()).removeRecursively();
        QSettings settings(ProgramRun::settingsPath(), QSettings::IniFormat);
        settings.setValue("VerboseLogging", true); // makes the window requests visible in the log
        // Not a first run, which would write its defaults (quiet logging among them).
        settings.setValue("HasBeenRunBefore", true);
        settings.setValue("ShowIntroOnLaunch", false);
        settings.setValue("HasBeenOpenedSinceInstallOrUpgrade", true);
    }

    void guardKeyFromArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("key");
        QTest::newRow("none") << QStringList{"app"} << "corvanelle_guard_key";
        QTest::newRow("named") << QStringList{"app", "hide", "instance", "abc"} << "abc";
        QTest::newRow("instance last") << QStringList{"app", "instance"} << "corvanelle_guard_key";
        QTest::newRow("instance twice") << QStringList{"app", "instance", "instance"} << "instance";
        QTest::newRow("last follower wins") << QStringList{"app", "instance", "a", "instance", "b"} << "b";
        QTest::newRow("case-sensitive") << QStringList{"app", "Instance", "abc"} << "corvanelle_guard_key";
    }
    void guardKeyFromArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, key);
        QCOMPARE(SingleInstanceGuard::keyFromArguments(arguments), key);
    }

    void hashKeyIsSha1OfKeyAndSuffix()
    {
        // SHA-1 of "abc"
        QCOMPARE(SingleInstanceGuard::hashKey("a", "bc"), QString("a9993e364706816aba3e25717850c26c9cd0d89d"));
    }

    void guardAllowsOneHolderPerKey()
    {
        SingleInstanceGuard first("unit_key");
        QVERIFY(first.tryAcquire());
        {
            SingleInstanceGuard second("unit_key");
            QVERIFY(!second.tryAcquire());
            SingleInstanceGuard other("other_key");
            QVERIFY(other.tryAcquire());
        }
        SingleInstanceGuard third("unit_key");
        QVERIFY(!third.tryAcquire());
    }

    void openRequestIsSeenOnceAndOnlyForOne()
    {
        AppExtensions running;
        AppExtensions second;
        QVERIFY(running.isAttached());
        QSignalSpy spy(&running, &AppExtensions::sigOpenWindow);
        running.checkOpenRequest();
        QCOMPARE(spy.count(), 0);
        second.requestOpenWindow();
        running.checkOpenRequest();
        running.checkOpenRequest();
        QCOMPARE(spy.count(), 1);
    }

    // A poll that finds nothing requested does without the flag's lock, so
    // an idle instance never waits for another process holding it.
    void idlePollTakesNoLock()
    {
        AppExtensions running;
        QVERIFY(running.isAttached());
        ProcessLock held(SingleInstanceGuard::keyFolder() + '/' + AppExtensions::flagName + ".lock");
        QVERIFY(held.lock());
        std::unique_ptr<QThread> poll(QThread::create([&running] {
            running.checkOpenRequest();
            running.clearOpenRequest();
        }));
        poll->start();
        const bool returned = poll->wait(2000);
        held.unlock();
        poll->wait();
        QVERIFY2(returned, "an idle poll waited for the flag's lock");
    }

    void processLockExcludesUntilReleased()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("guard.lock");
        ProcessLock first(path);
        QVERIFY(first.lock());
        ProcessLock second(path);
        std::unique_ptr<QThread> waiter(QThread::create([&second] { second.lock(); }));
        waiter->start();
        QVERIFY2(!waiter->wait(300), "a second lock was taken while the first was held");
        first.unlock();
        QVERIFY(waiter->wait(5000));
        second.unlock();

        ProcessLock nowhere(folder.filePath("missing/guard.lock"));
        QVERIFY(!nowhere.lock());
    }

    // In place of a lock or key file, a link is not followed and a pipe not
    // waited on: neither is used, and what a link leads to stays as it was.
    void lockAndKeyFilesAreOnlyPlainFiles_data()
    {
        QTest::addColumn<QString>("made");
        QTest::newRow("link to a missing file") << "missing";
        QTest::newRow("link to a file") << "file";
        QTest::newRow("named pipe") << "pipe";
    }
    void lockAndKeyFilesAreOnlyPlainFiles()
    {
        QFETCH(QString, made);
        QTemporaryDir folder;
        const QString path = folder.filePath("guard.lock");
        const QString target = folder.filePath("elsewhere");
        if (made == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QFile file(target);
            if (made == "file")
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept") == 4);
            file.close();
            QVERIFY(QFile::link(target, path));
        }
        ProcessLock lock(path);
        QVERIFY(!lock.lock());
        QVERIFY(lock.tryLock() == ProcessLock::Attempt::Failed);
        const int projectId = SingleInstanceGuard::segmentProjectId;
        UserSharedMemory segment(path, projectId, 0);
        QVERIFY(segment.create() == UserSharedMemory::Status::Failed);
        QVERIFY(segment.attach() != UserSharedMemory::Status::Done);
        QCOMPARE(UserSharedMemory::systemKey(path, projectId), key_t(-1));
        if (made == "missing") {
            QVERIFY(!QFileInfo::exists(target));
        } else if (made == "file") {
            QFile file(target);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("kept"));
            QVERIFY(::shmget(UserSharedMemory::systemKey(target, projectId), 0, 0) < 0);
        }
    }

    void secondStartOpensTheFirstInstancesWindow()
    {
        auto first = start({"hide"});
        QVERIFY(QTest::qWaitFor([&] { return countInLog("Autostart - launched minimized") == 1; }, 20000));
        QCOMPARE(countInLog("App: showActiveView"), 0);

        expectRefused({});
        // The request, then the window's first opening in this run.
        QVERIFY(ProgramRun::waitForLog("Opening Window in Simple Mode", 1, 5000));
        QTest::qWait(400); // several more polls: still one request seen
        QCOMPARE(countInLog("App: showActiveView"), 2);
        QCOMPARE(first->state(), QProcess::Running);
        stop(*first);
        QCOMPARE(countInLog("INFO - Start"), 1);
    }

    void namedInstanceRunsBesideTheDefaultOne()
    {
        auto first = start({"hide"});
        QVERIFY(first->waitForStarted());
        QVERIFY(waitForStart(1));
        auto named = start({"hide", "instance", "abc"});
        QVERIFY(named->waitForStarted());
        QVERIFY(waitForStart(2));
        expectRefused({"hide", "instance", "abc"});
        QCOMPARE(named->state(), QProcess::Running);
        stop(*named);
        stop(*first);
    }

    // The keys live in the user's private folder whatever the session's
    // runtime folder: a start with one and a start without are one instance.
    void startsWithAndWithoutRuntimeFolderAreOneInstance_data()
    {
        QTest::addColumn<bool>("firstHasRuntimeFolder");
        QTest::newRow("with one first") << true;
        QTest::newRow("without one first") << false;
    }
    void startsWithAndWithoutRuntimeFolderAreOneInstance()
    {
        QFETCH(bool, firstHasRuntimeFolder);
        const QProcessEnvironment with = ProgramRun::environment();
        const QProcessEnvironment without = withoutRuntimeFolder();
        auto first = start({"hide"}, firstHasRuntimeFolder ? with : without);
        QVERIFY(waitForStart(1));
        expectRefused({"hide"}, firstHasRuntimeFolder ? without : with);
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(countInLog("INFO - Start"), 1);
        stop(*first);
    }

    // Starts that see other temporary folders still share the configuration
    // folder, and meet at its lock.
    void startsWithOtherTemporaryFoldersAreOneInstance()
    {
        QTemporaryDir firstTemporary;
        QTemporaryDir secondTemporary;
        auto first = start({"hide"}, withTemporaryFolder(firstTemporary.path()));
        QVERIFY(waitForStart(1));
        expectRefused({"hide"}, withTemporaryFolder(secondTemporary.path()));
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(countInLog("INFO - Start"), 1);
        stop(*first);
    }

    // Nothing of the guard needs the configuration folder: read-only, with
    // no runtime folder, the program runs.
    void startsWithReadOnlyConfigurationAndNoRuntimeFolder()
    {
        QFile::remove(ProgramRun::autostartPath());
        const QString config = ProgramRun::configFolder();
        const QFile::Permissions before = QFile::permissions(config);
        QVERIFY(QFile::setPermissions(config, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                                  | QFile::ReadOther | QFile::ExeOther));
        auto program = startAsPlainUser({"hide"}, withoutRuntimeFolder());
        // Written at the end of the start, outside the configuration folder.
        const bool started = QTest::qWaitFor([] { return QFile::exists(ProgramRun::autostartPath()); }, 20000);
        const bool running = program->state() == QProcess::Running;
        if (running)
            stop(*program);
        else
            program->waitForFinished(20000);
        QFile::setPermissions(config, before);
        QVERIFY2(started && running, qPrintable(QStringLiteral("ended with %1").arg(program->exitCode())));
    }

    // A segment on the guard's key that is not one of this user's own private
    // ones does not mean that another instance runs; the lock file then keeps
    // a second instance out on its own, and the segment stays untouched.
    void guardCountsOnlyItsOwnPrivateSegment_data()
    {
        QTest::addColumn<bool>("byAnotherUser");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("size");
        QTest::newRow("another user's, private") << true << 0600 << 8;
        QTest::newRow("another user's, open to all") << true << 0666 << 8;
        QTest::newRow("this user's, open to all") << false << 0666 << 8;
        QTest::newRow("this user's, of another size") << false << 0600 << 4096;
        QTest::newRow("this user's, another program's") << false << 0600 << 8;
    }
    void guardCountsOnlyItsOwnPrivateSegment()
    {
        QFETCH(bool, byAnotherUser);
        QFETCH(int, mode);
        QFETCH(int, size);
        if (byAnotherUser && !isRoot())
            QSKIP("a segment of another user needs root to make");
        Segment foreign;
        QVERIFY(foreign.make(guardKeyFile("unit_key"), byAnotherUser, mode, size_t(size)));
        {
            SingleInstanceGuard first("unit_key");
            QVERIFY(first.tryAcquire());
            QVERIFY2(first.problem().contains("lock file"), qPrintable(first.problem()));
            SingleInstanceGuard second("unit_key");
            QVERIFY(!second.tryAcquire());
        }
        QVERIFY(foreign.exists());
        SingleInstanceGuard next("unit_key");
        QVERIFY(next.tryAcquire());
    }

    // Nor does the open-window flag use such a segment: its owner could open
    // the window of a hidden instance at will.
    void openWindowFlagUsesOnlyItsOwnPrivateSegment_data()
    {
        guardCountsOnlyItsOwnPrivateSegment_data();
        QTest::newRow("this user's, another program's of the flag's size") << false << 0600 << 16;
    }
    void openWindowFlagUsesOnlyItsOwnPrivateSegment()
    {
        QFETCH(bool, byAnotherUser);
        QFETCH(int, mode);
        QFETCH(int, size);
        if (byAnotherUser && !isRoot())
            QSKIP("a segment of another user needs root to make");
        Segment foreign;
        QVERIFY(foreign.make(flagKeyFile(), byAnotherUser, mode, size_t(size)));
        foreign.setValue(1);
        AppExtensions running;
        QVERIFY(!running.isAttached());
        QVERIFY(!running.problem().isEmpty());
        QSignalSpy spy(&running, &AppExtensions::sigOpenWindow);
        running.checkOpenRequest();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(foreign.value(), 1);

        foreign.setValue(0);
        AppExtensions second;
        second.requestOpenWindow();
        QCOMPARE(foreign.value(), 0);
    }

    // Segments of this user's own that no process is attached to are what
    // instances that died left behind: they go, a request left in the flag
    // with them, and new ones are private.
    void leftSegmentsOfItsOwnAreRemoved()
    {
        Segment leftGuard;
        QVERIFY(leftGuard.leave(guardKeyFile("unit_key"), 0, 0));
        Segment leftFlag;
        QVERIFY(leftFlag.leave(flagKeyFile(), sizeof(qint64), 1));

        SingleInstanceGuard guard("unit_key");
        QVERIFY(!leftGuard.exists());
        QVERIFY(guard.tryAcquire());
        QVERIFY2(guard.problem().isEmpty(), qPrintable(guard.problem()));
        AppExtensions flag;
        QVERIFY(!leftFlag.exists());
        QVERIFY(flag.isAttached());
        QSignalSpy spy(&flag, &AppExtensions::sigOpenWindow);
        flag.checkOpenRequest();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(segmentMode(guardKeyFile("unit_key")), 0600);
        QCOMPARE(segmentMode(flagKeyFile()), 0600);
    }

    // Another user's segments on both keys, as one would make them to stop
    // every start: the program runs, says so once, and still refuses a
    // second start.
    void startRunsBesideAnotherUsersSegments()
    {
        if (!isRoot())
            QSKIP("a segment of another user needs root to make");
        Segment onGuard;
        QVERIFY(onGuard.make(guardKeyFile(SingleInstanceGuard::defaultKey), true, 0666, 8));
        Segment onFlag;
        QVERIFY(onFlag.make(flagKeyFile(), true, 0666, 8));
        auto first = startAsPlainUser({"hide"});
        QVERIFY(waitForStart(1));
        auto second = startAsPlainUser({"hide"});
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        stop(*first);
        QCOMPARE(countInLog("INFO - Start"), 1);
        QCOMPARE(countInLog("SingleInstanceGuard: "), 1);
        QCOMPARE(countInLog("AppExtensions: "), 1);
    }

    // The lock decides, and nothing else on the guard's key means that
    // another instance runs: neither a segment of the open-window flag or of a
    // named instance whose key file's inode agrees with the guard's in the 16
    // bits a key keeps of it (made on a tmpfs, which numbers inodes in
    // sequence), nor another program's segment of this user's own in use there.
    void startRunsWhateverElseIsOnTheGuardsKey_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::newRow("the open-window flag") << "flag";
        QTest::newRow("a named instance") << "named";
        QTest::newRow("another program") << "program";
    }
    void startRunsWhateverElseIsOnTheGuardsKey()
    {
        QFETCH(QString, holder);
        QTemporaryDir tmpfs("/dev/shm/r7-guard-XXXXXX");
        if (!tmpfs.isValid())
            QSKIP("needs a tmpfs at /dev/shm");
        const QProcessEnvironment environment = withTemporaryFolder(tmpfs.path());
        const QString folder = UserPrivateFolder::pathIn(tmpfs.path());
        QVERIFY(!folder.isEmpty());
        const KeyFile guardFile = guardKeyFile(SingleInstanceGuard::defaultKey, folder);
        std::unique_ptr<QProcess> named;
        Segment other;
        if (holder == "flag") {
            QFile file(flagKeyFile(folder).path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            QVERIFY(makeCollidingKeyFile(guardFile.path, file.fileName()));
        } else if (holder == "named") {
            named = start({"hide", "instance", "abc"}, environment);
            QVERIFY(waitForStart(1));
            QVERIFY(makeCollidingKeyFile(guardFile.path, guardKeyFile("abc", folder).path));
        } else {
            QVERIFY(other.make(guardFile, false, 0600, 8));
            QVERIFY(other.hold());
            other.setValue(42);
        }
        auto first = start({"hide"}, environment);
        QVERIFY(waitForStart(named ? 2 : 1));
        QCOMPARE(first->state(), QProcess::Running);
        expectRefused({"hide"}, environment);
        stop(*first);
        if (named)
            stop(*named);
        if (holder == "program")
            QCOMPARE(other.value(), 42);
    }

    // Without a private folder for the keys, nothing keeps a second instance
    // out, but the program runs and says so, once, in its log.
    void startWithoutPrivateFolderRunsAndSaysSo()
    {
        QTemporaryDir temporary;
        QFile inTheWay(temporary.filePath(QStringLiteral("corvanelle-r7-%1").arg(::geteuid())));
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        inTheWay.close();
        auto program = start({"hide"}, withTemporaryFolder(temporary.path()));
        QVERIFY(ProgramRun::waitForLog("SingleInstanceGuard: no private folder"));
        QCOMPARE(program->state(), QProcess::Running);
        stop(*program);
        QCOMPARE(countInLog("SingleInstanceGuard: "), 1);
        QCOMPARE(countInLog("AppExtensions: "), 1);
    }

    // An instance killed without a chance to clean up leaves its guard
    // behind; the next start takes it over and runs.
    void startAfterAKilledInstanceRuns()
    {
        auto killed = start({"hide"});
        QVERIFY(waitForStart(1));
        killed->kill();
        QVERIFY(killed->waitForFinished(20000));
        auto next = start({"hide"});
        QVERIFY(waitForStart(2));
        QCOMPARE(next->state(), QProcess::Running);
        expectRefused({"hide"}); // and it holds the guard in turn
        stop(*next);
    }

    // A window request that no instance handled (its instance was killed
    // first) is not the next start's: a hidden start stays hidden.
    void staleOpenRequestDoesNotShowAHiddenStart()
    {
        AppExtensions leftOver; // keeps the flag segment alive, as a killed instance leaves it
        leftOver.requestOpenWindow();
        auto first = start({"hide"});
        QVERIFY(QTest::qWaitFor([&] { return countInLog("Autostart - launched minimized") == 1; }, 20000));
        QTest::qWait(400); // several polls
        QCOMPARE(countInLog("App: showActiveView"), 0);

        expectRefused({}); // a real request still opens the window
        QVERIFY(ProgramRun::waitForLog("App: showActiveView", 1, 5000));
        stop(*first);
    }

    void autostartEntryIsWrittenOnce()
    {
        auto first = start({"hide"});
        QVERIFY(waitForStart(1));
        stop(*first);
        QFile entry(ProgramRun::autostartPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY2(text.contains("Exec=\"" + QFileInfo(R7_APP_EXECUTABLE).absoluteFilePath().toUtf8() + "\" hide"),
                 text.constData());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
