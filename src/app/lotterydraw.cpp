#include "app/lotterydraw.h"

#include "app/commands.h"
#include "app/controlstrip.h"
#include "app/drawanimation.h"
#include "draw/drawpass.h"
#include "draw/lottery.h"
#include "localisation/uitext.h"
#include "results/resultstable.h"
#include "settings/settings.h"
#include "settings/settingssource.h"

// What the game loop asks of the window: the animation, the draw at the next tick, the waits.
class LotteryDraw::LotteryWindow final : public LotteryHost {
public:
    explicit LotteryWindow(const LotteryDraw::Parts &parts) : p(parts) {}

    bool settingsPanelVisible() const override { return p.settingsCommands.panelShown(); }
    void refillPool(const QStringList &pool) override
    {
        p.pass.beginLotteryGame(EntryPool::fromList(pool));
    }
    void setGameNo(int game) override { p.passCommands.setLottoGameNo(game); }
    // A number's animation; one whose tick has not come yet (a machine too busy for the pause)
    // is drawn first, so no number of a game is lost.
    void startAnimation() override { p.animation.startLotteryNumber(); }
    // The next animation tick draws the number and switches the animation off.
    void stopAnimation() override { p.animation.stopLotteryNumber(); }
    bool waitPumping(int ms) override { return p.animation.WaitPumping(ms); }

private:
    const LotteryDraw::Parts &p;
};

void LotteryDraw::runLottery()
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
    LotteryWindow window(p);
    if (playLotteryGames(lottery, window) == LotteryEnd::Closing)
        return;
    p.animation.drawPendingNumber();
    // The run is over: its closing note, and the entries' column back at its width.
    p.strip.hideNote();
    p.strip.showNote(lng("StrLottoziehungEnde"));
    p.results.setColumnWidth(ResultsModel::Gezogen, 100);
    p.results.setColumnShown(ResultsModel::Gezogen, true);
    p.results.FitResultColumns(p.results.window()->width());
}
