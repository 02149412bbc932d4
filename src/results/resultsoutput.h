#pragma once

#include "results/exports.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Platform;
class ResultsTable;
struct JobAnswer;
struct PrinterLookup;

// The four outputs of the results table that the settings panel's buttons start: TXT, CSV and
// HTML files beside the program's other files, opened in the program the desktop associates with
// them, and the printout on the default printer. Each works on the table as it is shown at that
// moment. A failure is shown in the program's standard error box and the file is not opened.
//
// Printing asks the print system for its printer and hands it the job while the window goes on
// working; it tells what happened unless the job was simply taken.
class ResultsOutput {
public:
    // `pathStem` is the path of the files without their extension: the folder of the program's
    // files and the program's name. `prizeListOn` tells whether the prize list option
    // (cbWinnings) is on; `errorCaption` is the caption of the standard error box, the
    // program's title.
    ResultsOutput(Platform &platform, const ResultsTable &table, QString pathStem,
                  std::function<bool()> prizeListOn, QString errorCaption);

    ~ResultsOutput();

    // A line the outputs add after the rows while it is not empty.
    void setNote(std::function<QString()> note) { m_note = std::move(note); }
    // Told true when a printout starts and false when it has ended: the window shows that it is
    // busy meanwhile.
    void setBusyIndicator(std::function<void(bool)> busy) { m_busy = std::move(busy); }

    void BTTxTClick();
    void BTCSVClick();
    void BTHTMLClick();
    // Prints on the default printer (or the only one installed) as one job titled "Tivrel".
    // When no printer is reached the printout goes to a PDF beside the exports, which is
    // announced with its path and opened; a job the printer refuses is reported with the
    // printer's name and reason, and the PDF offered instead. A click while a printout is under
    // way does nothing.
    void BTDruckenClick();
    bool printing() const { return m_printRun != nullptr; }

    // The table as the exports take it: layout, rows in display order, captions, time stamp.
    ResultsExport currentExport() const;

private:
    void finish(const SaveResult &result, const QString &path);
    void printLookedUp(const PrinterLookup &lookup);
    void printAnswered(const QString &printer, bool paused, const JobAnswer &answer);
    // Ends the printout under way; its answers that are still to come are dropped.
    void endPrinting();
    // Saves the printout as the PDF beside the exports; the path, or empty after the error box.
    QString savePdf();

    Platform &m_platform;
    const ResultsTable &m_table;
    QString m_pathStem;
    std::function<bool()> m_prizeListOn;
    QString m_errorCaption;
    std::function<QString()> m_note;
    std::function<void(bool)> m_busy;
    // The printout under way: the owner of the print system's answers, and the document.
    std::unique_ptr<QObject> m_printRun;
    QByteArray m_pdf;
};
