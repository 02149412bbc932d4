#pragma once

#include "settings/settingshost.h"

#include <QStringList>

// The main window as loading and saving the settings see it: records what they asked for and
// holds a window of a settable height.
class FakeSettingsHost final : public SettingsHost {
public:
    qint32 rangeSize() const override { return range; }
    void setDrawQuota(qint32 quota) override { drawQuota = quota; }
    void createWavePlayer() override { calls << QStringLiteral("createWavePlayer"); }
    void setDisplayForeColour(quint32 bgr) override { foreColour = bgr; }
    void setDisplayBackColour(quint32 bgr) override { backColour = bgr; }
    QString lookupConstant(const QString &name) const override
    {
        if (name == QLatin1String("StrZiehungAnzahl"))
            return QStringLiteral("Anzahl Ziehungen");
        if (name == QLatin1String("StrDateiNichtGefunden"))
            return QStringLiteral("Datei nicht gefunden!");
        return name;
    }
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
    void loadPrizeList() override { calls << QStringLiteral("loadPrizeList"); }

    qint32 range = 900;
    qint32 drawQuota = -1;
    quint32 foreColour = 0xDEAD;
    quint32 backColour = 0xDEAD;
    bool listTick = false;
    bool maximised = false;
    int outputPercent = -1;
    int windowHeight = 650;
    int paneHeight = 0;
    bool pictureLoads = true;
    bool gameColumn = false;
    QStringList calls;
};
