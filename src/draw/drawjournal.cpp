#include "draw/drawjournal.h"

#include "localisation/filerefusal.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QByteArray sha256(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256);
}

QString timeText(const QDateTime &now)
{
    return now.toString(Qt::ISODate);
}

} // namespace

QByteArray poolFingerprint(const QStringList &entries, qint32 quota)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &entry : entries) {
        hash.addData(entry.toUtf8());
        hash.addData(QByteArrayView("\n"));
    }
    hash.addData(QByteArray(QByteArray("quota ") + QByteArray::number(quota)));
    return hash.result();
}

QByteArray seedWithWord(const QByteArray &random, const QString &word)
{
    return word.isEmpty() ? random : sha256(random + word.toUtf8());
}

QByteArray commitmentOf(const QByteArray &seed, const QByteArray &fingerprint)
{
    return sha256(seed + fingerprint);
}

QByteArray listDigest(const QStringList &lines)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &line : lines) {
        hash.addData(line.toUtf8());
        hash.addData(QByteArrayView("\n"));
    }
    return hash.result();
}

void seedCommitted(TRNGenerator &generator, const QByteArray &seed)
{
    std::array<quint32, SeedBytes / 4> key{};
    for (qsizetype i = 0; i < qsizetype(key.size()) && (i + 1) * 4 <= seed.size(); ++i)
        key[size_t(i)] = quint32(uchar(seed.at(i * 4))) | quint32(uchar(seed.at(i * 4 + 1))) << 8 |
                         quint32(uchar(seed.at(i * 4 + 2))) << 16 |
                         quint32(uchar(seed.at(i * 4 + 3))) << 24;
    generator.SeedByArray(key.data(), int(key.size()));
}

EntryPool segmentPool(const SegmentStart &start, const QStringList &listLines)
{
    EntryPool pool =
        start.source.list
            ? EntryPool::fromList(listLines)
            : EntryPool::fromRange(consistentRange(start.source.minimum, start.source.maximum),
                                   start.source.zeros);
    pool.removeDrawn(start.drawn);
    return pool;
}

QString groupedHex(const QByteArray &commitment)
{
    const QString hex = QString::fromLatin1(commitment.toHex());
    QStringList groups;
    for (qsizetype i = 0; i < hex.size(); i += 8)
        groups << hex.mid(i, 8);
    return groups.join(QLatin1Char(' '));
}

QJsonObject segmentStartObject(const SegmentStart &start)
{
    QJsonObject o;
    o[QStringLiteral("pass")] = start.pass;
    o[QStringLiteral("segment")] = start.segment;
    o[QStringLiteral("commit")] = QString::fromLatin1(start.commitment.toHex());
    o[QStringLiteral("quota")] = start.quota;
    if (start.source.list) {
        o[QStringLiteral("source")] = QStringLiteral("list");
        o[QStringLiteral("lines")] = start.source.lines;
        o[QStringLiteral("list")] = QString::fromLatin1(start.source.listDigest.toHex());
    } else {
        o[QStringLiteral("source")] = QStringLiteral("range");
        o[QStringLiteral("min")] = start.source.minimum;
        o[QStringLiteral("max")] = start.source.maximum;
        o[QStringLiteral("zeros")] = start.source.zeros;
    }
    o[QStringLiteral("drawn")] = QJsonArray::fromStringList(start.drawn);
    if (!start.word.isEmpty())
        o[QStringLiteral("word")] = start.word;
    return o;
}

SegmentStart segmentStartOf(const QJsonObject &o)
{
    SegmentStart start;
    start.pass = o.value(QStringLiteral("pass")).toInt();
    start.segment = o.value(QStringLiteral("segment")).toInt();
    start.commitment = QByteArray::fromHex(o.value(QStringLiteral("commit")).toString().toLatin1());
    start.quota = o.value(QStringLiteral("quota")).toInt();
    start.source.list = o.value(QStringLiteral("source")).toString() == QLatin1String("list");
    start.source.lines = o.value(QStringLiteral("lines")).toInt();
    start.source.listDigest =
        QByteArray::fromHex(o.value(QStringLiteral("list")).toString().toLatin1());
    start.source.minimum = o.value(QStringLiteral("min")).toInt();
    start.source.maximum = o.value(QStringLiteral("max")).toInt();
    start.source.zeros = o.value(QStringLiteral("zeros")).toBool();
    start.word = o.value(QStringLiteral("word")).toString();
    for (const QJsonValue &v : o.value(QStringLiteral("drawn")).toArray())
        start.drawn << v.toString();
    return start;
}

