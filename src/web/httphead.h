#pragma once

#include <QByteArray>
#include <QList>

// The head of an HTTP/1.x request, read with hard limits: the server reads nothing beyond it
// (the page takes no request bodies), so a request is bounded by these limits alone.
struct HeadLimits {
    qsizetype maxBytes = 8 * 1024; // request line and headers together
    int maxHeaders = 40;
};

struct RequestHead {
    enum class State {
        Incomplete,     // the blank line that ends the head has not come yet
        Complete,       // method, target and headers read
        Malformed,      // not HTTP/1.x as this server reads it
        TooLarge,       // the head passed maxBytes
        TooManyHeaders, // more header lines than maxHeaders
    };
    State state = State::Incomplete;
    QByteArray method;
    QByteArray target;
    QList<std::pair<QByteArray, QByteArray>> headers; // names lower-cased, values trimmed

    QByteArray header(const QByteArray &lowerName) const;
};

// Reads the head from what arrived so far.
RequestHead parseRequestHead(const QByteArray &received, const HeadLimits &limits = {});

// The routes of the results page.
enum class Route {
    Page,       // GET /
    Stylesheet, // GET /page.css
    Script,     // GET /page.js
    Results,    // GET /results.json
    Events,     // GET /events
    NotFound,   // any other path
    BadMethod,  // a method other than GET or HEAD
    BadRequest, // a target that is not a plain path, or a request with a body
};

// Where a complete head goes. A query ("?...") is ignored; a path is matched as it stands, so
// "/x/../results.json" or an escaped name is a path the server does not have.
Route routeOf(const RequestHead &head);

// A whole answer with the page's safety headers: the content security policy allowing only
// the program's own script and style, nosniff, no caching, no referrer, Connection: close.
// `headOnly` leaves the body out (HEAD) but keeps its length.
QByteArray httpResponse(int status, const QByteArray &contentType, const QByteArray &body,
                        bool headOnly = false, const QByteArray &extraHeaders = {});
// The head of the event stream; the events follow it on the open connection.
QByteArray eventStreamHead();
