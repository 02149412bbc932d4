#include "web/resultsserver.h"
#include "web/resultsservice.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// The results server on its own thread, asked by real clients: curl, and raw sockets for what
// curl will not do (a slow client, a crowd of idle connections).
namespace {
struct Reply {
    int exitCode = -1;
    int status = 0;
    QByteArray head;
    QByteArray body;
};

Reply curl(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("curl"),
                  QStringList{QStringLiteral("-s"), QStringLiteral("-i"),
                              QStringLiteral("--max-time"), QStringLiteral("20")} +
                      arguments);
    Reply reply;
    if (!process.waitForFinished(30000))
        return reply;
    reply.exitCode = process.exitCode();
    const QByteArray out = process.readAllStandardOutput();
    const qsizetype end = out.indexOf("\r\n\r\n");
    reply.head = out.left(end);
    reply.body = end < 0 ? QByteArray() : out.mid(end + 4);
    const QRegularExpressionMatch status =
        QRegularExpression(QStringLiteral("^HTTP/1\\.[01] (\\d+)")).match(QString::fromLatin1(out));
    reply.status = status.hasMatch() ? status.captured(1).toInt() : 0;
    return reply;
}

ResultsSnapshot passWith(const QStringList &entries)
{
    ResultsSnapshot s;
    s.version = quint64(entries.size()) + 1;
    s.quota = 10;
    s.count = qint32(entries.size());
    s.language = QStringLiteral("en");
    for (qsizetype i = entries.size() - 1; i >= 0; --i)
        s.draws.append({qint32(i + 1), entries[i], QStringLiteral("Prize %1").arg(i + 1),
                        QStringLiteral("20:00:0%1").arg(i)});
    return s;
}
} // namespace

class TestResultsServer : public QObject {
    Q_OBJECT
private:
    ServerLimits m_limits;
    std::unique_ptr<ResultsService> m_service;
    QString m_base;

    void startService()
    {
        m_service = std::make_unique<ResultsService>(m_limits);
        m_service->publish(passWith({QStringLiteral("042"), QStringLiteral("<b>x</b>")}));
        const ResultsService::Started started = m_service->start(QStringLiteral("127.0.0.1"), 0);
        QVERIFY2(started.port != 0, qPrintable(started.error));
        m_base = QStringLiteral("http://127.0.0.1:%1").arg(started.port);
    }

private Q_SLOTS:
    void init()
    {
        m_limits = ServerLimits{};
        m_limits.headTimeoutMs = 400;
        m_limits.answerTimeoutMs = 2000;
        startService();
    }
    void cleanup() { m_service.reset(); }

