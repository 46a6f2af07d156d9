#include "AppSwitchSocketServer.h"

#include "UserPrivateFolder.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <sys/stat.h>

namespace {

const QString socketName = QStringLiteral("corvanelle.r7.profileswitch");
// A command is short; what one read brings beyond this is not part of one.
constexpr qint64 maximumCommandSize = 4096;
// A server that still runs accepts at once; this only bounds a hung one.
constexpr int probeTimeoutMs = 1000;
// Only the newest connection is listened to. The older ones are kept open
// up to this many; each holds a file descriptor, and a client holding many
// would otherwise run the program out of them.
constexpr int maximumConnections = 16;
// The folder's watch notices the socket file going at once; this catches it
// where no watch could be had.
constexpr int checkIntervalMs = 30000;
// After the socket was lost, listening is tried again after these delays,
// doubling from the first up to the last.
constexpr int firstRetryMs = 250;
constexpr int lastRetryMs = 30000;

enum class Probe { Free, Answered, Unknown };

// Whether a server answers on path. Free only when nothing is there or
// nothing listens on what is: then the file is a crashed instance's.
Probe probeServer(const QString &path, QString *problem)
{
    QLocalSocket probe;
    probe.connectToServer(path, QIODevice::WriteOnly);
    if (probe.waitForConnected(probeTimeoutMs)) {
        probe.abort();
        *problem = QStringLiteral("another server answers on ") + path;
        return Probe::Answered;
    }
    switch (probe.error()) {
    case QLocalSocket::ServerNotFoundError:
    case QLocalSocket::ConnectionRefusedError:
        return Probe::Free;
    default:
        // Out of descriptors, for example: what is there must be left alone.
        *problem =
            QStringLiteral("cannot tell whether another server answers on %1: %2").arg(path, probe.errorString());
        return Probe::Unknown;
    }
}

bool isSocketFile(const QString &path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode);
}

} // namespace

AppSwitchSocketServer::AppSwitchSocketServer(QObject *parent)
    : QObject(parent)
    , server(new QLocalServer(this))
    , watcher(new QFileSystemWatcher(this))
    , checkTimer(new QTimer(this))
    , retryTimer(new QTimer(this))
{
    connect(server, &QLocalServer::newConnection, this, &AppSwitchSocketServer::newConnection);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, &AppSwitchSocketServer::checkListening);
    checkTimer->setInterval(checkIntervalMs);
    connect(checkTimer, &QTimer::timeout, this, &AppSwitchSocketServer::checkListening);
    retryTimer->setSingleShot(true);
    connect(retryTimer, &QTimer::timeout, this, &AppSwitchSocketServer::listenAgain);
}

AppSwitchSocketServer::~AppSwitchSocketServer()
{
    server->close();
    if (socket)
        socket->close();
}

QString AppSwitchSocketServer::socketPath(QString *problem)
{
    QString refusal;
    const QString runtimeFolder = UserPrivateFolder::runtimeFolder(&refusal);
    if (!runtimeFolder.isEmpty())
        return UserPrivateFolder::filePath(runtimeFolder, socketName);
    // Said once for each folder refused, however often the path is asked for.
    static QString reported;
    if (!refusal.isEmpty() && refusal != reported) {
        reported = refusal;
        qWarning().noquote()
            << QStringLiteral(
                   "R7API: The runtime folder is not used: %1; the socket goes into the private folder instead.")
                   .arg(refusal);
    }
    // The temporary folder is shared: any user could have made the bare name
    // there first and would then get this user's commands.
    return UserPrivateFolder::filePath(UserPrivateFolder::path(problem), socketName);
}

bool AppSwitchSocketServer::start()
{
    QString problem;
    if (listen(&problem) != Listen::Listening) {
        qCritical().noquote() << "R7API: Socket server cannot listen:" << problem;
        qCritical() << "R7API: Socket server failed to start.";
        return false;
    }
    qDebug() << "R7API: Socket server started";
    return true;
}

AppSwitchSocketServer::Listen AppSwitchSocketServer::listen(QString *problem)
{
    QString folderProblem;
    const QString path = socketPath(&folderProblem);
    if (path.isEmpty()) {
        *problem = QStringLiteral("the socket's private folder ") + folderProblem;
        return Listen::Failed;
    }
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // The toolkit moves its socket into place over an existing file, so a
    // running server is looked for first; a file nobody answers on is what a
    // crashed instance left behind.
    switch (probeServer(path, problem)) {
    case Probe::Answered:
        return Listen::Taken;
    case Probe::Unknown:
        return Listen::Failed;
    case Probe::Free:
        break;
    }
    QLocalServer::removeServer(path);
    if (!server->listen(path)) {
        *problem = server->errorString();
        return Listen::Failed;
    }
    listening = true;
    // The toolkit keeps a server's last error: only a new one tells anything.
    errorWhenListening = server->errorString();
    // Watched anew each time: the folder may have been made again.
    if (!watcher->directories().isEmpty())
        watcher->removePaths(watcher->directories());
    watcher->addPath(QFileInfo(path).absolutePath());
    checkTimer->start();
    return Listen::Listening;
}

