#include "app/listcontrol.h"

#include "app/rangecontrol.h"
#include "draw/listfile.h"
#include "draw/listprompt.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "results/resultstable.h"
#include "settings/rangepage.h"
#include "settings/settingscontrols.h"

#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QVBoxLayout>

ListControl::ListControl(const Parts &parts) : p(parts) {}

bool ListControl::listInUse() const
{
    return p.range.listOn() && listPathSet(p.range.listPath());
}

void warnListFile(Platform &platform, const ListFileResult &result, const QString &name,
                  const char *kind)
{
    platform.messageBox(lng("StrTivrelHinweis"), listFileMessage(result, name, lng(kind)),
                        Platform::Icon::Warning, Platform::Buttons::Ok);
}

QString chooseListFile(Platform &platform, const QString &programFolder, const QString &filter)
{
    const QString chosen = platform.openFileName(lng("StrListeLaden"), programFolder, filter);
    if (chosen.isEmpty())
        return {};
    // A file outside the program folder keeps its absolute path, so it is found again.
    return storedListPath(programFolder, chosen);
}

void ListControl::AusDateiClick(bool byProgram)
{
    RangePage &page = p.range;
    // A switch by hand ends the pass, after a question; the program's own switches ask
    // nothing.
    if (byProgram)
        m_listPromptMuted = 1;
    ListSwitchPrompt prompt(m_listPromptMuted, m_listBrowsePending);
    if (prompt.asks()) {
        const auto answer =
            p.platform.messageBox(lng("StrTivrelHinweis"), lng("HinweisZiehungsdatei"),
                                  Platform::Icon::Question, Platform::Buttons::YesNo);
        switch (prompt.answered(answer == Platform::Answer::Yes)) {
        case ListSwitchPrompt::Then::NewPass: p.rangeRules.startNewPass(); break;
        case ListSwitchPrompt::Then::FlipBack: page.setListOn(!page.listOn()); break;
        case ListSwitchPrompt::Then::Keep: break;
        }
    }
    // List lines sort alphabetically, numbers by value; the range fields give way to the
    // list's fields.
    const bool on = page.listOn();
    p.results.results()->setDrawnSortNumeric(!on);
    page.openListFields(on);
}

void ListControl::AusDateiPfadButtonClick()
{
    RangePage &page = p.range;
    // A list in use is replaced only after the question.
    if (page.listOn() && listPathSet(page.listPath())) {
        m_listBrowsePending = 1;
        AusDateiClick();
        if (m_listBrowsePending == 1) {
            m_listBrowsePending = 0;
            return;
        }
    }
    // A spreadsheet's rows become entries as the operator chooses; cancelling that
    // choice keeps the list named before.
    const QString stored = chooseListFile(p.platform, p.programFolder, lng("StrFilterListe"));
    if (!stored.isEmpty() && isCsvListPath(stored)) {
        // The layout stored before belongs to the list named before; another file starts
        // from its own separator and its first column.
        CsvLayout initial = page.csvLayout();
        if (stored != page.listPath()) {
            initial = CsvLayout();
            initial.separatorKnown = false;
            initial.layoutKnown = false;
        }
        const std::optional<CsvLayout> layout =
            m_chooseCsvLayout ? m_chooseCsvLayout(resolveListPath(p.programFolder, stored), initial)
                              : std::optional<CsvLayout>(initial);
        if (layout) {
            page.setCsvLayout(*layout);
            page.setListPath(stored);
        }
    } else if (!stored.isEmpty()) {
        page.setListPath(stored);
    }
    // Chosen or not, the list named in the field is in use and read.
    page.setListOn(true);
    ApplyListRange();
}