    void everyRouteAnswersWithTheSafetyHeaders_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("bodyHas");
        QTest::newRow("page") << "GET"
                              << "/" << 200 << QByteArray("text/html")
                              << QByteArray("<script src=\"/page.js\"");
        QTest::newRow("style") << "GET"
                               << "/page.css" << 200 << QByteArray("text/css")
                               << QByteArray(".last-entry");
        QTest::newRow("script") << "GET"
                                << "/page.js" << 200 << QByteArray("text/javascript")
                                << QByteArray("EventSource");
        QTest::newRow("results") << "GET"
                                 << "/results.json?t=5" << 200 << QByteArray("application/json")
                                 << QByteArray("\"entry\":\"\\u003cb\\u003ex\\u003c/b\\u003e\"");
        QTest::newRow("head") << "HEAD"
                              << "/results.json" << 200 << QByteArray("application/json")
                              << QByteArray();
        QTest::newRow("unknown") << "GET"
                                 << "/admin" << 404 << QByteArray("text/plain")
                                 << QByteArray("Not Found");
        QTest::newRow("dot dot") << "GET"
                                 << "/../../etc/passwd" << 404 << QByteArray("text/plain")
                                 << QByteArray("Not Found");
        QTest::newRow("dot dot to a route")
            << "GET"
            << "/x/../results.json" << 404 << QByteArray("text/plain") << QByteArray();
        QTest::newRow("post") << "POST"
                              << "/results.json" << 405 << QByteArray("text/plain")
                              << QByteArray("Method Not Allowed");
        QTest::newRow("put") << "PUT"
                             << "/" << 405 << QByteArray("text/plain") << QByteArray();
        QTest::newRow("options") << "OPTIONS"
                                 << "/" << 405 << QByteArray("text/plain") << QByteArray();
    }
    void everyRouteAnswersWithTheSafetyHeaders()
    {
        QFETCH(QString, method);
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, bodyHas);
        QStringList arguments{QStringLiteral("--path-as-is"), QStringLiteral("-X"), method,
                              m_base + path};
        if (method == QLatin1String("HEAD"))
            arguments.prepend(QStringLiteral("-I"));
        const Reply reply = curl(arguments);
        QCOMPARE(reply.exitCode, 0);
        QCOMPARE(reply.status, status);
        const QByteArray head = reply.head.toLower();
        QVERIFY(head.contains(QByteArray("\r\ncontent-type: " + type)));
        QVERIFY(head.contains("\r\ncontent-security-policy: default-src 'none'; script-src "
                              "'self'; style-src 'self'; connect-src 'self'"));
        QVERIFY(head.contains("\r\nx-content-type-options: nosniff"));
        QVERIFY(!head.contains("set-cookie"));
        if (status == 405)
            QVERIFY(head.contains("\r\nallow: get, head"));
        QVERIFY2(reply.body.contains(bodyHas), reply.body.left(300).constData());
    }

    void aHugeHeaderIsRefusedAndTheServerGoesOn()
    {
        QTemporaryDir dir;
        QFile headers(dir.filePath(QStringLiteral("headers")));
        QVERIFY(headers.open(QIODevice::WriteOnly));
        headers.write("X-Big: " + QByteArray(1024 * 1024, 'a') + "\n");
        headers.close();
        const Reply refused =
            curl({QStringLiteral("-H"), u'@' + headers.fileName(), m_base + u'/'});
        // Either the refusal arrives, or the connection is cut while curl still sends.
        QVERIFY2(refused.status == 431 || (refused.status == 0 && refused.exitCode != 0),
                 refused.head.constData());
        QCOMPARE(curl({m_base + u'/'}).status, 200);
    }

    void aSlowClientIsDroppedWhileOthersAreServed()
    {
        QTcpSocket slow;
        slow.connectToHost(QHostAddress::LocalHost, m_service->port());
        QVERIFY(slow.waitForConnected(5000));
        slow.write("GET / HTTP/1.1\r\nHost: a\r\n"); // and never the blank line
        QVERIFY(slow.waitForBytesWritten(5000));
        QCOMPARE(curl({m_base + QStringLiteral("/results.json")}).status, 200);
        // The server closes it without an answer once its time for the head is up.
        QTRY_COMPARE_WITH_TIMEOUT(slow.state(), QAbstractSocket::UnconnectedState, 10000);
        QCOMPARE(slow.readAll(), QByteArray());
    }

    void connectionsAreBounded()
    {
        m_limits.maxConnections = 3;
        m_limits.headTimeoutMs = 60000;
        startService();
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < 3; ++i) {
            idle.push_back(std::make_unique<QTcpSocket>());
            idle.back()->connectToHost(QHostAddress::LocalHost, m_service->port());
            QVERIFY(idle.back()->waitForConnected(5000));
        }
        QTest::qWait(200); // let the server's thread take them in
        // A fourth is closed at once, unanswered.
        QCOMPARE(curl({m_base + u'/'}).status, 0);
        idle.clear();
        QTRY_COMPARE_WITH_TIMEOUT(curl({m_base + u'/'}).status, 200, 10000);
    }

    void theEventStreamCarriesEachChange()
    {
        QProcess stream;
        stream.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-N"),
                                              m_base + QStringLiteral("/events")});
        QVERIFY(stream.waitForStarted());
        QByteArray seen;
        const auto waitFor = [&](const QByteArray &text) {
            QDeadlineTimer deadline(15000);
            while (!seen.contains(text) && !deadline.hasExpired()) {
                stream.waitForReadyRead(200);
                seen += stream.readAllStandardOutput();
            }
            return seen.contains(text);
        };
        QVERIFY(waitFor("event: update\ndata: {"));
        m_service->publish(
            passWith({QStringLiteral("042"), QStringLiteral("<b>x</b>"), QStringLiteral("777")}));
        QVERIFY(waitFor("event: draw\ndata: {"));
        QVERIFY(waitFor("\"entry\":\"777\""));
        ResultsSnapshot fresh;
        fresh.pass = 2;
        fresh.version = 10;
        m_service->publish(fresh);
        QVERIFY(waitFor("event: pass\n"));
        // Switched off: the stream ends and nothing listens any more.
        m_service->stop();
        QVERIFY(stream.waitForFinished(10000));
        QVERIFY(curl({m_base + u'/'}).exitCode != 0);
    }

    void aTakenPortGivesTheNextFreeOne()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
        ResultsService service;
        const ResultsService::Started started =
            service.start(QStringLiteral("127.0.0.1"), taken.serverPort());
        QVERIFY2(started.port != 0, qPrintable(started.error));
        QVERIFY(started.port > taken.serverPort());
        QVERIFY(started.port < taken.serverPort() + ServerLimits{}.portsTried);
    }
};

QTEST_GUILESS_MAIN(TestResultsServer)
#include "tst_resultsserver.moc"
