#pragma once

#include <QString>

class QWidget;
class TForm1;

// Opening the settings panel, which interrupts the draw control, and applying the settings,
// which saves them, rebuilds the pool, closes the panel and arms the chosen mode.
class SettingsFlow {
public:
    explicit SettingsFlow(TForm1 &form);

    void OpenSettingsPanel();
    void MMParameterClick() { OpenSettingsPanel(); }
    // Returns false when a step stopped it (the panel then stays open).
    bool ApplySettings();
    void BTEinstellungenSchliessenClick() { ApplySettings(); }

    // Loads the help page of the settings page with this caption into the help viewer.
    void loadHelpPage(const QString &pageCaption);
    // Hides the panel and the help viewer and shows the normal view again.
    void closePanel();

    // Writes the settings file; on failure shows the error and returns false.
    bool saveSettings();
    // Steps that belong to the prize list and the lottery run.
    void loadPrizeList();
    QString prizeText(int drawNumber) const;
    void runLottery();

private:
    bool lotteryQuestions();
    bool timeOfDayValid();

    TForm1 &f;
};