bool ListControl::ApplyListRange()
{
    RangePage &page = p.range;
    // No list named: the range stays as it is.
    const QString stored = page.listPath();
    if (!listPathSet(stored))
        return true;
    // A list read: the range and the quota are its lines.
    const ListFileResult list = readAndReport(stored);
    if (list.ok()) {
        p.rangeRules.takeListRange(qint32(list.lines.size()));
        return true;
    }
    // A missing list, or something that is no list file at all (a folder, a pipe, a device, a
    // file beyond the size bound): list drawing goes off (asking, unless muted) and the field
    // says why. A list refused for its content changes nothing but is reported.
    warnListFile(p.platform, list, stored, "HinweisDateiListe");
    if (list.error == ListFileError::Missing || list.error == ListFileError::NotReadable ||
        list.error == ListFileError::NotAFile || list.error == ListFileError::TooLarge) {
        page.setListOn(false);
        page.setListPath(stored + lng("HinweisNichtGefunden"));
    }
    return false;
}

std::optional<QStringList> ListControl::readDrawList()
{
    const QString stored = p.range.listPath();
    ListFileResult list = readAndReport(stored);
    if (!list.ok()) {
        warnListFile(p.platform, list, stored, "HinweisDateiListe");
        return std::nullopt;
    }
    return std::move(list.lines);
}

ListFileResult ListControl::readAndReport(const QString &stored)
{
    const QString path = resolveListPath(p.programFolder, stored);
    // A list read again unchanged (applying the settings reads it twice) keeps its report: on a
    // list of a million lines the report costs about as much as the reading.
    const QFileInfo info(path);
    const QString key = info.absoluteFilePath() + u'|' + QString::number(info.size()) + u'|' +
                        QString::number(info.lastModified().toMSecsSinceEpoch()) + u'|' +
                        storedCsvColumns(p.range.csvLayout()) + u'|' +
                        QString::number(p.range.csvLayout().countColumn) + u'|' +
                        QString::number(int(p.range.csvLayout().header)) + u'|' +
                        storedCsvSeparator(p.range.csvLayout());
    const bool known = m_report && key == m_reportKey;
    ListFileResult list;
    std::optional<PoolReport> report;
    m_csvLayout.reset();
    if (!isCsvListPath(stored)) {
        list = readListFile(path);
        if (list.ok() && !known)
            report = poolReportOfLines(list.lines, list.encoding);
    } else {
        PoolReportBuilder builder;
        CsvRowSink sink;
        if (!known)
            sink = [&builder](const CsvRowEntry &row) {
                builder.add(row.text, row.row, row.tickets);
            };
        CsvListResult read = readCsvListFile(path, p.range.csvLayout(), {}, sink);
        if (read.list.ok() && !known)
            report = builder.finish(read.list.encoding, &read.csv.skipped);
        m_csvLayout = read.layout;
        list = std::move(read.list);
    }
    if (report)
        report->mixedLine = list.mixedLine;
    if (!list.ok()) {
        m_report.reset();
    } else if (report) {
        m_report = std::move(report);
        m_reportKey = key;
    }
    showPoolReport();
    return list;
}

void ListControl::clearPoolReport()
{
    m_report.reset();
    showPoolReport();
}

void ListControl::showPoolReport()
{
    retranslatePoolReport();
}

void ListControl::retranslatePoolReport()
{
    const QString summary = m_report ? poolReportSummary(*m_report) : QString();
    p.report.showReport(m_report.has_value(), summary, lng("StrBerichtBefunde"));
}

void ListControl::btPoolFindingsClick()
{
    if (!m_report)
        return;
    auto *window = new QDialog(p.report.window());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("PoolFindings"));
    window->setWindowTitle(lngFormat("StrBerichtTitel", {p.range.listPath()}));
    auto *layout = new QVBoxLayout(window);
    auto *text = new QPlainTextEdit(window);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setPlainText(poolReportFindings(*m_report));
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, window);
    QObject::connect(buttons, &QDialogButtonBox::accepted, window, &QDialog::close);
    layout->addWidget(buttons);
    window->resize(520, 420);
    window->open();
}
