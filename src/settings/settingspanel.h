#pragma once

#include <QFrame>

class QCheckBox;
class QPushButton;
class QResizeEvent;
class QStackedWidget;
class LotteryPage;
class ModePage;
class OptionsPage;
class PoolReportLine;
class RangePage;

// The settings panel `Einstellungen`: the page buttons, the four settings pages and the column
// of result and apply buttons. The controls are the settings themselves; the parts bind their
// handlers to the pages' signals, so a value set by the program runs the handler exactly as a
// user's change does. Each page is a class of its own, handed to the parts that use it.
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
    // The mode page in front, as the panel opens after start-up.
    void showModePage();

    // "Hilfe": the help of each page shows below the panel.
    bool helpOn() const;
    void setHelpOn(bool on);
    // While the print system is asked, the print button waits.
    void setPrintBusy(bool busy);

    ModePage &modePage() const { return *m_modePage; }
    RangePage &rangePage() const { return *m_rangePage; }
    LotteryPage &lotteryPage() const { return *m_lotteryPage; }
    OptionsPage &optionsPage() const { return *m_optionsPage; }
    PoolReportLine &poolReport() const { return *m_poolReport; }

public Q_SLOTS:
    // The page buttons. Each brings its page to the front and, while HilfeAktiv is ticked,
    // announces the help page of that page through helpPageRequested.
    void btModusClick();
    void btKonfigClick(); // mode 0 or 1: konfQuote; mode 4: konfLotto; modes 2 and 3: nothing
    void btOptionenClick();

Q_SIGNALS:
    // The help page of the page with this caption is to be shown.
    void helpPageRequested(const QString &pageCaption);
    void helpToggled(bool on); // HilfeAktivClick
    void printClicked();       // BTDruckenClick
    void htmlClicked();        // BTHTMLClick
    void csvClicked();         // BTCSVClick
    void txtClicked();         // BTTxTClick
    void newPassClicked();     // Reset_ZiehungClick
    void applyClicked();       // BTEinstellungenSchliessenClick

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPage(QWidget *page);
    void syncPageButtons();
    void syncConfigureButton();
    void nameControls();
    void arrangeTabOrder();

    // Inner panel, kept centred horizontally.
    QWidget *SettingX = nullptr;

    // Top row.
    QPushButton *btModus = nullptr;
    QPushButton *btKonfig = nullptr;
    QPushButton *btOptionen = nullptr;
    QCheckBox *HilfeAktiv = nullptr;

    // Page area and its pages.
    QStackedWidget *Konfiguration = nullptr;
    ModePage *m_modePage = nullptr;
    RangePage *m_rangePage = nullptr;
    LotteryPage *m_lotteryPage = nullptr;
    OptionsPage *m_optionsPage = nullptr;
    PoolReportLine *m_poolReport = nullptr;

    // Column of buttons on the right.
    QPushButton *BTDrucken = nullptr;
    QPushButton *BTHTML = nullptr;
    QPushButton *BTCSV = nullptr;
    QPushButton *BTTxT = nullptr;
    QPushButton *Reset_Ziehung = nullptr;
    QPushButton *BTEinstellungenSchliessen = nullptr;
};
