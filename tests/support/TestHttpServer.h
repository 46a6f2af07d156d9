#pragma once
// A small HTTP responder on 127.0.0.1 for tests that fetch from a server:
// fixed bodies and status codes per path, redirects, a body held back after
// its first bytes until release(), and a log of the requests. Each response
// closes its connection. With Tls it speaks HTTPS with a throwaway
// certificate for 127.0.0.1 that trustCertificate() makes the process trust.
//
//     TestHttpServer server;
//     QVERIFY(server.start());
//     server.serve("/manifest.json", R"({"version": "1.0"})");
//     server.redirect("/old", server.url("/manifest.json").toString());
//     server.holdBack("/big", body, body.size() / 2);   // the rest at release()
//     ... fetch server.url("/manifest.json") ...
//     QCOMPARE(server.requestedPaths(), QStringList{"/manifest.json"});
//
// A path without a response gets 404 with an empty body.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>
#include <QVector>

class QTcpSocket;

class TestHttpServer : public QTcpServer
{
    Q_OBJECT

public:
    enum class Security { Plain, Tls };

    struct Request
    {
        QByteArray method;
        QString path;                          // with the query, as sent
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    struct Response
    {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        // Bytes of the body sent before the rest waits for release(); -1
        // sends it whole.
        int holdAfter = -1;
    };

    explicit TestHttpServer(Security security = Security::Plain, QObject *parent = nullptr);
    ~TestHttpServer() override;

    // Listens on 127.0.0.1 on a free port.
    bool start();
    // "http://127.0.0.1:<port>" (or https), without a slash at the end.
    QString baseUrl() const;
    QUrl url(const QString &path) const;

    void serve(const QString &path, const Response &response);
    void serve(const QString &path, const QByteArray &body, int status = 200);
    void redirect(const QString &path, const QString &location, int status = 302);
    // The headers (with the whole length) and the first sentBytes of body go
    // out at once, the rest at release().
    void holdBack(const QString &path, const QByteArray &body, int sentBytes);
    // Sends the rest of every held-back response.
    void release();
    void clearResponses();

    QVector<Request> requests() const { return m_requests; }
    QStringList requestedPaths() const;
    int requestCount(const QString &path) const { return requestedPaths().count(path); }
    void clearRequests() { m_requests.clear(); }
    // Held-back responses waiting for release() on an open connection.
    int heldResponses() const;
    // Held-back responses whose client closed the connection before the rest.
    int droppedByClient() const { return m_dropped; }

    // Adds the Tls server's certificate to the process's default TLS
    // configuration, so the toolkit's requests accept it.
    static void trustCertificate();

signals:
    void requestReceived(const QString &path);
    // The first part of a held-back response went out.
    void heldBackSent(const QString &path);
    void clientDropped(const QString &path);

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    struct Held
    {
        QPointer<QTcpSocket> socket;
        QString path;
        QByteArray rest;
    };

    void readRequest(QTcpSocket *socket);
    void respond(QTcpSocket *socket, const Request &request);
    void socketGone(QTcpSocket *socket);

    Security m_security;
    QHash<QString, Response> m_responses;
    QVector<Request> m_requests;
    QHash<QTcpSocket *, QByteArray> m_input;
    QList<Held> m_held;
    int m_dropped = 0;
};
