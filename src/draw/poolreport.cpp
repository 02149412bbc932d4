#include "draw/poolreport.h"

#include "localisation/uitext.h"

#include <QLocale>

#include <algorithm>

void PoolReportBuilder::add(const QString &text, qint64 where, qint64 tickets)
{
    PoolReport &r = m_report;
    r.entries += tickets;
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); }))
        r.blanks.append(where);
    if (text.size() > r.longest) {
        r.longest = text.size();
        r.longestAt = where;
    }
    m_items.push_back({qHash(text), where, text});
}

PoolReport PoolReportBuilder::finish(const QString &encoding, const QList<CsvSkippedRow> *skipped)
{
    std::sort(m_items.begin(), m_items.end(), [](const Item &a, const Item &b) {
        return a.hash != b.hash ? a.hash < b.hash : a.where < b.where;
    });
    PoolReport report = std::move(m_report);
    // Within a run of equal hashes, each text with its lines in file order.
    for (size_t run = 0; run < m_items.size();) {
        size_t end = run + 1;
        while (end < m_items.size() && m_items[end].hash == m_items[run].hash)
            ++end;
        if (end - run > 1) {
            std::vector<PoolReport::Duplicate> texts;
            for (size_t i = run; i < end; ++i) {
                const Item &item = m_items[i];
                auto same = std::find_if(texts.begin(), texts.end(),
                                         [&](const auto &d) { return d.text == item.text; });
                if (same == texts.end()) {
                    texts.push_back({item.text, 0, {}});
                    same = texts.end() - 1;
                }
                ++same->count;
                if (same->where.size() < PoolReport::MaxListed)
                    same->where.append(item.where);
            }
            for (PoolReport::Duplicate &d : texts) {
                if (d.count > 1)
                    report.duplicates.append(std::move(d));
            }
        }
        run = end;
    }
    std::sort(report.duplicates.begin(), report.duplicates.end(),
              [](const auto &a, const auto &b) { return a.where.first() < b.where.first(); });
    report.encoding = encoding;
    report.csv = skipped != nullptr;
    if (skipped)
        report.skipped = *skipped;
    m_report = PoolReport();
    m_items.clear();
    return report;
}

PoolReport poolReportOfLines(const QStringList &lines, const QString &encoding)
{
    PoolReportBuilder builder;
    builder.reserve(lines.size());
    qint64 line = 0;
    for (const QString &text : lines)
        builder.add(text, ++line);
    return builder.finish(encoding);
}

namespace {
QString number(qint64 value)
{
    return QString::number(value);
}

// A text as the report quotes it, cut after `limit` characters.
QString quoted(const QString &text, qsizetype limit = 40)
{
    QString shown = text.size() > limit ? text.left(limit) + QChar(0x2026) : text;
    return QChar(0x201E) + shown + QChar(0x201C);
}

QString skipReason(const CsvSkippedRow &row)
{
    switch (row.reason) {
    case CsvSkip::MissingColumn: return lng("StrCsvSpalteFehlt");
    case CsvSkip::BadCount: return lngFormat("StrCsvAnzahlUngueltig", {quoted(row.cell)});
    case CsvSkip::NegativeCount: return lngFormat("StrCsvAnzahlNegativ", {quoted(row.cell)});
    case CsvSkip::OverLimit: return lngFormat("StrCsvUeberGrenze", {number(MaxListLines)});
    }
    return {};
}

QString places(const QList<qint64> &where, qsizetype total)
{
    QStringList parts;
    for (qsizetype i = 0; i < where.size() && i < PoolReport::MaxListed; ++i)
        parts.append(number(where[i]));
    QString text = parts.join(QStringLiteral(", "));
    if (total > parts.size())
        text +=
            QStringLiteral(", ") + lngFormat("StrBerichtWeitere", {number(total - parts.size())});
    return text;
}
} // namespace

namespace {
// How the file was read, and the first line that reads garbled because it was saved otherwise.
QString encodingText(const PoolReport &r)
{
    if (r.mixedLine <= 0)
        return r.encoding;
    return r.encoding + QStringLiteral(" (") +
           lngFormat("StrBerichtGemischt", {QString::number(r.mixedLine)}) + u')';
}
} // namespace

QString poolReportSummary(const PoolReport &r)
{
    QStringList parts;
    parts.append(lngFormat("StrBerichtEintraege", {number(r.entries)}));
    parts.append(lngFormat("StrBerichtLeer", {number(r.blanks.size())}));
    QString duplicates = lngFormat("StrBerichtDoppelt", {number(r.duplicates.size())});
    if (!r.duplicates.isEmpty()) {
        QStringList named;
        for (qsizetype i = 0; i < r.duplicates.size() && i < PoolReport::NamedDuplicates; ++i)
            named.append(quoted(r.duplicates[i].text, 20));
        if (r.duplicates.size() > PoolReport::NamedDuplicates)
            named.append(QString(QChar(0x2026)));
        duplicates += QStringLiteral(" (") + named.join(QStringLiteral(", ")) + u')';
    }
    parts.append(duplicates);
    parts.append(lngFormat("StrBerichtLaengste", {number(r.longest)}));
    parts.append(encodingText(r));
    if (r.csv)
        parts.append(lngFormat("StrBerichtUebersprungen", {number(r.skipped.size())}));
    return parts.join(QStringLiteral(" \u00B7 "));
}

QString poolReportFindings(const PoolReport &r)
{
    const QString where = r.csv ? lng("StrBerichtZeilenCsv") : lng("StrBerichtZeilen");
    QStringList out;
    out.append(lngFormat("StrBerichtEintraege", {number(r.entries)}));
    out.append(lng("StrBerichtKodierung") + QStringLiteral(": ") + encodingText(r));
    out.append(lngFormat("StrBerichtLaengste", {number(r.longest)}) + QStringLiteral(" (") + where +
               u' ' + number(r.longestAt) + u')');
    out.append(QString());
    out.append(lngFormat("StrBerichtLeer", {number(r.blanks.size())}));
    if (!r.blanks.isEmpty())
        out.append(QStringLiteral("  ") + where + u' ' + places(r.blanks, r.blanks.size()));
    out.append(QString());
    out.append(lngFormat("StrBerichtDoppelt", {number(r.duplicates.size())}));
    for (qsizetype i = 0; i < r.duplicates.size() && i < PoolReport::MaxListed; ++i) {
        const PoolReport::Duplicate &d = r.duplicates[i];
        out.append(QStringLiteral("  ") + quoted(d.text) + QStringLiteral(" \u00D7") +
                   number(d.count) + QStringLiteral(": ") + where + u' ' +
                   places(d.where, d.count));
    }
    if (r.duplicates.size() > PoolReport::MaxListed)
        out.append(
            QStringLiteral("  ") +
            lngFormat("StrBerichtWeitere", {number(r.duplicates.size() - PoolReport::MaxListed)}));
    if (r.csv) {
        out.append(QString());
        out.append(lngFormat("StrBerichtUebersprungen", {number(r.skipped.size())}));
        for (qsizetype i = 0; i < r.skipped.size() && i < PoolReport::MaxListed; ++i)
            out.append(QStringLiteral("  ") + where + u' ' + number(r.skipped[i].row) +
                       QStringLiteral(": ") + skipReason(r.skipped[i]));
        if (r.skipped.size() > PoolReport::MaxListed)
            out.append(
                QStringLiteral("  ") +
                lngFormat("StrBerichtWeitere", {number(r.skipped.size() - PoolReport::MaxListed)}));
    }
    return out.join(u'\n');
}
