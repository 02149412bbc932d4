#pragma once

#include "draw/committedsegment.h"
#include "draw/drawjournal.h"
#include "draw/drawpass.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

// Journals written by the program's own core pieces, and the tools to change them as someone
// who has the file would.

inline const QDateTime Noon(QDate(2026, 12, 9), QTime(12, 0));

inline QByteArray seedOf(char fill)
{
    return QByteArray(SeedBytes, fill);
}

// A pass drawn as the program draws it: a committed segment over the pass's pool, every draw
// journaled before it counts. `flashes` animation frames run before each draw.
struct JournaledPass {
    DrawPass pass{[] { return 1u; }};
    DrawJournal journal;
    QStringList drawn;

    explicit JournaledPass(const QString &path) : journal(path) { journal.open(Noon); }

    void begin(const PoolSource &source, const QStringList &list, qint32 quota,
               const QByteArray &seed, const QString &word = QString())
    {
        if (pass.pool().isEmpty())
            pass.setPool(source.list
                             ? EntryPool::fromList(list)
                             : EntryPool::fromRange({source.minimum, source.maximum}, source.zeros),
                         true);
        pass.setQuota(quota);
        pass.setRangeSize(qint32(pass.pool().size() + pass.rows().size()));
        pass.setSource(source);
        QVERIFY(!beginCommittedSegment(
                     pass, journal, seed, [] { return Noon; }, word)
                     .isEmpty());
    }
    void draw(int draws, int flashes = 0)
    {
        for (int i = 0; i < draws; ++i) {
            for (int f = 0; f < flashes; ++f)
                pass.flashIndex();
            drawn << pass.drawEntry({})->Gezogen;
        }
    }
    void reveal()
    {
        QVERIFY(journal.reveal(Noon).ok);
        pass.endCommittedDraws();
    }
};

inline PoolSource range(qint32 minimum, qint32 maximum, bool zeros = false)
{
    PoolSource source;
    source.minimum = minimum;
    source.maximum = maximum;
    source.zeros = zeros;
    return source;
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

// The lines with every "prev" computed anew, as someone rewriting the whole journal would.
inline QByteArray rechained(const QList<QByteArray> &lines)
{
    QByteArray out;
    QByteArray prev = firstPrev();
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        QJsonObject o = QJsonDocument::fromJson(line).object();
        o[QStringLiteral("prev")] = QString::fromLatin1(prev);
        const QByteArray written = QJsonDocument(o).toJson(QJsonDocument::Compact);
        prev = lineHash(written);
        out += written + '\n';
    }
    return out;
}
