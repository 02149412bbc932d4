// Build tool: turns a readable constants source file into the binary constants
// stream that the program embeds as "LANG_CONSTS".
//   langconstsgen <constants.txt> <output>
// The stream (version 2, little-endian): version byte 2, flag byte 1, 32-bit
// count, then per constant in name order (case-insensitive): 16-bit name length
// in bytes, the ASCII name, 16-bit text length in UTF-16 code units, UTF-16LE text.
#include "constantsource.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <cstdio>

namespace {

int failWith(const QString &message)
{
    std::fprintf(stderr, "langconstsgen: %s\n", qPrintable(message));
    return 1;
}

void appendUInt16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendInt32(QByteArray &out, qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3)
        return failWith(QStringLiteral("usage: langconstsgen <constants.txt> <output>"));
    const QString inputPath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);

    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return failWith(inputPath + QStringLiteral(": ") + input.errorString());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString content = utf8.decode(input.readAll());
    if (utf8.hasError())
        return failWith(inputPath + QStringLiteral(": not valid UTF-8"));

    QList<SourceConstant> constants;
    QString error;
    if (!ParseConstantSource(content, constants, error))
        return failWith(inputPath + QStringLiteral(": ") + error);
    std::sort(constants.begin(), constants.end(),
              [](const SourceConstant &a, const SourceConstant &b) {
                  return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
              });

    QByteArray stream;
    stream.append(char(2)); // version
    stream.append(char(1)); // flag
    appendInt32(stream, qint32(constants.size()));
    for (const SourceConstant &constant : constants) {
        if (constant.text.size() > 0xFFFF)
            return failWith(inputPath + QStringLiteral(": text of ") + constant.name +
                            QStringLiteral(" is too long"));
        const QByteArray name = constant.name.toLatin1();
        appendUInt16(stream, quint16(name.size()));
        stream.append(name);
        appendUInt16(stream, quint16(constant.text.size()));
        for (const QChar c : constant.text)
            appendUInt16(stream, c.unicode());
    }

    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(stream) != stream.size() ||
        !output.commit())
        return failWith(outputPath + QStringLiteral(": ") + output.errorString());
    return 0;
}
