#pragma once

#include "web/resultsfeed.h"

#include <QString>
#include <QStringList>

#include <memory>

class QThread;
class ResultsServer;
struct ServerLimits;

// The server on a thread of its own, driven from the window's thread. Nothing here waits
// for a guest: publish() only queues the snapshot, and start() and stop() wait for the
// server's thread alone, which never waits for anything else.
class ResultsService {
public:
    ResultsService();
    explicit ResultsService(const ServerLimits &limits);
    ~ResultsService();
    ResultsService(const ResultsService &) = delete;
    ResultsService &operator=(const ResultsService &) = delete;

    struct Started {
        quint16 port = 0; // 0: not listening
        QString error;
    };
    // (Re)starts listening on `address` (empty: all of the machine's); the snapshot published
    // last is served at once.
    Started start(const QString &address, quint16 port);
    void stop();
    bool running() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    void publish(ResultsSnapshot snapshot);

private:
    QThread *m_thread = nullptr;
    ResultsServer *m_server = nullptr;
    quint16 m_port = 0;
    std::shared_ptr<const ResultsSnapshot> m_last;
};

// The machine's addresses a guest could reach, IPv4 first, loopback and link-local ones left
// out.
QStringList machineAddresses();
// "http://<address>:<port>/", an IPv6 address in brackets.
QString pageUrl(const QString &address, quint16 port);
