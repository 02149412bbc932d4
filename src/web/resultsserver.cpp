#include "web/resultsserver.h"
#include "web/resultsservice.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

namespace {
QByteArray asset(const QString &name)
{
    QFile file(QStringLiteral(":/web/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray PingEvent = QByteArrayLiteral("event: ping\ndata: {}\n\n");
} // namespace

ResultsServer::ResultsServer(const ServerLimits &limits, QObject *parent)
    : QObject(parent), m_limits(limits), m_server(new QTcpServer(this)), m_sweep(new QTimer(this)),
      m_ping(new QTimer(this)), m_page(asset(QStringLiteral("index.html"))),
      m_style(asset(QStringLiteral("page.css"))), m_script(asset(QStringLiteral("page.js")))
{
    m_server->setMaxPendingConnections(limits.maxConnections);
    connect(m_server, &QTcpServer::newConnection, this, &ResultsServer::acceptConnections);
    m_sweep->setInterval(std::max(50, std::min(limits.headTimeoutMs, limits.answerTimeoutMs) / 5));
    connect(m_sweep, &QTimer::timeout, this, &ResultsServer::sweep);
    m_ping->setInterval(limits.pingMs);
    connect(m_ping, &QTimer::timeout, this, [this] { sendToStreams(PingEvent); });
    m_json = resultsJson(ResultsSnapshot{});
}

ResultsServer::~ResultsServer()
{
    shutdown();
}

qint64 ResultsServer::now() const
{
    return QDeadlineTimer::current().deadline();
}

quint16 ResultsServer::listen(const QHostAddress &address, quint16 port, QString *error)
{
    shutdown();
    // Port 0 takes any free port the system gives.
    const int last =
        port == 0 ? 0 : std::min(65535, int(port) + std::max(0, m_limits.portsTried - 1));
    QString reason;
    for (int candidate = port; candidate <= last; ++candidate) {
        if (m_server->listen(address, quint16(candidate))) {
            m_sweep->start();
            m_ping->start();
            return m_server->serverPort();
        }
        reason = m_server->errorString();
        // Only a port in use is worth trying the next one for.
        if (m_server->serverError() != QAbstractSocket::AddressInUseError)
            break;
    }
    if (error)
        *error = reason;
    return 0;
}

void ResultsServer::shutdown()
{
    m_server->close();
    m_sweep->stop();
    m_ping->stop();
    const QList<QTcpSocket *> sockets = m_connections.keys();
    m_connections.clear();
    m_streams = 0;
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        delete socket;
    }
}

void ResultsServer::publish(std::shared_ptr<const ResultsSnapshot> snapshot)
{
    if (!snapshot)
        return;
    // A snapshot older than the one served (queued out of order) changes nothing.
    if (m_snapshot && snapshot->version < m_snapshot->version)
        return;
    const QByteArray kind = m_snapshot ? changeKind(*m_snapshot, *snapshot) : "update";
    m_snapshot = std::move(snapshot);
    m_json = resultsJson(*m_snapshot);
    sendToStreams(serverSentEvent(kind, m_json));
}

void ResultsServer::acceptConnections()
{
    while (m_server->hasPendingConnections()) {
        QTcpSocket *socket = m_server->nextPendingConnection();
        if (!socket)
            return;
        if (m_connections.size() >= m_limits.maxConnections) {
            socket->abort();
            delete socket;
            continue;
        }
        socket->setParent(this);
        // Qt reads no more from the network than the head may hold; the rest waits there.
        socket->setReadBufferSize(m_limits.head.maxBytes + 1);
        m_connections.insert(socket, Connection{{}, now(), false, false});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] { drop(socket); });
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void ResultsServer::readRequest(QTcpSocket *socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end())
        return;
    Connection &connection = *found;
    if (connection.answered) {
        // Nothing more is read from a client once it has its answer; a stream that keeps
        // sending is dropped.
        const QByteArray more = socket->read(m_limits.head.maxBytes + 1);
        if (connection.stream && more.size() > 0) {
            connection.received += more;
            if (connection.received.size() > m_limits.head.maxBytes)
                drop(socket);
        }
        return;
    }
    connection.received += socket->read(m_limits.head.maxBytes + 1 - connection.received.size());
    const RequestHead head = parseRequestHead(connection.received, m_limits.head);
    switch (head.state) {
    case RequestHead::State::Incomplete: return;
    case RequestHead::State::Complete: answer(socket, connection, head); return;
    case RequestHead::State::Malformed:
        finish(socket, connection, httpResponse(400, "text/plain; charset=utf-8", "Bad Request\n"));
        return;
    case RequestHead::State::TooLarge:
    case RequestHead::State::TooManyHeaders:
        finish(socket, connection,
               httpResponse(431, "text/plain; charset=utf-8", "Request Header Fields Too Large\n"));
        return;
    }
}

void ResultsServer::answer(QTcpSocket *socket, Connection &connection, const RequestHead &head)
{
    const bool headOnly = head.method == "HEAD";
    const QByteArray text = "text/plain; charset=utf-8";
    switch (routeOf(head)) {
    case Route::Page:
        finish(socket, connection, httpResponse(200, "text/html; charset=utf-8", m_page, headOnly));
        return;
    case Route::Stylesheet:
        finish(socket, connection, httpResponse(200, "text/css; charset=utf-8", m_style, headOnly));
        return;
    case Route::Script:
        finish(socket, connection,
               httpResponse(200, "text/javascript; charset=utf-8", m_script, headOnly));
        return;
    case Route::Results:
        finish(socket, connection,
               httpResponse(200, "application/json; charset=utf-8", m_json, headOnly));
        return;
    case Route::Events:
        if (headOnly || m_streams >= m_limits.maxStreams) {
            finish(socket, connection,
                   httpResponse(headOnly ? 200 : 503, "text/event-stream; charset=utf-8", {},
                                headOnly, "Retry-After: 5\r\n"));
            return;
        }
        connection.answered = true;
        connection.stream = true;
        connection.received.clear();
        ++m_streams;
        socket->write(eventStreamHead() + serverSentEvent("update", m_json));
        return;
    case Route::NotFound:
        finish(socket, connection, httpResponse(404, text, "Not Found\n", headOnly));
        return;
    case Route::BadMethod:
        finish(socket, connection,
               httpResponse(405, text, "Method Not Allowed\n", false, "Allow: GET, HEAD\r\n"));
        return;
    case Route::BadRequest:
        finish(socket, connection, httpResponse(400, text, "Bad Request\n"));
        return;
    }
}

void ResultsServer::finish(QTcpSocket *socket, Connection &connection, const QByteArray &response)
{
    connection.answered = true;
    connection.since = now();
    connection.received.clear();
    socket->write(response);
    // Closes once the answer is sent; the sweep drops a client that does not take it.
    socket->disconnectFromHost();
}

void ResultsServer::drop(QTcpSocket *socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end())
        return;
    if (found->stream)
        --m_streams;
    m_connections.erase(found);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void ResultsServer::sweep()
{
    const qint64 time = now();
    QList<QTcpSocket *> late;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        const Connection &c = it.value();
        const bool slowHead = !c.answered && time - c.since > m_limits.headTimeoutMs;
        const bool slowReader =
            c.answered && !c.stream && time - c.since > m_limits.answerTimeoutMs;
        const bool behind = c.stream && it.key()->bytesToWrite() > m_limits.maxUnsent;
        if (slowHead || slowReader || behind)
            late.append(it.key());
    }
    for (QTcpSocket *socket : late)
        drop(socket);
}

