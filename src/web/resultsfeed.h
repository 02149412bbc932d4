#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What the results page shows of one pass, as one value the server keeps and never changes:
// the window makes a new one after each change of the pass and hands it over whole, so the
// server's thread reads nothing the draw is writing.
struct WebDraw {
    qint32 number = 0; // the draw number of the results table
    QString entry;
    QString prize; // the game or prize text; empty without one
    QString time;  // "hh:mm:ss" when the draw was seen; empty for a restored row
    friend bool operator==(const WebDraw &, const WebDraw &) = default;
};

struct ResultsSnapshot {
    quint64 pass = 1;     // counts the passes this run: a new pass gets the next number
    quint64 version = 0;  // counts the snapshots; the page ignores one older than it has
    QList<WebDraw> draws; // newest first
    qint32 count = 0;     // draws made in this pass
    qint32 quota = 0;     // draws the pass may make
    bool closed = false;  // no further draw is allowed
    QString language;     // "de" or "en": the page follows the program
    // The page's own texts in the program's language, by name (see webTextNames()).
    QList<std::pair<QString, QString>> texts;
    // The verifiable draw, while it is on: the open segment's commitment, the journal's last
    // line hash and the seed once revealed (hex); empty otherwise.
    QString commitment;
    QString chainHead;
    QString revealedSeed;
};

// The names of the language constants the page uses, with the key the page reads them by.
const QList<std::pair<const char *, const char *>> &webTextNames();

// The JSON of /results.json. Every text goes through the JSON writer, which escapes quotes,
// backslashes and control characters; '<', '>' and '&' are escaped too, so the data stays inert
// even where something reads it as markup.
QByteArray resultsJson(const ResultsSnapshot &snapshot);

// What changed from one snapshot to the next, as the event's name on /events: "pass" for a
// new pass, "end" when the pass closed, "draw" for a new draw, else "update".
QByteArray changeKind(const ResultsSnapshot &before, const ResultsSnapshot &after);

// One server-sent event carrying the whole JSON: "event: <kind>\ndata: <json>\n\n".
QByteArray serverSentEvent(const QByteArray &kind, const QByteArray &json);
