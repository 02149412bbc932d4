#include "app/windowlanguage.h"

#include "app/controlstrip.h"
#include "localisation/controltexts.h"
#include "localisation/form1langdata.h"
#include "localisation/langfile.h"
#include "localisation/langmanager.h"
#include "results/resultstable.h"
#include "settings/modepage.h"
#include "settings/settingscontrols.h"

#include <QLoggingCategory>
#include <QMainWindow>
#include <QTextBrowser>

Q_LOGGING_CATEGORY(lcWindowLanguage, "tivrel.app.language")

namespace {

// The help viewer's fonts as designed; the language files may name others.
constexpr char HelpFontName[] = "Trebuchet MS";
constexpr char HelpPreFontName[] = "Courier New";

} // namespace

WindowLanguage::WindowLanguage(const Parts &parts)
    : p(parts), m_spin(Form1SectionName, Form1LangData(), LangManager())
{
    m_spin.OnLanguageChanged = [this] {
        if (p.refreshTexts)
            p.refreshTexts();
    };
}

void WindowLanguage::bindTexts()
{
    // The Start/Stop caption shows the state of the animation in the language in force.
    ControlStrip &strip = p.strip;
    m_spin.bind(
        QStringLiteral("BTStartStop"), QStringLiteral("Caption"),
        [&strip] { return strip.startCaption(); },
        [this](const QString &) {
            p.strip.showRunning(p.animationRunning && p.animationRunning());
        });

    ResultsTable &results = p.results;
    m_spin.bind(
        QStringLiteral("Resultate"), QStringLiteral("Caption"),
        [&results] { return results.emptyCaption(); },
        [&results](const QString &text) { results.setEmptyCaption(text); });
    const std::pair<const char *, ResultsModel::Column> headers[] = {
        {"Durchgang", ResultsModel::Durchgang},
        {"Spiel", ResultsModel::Spiel},
        {"Gezogen", ResultsModel::Gezogen}};
    for (const auto &header : headers) {
        const ResultsModel::Column column = header.second;
        m_spin.bind(
            QString::fromLatin1(header.first), QStringLiteral("Header.Caption"),
            [&results, column] { return results.results()->headerText(column); },
            [&results, column](const QString &text) {
                results.results()->setHeaderText(column, text);
            });
    }

    ModePage *modes = &p.modes;
    m_spin.bind(
        QStringLiteral("DoStatus"), QStringLiteral("Items"),
        [modes] {
            QString text;
            for (const QString &name : modes->modeNames())
                text += name + QStringLiteral("\r\n");
            return text;
        },
        [modes](const QString &text) { modes->setModeNames(SplitTextLines(text)); });

    QTextBrowser &help = p.help;
    const auto setHelpFont = [&help](const QString &family) {
        QFont font = help.font();
        font.setFamily(family);
        help.setFont(font);
    };
    const auto setPreFont = [this, &help](const QString &family) {
        m_preFontName = family;
        help.document()->setDefaultStyleSheet(
            QStringLiteral("pre, code, tt { font-family: \"%1\"; }").arg(family));
    };
    setHelpFont(QString::fromLatin1(HelpFontName));
    setPreFont(QString::fromLatin1(HelpPreFontName));
    m_spin.bind(
        QStringLiteral("Hilfeviewer"), QStringLiteral("DefFontName"),
        [&help] { return help.font().family(); }, setHelpFont);
    m_spin.bind(
        QStringLiteral("Hilfeviewer"), QStringLiteral("DefPreFontName"),
        [this] { return m_preFontName; }, setPreFont);

    // Captions and hints of the named controls, the window's own caption among them.
    bindControlTexts(m_spin, &p.window, Form1SectionName);

    // The rest is held here. The help viewer's popup items bind above by their names
    // (pHTMLShow, pHTMLSave) once they exist; the draw list's dialog reads listDialogTexts().
    bindHeld(45, "pHTMLShow", "Caption", "Anzeige im Browser");
    bindHeld(46, "pHTMLSave", "Caption", "Kopieren");
    bindHeld(50, "Ergebnisfeld", "Bitmap.ResamplerClassName", "TNearestResampler");
    bindHeld(52, "DlgDateiSuchen", "DefaultExt", "txt");
    bindHeld(53, "DlgDateiSuchen", "Filter", "Textdateien|*.txt");
    bindHeld(54, "DlgDateiSuchen", "Title", "Tivrel-Liste laden");
    bindHeld(66, "Bilderliste", "Bitmaps[0].Bitmap.ResamplerClassName", "TNearestResampler");
    bindHeld(140, "cpHintergrund", "Text", "$00FFFFFF");
    bindHeld(148, "acRuhe", "Caption", "acRuhe");

    if (const QList<qint32> unbound = m_spin.unboundIds(); !unbound.isEmpty())
        qCWarning(lcWindowLanguage) << "texts without a control:" << unbound;
    m_spin.loaded();
}

void WindowLanguage::bindHeld(qint32 id, const char *component, const char *path,
                              const char *design)
{
    if (!m_spin.unboundIds().contains(id))
        return;
    m_held.insert(id, QString::fromUtf8(design));
    m_spin.bind(
        QString::fromLatin1(component), QString::fromLatin1(path),
        [this, id] { return m_held.value(id); },
        [this, id](const QString &text) { m_held.insert(id, text); });
}

WindowLanguage::FileDialogTexts WindowLanguage::listDialogTexts() const
{
    return {m_held.value(52), m_held.value(53), m_held.value(54)};
}
