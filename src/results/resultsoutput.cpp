#include "results/resultsoutput.h"

#include "localisation/uitext.h"
#include "platform/platform.h"
#include "results/printing.h"
#include "results/resultstable.h"

ResultsOutput::ResultsOutput(Platform &platform, const ResultsTable &table, QString pathStem,
                             std::function<bool()> prizeListOn, QString errorCaption)
    : m_platform(platform), m_table(table), m_pathStem(std::move(pathStem)),
      m_prizeListOn(std::move(prizeListOn)), m_errorCaption(std::move(errorCaption))
{
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
    PrintTable table = printTableOf(m_table);
    if (m_note)
        table.note = m_note();
    const PrintResult result = printResults(table, m_pathStem + QLatin1String(".pdf"));
    // A printer takes the job as it is; only a PDF made in its place is opened.
    finish({result.ok, result.error}, result.pdfPath);
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
