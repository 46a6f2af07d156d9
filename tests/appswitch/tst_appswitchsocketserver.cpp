// The local socket through which other programs switch profiles or make the
// mouse vibrate, driven by real local-socket clients.
#include "AppSwitchSocketServer.h"
#include "ConnectedMouse.h"
#include "EntryInTheWay.h"
#include "MouseFunctions.h"
#include "SimulatedMouse.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#ifdef __SANITIZE_ADDRESS__
// The toolkit's own code is not instrumented, so a write into a socket it has
// freed goes unseen while the freed memory keeps its old contents. Filled, it
// makes the toolkit crash on what it reads back from there.
extern "C" const char *__asan_default_options()
{
    return "max_free_fill_size=4096";
}
#endif

namespace {

// Connects, writes one command and, unless kept, closes again.
class Client
{
public:
    explicit Client(const QByteArray &message = QByteArray(), bool keep = false)
    {
        socket.connectToServer(AppSwitchSocketServer::socketPath());
        if (!socket.waitForConnected(5000))
            qWarning() << "client could not connect:" << socket.errorString();
        if (!message.isNull())
            send(message);
        if (!keep)
            socket.disconnectFromServer();
    }
    void send(const QByteArray &message)
    {
        socket.write(message);
        socket.waitForBytesWritten(5000);
    }

private:
    QLocalSocket socket;
};

// What the receivers got, in order, as text.
struct Received
{
    QStringList requests;

    explicit Received(AppSwitchSocketServer &server)
    {
        QObject::connect(&server, &AppSwitchSocketServer::R7API_profile_change,
                         [this](const QString &name) { requests.append("profile " + name); });
        QObject::connect(&server, &AppSwitchSocketServer::R7API_vibration, [this](quint16 duration, quint8 strength) {
            requests.append(QString("vibrate %1 %2").arg(duration).arg(strength));
        });
    }
};

mode_t modeOf(const QString &path)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return status.st_mode & (S_IFMT | 07777);
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
}

// A session without XDG_RUNTIME_DIR, with a temporary folder of its own that
// stands for the one all users share.
class NoRuntimeFolder
{
public:
    NoRuntimeFolder()
        : runtime(qgetenv("XDG_RUNTIME_DIR"))
        , temporary(qgetenv("TMPDIR"))
    {
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(shared.path()));
    }
    ~NoRuntimeFolder()
    {
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", temporary);
    }
    QString temporaryFolder() const { return shared.path(); }
    QString privateFolder() const { return shared.path() + QStringLiteral("/corvanelle-r7-%1").arg(::geteuid()); }

private:
    QTemporaryDir shared;
    QByteArray runtime;
    QByteArray temporary;
};

// The log lines while it lives; they still reach the test's own handler.
class LogLines
{
public:
    LogLines() { previous = qInstallMessageHandler(record); }
    ~LogLines()
    {
        qInstallMessageHandler(previous);
        lines.clear();
    }
    static bool has(const QString &beginning) { return count(beginning) > 0; }
    static int count(const QString &beginning)
    {
        return int(std::count_if(lines.cbegin(), lines.cend(),
                                 [&](const QString &line) { return line.startsWith(beginning); }));
    }

private:
    static void record(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        lines.append(text);
        previous(type, context, text);
    }
    static inline QtMessageHandler previous = nullptr;
    static inline QStringList lines;
};

