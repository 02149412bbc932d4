#include "web/httphead.h"
#include "web/resultsfeed.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

// The request head as the server reads it, the routes, and the results as JSON.
class TestWebCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void headsAreReadWithinTheirLimits_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<int>("state");
        QTest::addColumn<QByteArray>("target");
        using S = RequestHead::State;
        QTest::newRow("complete") << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n\r\n")
                                  << int(S::Complete) << QByteArray("/");
        QTest::newRow("bare line feeds") << QByteArray("GET /events HTTP/1.0\nHost: x\n\n")
                                         << int(S::Complete) << QByteArray("/events");
        QTest::newRow("head not ended")
            << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n") << int(S::Incomplete) << QByteArray();
        QTest::newRow("too large") << "GET / HTTP/1.1\r\nX-Big: " + QByteArray(9000, 'a')
                                   << int(S::TooLarge) << QByteArray();
        QByteArray many = "GET / HTTP/1.1\r\n";
        for (int i = 0; i < 45; ++i)
            many += "X-" + QByteArray::number(i) + ": 1\r\n";
        QTest::newRow("too many headers, unfinished")
            << many << int(S::TooManyHeaders) << QByteArray();
        QTest::newRow("too many headers") << many + "\r\n"
                                          << int(S::TooManyHeaders) << QByteArray();
        QTest::newRow("no version")
            << QByteArray("GET /\r\n\r\n") << int(S::Malformed) << QByteArray();
        QTest::newRow("HTTP/2 preface")
            << QByteArray("PRI * HTTP/2.0\r\n\r\nSM\r\n\r\n") << int(S::Malformed) << QByteArray();
        QTest::newRow("header without name")
            << QByteArray("GET / HTTP/1.1\r\n: x\r\n\r\n") << int(S::Malformed) << QByteArray();
        QTest::newRow("space in name")
            << QByteArray("GET / HTTP/1.1\r\nX Y: z\r\n\r\n") << int(S::Malformed) << QByteArray();
    }
    void headsAreReadWithinTheirLimits()
    {
        QFETCH(QByteArray, received);
        QFETCH(int, state);
        QFETCH(QByteArray, target);
        const RequestHead head = parseRequestHead(received);
        QCOMPARE(int(head.state), state);
        QCOMPARE(head.target, target);
    }

    void routes_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("route");
        QTest::newRow("page") << QByteArray("GET / HTTP/1.1") << int(Route::Page);
        QTest::newRow("head of page") << QByteArray("HEAD / HTTP/1.1") << int(Route::Page);
        QTest::newRow("style") << QByteArray("GET /page.css HTTP/1.1") << int(Route::Stylesheet);
        QTest::newRow("script") << QByteArray("GET /page.js HTTP/1.1") << int(Route::Script);
        QTest::newRow("results with query")
            << QByteArray("GET /results.json?t=1 HTTP/1.1") << int(Route::Results);
        QTest::newRow("events") << QByteArray("GET /events HTTP/1.1") << int(Route::Events);
        QTest::newRow("dot dot") << QByteArray("GET /x/../results.json HTTP/1.1")
                                 << int(Route::NotFound);
        QTest::newRow("escaped dot dot")
            << QByteArray("GET /%2e%2e/etc/passwd HTTP/1.1") << int(Route::NotFound);
        QTest::newRow("a file name")
            << QByteArray("GET /index.html HTTP/1.1") << int(Route::NotFound);
        QTest::newRow("absolute form")
            << QByteArray("GET http://x/ HTTP/1.1") << int(Route::BadRequest);
        QTest::newRow("post") << QByteArray("POST /results.json HTTP/1.1") << int(Route::BadMethod);
        QTest::newRow("delete") << QByteArray("DELETE / HTTP/1.1") << int(Route::BadMethod);
        QTest::newRow("get with a body")
            << QByteArray("GET / HTTP/1.1\r\nContent-Length: 5") << int(Route::BadRequest);
        QTest::newRow("get chunked")
            << QByteArray("GET / HTTP/1.1\r\nTransfer-Encoding: chunked") << int(Route::BadRequest);
    }
    void routes()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, route);
        const RequestHead head = parseRequestHead(request + "\r\n\r\n");
        QCOMPARE(head.state, RequestHead::State::Complete);
        QCOMPARE(int(routeOf(head)), route);
    }

    void everyAnswerCarriesTheSafetyHeaders()
    {
        const QByteArray answer = httpResponse(404, "text/plain", "Not Found\n");
        const QByteArray head = answer.left(answer.indexOf("\r\n\r\n"));
        QVERIFY(head.startsWith("HTTP/1.1 404 Not Found\r\n"));
        QVERIFY(
            head.contains("\r\nContent-Security-Policy: default-src 'none'; script-src 'self'"));
        QVERIFY(head.contains("\r\nX-Content-Type-Options: nosniff"));
        QVERIFY(!head.contains("Set-Cookie"));
        QVERIFY(answer.endsWith("\r\n\r\nNot Found\n"));
        const QByteArray headOnly = httpResponse(200, "text/plain", "abc", true);
        QVERIFY(headOnly.contains("Content-Length: 3\r\n"));
        QVERIFY(headOnly.endsWith("\r\n\r\n"));
    }

    void textsAreEscapedAndReadBack_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("markup") << QStringLiteral("<script>alert(1)</script>");
        QTest::newRow("quotes and backslash") << QStringLiteral("a\"b\\c'd");
        QTest::newRow("line breaks") << QStringLiteral("one\ntwo\r\nthree");
        QTest::newRow("ampersand") << QStringLiteral("Fish & Chips");
        QTest::newRow("umlauts") << QStringLiteral("Größe – Überraschung");
    }
    void textsAreEscapedAndReadBack()
    {
        QFETCH(QString, entry);
        ResultsSnapshot snapshot;
        snapshot.draws = {{7, entry, entry, QStringLiteral("20:15:00")}};
        snapshot.texts = {{QStringLiteral("title"), entry}};
        const QByteArray json = resultsJson(snapshot);
        // Nothing a markup parser would act on, and one line, as an event's data must be.
        QVERIFY(!json.contains('<') && !json.contains('>') && !json.contains('&'));
        QVERIFY(!json.contains('\n') && !json.contains('\r'));
        const QJsonObject root = QJsonDocument::fromJson(json).object();
        const QJsonObject draw = root.value(QStringLiteral("draws")).toArray().at(0).toObject();
        QCOMPARE(draw.value(QStringLiteral("entry")).toString(), entry);
        QCOMPARE(draw.value(QStringLiteral("prize")).toString(), entry);
        QCOMPARE(draw.value(QStringLiteral("number")).toInt(), 7);
        QCOMPARE(root.value(QStringLiteral("texts")).toObject().value(QStringLiteral("title")),
                 entry);
        const QByteArray event = serverSentEvent("draw", json);
        QCOMPARE(event.count("\n\n"), 1);
        QVERIFY(event.endsWith("\n\n"));
    }

    void theVerifiableDrawShowsOnlyWhileOn()
    {
        ResultsSnapshot snapshot;
        QVERIFY(!QJsonDocument::fromJson(resultsJson(snapshot))
                     .object()
                     .contains(QStringLiteral("verify")));
        snapshot.commitment = QStringLiteral("ab12");
        snapshot.chainHead = QStringLiteral("cd34");
        const QJsonObject verify = QJsonDocument::fromJson(resultsJson(snapshot))
                                       .object()
                                       .value(QStringLiteral("verify"))
                                       .toObject();
        QCOMPARE(verify.value(QStringLiteral("commitment")).toString(), QStringLiteral("ab12"));
        QCOMPARE(verify.value(QStringLiteral("chainHead")).toString(), QStringLiteral("cd34"));
        QCOMPARE(verify.value(QStringLiteral("seed")).toString(), QString());
    }

    void changesAreNamed_data()
    {
        QTest::addColumn<int>("passAfter");
        QTest::addColumn<int>("drawsAfter");
        QTest::addColumn<bool>("closedAfter");
        QTest::addColumn<QByteArray>("kind");
        // Before: pass 1, one draw, open.
        QTest::newRow("a draw") << 1 << 2 << false << QByteArray("draw");
        QTest::newRow("the last draw") << 1 << 2 << true << QByteArray("end");
        QTest::newRow("a new pass") << 2 << 0 << false << QByteArray("pass");
        QTest::newRow("language only") << 1 << 1 << false << QByteArray("update");
    }
    void changesAreNamed()
    {
        QFETCH(int, passAfter);
        QFETCH(int, drawsAfter);
        QFETCH(bool, closedAfter);
        QFETCH(QByteArray, kind);
        ResultsSnapshot before;
        before.draws = {{1, QStringLiteral("5"), {}, {}}};
        ResultsSnapshot after;
        after.pass = quint64(passAfter);
        after.closed = closedAfter;
        for (int i = 0; i < drawsAfter; ++i)
            after.draws.append({i + 1, QString::number(i), {}, {}});
        QCOMPARE(changeKind(before, after), kind);
    }
};

QTEST_GUILESS_MAIN(TestWebCore)
#include "tst_webcore.moc"
