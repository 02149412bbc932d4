#include "localisation/langconstants.h"

#include "localisation/codepage.h"
#include "localisation/formattext.h"

#include <QtEndian>

#include <algorithm>

namespace {

bool nameLess(const TLangConstant &constant, QStringView name)
{
    return QStringView(constant.name).compare(name, Qt::CaseInsensitive) < 0;
}

// Bounds-checked little-endian reading from a byte array.
class StreamCursor {
public:
    explicit StreamCursor(const QByteArray &data) : m_data(data) {}

    bool readByte(quint8 &value)
    {
        if (remaining() < 1)
            return false;
        value = static_cast<quint8>(m_data.at(m_pos++));
        return true;
    }
    bool readUInt16(quint16 &value)
    {
        if (remaining() < 2)
            return false;
        value = qFromLittleEndian<quint16>(m_data.constData() + m_pos);
        m_pos += 2;
        return true;
    }
    bool readInt32(qint32 &value)
    {
        if (remaining() < 4)
            return false;
        value = qFromLittleEndian<qint32>(m_data.constData() + m_pos);
        m_pos += 4;
        return true;
    }
    bool readBytes(qsizetype length, QByteArray &bytes)
    {
        if (remaining() < length)
            return false;
        bytes = m_data.mid(m_pos, length);
        m_pos += length;
        return true;
    }
    bool readUtf16(qsizetype units, QString &text)
    {
        if (remaining() / 2 < units)
            return false;
        text.resize(units);
        qFromLittleEndian<char16_t>(m_data.constData() + m_pos, units, text.data());
        m_pos += 2 * units;
        return true;
    }

private:
    qsizetype remaining() const { return m_data.size() - m_pos; }

    const QByteArray &m_data;
    qsizetype m_pos = 0;
};

bool readEntry(StreamCursor &cursor, int version, quint32 codePage, TLangConstant &constant)
{
    quint16 length = 0;
    QByteArray bytes;
    if (!cursor.readUInt16(length) || !cursor.readBytes(length, bytes))
        return false;
    constant.name = QString::fromLatin1(bytes);
    if (!cursor.readUInt16(length))
        return false;
    if (version == 2)
        return cursor.readUtf16(length, constant.text);
    if (!cursor.readBytes(length, bytes))
        return false;
    constant.text = DecodeAnsiText(bytes, codePage);
    return true;
}

} // namespace

qsizetype TLangConstants::indexOf(QStringView name) const
{
    const auto it = std::lower_bound(m_items.cbegin(), m_items.cend(), name, nameLess);
    if (it == m_items.cend() || QStringView(it->name).compare(name, Qt::CaseInsensitive) != 0)
        return -1;
    return it - m_items.cbegin();
}

void TLangConstants::add(const TLangConstant &constant)
{
    const auto it =
        std::lower_bound(m_items.begin(), m_items.end(), QStringView(constant.name), nameLess);
    if (it != m_items.end() && it->name.compare(constant.name, Qt::CaseInsensitive) == 0)
        *it = constant;
    else
        m_items.insert(it, constant);
}

ConstantsStreamResult ReadConstantsStream(const QByteArray &stream, quint32 codePage,
                                          TLangConstants &constants)
{
    ConstantsStreamResult result;
    StreamCursor cursor(stream);
    const QString truncated = QStringLiteral("The constants stream ends too early");

    quint8 version = 0;
    if (!cursor.readByte(version)) {
        result.error = truncated;
        return result;
    }
    result.version = version;
    if (version > ConstantsStreamVersion) {
        result.error =
            FormatText(QStringLiteral("Stream version (%d) is greater than the current one (%d)"),
                       {int(version), ConstantsStreamVersion});
        return result;
    }
    if (version == 2) {
        quint8 flag = 0;
        if (!cursor.readByte(flag)) {
            result.error = truncated;
            return result;
        }
        result.flag = flag != 0;
    } else {
        result.flag = version == 1;
    }
    if (!cursor.readInt32(result.count)) {
        result.error = truncated;
        return result;
    }
    if (result.count < 0) {
        result.error =
            FormatText(QStringLiteral("Invalid number of constants (%d)"), {result.count});
        return result;
    }
    for (qint32 i = 0; i < result.count; ++i) {
        TLangConstant constant;
        if (!readEntry(cursor, version, codePage, constant)) {
            result.error = FormatText(QStringLiteral("%s after %d of %d constants"),
                                      {truncated, i, result.count});
            return result;
        }
        constant.sourceText = constant.text;
        constants.add(constant);
        ++result.read;
    }
    return result;
}
