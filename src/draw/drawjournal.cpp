#include "draw/drawjournal.h"

#include "draw/drawpool.h"
#include "localisation/filerefusal.h"
#include "localisation/uitext.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

// Writes a file only its owner may read, replacing what stood at `path` (a link there is
// replaced, never followed). The content goes to a new file created owner-only from the start,
// is synced and then takes the place of the old one.
SaveResult writeSecretFile(const QString &path, const QByteArray &content)
{
#ifdef Q_OS_UNIX
    const QByteArray target = QFile::encodeName(path);
    const QByteArray fresh = target + ".new";
    const auto failed = [&fresh](int fd) {
        const SaveResult result{false, QString::fromLocal8Bit(std::strerror(errno))};
        if (fd >= 0)
            ::close(fd);
        ::unlink(fresh.constData());
        return result;
    };
    ::unlink(fresh.constData());
    const int fd =
        ::open(fresh.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return failed(-1);
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return failed(fd);
    // A file system without owner permissions (a FAT stick) would show the seed to everyone.
    if ((status.st_mode & 077) != 0) {
        ::close(fd);
        ::unlink(fresh.constData());
        return {false, lng("StrNichtGeheim")};
    }
    if (::write(fd, content.constData(), size_t(content.size())) != content.size() ||
        ::fsync(fd) != 0)
        return failed(fd);
    if (::close(fd) != 0)
        return failed(-1);
    if (::rename(fresh.constData(), target.constData()) != 0)
        return failed(-1);
    return {};
#else
    return saveFileAtomically(path, content);
#endif
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

qsizetype committedIndex(TRNGenerator &generator, qsizetype poolSize, int format)
{
    if (format < 2)
        return chooseEntryIndex(generator, poolSize);
    // Words at or above the largest multiple of the pool size below 2^32 are passed over, so
    // every remainder is equally likely.
    const quint64 size = quint64(poolSize);
    const quint64 limit = (quint64(1) << 32) - (quint64(1) << 32) % size;
    quint64 word = generator.NextWord();
    while (word >= limit)
        word = generator.NextWord();
    return qsizetype(word % size);
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
    if (start.format >= 2) {
        o[QStringLiteral("format")] = start.format;
        o[QStringLiteral("after")] = QString::fromLatin1(start.after);
    }
    o[QStringLiteral("quota")] = start.quota;
    if (start.source.list) {
        o[QStringLiteral("source")] = QStringLiteral("list");
        o[QStringLiteral("lines")] = start.source.lines;
        o[QStringLiteral("list")] = QString::fromLatin1(start.source.listDigest.toHex());
        if (const std::optional<CsvLayout> &csv = start.source.csv) {
            // Columns counted from 1 as a spreadsheet shows them; count 0: one ticket a row.
            QJsonArray columns;
            for (const int column : csv->columns)
                columns.append(column + 1);
            QJsonObject layout;
            layout[QStringLiteral("columns")] = columns;
            layout[QStringLiteral("count")] = csv->countColumn + 1;
            layout[QStringLiteral("header")] = csv->header;
            layout[QStringLiteral("separator")] = QString(csv->separator);
            o[QStringLiteral("csv")] = layout;
        }
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
    if (o.value(QStringLiteral("csv")).isObject()) {
        const QJsonObject layout = o.value(QStringLiteral("csv")).toObject();
        CsvLayout csv;
        csv.columns.clear();
        for (const QJsonValue &column : layout.value(QStringLiteral("columns")).toArray())
            csv.columns.append(column.toInt() - 1);
        csv.countColumn = layout.value(QStringLiteral("count")).toInt() - 1;
        csv.header = layout.value(QStringLiteral("header")).toBool();
        const QString separator = layout.value(QStringLiteral("separator")).toString();
        csv.separator = separator.isEmpty() ? QChar(u',') : separator.front();
        start.source.csv = csv;
    }
    start.source.minimum = o.value(QStringLiteral("min")).toInt();
    start.source.maximum = o.value(QStringLiteral("max")).toInt();
    start.source.zeros = o.value(QStringLiteral("zeros")).toBool();
    start.word = o.value(QStringLiteral("word")).toString();
    start.format = o.value(QStringLiteral("format")).toInt(1);
    start.after = o.value(QStringLiteral("after")).toString().toLatin1();
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

DrawJournal::DrawJournal(QString path)
    : m_path(std::move(path)), m_prev(firstPrev()), m_lastReveal(firstPrev())
{
}

void DrawJournal::readLine(const QByteArray &line, const QJsonObject &o, bool &revealed)
{
    if (o.contains(QStringLiteral("commit"))) {
        const SegmentStart start = segmentStartOf(o);
        if (start.pass != m_lastPass) {
            m_passDraws.clear();
            m_passEarlier = start.drawn;
        }
        m_lastStart = start;
        m_lastSegment = start.segment;
        m_lastPass = start.pass;
        m_segmentDraws = 0;
        revealed = false;
    } else if (o.contains(QStringLiteral("entry"))) {
        const qint32 draw = o.value(QStringLiteral("draw")).toInt();
        m_passDraws.append({draw, o.value(QStringLiteral("row")).toInt(draw),
                            o.value(QStringLiteral("entry")).toString(),
                            o.value(QStringLiteral("prize")).toString(), lineHash(line)});
        m_segmentDraws += 1;
    } else if (o.contains(QStringLiteral("reveal"))) {
        m_lastReveal = lineHash(line);
        revealed = true;
    }
}

SaveResult DrawJournal::open(const QDateTime &now)
{
    m_prev = firstPrev();
    m_lastReveal = firstPrev();
    m_size = 0;
    m_lastPass = 0;
    m_lastSegment = 0;
    m_segmentDraws = 0;
    m_lastStart = SegmentStart();
    m_passDraws.clear();
    m_passEarlier.clear();
    m_seed.clear();
    // The journal and its seed are never reached through a link someone put in their place.
    if (QFileInfo(m_path).isSymLink() || QFileInfo(seedPath()).isSymLink())
        return {false, lng("StrSymbolischerLink")};
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
        m_size = end;
        for (const QByteArray &line : content.split('\n')) {
            if (line.isEmpty())
                continue;
            m_prev = lineHash(line);
            readLine(line, QJsonDocument::fromJson(line).object(), revealed);
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
    AppendOptions options;
    options.sync = true;
    options.expectedSize = m_size;
    m_lastWrite = appendToFile(m_path, line + '\n', options);
    if (!m_lastWrite.ok)
        return m_lastWrite;
    m_size += line.size() + 1;
    m_prev = lineHash(line);
    return {};
}

SaveResult DrawJournal::beginSegment(SegmentStart &start, const QByteArray &seed,
                                     const QDateTime &now)
{
    start.segment = m_lastSegment + 1;
    start.format = JournalFormat;
    start.after = m_lastReveal;
    // The seed is kept first: a segment begun in the journal can always be revealed.
    const SaveResult kept =
        writeSecretFile(seedPath(), QByteArray::number(start.segment) + ' ' + seed.toHex() + '\n');
    if (!kept.ok)
        return kept;
    QJsonObject o = segmentStartObject(start);
    o[QStringLiteral("time")] = timeText(now);
    const SaveResult result = appendLine(o);
    if (!result.ok) {
        QFile::remove(seedPath());
        return result;
    }
    if (start.pass != m_lastPass) {
        m_passDraws.clear();
        m_passEarlier = start.drawn;
    }
    m_lastStart = start;
    m_lastSegment = start.segment;
    m_lastPass = start.pass;
    m_openPass = start.pass;
    m_segmentDraws = 0;
    m_seed = seed;
    return {};
}

SaveResult DrawJournal::appendDraw(qint32 draw, qint32 row, const QString &entry,
                                   const QString &prize, const QDateTime &now)
{
    QJsonObject o;
    o[QStringLiteral("pass")] = m_openPass;
    o[QStringLiteral("draw")] = draw;
    if (row != draw)
        o[QStringLiteral("row")] = row;
    o[QStringLiteral("entry")] = entry;
    o[QStringLiteral("prize")] = prize;
    o[QStringLiteral("time")] = timeText(now);
    const SaveResult result = appendLine(o);
    if (result.ok) {
        m_passDraws.append({draw, row, entry, prize, m_prev});
        m_segmentDraws += 1;
    }
    return result;
}

QByteArray DrawJournal::chainHead(const QString &entry) const
{
    for (qsizetype i = m_passDraws.size() - 1; i >= 0; --i)
        if (m_passDraws.at(i).entry == entry)
            return m_passDraws.at(i).hash;
    return {};
}

SaveResult DrawJournal::reveal(const QDateTime &now)
{
    if (m_seed.isEmpty())
        return {};
    QJsonObject o;
    o[QStringLiteral("pass")] = m_openPass;
    o[QStringLiteral("segment")] = m_lastSegment;
    o[QStringLiteral("reveal")] = QString::fromLatin1(m_seed.toHex());
    o[QStringLiteral("draws")] = m_segmentDraws;
    o[QStringLiteral("last")] = QString::fromLatin1(m_prev);
    o[QStringLiteral("time")] = timeText(now);
    const SaveResult result = appendLine(o);
    if (!result.ok)
        return result;
    m_lastReveal = m_prev;
    m_seed.clear();
    QFile::remove(seedPath());
    return {};
}
