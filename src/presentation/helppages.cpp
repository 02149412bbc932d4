#include "presentation/helppages.h"

#include "localisation/langmanager.h"

#include <QDir>
#include <QFile>

#include <atomic>

namespace {

std::atomic<quint16> helpLanguage{LangIdGerman};

// A page's source holds both its parts; this line, on its own, marks where the B part begins.
const QLatin1String PartMarker("<!-- B -->");

QString languageFolder(quint16 languageId)
{
    constexpr quint16 PrimaryGerman = 0x07;
    return (languageId & 0x3FF) == PrimaryGerman ? QStringLiteral("de") : QStringLiteral("en");
}

// The source of the page named stem, or a null string.
QString pageSource(const QString &stem, quint16 languageId)
{
    const QDir folder(QStringLiteral(":/help/") + languageFolder(languageId));
    const QString fileName = stem + QStringLiteral(".html");
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString &entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) != 0)
            continue;
        QFile file(folder.filePath(entry));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromUtf8(file.readAll());
        // The file's last line break is not part of the page, which ends with its closing tag.
        while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        return text;
    }
    return {};
}

QString welcomePage()
{
    return PageHelp(QStringLiteral("HTMLStart"));
}

} // namespace

void SetHelpLanguage(quint16 languageId)
{
    helpLanguage = languageId;
}

quint16 HelpLanguage()
{
    return helpLanguage;
}

QString helpPageText(const QString &name, quint16 languageId)
{
    const QString whole = pageSource(name, languageId);
    if (!whole.isNull())
        return whole;
    const bool partA = name.endsWith(QLatin1Char('A'), Qt::CaseInsensitive);
    const bool partB = name.endsWith(QLatin1Char('B'), Qt::CaseInsensitive);
    if (!partA && !partB)
        return {};
    const QString source = pageSource(name.chopped(1), languageId);
    if (source.isNull())
        return {};
    const qsizetype marker = source.indexOf(PartMarker);
    if (marker < 0)
        return partA ? source : QString();
    if (partA)
        return source.left(marker);
    qsizetype begin = marker + PartMarker.size();
    if (source.mid(begin, 2) == QLatin1String("\r\n"))
        begin += 2;
    else if (source.mid(begin, 1) == QLatin1String("\n"))
        begin += 1;
    return source.mid(begin);
}

QString helpText(const QString &name)
{
    return helpPageText(name, HelpLanguage());
}

QString PageHelp(const QString &key)
{
    const quint16 language = HelpLanguage();
    const QString page = helpPageText(key + QLatin1Char('A'), language) +
                         helpPageText(key + QLatin1Char('B'), language);
    if (page.isEmpty() && key.compare(QLatin1String("HTMLStart"), Qt::CaseInsensitive) != 0)
        return welcomePage();
    return page;
}

QString GeneralHelp()
{
    const QString page = helpPageText(QStringLiteral("HTMLHilfe"), HelpLanguage());
    return page.isEmpty() ? welcomePage() : page;
}