void AppSwitchSocketServer::checkListening()
{
    // The toolkit closes a server whose accept fails (out of descriptors) and
    // removes its file, yet still calls it listening; a file removed by anyone
    // else leaves a server nobody can reach. Either way the file is gone.
    const QString path = server->fullServerName();
    if (!listening || isSocketFile(path))
        return;
    QString reason = QStringLiteral("its socket file %1 is gone").arg(path);
    if (server->errorString() != errorWhenListening)
        reason += QStringLiteral(" (%1)").arg(server->errorString());
    qWarning().noquote() << "R7API: Socket server stopped listening:" << reason + "; listening again.";
    listening = false;
    checkTimer->stop();
    server->close();
    retryDelayMs = firstRetryMs;
    retryReported = false;
    listenAgain();
}

void AppSwitchSocketServer::listenAgain()
{
    QString problem;
    switch (listen(&problem)) {
    case Listen::Listening:
        qInfo() << "R7API: Socket server listening again";
        break;
    case Listen::Taken:
        qCritical().noquote() << "R7API: Socket server cannot listen again:" << problem;
        break;
    case Listen::Failed:
        if (!retryReported)
            qWarning().noquote() << "R7API: Socket server cannot listen again yet:" << problem + "; trying again.";
        retryReported = true;
        retryTimer->start(retryDelayMs);
        retryDelayMs = qMin(2 * retryDelayMs, lastRetryMs);
        break;
    }
}

void AppSwitchSocketServer::newConnection()
{
    QLocalSocket *accepted = server->nextPendingConnection();
    if (!accepted)
        return;
    socket = accepted;
    connections.removeAll(nullptr);
    connections.append(accepted);
    while (connections.size() > maximumConnections)
        connections.takeFirst()->abort();
    connect(accepted, &QLocalSocket::readyRead, this, &AppSwitchSocketServer::readData);
    // One connection per command is the usual client: without this every
    // request would leave its socket behind for the program's life.
    connect(accepted, &QLocalSocket::disconnected, accepted, &QObject::deleteLater);
    qDebug() << "R7API: New connection established.";
    if (accepted->bytesAvailable() > 0)
        readData();
    if (accepted->state() == QLocalSocket::UnconnectedState)
        accepted->deleteLater();
}

void AppSwitchSocketServer::readData()
{
    // What an older connection still sends has no effect, but is taken off it.
    auto *sender = qobject_cast<QLocalSocket *>(QObject::sender());
    if (sender && sender != socket)
        sender->skip(sender->bytesAvailable());
    if (!socket)
        return;
    while (socket->bytesAvailable() > 0) {
        const QByteArray data = socket->read(maximumCommandSize);
        if (const qint64 excess = socket->bytesAvailable()) {
            socket->skip(excess);
            qWarning() << "R7API: Dropped" << excess << "bytes beyond the first" << maximumCommandSize
                       << "of one command";
        }
        pending.enqueue(parse(data));
    }
    // A receiver may wait for the mouse in an event loop of its own, where
    // this socket can close and be deleted: requests never run inside a
    // socket's signal, but from the event loop once this has returned.
    if (!pending.isEmpty() && !scheduled && !running) {
        scheduled = true;
        QMetaObject::invokeMethod(this, &AppSwitchSocketServer::runRequests, Qt::QueuedConnection);
    }
}

AppSwitchSocketServer::Request AppSwitchSocketServer::parse(const QByteArray &data)
{
    Request request;
    const QString text = QString::fromUtf8(data).trimmed();
    if (!text.startsWith(QLatin1String("Vibrate"))) {
        request.name = text;
        return request;
    }
    request.vibration = true;
    // Empty fields count: two blanks in a row leave an empty field between
    // them. A missing or unreadable field counts as 0.
    const QVector<QStringRef> fields = text.splitRef(QLatin1Char(' '));
    request.duration = quint16(fields.value(1).toInt() & 0xffff);
    request.strength = quint8(qMin(fields.value(2).toInt() & 0xff, 100));
    return request;
}

void AppSwitchSocketServer::runRequests()
{
    scheduled = false;
    // A receiver may wait in a nested event loop, where the next request can
    // arrive: that one waits here until the first is done.
    if (running)
        return;
    running = true;
    const QPointer<AppSwitchSocketServer> alive(this);
    while (!pending.isEmpty()) {
        const Request request = pending.dequeue();
        if (request.vibration)
            emit R7API_vibration(request.duration, request.strength);
        else
            emit R7API_profile_change(request.name);
        // The program may have ended while a receiver waited.
        if (!alive)
            return;
    }
    running = false;
}