void ResultsServer::sendToStreams(const QByteArray &event)
{
    QList<QTcpSocket *> behind;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        if (!it->stream)
            continue;
        if (it.key()->bytesToWrite() > m_limits.maxUnsent)
            behind.append(it.key());
        else
            it.key()->write(event);
    }
    for (QTcpSocket *socket : behind)
        drop(socket);
}

ResultsService::ResultsService() : ResultsService(ServerLimits{}) {}

ResultsService::ResultsService(const ServerLimits &limits)
    : m_thread(new QThread), m_server(new ResultsServer(limits))
{
    m_thread->setObjectName(QStringLiteral("results server"));
    m_server->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    m_thread->start();
}

ResultsService::~ResultsService()
{
    stop();
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

ResultsService::Started ResultsService::start(const QString &text, quint16 port)
{
    Started started;
    const QHostAddress address =
        text.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(text);
    if (address.isNull()) {
        stop();
        started.error = text;
        return started;
    }
    ResultsServer *server = m_server;
    QMetaObject::invokeMethod(
        server,
        [server, address, port, &started] {
            started.port = server->listen(address, port, &started.error);
        },
        Qt::BlockingQueuedConnection);
    m_port = started.port;
    if (m_last)
        publish(*m_last);
    return started;
}

void ResultsService::stop()
{
    if (!m_port)
        return;
    m_port = 0;
    ResultsServer *server = m_server;
    QMetaObject::invokeMethod(
        server, [server] { server->shutdown(); }, Qt::BlockingQueuedConnection);
}

void ResultsService::publish(ResultsSnapshot snapshot)
{
    auto shared = std::make_shared<const ResultsSnapshot>(std::move(snapshot));
    m_last = shared;
    if (!m_port)
        return;
    ResultsServer *server = m_server;
    QMetaObject::invokeMethod(
        server, [server, shared] { server->publish(shared); }, Qt::QueuedConnection);
}

QStringList machineAddresses()
{
    QList<QHostAddress> addresses;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback() || address.isLinkLocal() || address.isMulticast())
            continue;
        QHostAddress plain = address;
        plain.setScopeId(QString());
        if (!addresses.contains(plain))
            addresses.append(plain);
    }
    // IPv4 first: the address most phones on a hall's network reach.
    std::stable_partition(addresses.begin(), addresses.end(), [](const QHostAddress &a) {
        return a.protocol() == QAbstractSocket::IPv4Protocol;
    });
    QStringList texts;
    for (const QHostAddress &address : addresses)
        texts.append(address.toString());
    return texts;
}

QString pageUrl(const QString &address, quint16 port)
{
    const QString host = address.contains(u':') ? u'[' + address + u']' : address;
    return QStringLiteral("http://") + host + u':' + QString::number(port) + u'/';
}
