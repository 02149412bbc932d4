#pragma once

#include <QtGlobal>

// The commands the parts of the main window give each other. Each part is handed the ones it
// uses; the window connects them, so no part reaches another through the window.

// The settings steps, as the draw control and the lottery run use them.
class SettingsCommands {
public:
    virtual ~SettingsCommands() = default;
    // False when a step stopped it; the panel then stays open.
    virtual bool ApplySettings() = 0;
    virtual void OpenSettingsPanel() = 0;
    // Whether the help page shows in place of the results (the panel is open with help).
    virtual bool helpPageShown() const = 0;
    // Whether the settings panel is open, with the help page below it or not.
    virtual bool panelShown() const = 0;
};

// The draw control, as the settings steps use it.
class DrawCommands {
public:
    virtual ~DrawCommands() = default;
    // Opening the settings: the sound stops as the options say, no timed draw starts, every
    // timer stops and a running animation ends without a draw.
    virtual void interruptForSettings() = 0;
    // Applying the settings lets the autopilot take over again.
    virtual void allowAutopilot() = 0;
    // Arms the mode chosen in the settings; the last step of applying them.
    virtual void ActivateMode() = 0;
    // Waits while events go on; false when the application is closing.
    virtual bool WaitPumping(int ms) = 0;
};

// The pass, as the draw control, the lottery run and the settings steps change it.
class PassCommands {
public:
    virtual ~PassCommands() = default;
    // Fills the pool from the range or the draw list; false when the list can not be read (the
    // operator has been told).
    virtual bool BuildPool(bool removeDrawn = true) = 0;
    virtual void closePrepareWindow() = 0;
    // Reads the prizes of the single entries drawn again, the draw list first (the prize list
    // part).
    virtual void LoadPrizeList() = 0;
    virtual void DrawNumber() = 0;
    virtual void Reset_ZiehungClick() = 0;
    // The table still holds a lottery result while an ordinary draw is wanted.
    virtual bool lotteryTableLeftOver() const = 0;
    // Asks whether that table may go; on OK starts a new pass. False when cancelled.
    virtual bool clearLotteryTable() = 0;
    // The lottery game the next draws belong to.
    virtual void setLottoGameNo(qint32 game) = 0;
    // A lottery run of `draws` numbers out of n .. x begins: the range page shows n .. x
    // without padding and a count quota of `draws`, and the pass counts its draws from none.
    virtual void recordLotteryRange(qint32 n, qint32 x, qint32 draws) = 0;
};
