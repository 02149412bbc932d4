#pragma once

#include "results/exports.h"

#include <QString>

#include <functional>

class Platform;
class ResultsTable;

// The four outputs of the results table that the settings panel's buttons start: TXT, CSV and
// HTML files beside the program's other files, opened in the program the desktop associates with
// them, and the printout on the default printer. Each works on the table as it is shown at that
// moment. A failure is shown in the program's standard error box and the file is not opened.
class ResultsOutput {
public:
    // `pathStem` is the path of the files without their extension: the folder of the program's
    // files and the program's name. `prizeListOn` tells whether the prize list option
    // (cbWinnings) is on; `errorCaption` is the caption of the standard error box, the
    // program's title.
    ResultsOutput(Platform &platform, const ResultsTable &table, QString pathStem,
                  std::function<bool()> prizeListOn, QString errorCaption);

    // A line the outputs add after the rows while it is not empty.
    void setNote(std::function<QString()> note) { m_note = std::move(note); }

    void BTTxTClick();
    void BTCSVClick();
    void BTHTMLClick();
    // Without a printer installed the printout goes to a PDF beside the exports, which is then
    // opened.
    void BTDruckenClick();

    // The table as the exports take it: layout, rows in display order, captions, time stamp.
    ResultsExport currentExport() const;

private:
    void finish(const SaveResult &result, const QString &path);

    Platform &m_platform;
    const ResultsTable &m_table;
    QString m_pathStem;
    std::function<bool()> m_prizeListOn;
    QString m_errorCaption;
    std::function<QString()> m_note;
};
