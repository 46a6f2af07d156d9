#include "AppSwitchSocketServer.h"

#include "UserPrivateFolder.h"

#include <QDebug>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QString socketName = QStringLiteral("corvanelle.r7.profileswitch");
// A command is short; what one read brings beyond this is not part of one.
constexpr qint64 maximumCommandSize = 4096;
// A server that still runs accepts at once; this only bounds a hung one.
constexpr int probeTimeoutMs = 1000;

bool serverAnswers(const QString &path)
{
    QLocalSocket probe;
    probe.connectToServer(path, QIODevice::WriteOnly);
    const bool answered = probe.waitForConnected(probeTimeoutMs);
    probe.abort();
    return answered;
}

} // namespace

AppSwitchSocketServer::AppSwitchSocketServer(QObject *parent)
    : QObject(parent)
    , server(new QLocalServer(this))
{
    connect(server, &QLocalServer::newConnection, this, &AppSwitchSocketServer::newConnection);
}

AppSwitchSocketServer::~AppSwitchSocketServer()
{
    server->close();
    if (socket)
        socket->close();
}

QString AppSwitchSocketServer::socketPath(QString *problem)
{
    const QString runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeFolder.isEmpty())
        return runtimeFolder + QLatin1Char('/') + socketName;
    // The temporary folder is shared: any user could have made the bare name
    // there first and would then get this user's commands.
    const QString folder = UserPrivateFolder::path(problem);
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + socketName;
}

bool AppSwitchSocketServer::start()
{
    QString problem;
    if (!listen(&problem)) {
        qCritical().noquote() << "R7API: Socket server cannot listen:" << problem;
        qCritical() << "R7API: Socket server failed to start.";
        return false;
    }
    qDebug() << "R7API: Socket server started";
    return true;
}

bool AppSwitchSocketServer::listen(QString *problem)
{
    QString folderProblem;
    const QString path = socketPath(&folderProblem);
    if (path.isEmpty()) {
        *problem = QStringLiteral("the socket's private folder ") + folderProblem;
        return false;
    }
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // The toolkit moves its socket into place over an existing file, so a
    // running server is looked for first; a file nobody answers on is what a
    // crashed instance left behind.
    if (serverAnswers(path)) {
        *problem = QStringLiteral("another server answers on ") + path;
        return false;
    }
    QLocalServer::removeServer(path);
    if (!server->listen(path)) {
        *problem = server->errorString();
        return false;
    }
    return true;
}

void AppSwitchSocketServer::newConnection()
{
    QLocalSocket *accepted = server->nextPendingConnection();
    if (!accepted)
        return;
    socket = accepted;
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
