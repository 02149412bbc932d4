#include "draw/lottery.h"

#include "draw/drawpool.h"
#include "localisation/uitext.h"

LottoPoolField lottoPoolLimit(int n, int x, int pool)
{
    const int most = n > 0 ? x / n : 1;
    return {qMin(pool, most), most};
}

QString lottoPoolWord(int pool)
{
    return lng(pool < 2 ? "StrSpiel" : "StrSpiele");
}

QStringList lotteryPool(int x)
{
    return buildRangePool({1, x}, false);
}

LotteryRun::LotteryRun(const LotterySettings &settings) : m_settings(settings) {}

LotteryRun::Step LotteryRun::next()
{
    const int n = m_settings.n;
    while (m_game <= m_settings.games && n > 0) {
        if (!m_gameStarted) {
            m_gameStarted = true;
            if (m_available / n < 1) {
                m_available = n * m_settings.pool;
                return Step::RefillPool;
            }
        }
        if (m_drawnInGame < n) {
            ++m_drawnInGame;
            --m_available;
            return Step::DrawNumber;
        }
        ++m_game;
        m_drawnInGame = 0;
        m_gameStarted = false;
    }
    return Step::Finished;
}

LotteryEnd playLotteryGames(const LotterySettings &settings, LotteryHost &host)
{
    LotteryRun run(settings);
    int game = 0;
    for (;;) {
        if (host.settingsPanelVisible())
            return LotteryEnd::PanelOpened;
        const LotteryRun::Step step = run.next();
        if (step == LotteryRun::Step::Finished)
            return LotteryEnd::Finished;
        if (run.game() != game) {
            game = run.game();
            host.setGameNo(game);
        }
        if (step == LotteryRun::Step::RefillPool) {
            host.refillPool(lotteryPool(settings.x));
            continue;
        }
        host.startAnimation();
        if (!host.waitPumping(LotteryAnimationMs))
            return LotteryEnd::Closing;
        host.stopAnimation();
        if (!host.waitPumping(LotteryPauseMs))
            return LotteryEnd::Closing;
    }
}
