#pragma once

#include "draw/csvlist.h"

#include <QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class FileField;
struct Settings;

// The page "Zahlenbereich und Quote einstellen" (`konfQuote`): the number range, the leading
// zeros, the draw list and its display length, the quota, the autopilot and the prize list.
// The pool part owns it; the others read it through the settings.
class RangePage : public QWidget {
    Q_OBJECT
public:
    explicit RangePage(QWidget *parent = nullptr);

    // The number range. Each change is a rangeChanged.
    qint32 minimum() const;
    qint32 maximum() const;
    void setMinimum(qint32 value);
    void setMaximum(qint32 value);

    // Leading zeros. A switch by the program asks nothing: zerosClicked follows only the
    // user's.
    bool zeros() const;
    void setZerosQuietly(bool on);

    // The quota, in percent of the range or as a count of draws.
    bool quotaInPercent() const;
    void setQuotaInPercent(bool on);
    double quota() const;
    void setQuota(double value);
    // The quota field's form, changed without a quotaChanged: percent (one decimal, up to 100)
    // or a whole count up to `maximum` (a fraction raised to the next whole number).
    void shapeQuotaAsPercent();
    void shapeQuotaAsCount(qint32 maximum);
    // The quota's caption and the line under it that gives the number of draws.
    void setQuotaCaption(const QString &caption);
    void setQuotaCountLine(const QString &line);
    void showQuotaCountLine(bool shown);

    // The autopilot: after how many draws timed drawing takes over.
    bool autopilot() const;
    qint32 autopilotStart() const;
    void setAutopilotStart(qint32 value);
    void setAutopilotMaximum(qint32 maximum);
    // Its draws field open and the remaining timed draws shown, or neither.
    void openAutopilotFields(bool open);
    void setAutopilotRest(const QString &text);

    // The draw list. listSwitched tells whether the program or the user switched it.
    bool listOn() const;
    void setListOn(bool on);
    void setListOnByProgram(bool on);
    QString listPath() const;
    void setListPath(const QString &path);
    const CsvLayout &csvLayout() const;
    void setCsvLayout(const CsvLayout &layout);
    // The list's fields open and the range's closed, or the other way round.
    void openListFields(bool list);

    // The prize list.
    bool prizesOn() const;
    void setPrizesOn(bool on);
    QString prizePath() const;
    void setPrizePath(const QString &path);

    // Moves the page's keys between the settings and the fields. The quota is loaded by the
    // pool's owner, which knows the range's size; the lists asking nothing.
    void loadRange(const Settings &settings);
    void loadAutopilotAndZeros(const Settings &settings);
    void loadLists(const Settings &settings);
    void collect(Settings &settings) const;
    QList<QWidget *> tabChain() const;
    // Whether list entries are cut to a length on the display, and that length.
    bool entryLengthSet() const;
    int entryLength() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    void rangeChanged();               // MinimumChange
    void quotaChanged();               // ZiehungsquoteChange
    void zerosClicked();               // ZeigeNullenClick
    void autopilotToggled();           // ckAutopilotClick
    void autopilotStartChanged();      // AutopilotStartChange
    void listSwitched(bool byProgram); // AusDateiClick
    void listBrowseClicked();          // AusDateiPfadButtonClick
    void prizeBrowseClicked();         // edWinningsButtonClick
    void autopilotFieldEntered();      // AutopilotStartEnter
    void entryLengthChanged();

private:
    QLabel *hpQuote = nullptr;
    QSpinBox *Minimum = nullptr;
    QSpinBox *Maximum = nullptr;
    QLabel *Label1 = nullptr; // "Zahlen &zwischen"
    QLabel *Label2 = nullptr; // "&und"
    QCheckBox *ZeigeNullen = nullptr;
    QSpinBox *AusDateiLaenge = nullptr;
    QLabel *lbAusDateiLaenge = nullptr; // "Anzeigelänge"
    QCheckBox *AusDatei = nullptr;
    FileField *AusDateiPfad = nullptr;
    QLabel *LQuote = nullptr;
    QDoubleSpinBox *Ziehungsquote = nullptr;
    QCheckBox *Ziehung_Prozent = nullptr;
    QLabel *LAnzahl_Ziehungen = nullptr;
    QCheckBox *ckAutopilot = nullptr;
    QSpinBox *AutopilotStart = nullptr;
    QLabel *lbAutopilotRest = nullptr;
    QCheckBox *cbWinnings = nullptr;
    FileField *edWinnings = nullptr;

    // How the rows of a CSV draw list become entries (chosen in its dialog, stored beside the
    // list's path).
    CsvLayout m_csvLayout;
    bool m_zerosByProgram = false;
    bool m_listByProgram = false;
};

// The report on the draw list in use, under the page area, and the button that lists its
// findings in full. Hidden while the pool comes from the range.
class PoolReportLine : public QWidget {
    Q_OBJECT
public:
    PoolReportLine(int height, int buttonHeight, QWidget *parent = nullptr);
    // The summary (also the tooltip) and the button's caption; `shown` false hides both.
    void showReport(bool shown, const QString &summary, const QString &buttonText);
    // The button, for the panel's order of Tab.
    QWidget *findingsButton() const;

Q_SIGNALS:
    void findingsRequested(); // btPoolFindingsClick

private:
    QLabel *lbPoolReport = nullptr;
    QPushButton *btPoolFindings = nullptr;
};