// The open-file limit of this process, which is the server and its clients
// at once, lowered to what it holds now and a few more.
class OpenFileLimit
{
public:
    explicit OpenFileLimit(rlim_t more)
    {
        ::getrlimit(RLIMIT_NOFILE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = rlim_t(QDir("/proc/self/fd").count()) + more;
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~OpenFileLimit() { ::setrlimit(RLIMIT_NOFILE, &saved); }

private:
    rlimit saved = {};
};

// A client connection by hand, as any program makes one; -1 when refused.
int connectTo(const QString &path)
{
    const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (client < 0)
        return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    if (::connect(client, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(client);
        return -1;
    }
    return client;
}

int socketObjects(const AppSwitchSocketServer &server)
{
    return server.findChild<QLocalServer *>()->findChildren<QLocalSocket *>().size();
}

} // namespace

class TestAppSwitchSocketServer : public QObject
{
    Q_OBJECT

private slots:
    void socketLivesInTheRuntimeFolder()
    {
        QCOMPARE(AppSwitchSocketServer::socketPath(),
                 qEnvironmentVariable("XDG_RUNTIME_DIR") + "/corvanelle.r7.profileswitch");
        NoRuntimeFolder session;
        QCOMPARE(AppSwitchSocketServer::socketPath(), session.privateFolder() + "/corvanelle.r7.profileswitch");
        QCOMPARE(modeOf(session.privateFolder()), mode_t(S_IFDIR | 0700));
    }

    // What another user may have made under the name in the shared temporary
    // folder: never used, never touched, and sent nothing.
    void withoutRuntimeFolderTheSocketIsPrivate_data()
    {
        QTest::addColumn<QString>("made");
        QTest::newRow("nothing") << "";
        QTest::newRow("listening socket") << "socket";
        QTest::newRow("plain file") << "file";
        QTest::newRow("symbolic link") << "link";
    }
    void withoutRuntimeFolderTheSocketIsPrivate()
    {
        QFETCH(QString, made);
        NoRuntimeFolder session;
        const QString shared = session.temporaryFolder() + "/corvanelle.r7.profileswitch";
        QLocalServer other;
        if (made == "socket") {
            QVERIFY(other.listen(shared));
        } else if (made == "file") {
            QFile file(shared);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("other") == 5);
        } else if (made == "link") {
            QVERIFY(QFile::link(session.temporaryFolder() + "/elsewhere", shared));
        }

        AppSwitchSocketServer server;
        QVERIFY(server.start());
        Received received(server);
        Client client("Gaming");
        QTRY_COMPARE(received.requests, QStringList{"profile Gaming"});
        const QString path = session.privateFolder() + "/corvanelle.r7.profileswitch";
        QCOMPARE(modeOf(path), mode_t(S_IFSOCK | 0700));
        QVERIFY(!other.hasPendingConnections());
        if (made == "socket")
            QCOMPARE(modeOf(shared) & S_IFMT, mode_t(S_IFSOCK));
        else if (made == "file")
            QCOMPARE(QFileInfo(shared).size(), 5);
        else if (made == "link")
            QCOMPARE(QFileInfo(shared).symLinkTarget(), session.temporaryFolder() + "/elsewhere");
        else
            QVERIFY(!QFileInfo::exists(shared));
    }

    void privateFolderFailingItsChecksStartsNoServer_data() { EntryInTheWay::addRows(); }
    void privateFolderFailingItsChecksStartsNoServer()
    {
        QFETCH(QString, made);
        QFETCH(QString, reason);
        NoRuntimeFolder session;
        const QString folder = session.privateFolder();
        QString skip;
        if (!EntryInTheWay::make(made, folder, &skip)) {
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QFAIL("could not make the entry");
        }

        AppSwitchSocketServer server;
        QTest::ignoreMessage(QtCriticalMsg,
                             QRegularExpression("^R7API: Socket server cannot listen: the socket's private folder "
                                                + QRegularExpression::escape(folder + ' ') + ".*" + reason));
        QTest::ignoreMessage(QtCriticalMsg, "R7API: Socket server failed to start.");
        QVERIFY(!server.start());
        QCOMPARE(AppSwitchSocketServer::socketPath(), QString());
        // Nothing was made in the shared folder, nor in the folder or behind
        // the link.
        QStringList expected{QFileInfo(folder).fileName()};
        if (made == "link")
            expected << "elsewhere";
        QCOMPARE(entries(session.temporaryFolder()), expected);
        if (made != "file")
            QCOMPARE(entries(folder), QStringList());
    }

    // A runtime folder that is not this user's own private folder is not
    // used: the socket goes into the private folder in the temporary folder,
    // the log says why once, and nothing is made in what the variable names.
    void runtimeFolderFailingItsChecksIsNotUsed_data() { EntryInTheWay::addRows(); }
    void runtimeFolderFailingItsChecksIsNotUsed()
    {
        QFETCH(QString, made);
        QFETCH(QString, reason);
        NoRuntimeFolder session;
        QTemporaryDir elsewhere;
        const QString runtime = elsewhere.filePath("runtime");
        QString skip;
        if (!EntryInTheWay::make(made, runtime, &skip)) {
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QFAIL("could not make the entry");
        }
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));

