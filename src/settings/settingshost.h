#pragma once

#include <QString>
#include <QtGlobal>

// What loading and saving the settings needs from the main window besides the controls of the
// settings panel: state that lives in the window, and the steps that other parts of the window
// own (sound, background picture, prize list, layout).
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    // Draw state.
    virtual qint32 rangeSize() const = 0;
    virtual void setDrawQuota(qint32 quota) = 0;

    // Creates the sound player, loads the sound file named in edSoundfile as leaving that field
    // does, and makes the player loop.
    virtual void createWavePlayer() = 0;

    // The display's colours, given in the stored form 0x00BBGGRR (the host converts them to
    // its pixel form). Loading sets them even when the picker already held the stored colour.
    virtual void setDisplayForeColour(quint32 bgr) = 0;
    virtual void setDisplayBackColour(quint32 bgr) = 0;

    // The text of a language constant in the current language ("StrZiehungAnzahl").
    virtual QString lookupConstant(const QString &name) const = 0;

    // Window and layout.
    virtual void setResultsListTick(bool ticked) = 0; // the tick of the menu item "Liste an"
    virtual void maximiseWindow() = 0;
    virtual void setOutputPanePercent(int percent) = 0;
    virtual int outputPanePercentNow() const = 0; // output pane height x 100 div window height

    // Start-up: loads ProgramFolder + relativePath as the display's background picture. A
    // picture that cannot be loaded while its option is ticked is told to the operator once.
    virtual bool loadBackgroundPicture(const QString &relativePath) = 0;

    // The results column "Spiel".
    virtual bool gameColumnVisible() const = 0;
    virtual void setGameColumnVisible(bool visible) = 0;

    // Rereads the draw list file and the prize list if they are switched on.
    virtual void loadPrizeList() = 0;
};
