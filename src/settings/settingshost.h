#pragma once

#include <QString>

// What loading and saving the settings needs of the main window itself besides the settings
// panel: its menu item "Liste an", its maximised state, the share of its output pane, its
// display's background picture and the results column "Spiel".
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

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
};