QByteArray lineHash(const QByteArray &line)
{
    return sha256(line).toHex();
}

QByteArray firstPrev()
{
    return QByteArray(64, '0');
}

DrawJournal::DrawJournal(QString path) : m_path(std::move(path)), m_prev(firstPrev()) {}

SaveResult DrawJournal::open(const QDateTime &now)
{
    m_prev = firstPrev();
    m_lastPass = 0;
    m_lastSegment = 0;
    m_seed.clear();
    QFile file(m_path);
    bool revealed = true;
    if (file.exists()) {
        // A pipe, a device or a file of gigabytes in the journal's place is not read.
        if (const ReadRefusal refusal = checkReadable(m_path, MaxJournalBytes);
            refusal != ReadRefusal::None)
            return {false, fileRefusalReason(refusal, MaxJournalBytes)};
        if (!file.open(QIODevice::ReadWrite))
            return {false, file.errorString()};
        QByteArray content = file.readAll();
        const qsizetype end = content.lastIndexOf('\n') + 1;
        if (end < content.size()) {
            // A line a crash cut short: it was never shown, and the next line must follow the
            // last whole one.
            if (!file.resize(end))
                return {false, file.errorString()};
            content.truncate(end);
        }
        for (const QByteArray &line : content.split('\n')) {
            if (line.isEmpty())
                continue;
            m_prev = lineHash(line);
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            if (o.contains(QStringLiteral("commit"))) {
                m_lastSegment = o.value(QStringLiteral("segment")).toInt();
                m_lastPass = o.value(QStringLiteral("pass")).toInt();
                revealed = false;
            } else if (o.contains(QStringLiteral("reveal"))) {
                revealed = true;
            }
        }
    }
    QFile kept(seedPath());
    if (kept.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> parts = kept.readAll().trimmed().split(' ');
        kept.close();
        if (!revealed && parts.size() == 2 && parts.at(0).toInt() == m_lastSegment) {
            m_seed = QByteArray::fromHex(parts.at(1));
            m_openPass = m_lastPass;
            const SaveResult result = reveal(now);
            if (!result.ok)
                return result;
        }
        QFile::remove(seedPath());
    }
    return {};
}

SaveResult DrawJournal::appendLine(QJsonObject object)
{
    object[QStringLiteral("prev")] = QString::fromLatin1(m_prev);
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact);
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return {false, file.errorString()};
    const qint64 before = file.size();
    const QByteArray whole = line + '\n';
    bool written = file.write(whole) == whole.size() && file.flush();
#ifdef Q_OS_UNIX
    written = written && ::fsync(file.handle()) == 0;
#endif
    if (!written) {
        const QString reason = file.errorString();
        file.resize(before);
        return {false, reason};
    }
    m_prev = lineHash(line);
    return {};
}

SaveResult DrawJournal::beginSegment(SegmentStart &start, const QByteArray &seed,
                                     const QDateTime &now)
{
    start.segment = m_lastSegment + 1;
    // The seed is kept first: a segment begun in the journal can always be revealed.
    const SaveResult kept = saveFileAtomically(seedPath(), QByteArray::number(start.segment) + ' ' +
                                                               seed.toHex() + '\n');
    if (!kept.ok)
        return kept;
    QJsonObject o = segmentStartObject(start);
    o[QStringLiteral("time")] = timeText(now);
    const SaveResult result = appendLine(o);
    if (!result.ok) {
        QFile::remove(seedPath());
        return result;
    }
    m_lastSegment = start.segment;
    m_lastPass = start.pass;
    m_openPass = start.pass;
    m_seed = seed;
    return {};
}

SaveResult DrawJournal::appendDraw(qint32 draw, const QString &entry, const QString &prize,
                                   const QDateTime &now)
{
    QJsonObject o;
    o[QStringLiteral("pass")] = m_openPass;
    o[QStringLiteral("draw")] = draw;
    o[QStringLiteral("entry")] = entry;
    o[QStringLiteral("prize")] = prize;
    o[QStringLiteral("time")] = timeText(now);
    return appendLine(o);
}

SaveResult DrawJournal::reveal(const QDateTime &now)
{
    if (m_seed.isEmpty())
        return {};
    QJsonObject o;
    o[QStringLiteral("pass")] = m_openPass;
    o[QStringLiteral("segment")] = m_lastSegment;
    o[QStringLiteral("reveal")] = QString::fromLatin1(m_seed.toHex());
    o[QStringLiteral("time")] = timeText(now);
    const SaveResult result = appendLine(o);
    if (!result.ok)
        return result;
    m_seed.clear();
    QFile::remove(seedPath());
    return {};
}
