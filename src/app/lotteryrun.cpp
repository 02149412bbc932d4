// The lottery run of the draw control: the window side of the game loop.
#include "app/controlstrip.h"
#include "app/drawcontrol.h"
#include "app/soundpart.h"
#include "app/windowtimer.h"
#include "draw/drawpass.h"
#include "draw/lottery.h"
#include "localisation/uitext.h"
#include "presentation/soundcontrol.h"
#include "results/resultstable.h"
#include "settings/settings.h"
#include "settings/settingssource.h"

// What the game loop asks of the window: the animation, the draw at the next tick, the waits.
class DrawControl::LotteryWindow final : public LotteryHost {
public:
    explicit LotteryWindow(DrawControl &control) : d(control) {}

    bool settingsPanelVisible() const override { return d.m_settingsCommands->panelShown(); }
    void refillPool(const QStringList &pool) override
    {
        d.p.pass.beginLotteryGame(EntryPool::fromList(pool));
    }
    void setGameNo(int game) override { d.p.passCommands.setLottoGameNo(game); }
    // A number whose animation tick has not come yet (a machine too busy for the pause) is
    // drawn now, so no number of a game is lost.
    void drawPendingNumber()
    {
        if (d.m_animation == DrawControl::Animation::Stopping)
            d.RefresherTimer();
    }
    void startAnimation() override
    {
        drawPendingNumber();
        const Settings settings = d.p.settings.current();
        d.setAnimation(DrawControl::Animation::Running);
        d.p.sound.lotteryNumberStarts(SoundPart::optionsOf(settings));
        d.Refresher->setEnabled(true);
    }
    void stopAnimation() override
    {
        const Settings settings = d.p.settings.current();
        // The next animation tick draws the number and switches the animation off.
        d.setAnimation(DrawControl::Animation::Stopping);
        d.p.sound.lotteryNumberDone(SoundPart::optionsOf(settings));
    }
    bool waitPumping(int ms) override { return d.WaitPumping(ms); }

private:
    DrawControl &d;
};

void DrawControl::runLottery()
{
    const Settings settings = p.settings.current();
    const LotterySettings lottery{settings.Pool_n, settings.Pool_x, settings.Games, settings.Pool};
    // The table shows games and numbers; no start button, the run's note instead.
    p.results.results()->setHeaderText(ResultsModel::Spiel, lng("StrSpielZahl"));
    p.results.setColumnShown(ResultsModel::Spiel, true);
    p.results.setColumnShown(ResultsModel::Gezogen, false);
    p.strip.hideStart();
    p.strip.showNote(lng("StrLottoziehungStart"));
    // A lottery run is a pass of its own: the rows of the last one go.
    p.pass.clear();
    // The range page, which the pool part owns, records the run.
    p.passCommands.recordLotteryRange(lottery.n, lottery.x, LotteryRun(lottery).drawTotal());
    // The games are played one after the other, each drawing its numbers.
    LotteryWindow window(*this);
    if (playLotteryGames(lottery, window) == LotteryEnd::Closing)
        return;
    window.drawPendingNumber();
    // The run is over: its closing note, and the entries' column back at its width.
    p.strip.hideNote();
    p.strip.showNote(lng("StrLottoziehungEnde"));
    p.results.setColumnWidth(ResultsModel::Gezogen, 100);
    p.results.setColumnShown(ResultsModel::Gezogen, true);
    p.results.FitResultColumns(p.results.window()->width());
}
