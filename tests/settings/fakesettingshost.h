#pragma once

#include "settings/settingshost.h"

#include <QStringList>

// The main window as loading and saving the settings see it: records what they asked for and
// holds a window of a settable height.
class FakeSettingsHost final : public SettingsHost {
public:
    void setResultsListTick(bool ticked) override { listTick = ticked; }
    void maximiseWindow() override { maximised = true; }
    // The output pane gets its stored share of the window in whole hundredths of the height.
    void setOutputPanePercent(int percent) override
    {
        outputPercent = percent;
        paneHeight = (windowHeight / 100) * percent;
    }
    int outputPanePercentNow() const override { return paneHeight * 100 / windowHeight; }
    bool loadBackgroundPicture(const QString &relativePath) override
    {
        calls << QStringLiteral("loadBackgroundPicture ") + relativePath;
        return pictureLoads;
    }
    bool gameColumnVisible() const override { return gameColumn; }
    void setGameColumnVisible(bool visible) override { gameColumn = visible; }

    bool listTick = false;
    bool maximised = false;
    int outputPercent = -1;
    int windowHeight = 650;
    int paneHeight = 0;
    bool pictureLoads = true;
    bool gameColumn = false;
    QStringList calls;
};