        LogLines log;
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        QCOMPARE(AppSwitchSocketServer::socketPath(), session.privateFolder() + "/corvanelle.r7.profileswitch");
        Received received(server);
        Client client("Gaming");
        QTRY_COMPARE(received.requests, QStringList{"profile Gaming"});
        QCOMPARE(LogLines::count("R7API: The runtime folder is not used: " + runtime + ' ' + reason), 1);
        const QStringList expected = made == "link" ? QStringList{"elsewhere", "runtime"} : QStringList{"runtime"};
        QCOMPARE(entries(elsewhere.path()), expected);
        if (made != "file")
            QCOMPARE(entries(runtime), QStringList());
    }

    void turnsMessagesIntoRequests_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("request");
        QTest::newRow("name with white space around") << QByteArray(" Gaming \r\n") << "profile Gaming";
        QTest::newRow("blanks only") << QByteArray("   ") << "profile ";
        QTest::newRow("blank inside a name") << QByteArray("\tMy  Game\n") << "profile My  Game";
        QTest::newRow("UTF-8 name") << QByteArray("Caf\xc3\xa9") << QString::fromUtf8("profile Caf\xc3\xa9");
        QTest::newRow("lower-case word") << QByteArray("vibrate 100 50") << "profile vibrate 100 50";
        QTest::newRow("vibration") << QByteArray("Vibrate 300 70") << "vibrate 300 70";
        QTest::newRow("strength capped") << QByteArray("Vibrate 1000 150") << "vibrate 1000 100";
        QTest::newRow("strength's low byte") << QByteArray("Vibrate 300 300") << "vibrate 300 44";
        QTest::newRow("strength -1") << QByteArray("Vibrate 1000 -1") << "vibrate 1000 100";
        QTest::newRow("duration's low 16 bits") << QByteArray("Vibrate 70000 5") << "vibrate 4464 5";
        QTest::newRow("beyond 32 bits") << QByteArray("Vibrate 3000000000 +20") << "vibrate 0 20";
        QTest::newRow("not numbers") << QByteArray("Vibrate x y") << "vibrate 0 0";
        QTest::newRow("empty field counts") << QByteArray("Vibrate  500 40") << "vibrate 0 100";
        QTest::newRow("word alone") << QByteArray("Vibrate") << "vibrate 0 0";
        QTest::newRow("duration only") << QByteArray("Vibrate 250\n") << "vibrate 250 0";
        QTest::newRow("word as a prefix, more fields") << QByteArray("Vibrates 1 2 3") << "vibrate 1 2";
    }
    void turnsMessagesIntoRequests()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, request);
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        Received received(server);
        Client client(message);
        QTRY_COMPARE(received.requests, QStringList{request});
    }

    void dropsWhatGoesBeyondOneCommand()
    {
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        Received received(server);
        QTest::ignoreMessage(QtWarningMsg, "R7API: Dropped 904 bytes beyond the first 4096 of one command");
        Client client(QByteArray(5000, 'A'));
        QTRY_COMPARE(received.requests, QStringList{"profile " + QString(4096, 'A')});
    }

    void newestClientTakesOver()
    {
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        Received received(server);
        Client first(QByteArray(), true);
        QTRY_COMPARE(socketObjects(server), 1);
        Client second(QByteArray(), true);
        QTRY_COMPARE(socketObjects(server), 2);
        first.send("First");
        second.send("Second");
        QTRY_COMPARE(received.requests, QStringList{"profile Second"});
        QTest::qWait(100);
        QCOMPARE(received.requests, QStringList{"profile Second"});
    }

    void closedConnectionsLeaveNoSockets()
    {
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        QSignalSpy requests(&server, &AppSwitchSocketServer::R7API_profile_change);
        for (int round = 0; round < 500; ++round) {
            Client client(QByteArray::number(round));
            QVERIFY(requests.wait(5000));
        }
        QCOMPARE(requests.count(), 500);
        QCOMPARE(requests.last().at(0).toString(), QString("499"));
        QTRY_COMPARE(socketObjects(server), 0);
    }

    void requestDuringASlowReceiverRunsAfterIt()
    {
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        QStringList steps;
        std::unique_ptr<Client> second;
        connect(&server, &AppSwitchSocketServer::R7API_profile_change, [&](const QString &name) {
            steps.append("begin " + name);
            if (name == "First") {
                // As a device command waits for its reply.
                second = std::make_unique<Client>("Second");
                QEventLoop wait;
                QTimer::singleShot(300, &wait, &QEventLoop::quit);
                wait.exec();
            }
            steps.append("end " + name);
        });
        Client first("First");
        QTRY_COMPARE(steps, QStringList({"begin First", "end First", "begin Second", "end Second"}));
    }

    void serverDeletedByAReceiverLeavesTheRestUnrun()
    {
        auto server = std::make_unique<AppSwitchSocketServer>();
        QVERIFY(server->start());
        QStringList names;
        connect(server.get(), &AppSwitchSocketServer::R7API_profile_change, [&](const QString &name) {
            names.append(name);
            // The next request arrives while this one waits, then the
            // program ends.
            Client second("Second");
            QEventLoop wait;
            QTimer::singleShot(200, &wait, &QEventLoop::quit);
            wait.exec();
            server.reset();
        });
        Client first("First");
        QTRY_VERIFY(!server);
        QTest::qWait(50);
        QCOMPARE(names, QStringList{"First"});
    }

    // The device object waits for the mouse's answer in an event loop of its
    // own, where the client's socket closes and is deleted. A request must
    // not be running inside that socket's signal then.
    void mouseAnsweringLateWhileClientsCloseAtOnce()
    {
        ConnectedMouse fixture(10); // a model with haptics
        fixture.connect();
        SimulatedMouse *mouse = fixture.mouse();
        mouse->setReplyDelay(40);
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        connect(&server, &AppSwitchSocketServer::R7API_vibration, fixture.device(), &MouseFunctions::triggerVibration);

        for (int round = 1; round <= 10; ++round) {
            Client client("Vibrate " + QByteArray::number(round) + " 50");
            QTRY_COMPARE(mouse->vibrations().size(), round);
            QCOMPARE(mouse->vibrations().last().duration, round);
        }
        // Many at once: the newest connection's request is the one that
        // counts; whether older ones are read depends on when they came.
        for (int client = 1; client <= 30; ++client)
            Client("Vibrate " + QByteArray::number(1000 + client) + " 50");
        QTRY_COMPARE(mouse->vibrations().last().duration, 1030);
        QTRY_COMPARE(socketObjects(server), 0);
    }

    void manyIdleClientsLeaveTheServerListening()
    {
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        Received received(server);
        QSignalSpy accepted(server.findChild<QLocalServer *>(), &QLocalServer::newConnection);
        const QString path = AppSwitchSocketServer::socketPath();
        std::vector<int> clients;
        {
            // Room for the clients' ends and a few more, not for the server's
            // end of each.
            OpenFileLimit limit(200);
            for (int client = 0; client < 150; ++client) {
                clients.push_back(connectTo(path));
                QVERIFY2(clients.back() >= 0, qPrintable(QString("client %1 refused").arg(client)));
                QVERIFY(accepted.wait(2000));
            }
            QTRY_COMPARE(socketObjects(server), 16);
            Client client("Gaming");
            QTRY_COMPARE(received.requests, QStringList{"profile Gaming"});
        }
        for (const int client : clients)
            ::close(client);
        QTRY_COMPARE(socketObjects(server), 0);
    }

    void listensAgainAfterRunningOutOfFiles()
    {
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        Received received(server);
        LogLines log;
        const QString path = AppSwitchSocketServer::socketPath();
        {
            OpenFileLimit limit(20);
            // A client waits to be accepted when no descriptor is left.
            const int waiting = connectTo(path);
            QVERIFY(waiting >= 0);
            std::vector<int> taken;
            for (int file; (file = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
                taken.push_back(file);
            QTRY_VERIFY(log.has("R7API: Socket server stopped listening: its socket file " + path + " is gone ("));
            for (const int file : taken)
                ::close(file);
            ::close(waiting);
        }
        QTRY_VERIFY(log.has("R7API: Socket server listening again"));
        Client client("Gaming");
        QTRY_COMPARE(received.requests, QStringList{"profile Gaming"});
    }

    void listensAgainWhenItsFileGoes_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::newRow("socket file in the runtime folder") << "runtime";
        QTest::newRow("socket file in the private folder") << "file";
        QTest::newRow("the private folder") << "folder";
        QTest::newRow("the private folder, a plain file there for a while") << "blocked";
    }
    void listensAgainWhenItsFileGoes()
    {
        QFETCH(QString, removed);
        std::optional<NoRuntimeFolder> session;
        if (removed != "runtime")
            session.emplace();
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        Received received(server);
        LogLines log;
        const QString path = AppSwitchSocketServer::socketPath();
        if (removed == "runtime" || removed == "file") {
            QVERIFY(QFile::remove(path));
        } else {
            const QString folder = session->privateFolder();
            QVERIFY(QDir(folder).removeRecursively());
            if (removed == "blocked") {
                QFile file(folder);
                QVERIFY(file.open(QIODevice::WriteOnly));
                QTRY_VERIFY(log.has("R7API: Socket server cannot listen again yet: the socket's private folder "
                                    + folder + " is not a folder; trying again."));
                QVERIFY(file.remove());
            }
        }
        QTRY_VERIFY(log.has("R7API: Socket server listening again"));
        QVERIFY(
            log.has("R7API: Socket server stopped listening: its socket file " + path + " is gone; listening again."));
        QCOMPARE(modeOf(path), mode_t(S_IFSOCK | 0700));
        Client client("Gaming");
        QTRY_COMPARE(received.requests, QStringList{"profile Gaming"});
    }

    void staleSocketFileIsReplaced()
    {
        // A socket file whose server is gone, as a crashed instance leaves it.
        const QByteArray path = QFile::encodeName(AppSwitchSocketServer::socketPath());
        const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(stale >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        QCOMPARE(::bind(stale, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        ::close(stale);
        QVERIFY(QFileInfo::exists(path));

        AppSwitchSocketServer server;
        QVERIFY(server.start());
        Received received(server);
        Client client("Gaming");
        QTRY_COMPARE(received.requests, QStringList{"profile Gaming"});
    }

    void secondServerFailsAndLeavesTheFirst()
    {
        AppSwitchSocketServer first;
        QVERIFY(first.start());
        Received received(first);
        {
            AppSwitchSocketServer second;
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("^R7API: Socket server cannot listen: another "
                                                                   "server answers on .*corvanelle.r7.profileswitch$"));
            QTest::ignoreMessage(QtCriticalMsg, "R7API: Socket server failed to start.");
            QVERIFY(!second.start());
        }
        Client client("Gaming");
        QTRY_COMPARE(received.requests, QStringList{"profile Gaming"});
    }

    void socketFileIsTheOwnersOnly()
    {
        AppSwitchSocketServer server;
        QVERIFY(server.start());
        struct stat status;
        QCOMPARE(::stat(QFile::encodeName(AppSwitchSocketServer::socketPath()).constData(), &status), 0);
        QVERIFY(S_ISSOCK(status.st_mode));
        QCOMPARE(status.st_mode & 0777, mode_t(S_IRWXU));
        QCOMPARE(status.st_uid, ::getuid());
    }

    void closingRemovesTheSocketFile()
    {
        {
            AppSwitchSocketServer server;
            QVERIFY(server.start());
            QVERIFY(QFileInfo::exists(AppSwitchSocketServer::socketPath()));
        }
        QVERIFY(!QFileInfo::exists(AppSwitchSocketServer::socketPath()));
    }
};

QTEST_GUILESS_MAIN(TestAppSwitchSocketServer)
#include "tst_appswitchsocketserver.moc"
