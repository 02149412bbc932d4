#pragma once

#include "draw/csvlist.h"

#include <QFrame>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QResizeEvent;
class QSpinBox;
class QStackedWidget;
class ColourPicker;
class ShowOptionsBox;
class WebOptionsBox;
class FileField;
class RadioGroup;

// The settings panel `Einstellungen`: the page buttons, the four settings pages and the column
// of result and apply buttons. The controls are the settings themselves; the main window binds
// its handlers to their value-changed signals, so a value set by the program runs the handler
// exactly as a user's change does.
class SettingsPanel : public QFrame {
    Q_OBJECT
public:
    explicit SettingsPanel(QWidget *parent = nullptr);

    // Design size of the inner panel and of the page area.
    static constexpr int PanelHeight = 300;
    static constexpr int SettingXWidth = 549;
    static constexpr int PageWidth = 375;
    static constexpr int PageHeight = 199;
    static constexpr int ButtonColumnWidth = 148;

    // Keeps SettingX centred: its left := (panel width - its width) div 2.
    void EinstellungenResize();

    // The caption of the page in front ("HTMLAktion", "HTMLQuote", "HTMLLotto", "HTMLOptionen"):
    // the stem of the names of its help texts (stem + "A", stem + "B").
    QString activePageCaption() const;

public Q_SLOTS:
    // The page buttons. Each brings its page to the front and, while HilfeAktiv is ticked,
    // announces the help page of that page through helpPageRequested.
    void btModusClick();
    void btKonfigClick(); // mode 0 or 1: konfQuote; mode 4: konfLotto; modes 2 and 3: nothing
    void btOptionenClick();

Q_SIGNALS:
    // The help page of the page with this caption is to be shown.
    void helpPageRequested(const QString &pageCaption);

public:
    // Inner panel, kept centred horizontally.
    QWidget *SettingX = nullptr;

    // Top row.
    QPushButton *btModus = nullptr;
    QPushButton *btKonfig = nullptr;
    QPushButton *btOptionen = nullptr;
    QCheckBox *HilfeAktiv = nullptr;

    // Page area and its pages.
    QStackedWidget *Konfiguration = nullptr;
    QWidget *konfAktion = nullptr;
    QWidget *konfQuote = nullptr;
    QWidget *konfLotto = nullptr;
    QWidget *konfOptionen = nullptr;
    QLabel *hpModus = nullptr;
    QLabel *hpQuote = nullptr;
    QLabel *hpLotto = nullptr;
    QLabel *hpOptionen = nullptr;

    // Mode page.
    RadioGroup *DoStatus = nullptr;
    QCheckBox *chkAutostop = nullptr;
    QSpinBox *Sekunden = nullptr;
    QLineEdit *Uhrzeit = nullptr;

    // Range and quota page.
    QSpinBox *Minimum = nullptr;
    QSpinBox *Maximum = nullptr;
    QCheckBox *ZeigeNullen = nullptr;
    QCheckBox *AusDatei = nullptr;
    FileField *AusDateiPfad = nullptr;
    QSpinBox *AusDateiLaenge = nullptr;
    QLabel *LQuote = nullptr;
    QDoubleSpinBox *Ziehungsquote = nullptr;
    QCheckBox *Ziehung_Prozent = nullptr;
    QLabel *LAnzahl_Ziehungen = nullptr;
    QCheckBox *ckAutopilot = nullptr;
    QSpinBox *AutopilotStart = nullptr;
    QLabel *lbAutopilotRest = nullptr;
    QCheckBox *cbWinnings = nullptr;
    FileField *edWinnings = nullptr;

    // Lottery page.
    QSpinBox *Lotto_n = nullptr;
    QSpinBox *Lotto_x = nullptr;
    QSpinBox *Lotto_Spiele = nullptr;
    QSpinBox *Lotto_Pool = nullptr;

    // Options page.
    QComboBox *HilfeLng = nullptr;
    QCheckBox *cbListeAus = nullptr;
    QCheckBox *cbMaximiert = nullptr;
    QCheckBox *cbNachpruefbar = nullptr; // the verifiable draw
    QLabel *lbPublikumswort = nullptr;
    QLineEdit *edPublikumswort = nullptr; // the audience's word for the next segment
    QCheckBox *cbNumberEffect = nullptr;
    QCheckBox *cbFarbenregen = nullptr;
    QCheckBox *cbSound = nullptr;
    QCheckBox *cbSchleife = nullptr;
    FileField *edSoundfile = nullptr;
    QCheckBox *cbHintergrund = nullptr;
    QCheckBox *cbHintergrundAnimiert = nullptr;
    FileField *edHintergrundbild = nullptr;
    ColourPicker *cpVordergrund = nullptr;
    ColourPicker *cpHintergrund = nullptr;
    ShowOptionsBox *gbShow = nullptr; // audience window, safe animation, spoken result
    WebOptionsBox *gbWeb = nullptr;   // the results page on the local network

    // Captions of the pages' fields.
    QLabel *Label1 = nullptr;           // "Zahlen &zwischen"
    QLabel *Label2 = nullptr;           // "&und"
    QLabel *lbAusDateiLaenge = nullptr; // "Anzeigelänge"
    QLabel *lbLottoBereich = nullptr;   // "Gezogen werden"
    QLabel *Label4 = nullptr;           // "aus"
    QLabel *lbLottoSpiele = nullptr;    // "Anzahl der Spiele"
    QLabel *LBLottoPool = nullptr;      // "Verteile Zahlenpool auf"
    QLabel *lbLottoAnzahl = nullptr;    // "Spiel"
    QLabel *lbHilfeLng = nullptr;       // "Sprache:"
    QLabel *Label5 = nullptr;           // "Effekte"
    QLabel *Label6 = nullptr;           // "Vordergrundfarbe"
    QLabel *Label7 = nullptr;           // "Hintergrundfarbe"

    // Column of buttons on the right.
    QPushButton *BTDrucken = nullptr;
    QPushButton *BTHTML = nullptr;
    QPushButton *BTCSV = nullptr;
    QPushButton *BTTxT = nullptr;
    QPushButton *Reset_Ziehung = nullptr;
    QPushButton *BTEinstellungenSchliessen = nullptr;

    // The report on the draw list in use, under the page area, and the button that lists its
    // findings in full. Hidden while the pool comes from the range.
    QLabel *lbPoolReport = nullptr;
    QPushButton *btPoolFindings = nullptr;

    // How the rows of a CSV draw list become entries (chosen in its dialog, stored beside the
    // list's path).
    CsvLayout csvLayout;

    // Flags that let a handler skip its question once when the program changes the box.
    int ZerosPromptMuted = 0;  // of ZeigeNullen
    int ListPromptMuted = 0;   // of AusDatei
    int ListBrowsePending = 0; // of AusDateiPfad: the browse button asks before a new list

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPage(QWidget *page);
    void syncPageButtons();
    void nameControls();
    void arrangeTabOrder();
    QWidget *buildActionPage();
    QWidget *buildQuotaPage();
    QWidget *buildLotteryPage();
    QWidget *buildOptionsPage();
};
