#pragma once

#include "draw/csvlist.h"
#include "draw/poolreport.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Platform;
class ResultsTable;
class PoolReportLine;
class RangeControl;
class RangePage;
struct ListFileResult;

// Tells the operator why a list file could not be read; `kind` is the constant of the word for
// the file: a draw list or a prize list.
void warnListFile(Platform &platform, const ListFileResult &result, const QString &name,
                  const char *kind);
// Asks for a list file, starting in the program folder; the path as it is stored (relative
// inside the folder, absolute outside it), or nothing when the operator cancels.
QString chooseListFile(Platform &platform, const QString &programFolder, const QString &filter);

// The draw list: the handlers of "Aus Datei" and of its browse button, the question before the
// list switches, reading the list (plain or CSV) with its report, and the range and quota it
// gives.
class ListControl {
public:
    struct Parts {
        RangePage &range;         // its list fields
        PoolReportLine &report;   // the report under the settings pages
        RangeControl &rangeRules; // the list's range and quota on the page, a new pass
        ResultsTable &results;
        Platform &platform;
        QString programFolder; // with its trailing '/'
    };
    explicit ListControl(const Parts &parts);
    // Asks how the rows of a CSV list become entries: the file and the layout stored before;
    // nothing when the operator cancels. The window shows its dialog; tests answer directly.
    using CsvLayoutChooser =
        std::function<std::optional<CsvLayout>(const QString &path, const CsvLayout &stored)>;
    void setCsvLayoutChooser(CsvLayoutChooser chooser) { m_chooseCsvLayout = std::move(chooser); }

    // "Aus Datei" switched; a switch the program makes asks nothing.
    void AusDateiClick(bool byProgram = false);
    void AusDateiPfadButtonClick();
    // Reads the draw list and takes its line count as range and quota. False when the list
    // is in use but could not be read (the operator has been told, list drawing is off).
    bool ApplyListRange();

    // The report on the draw list last read, shown on the settings panel; nothing while the
    // pool comes from the range.
    const std::optional<PoolReport> &poolReport() const { return m_report; }
    void clearPoolReport();
    // The report's texts again, in the language in force.
    void retranslatePoolReport();
    // Shows every finding of the report in a window of its own.
    void btPoolFindingsClick();

    // Whether the pool comes from the draw list: "Aus Datei" on and a path set.
    bool listInUse() const;
    // The draw list's lines for the pool; nothing when the list can not be read, after the
    // operator has been told why.
    std::optional<QStringList> readDrawList();
    // The layout the last CSV list was read with; none after a plain list.
    const std::optional<CsvLayout> &lastCsvLayout() const { return m_csvLayout; }

private:
    // Reads the draw list, as a CSV list when its name says so, and makes the report on it.
    ListFileResult readAndReport(const QString &stored);
    void showPoolReport();

    Parts p;
    CsvLayoutChooser m_chooseCsvLayout;
    std::optional<PoolReport> m_report;
    QString m_reportKey; // the file and layout the report was made of
    std::optional<CsvLayout> m_csvLayout;
    // The two flags of the question before "Aus Datei" switches (ListSwitchPrompt).
    int m_listPromptMuted = 0;
    int m_listBrowsePending = 0;
};
