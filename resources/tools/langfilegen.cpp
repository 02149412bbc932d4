// Build tool: writes a language file from readable sources.
//   langfilegen -o <output> [--param KEY=VALUE]... [--section NAME <texts.txt>]...
//               [--constants <constants.txt>]...
// Parameters come first in the file, in the order given, followed by "Generator" and
// "LastModified" (the date of the newest source). Each --section source holds the texts of a
// window by ID (SourceKeys::Ids); the --constants sources hold constants by name and together
// make the "[$CONSTANTS]" section. The file is UTF-16LE with a byte-order mark and CR LF line
// ends, and is read back before it is saved: every text must come out as it went in.
#include "constantsource.h"

#include "localisation/langfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cstdio>

namespace {

struct Section {
    QString name;
    QList<SourceConstant> texts;
};

int failWith(const QString &message)
{
    std::fprintf(stderr, "langfilegen: %s\n", qPrintable(message));
    return 1;
}

bool readSource(const QString &path, SourceKeys keys, QList<SourceConstant> &entries,
                QString &error)
{
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": ") + input.errorString();
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString content = utf8.decode(input.readAll());
    if (utf8.hasError()) {
        error = path + QStringLiteral(": not valid UTF-8");
        return false;
    }
    if (!ParseConstantSource(content, entries, error, keys)) {
        error = path + QStringLiteral(": ") + error;
        return false;
    }
    return true;
}

QString line(const QString &key, const QString &text)
{
    return key + u'=' + EncodeLangFileValue(text) + QStringLiteral("\r\n");
}

// The parsed file must hold exactly the texts it was written from.
QString checkRoundTrip(const QByteArray &file, const QList<Section> &sections,
                       const QList<SourceConstant> &constants)
{
    const LangFileParse parse = ParseLanguageFile(file);
    if (!parse.ok())
        return parse.error;
    for (const Section &section : sections) {
        const TLangCompTranslation *read = parse.translations.section(section.name);
        for (const SourceConstant &entry : section.texts) {
            const QString *text = read ? read->text(entry.name.toInt()) : nullptr;
            if (!text || *text != entry.text)
                return section.name + QStringLiteral(" ID ") + entry.name +
                       QStringLiteral(" does not read back");
        }
    }
    for (const SourceConstant &constant : constants) {
        if (parse.translations.constants.value(constant.name) != constant.text)
            return constant.name + QStringLiteral(" does not read back");
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    QString outputPath;
    QStringList parameters;
    QList<Section> sections;
    QList<SourceConstant> constants;
    QSet<QString> constantNames;
    QDateTime newest;
    QString error;

    const auto arg = [argv](int i) { return QString::fromLocal8Bit(argv[i]); };
    for (int i = 1; i < argc; ++i) {
        const QString option = arg(i);
        const int needed = option == QStringLiteral("--section") ? 2 : 1;
        if (i + needed >= argc)
            return failWith(QStringLiteral("missing value after ") + option);
        if (option == QStringLiteral("-o")) {
            outputPath = arg(++i);
        } else if (option == QStringLiteral("--param")) {
            parameters.append(arg(++i));
        } else if (option == QStringLiteral("--section") ||
                   option == QStringLiteral("--constants")) {
            const bool isSection = option == QStringLiteral("--section");
            Section section;
            if (isSection)
                section.name = arg(++i);
            const QString path = arg(++i);
            QList<SourceConstant> entries;
            if (!readSource(path, isSection ? SourceKeys::Ids : SourceKeys::Names, entries, error))
                return failWith(error);
            newest = std::max(newest, QFileInfo(path).lastModified().toUTC());
            if (isSection) {
                std::sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) {
                    return a.name.toInt() < b.name.toInt();
                });
                section.texts = entries;
                sections.append(section);
                continue;
            }
            for (const SourceConstant &constant : entries) {
                if (constantNames.contains(constant.name.toLower()))
                    return failWith(path + QStringLiteral(": ") + constant.name +
                                    QStringLiteral(" is also in another source"));
                constantNames.insert(constant.name.toLower());
                constants.append(constant);
            }
        } else {
            return failWith(QStringLiteral("unknown option ") + option);
        }
    }
    if (outputPath.isEmpty())
        return failWith(QStringLiteral("no output file (-o)"));
    std::sort(constants.begin(), constants.end(), [](const auto &a, const auto &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });

    QString text =
        QStringLiteral("; Generated by langfilegen from readable sources; edit those.\r\n");
    for (const QString &parameter : parameters)
        text += parameter + QStringLiteral("\r\n");
    text += QStringLiteral("Generator=langfilegen\r\nLastModified=") +
            newest.date().toString(Qt::ISODate) + QStringLiteral("\r\n");
    for (const Section &section : sections) {
        text += QStringLiteral("\r\n[") + section.name + QStringLiteral("]\r\n");
        for (const SourceConstant &entry : section.texts)
            text += line(entry.name.rightJustified(8, u'0'), entry.text);
    }
    text += QStringLiteral("\r\n[$CONSTANTS]\r\n");
    for (const SourceConstant &constant : constants)
        text += line(constant.name, constant.text);

    QByteArray file("\xFF\xFE", 2);
    for (const QChar c : std::as_const(text)) {
        file.append(char(c.unicode() & 0xFF));
        file.append(char(c.unicode() >> 8));
    }
    if (const QString problem = checkRoundTrip(file, sections, constants); !problem.isEmpty())
        return failWith(outputPath + QStringLiteral(": ") + problem);

    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(file) != file.size() || !output.commit())
        return failWith(outputPath + QStringLiteral(": ") + output.errorString());
    return 0;
}
