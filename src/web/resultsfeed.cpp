#include "web/resultsfeed.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

const QList<std::pair<const char *, const char *>> &webTextNames()
{
    static const QList<std::pair<const char *, const char *>> names = {
        {"title", "StrWebTitel"},    {"last", "StrWebLetzte"},   {"all", "StrWebAlleZiehungen"},
        {"ask", "StrWebFrage"},      {"yes", "StrWebJa"},        {"no", "StrWebNein"},
        {"none", "StrWebKeine"},     {"lost", "StrWebGetrennt"}, {"closed", "StrWebBeendet"},
        {"quota", "StrWebQuote"},    {"draw", "StrWebZiehung"},  {"prize", "StrWebGewinn"},
        {"entry", "StrWebEintrag"},  {"time", "StrWebZeit"},     {"commitment", "StrWebFestlegung"},
        {"seed", "StrWebStartwert"}, {"chain", "StrWebKette"},
    };
    return names;
}

namespace {
// The JSON writer leaves '<', '>' and '&' as they are; as \u escapes they mean the same to any
// JSON reader and nothing to a markup parser.
QByteArray inert(QByteArray json)
{
    QByteArray out;
    out.reserve(json.size() + json.size() / 16);
    for (const char c : json) {
        switch (c) {
        case '<': out += "\\u003c"; break;
        case '>': out += "\\u003e"; break;
        case '&': out += "\\u0026"; break;
        default: out += c;
        }
    }
    return out;
}
} // namespace

QByteArray resultsJson(const ResultsSnapshot &s)
{
    QJsonArray draws;
    for (const WebDraw &draw : s.draws)
        draws.append(QJsonObject{{QStringLiteral("number"), draw.number},
                                 {QStringLiteral("entry"), draw.entry},
                                 {QStringLiteral("prize"), draw.prize},
                                 {QStringLiteral("time"), draw.time}});
    QJsonObject texts;
    for (const auto &[key, text] : s.texts)
        texts.insert(key, text);
    QJsonObject root{
        {QStringLiteral("pass"), qint64(s.pass)}, {QStringLiteral("version"), qint64(s.version)},
        {QStringLiteral("count"), s.count},       {QStringLiteral("quota"), s.quota},
        {QStringLiteral("closed"), s.closed},     {QStringLiteral("language"), s.language},
        {QStringLiteral("draws"), draws},         {QStringLiteral("texts"), texts}};
    if (!s.commitment.isEmpty() || !s.revealedSeed.isEmpty())
        root.insert(QStringLiteral("verify"),
                    QJsonObject{{QStringLiteral("commitment"), s.commitment},
                                {QStringLiteral("chainHead"), s.chainHead},
                                {QStringLiteral("seed"), s.revealedSeed}});
    return inert(QJsonDocument(root).toJson(QJsonDocument::Compact));
}

QByteArray changeKind(const ResultsSnapshot &before, const ResultsSnapshot &after)
{
    if (after.pass != before.pass)
        return QByteArrayLiteral("pass");
    if (after.closed && !before.closed)
        return QByteArrayLiteral("end");
    if (after.draws.size() > before.draws.size())
        return QByteArrayLiteral("draw");
    return QByteArrayLiteral("update");
}

QByteArray serverSentEvent(const QByteArray &kind, const QByteArray &json)
{
    // The compact JSON holds no line break (the writer escapes them), so it is one data line.
    return "event: " + kind + "\ndata: " + json + "\n\n";
}
