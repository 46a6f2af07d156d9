#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QString>

class QFileSystemWatcher;
class QLocalServer;
class QLocalSocket;
class QTimer;

// The local socket through which other programs of the user switch the
// profile by name or make the mouse vibrate. Every chunk a client writes is one
// command in UTF-8; nothing is written back:
//   "Vibrate <duration> <strength>"  a vibration (word tested as a prefix)
//   anything else                    the name of the profile to switch to
// Only the newest connection is listened to. Requests run one at a time in
// the order they arrived, also when a receiver waits inside its slot. A
// socket lost while running (out of descriptors, its file removed) is made
// again.
class AppSwitchSocketServer : public QObject
{
    Q_OBJECT

public:
    explicit AppSwitchSocketServer(QObject *parent = nullptr);
    ~AppSwitchSocketServer() override;

    // Where the socket lives: $XDG_RUNTIME_DIR/corvanelle.r7.profileswitch,
    // or without that variable, or when it names no folder of this user's
    // own with mode 0700 (logged once), the same name in the user's private
    // folder in the temporary folder (UserPrivateFolder, made when missing).
    // Empty when that folder cannot be had; *problem (when given) then says
    // why.
    static QString socketPath(QString *problem = nullptr);

    // Listens on socketPath(), readable and writable by the user only. A file
    // left there by an instance that ended without closing it is replaced;
    // one on which another server answers makes this fail, and so does a
    // private folder that cannot be had: there is no shared place to go to.
    bool start();

signals:
    void R7API_profile_change(QString str);
    void R7API_vibration(quint16 duration, quint8 strength);

public slots:
    void newConnection();
    void readData();

private:
    struct Request
    {
        bool vibration = false;
        QString name;
        quint16 duration = 0;
        quint8 strength = 0;
    };
    enum class Listen { Listening, Taken, Failed };

    static Request parse(const QByteArray &data);
    Listen listen(QString *problem);
    // Notices a socket file that is gone, also with the server the toolkit
    // closed, and listens again; later when that fails at once.
    void checkListening();
    void listenAgain();
    void runRequests();

    QLocalServer *server;
    QPointer<QLocalSocket> socket;
    // The connections kept open, oldest first; the last is socket.
    QList<QPointer<QLocalSocket>> connections;
    QQueue<Request> pending;
    bool scheduled = false;
    bool running = false;
    QFileSystemWatcher *watcher; // the socket's folder
    QTimer *checkTimer;
    QTimer *retryTimer;
    bool listening = false;
    QString errorWhenListening;
    int retryDelayMs = 0;
    bool retryReported = false;
};
