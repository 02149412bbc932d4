#include "web/httphead.h"

QByteArray RequestHead::header(const QByteArray &lowerName) const
{
    for (const auto &[name, value] : headers)
        if (name == lowerName)
            return value;
    return {};
}

namespace {
bool isToken(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '-' || c == '_' || c == '.' || c == '!' || c == '#' || c == '$' || c == '%' ||
              c == '&' || c == '\'' || c == '*' || c == '+' || c == '^' || c == '`' || c == '|' ||
              c == '~'))
            return false;
    return true;
}

RequestHead failed(RequestHead::State state)
{
    RequestHead head;
    head.state = state;
    return head;
}
} // namespace

RequestHead parseRequestHead(const QByteArray &received, const HeadLimits &limits)
{
    // The head ends at the first empty line; a bare LF is taken as a line end too.
    qsizetype end = -1;
    qsizetype bodyStart = -1;
    for (qsizetype i = received.indexOf('\n'); i >= 0; i = received.indexOf('\n', i + 1)) {
        const qsizetype next = i + 1;
        if (next < received.size() && received.at(next) == '\n') {
            end = i;
            bodyStart = next + 1;
            break;
        }
        if (next + 1 < received.size() && received.at(next) == '\r' &&
            received.at(next + 1) == '\n') {
            end = i;
            bodyStart = next + 2;
            break;
        }
        if (i > limits.maxBytes)
            break;
    }
    if (end < 0 || bodyStart > limits.maxBytes) {
        if (received.size() > limits.maxBytes)
            return failed(RequestHead::State::TooLarge);
        // Counting the lines already here stops a flood of short headers early.
        if (received.count('\n') > limits.maxHeaders + 1)
            return failed(RequestHead::State::TooManyHeaders);
        return failed(RequestHead::State::Incomplete);
    }

    const QList<QByteArray> lines = received.left(end).split('\n');
    if (lines.size() - 1 > limits.maxHeaders)
        return failed(RequestHead::State::TooManyHeaders);
    RequestHead head;
    const auto trimmedLine = [](QByteArray line) {
        if (line.endsWith('\r'))
            line.chop(1);
        return line;
    };
    const QList<QByteArray> request = trimmedLine(lines.first()).split(' ');
    if (request.size() != 3 || !isToken(request[0]) || request[1].isEmpty() ||
        !(request[2] == "HTTP/1.1" || request[2] == "HTTP/1.0"))
        return failed(RequestHead::State::Malformed);
    head.method = request[0];
    head.target = request[1];
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = trimmedLine(lines[i]);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !isToken(line.left(colon)))
            return failed(RequestHead::State::Malformed);
        head.headers.append({line.left(colon).toLower(), line.mid(colon + 1).trimmed()});
    }
    head.state = RequestHead::State::Complete;
    return head;
}

Route routeOf(const RequestHead &head)
{
    if (head.method != "GET" && head.method != "HEAD")
        return Route::BadMethod;
    // The page sends no bodies; one announced is refused rather than left unread.
    const QByteArray length = head.header("content-length");
    if ((!length.isEmpty() && length != "0") || !head.header("transfer-encoding").isEmpty())
        return Route::BadRequest;
    QByteArray path = head.target;
    const qsizetype query = path.indexOf('?');
    if (query >= 0)
        path.truncate(query);
    if (!path.startsWith('/'))
        return Route::BadRequest;
    if (path == "/")
        return Route::Page;
    if (path == "/page.css")
        return Route::Stylesheet;
    if (path == "/page.js")
        return Route::Script;
    if (path == "/results.json")
        return Route::Results;
    if (path == "/events")
        return Route::Events;
    return Route::NotFound;
}

namespace {
QByteArray reasonOf(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 413: return "Payload Too Large";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

const QByteArray SafetyHeaders =
    "Content-Security-Policy: default-src 'none'; script-src 'self'; style-src 'self'; "
    "connect-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'\r\n"
    "X-Content-Type-Options: nosniff\r\n"
    "Referrer-Policy: no-referrer\r\n"
    "X-Frame-Options: DENY\r\n"
    "Cache-Control: no-store\r\n";
} // namespace

QByteArray httpResponse(int status, const QByteArray &contentType, const QByteArray &body,
                        bool headOnly, const QByteArray &extraHeaders)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonOf(status) + "\r\n";
    out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += SafetyHeaders;
    out += extraHeaders;
    out += "Connection: close\r\n\r\n";
    if (!headOnly)
        out += body;
    return out;
}

QByteArray eventStreamHead()
{
    // The stream stays open; "retry" tells the browser to come back after a second.
    return "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream; charset=utf-8\r\n" + SafetyHeaders +
           "Connection: close\r\n\r\nretry: 1000\n\n";
}
