#include "results/resultsoutput.h"

#include "localisation/uitext.h"
#include "platform/platform.h"
#include "platform/printspooler.h"
#include "results/printing.h"
#include "results/resultstable.h"

#include <QLocale>

namespace {
// A reason as a sentence of the message, which adds its own full stop.
QString sentence(QString reason)
{
    reason = reason.trimmed();
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    return reason;
}

QString lookupReason(const PrinterLookup &lookup)
{
    switch (lookup.outcome) {
    case PrinterLookup::Outcome::Found: break;
    case PrinterLookup::Outcome::NoPrintSystem: return lng("StrDruckKeinSystem");
    case PrinterLookup::Outcome::ServerFailed:
        return lngFormat("StrDruckServer", {sentence(lookup.reason)});
    case PrinterLookup::Outcome::ServerSilent:
        return lngFormat("StrDruckKeineAntwort", {lookup.seconds});
    case PrinterLookup::Outcome::NoPrinter: return lng("StrDruckKeinDrucker");
    case PrinterLookup::Outcome::NoDefault:
        return lngFormat("StrDruckKeinStandard", {lookup.printers});
    }
    return {};
}
} // namespace

ResultsOutput::ResultsOutput(Platform &platform, const ResultsTable &table, QString pathStem,
                             std::function<bool()> prizeListOn, QString errorCaption)
    : m_platform(platform), m_table(table), m_pathStem(std::move(pathStem)),
      m_prizeListOn(std::move(prizeListOn)), m_errorCaption(std::move(errorCaption))
{
}

ResultsOutput::~ResultsOutput()
{
    if (m_printRun && m_busy)
        m_busy(false);
}

ResultsExport ResultsOutput::currentExport() const
{
    ResultsExport data;
    data.layout = exportLayoutOf(m_table.columnShown(ResultsModel::Spiel), m_prizeListOn());
    data.rows = m_table.results()->shownRows();
    data.captions = exportCaptions(data.layout);
    data.time = m_platform.now();
    data.locale = QLocale::system();
    if (m_note)
        data.note = m_note();
    return data;
}

void ResultsOutput::BTTxTClick()
{
    const QString path = m_pathStem + QLatin1String(".txt");
    finish(appendTxtExport(path, currentExport()), path);
}

void ResultsOutput::BTCSVClick()
{
    const QString path = m_pathStem + QLatin1String(".csv");
    finish(writeCsvExport(path, currentExport()), path);
}

void ResultsOutput::BTHTMLClick()
{
    const QString path = m_pathStem + QLatin1String(".htm");
    finish(writeHtmlExport(path, currentExport()), path);
}

void ResultsOutput::BTDruckenClick()
{
    if (m_printRun)
        return;
    PrintTable table = printTableOf(m_table);
    if (m_note)
        table.note = m_note();
    table.footer = QLocale::system().toString(m_platform.now(), QLocale::ShortFormat);
    m_printRun = std::make_unique<QObject>();
    if (m_busy)
        m_busy(true);
    PrintSpooler *spooler = m_platform.printer();
    if (spooler)
        spooler->lookUp(m_printRun.get(),
                        [this](const PrinterLookup &lookup) { printLookedUp(lookup); });
    // The document is made while the print system looks for its printer.
    m_pdf = printTableAsPdf(table);
    if (!spooler)
        printLookedUp(PrinterLookup{});
}

void ResultsOutput::printLookedUp(const PrinterLookup &lookup)
{
    if (m_pdf.isEmpty()) {
        endPrinting();
        finish({false, QStringLiteral("The PDF document could not be made")}, {});
        return;
    }
    if (lookup.outcome != PrinterLookup::Outcome::Found) {
        endPrinting();
        const QString path = savePdf();
        if (path.isEmpty())
            return;
        m_platform.messageBox(lng("StrTivrelHinweis"),
                              lngFormat("HinweisDruckOhneDrucker", {lookupReason(lookup), path}),
                              Platform::Icon::Information, Platform::Buttons::Ok);
        m_platform.shellOpen(path);
        return;
    }
    const QString printer = lookup.printer;
    const bool paused = lookup.paused;
    m_platform.printer()->submit(m_printRun.get(), printer, QStringLiteral("Tivrel"), m_pdf,
                                 [this, printer, paused](const JobAnswer &answer) {
                                     printAnswered(printer, paused, answer);
                                 });
}

void ResultsOutput::printAnswered(const QString &printer, bool paused, const JobAnswer &answer)
{
    endPrinting();
    if (answer.outcome == JobAnswer::Outcome::Accepted) {
        m_pdf.clear();
        if (paused)
            m_platform.messageBox(lng("StrTivrelHinweis"),
                                  lngFormat("HinweisDruckWartet", {printer, answer.job}),
                                  Platform::Icon::Information, Platform::Buttons::Ok);
        return;
    }
    const QString reason = answer.outcome == JobAnswer::Outcome::Silent
                               ? lngFormat("StrDruckKeineAntwort", {answer.seconds})
                               : sentence(answer.reason);
    // The program's error box, with the PDF offered in the job's place.
    const Platform::Answer choice =
        m_platform.messageBox(m_errorCaption, lngFormat("HinweisDruckAbgelehnt", {printer, reason}),
                              Platform::Icon::Stop, Platform::Buttons::YesNo);
    if (choice != Platform::Answer::Yes) {
        m_pdf.clear();
        return;
    }
    const QString path = savePdf();
    if (path.isEmpty())
        return;
    m_platform.messageBox(lng("StrTivrelHinweis"), lngFormat("HinweisDruckPdf", {path}),
                          Platform::Icon::Information, Platform::Buttons::Ok);
    m_platform.shellOpen(path);
}

void ResultsOutput::endPrinting()
{
    // Answers come from inside the run's own objects, which go only once they have returned.
    m_printRun.release()->deleteLater();
    if (m_busy)
        m_busy(false);
}

QString ResultsOutput::savePdf()
{
    const QString path = m_pathStem + QLatin1String(".pdf");
    const SaveResult saved = saveFileAtomically(path, m_pdf);
    m_pdf.clear();
    if (!saved.ok) {
        finish(saved, {});
        return {};
    }
    return path;
}

void ResultsOutput::finish(const SaveResult &result, const QString &path)
{
    if (!result.ok) {
        // The program's standard error box: its title, a stop icon, the text with a full stop.
        m_platform.messageBox(m_errorCaption, saveFailureText(result) + QLatin1Char('.'),
                              Platform::Icon::Stop, Platform::Buttons::Ok);
        return;
    }
    if (!path.isEmpty())
        m_platform.shellOpen(path);
}
