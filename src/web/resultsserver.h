#pragma once

#include "web/httphead.h"
#include "web/resultsfeed.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <memory>

class QTcpServer;
class QTcpSocket;
class QThread;
class QTimer;

// How much a guest's phone, or anything else on the network, may ask of the server.
struct ServerLimits {
    HeadLimits head;
    int maxConnections = 64;       // open connections, the event streams among them
    int maxStreams = 48;           // open event streams
    int headTimeoutMs = 5000;      // a request head must have arrived by then
    int answerTimeoutMs = 10000;   // an answer must have been taken by then
    qint64 maxUnsent = 256 * 1024; // an event stream further behind than this is dropped
    int pingMs = 5000;             // a sign of life on every event stream
    int portsTried = 20;           // the port asked for and the next ones
};

// The results page's server: answers GET and HEAD for the page, its script and style, the
// results as JSON and the event stream, all from memory; nothing on the disk is ever read
// for a request. It runs on the thread it lives on and knows the pass only through the
// snapshots handed to publish().
class ResultsServer : public QObject {
    Q_OBJECT
public:
    explicit ResultsServer(const ServerLimits &limits = {}, QObject *parent = nullptr);
    ~ResultsServer() override;

    // Listens on `address` at `port` or, when that is taken, at the next free one of
    // limits.portsTried; the port in use, or 0 with the reason in `error`.
    quint16 listen(const QHostAddress &address, quint16 port, QString *error);
    // Stops listening and drops every connection.
    void shutdown();
    // The pass as it is now; the event streams are told what changed.
    void publish(std::shared_ptr<const ResultsSnapshot> snapshot);

    int connectionCount() const { return int(m_connections.size()); }

private:
    struct Connection {
        QByteArray received;
        qint64 since = 0;      // when it was accepted, then when its answer was written
        bool answered = false; // the answer is written; the socket closes once it is sent
        bool stream = false;   // an open event stream
    };

    void acceptConnections();
    void readRequest(QTcpSocket *socket);
    void answer(QTcpSocket *socket, Connection &connection, const RequestHead &head);
    void finish(QTcpSocket *socket, Connection &connection, const QByteArray &response);
    void drop(QTcpSocket *socket);
    void sweep();
    void sendToStreams(const QByteArray &event);
    qint64 now() const;

    ServerLimits m_limits;
    QTcpServer *m_server = nullptr;
    QTimer *m_sweep = nullptr;
    QTimer *m_ping = nullptr;
    QHash<QTcpSocket *, Connection> m_connections;
    int m_streams = 0;
    std::shared_ptr<const ResultsSnapshot> m_snapshot;
    QByteArray m_json;
    QByteArray m_page, m_style, m_script;
};
