#pragma once

#include <QString>
#include <QStringList>

// Lottery ticket suggestions: a number of games, each of n different numbers out of 1..x.
// Consecutive games can share one pool, so that no number comes twice within that group.

struct LotterySettings {
    int n = 6;     // numbers per game (Lotto_n)
    int x = 49;    // numbers are 1..x (Lotto_x)
    int games = 2; // Lotto_Spiele
    int pool = 2;  // games that share one pool (Lotto_Pool)
};

// Lotto_nChange: at most x div n games can share one pool.
struct LottoPoolField {
    int value;
    int maximum;
};
LottoPoolField lottoPoolLimit(int n, int x, int pool);

// Lotto_PoolChange: the word after the pool field, "Spiel" for 1 and "Spiele" from 2 on.
QString lottoPoolWord(int pool);

// A full pool for one group of games: "1" .. x.
QStringList lotteryPool(int x);

// The run, one step at a time, for a caller that animates and waits between the numbers:
//
//     LotteryRun run(settings);
//     for (auto step = run.next(); step != LotteryRun::Step::Finished; step = run.next())
//         if (step == LotteryRun::Step::RefillPool) { pool = lotteryPool(x); drawCount = 0; }
//         else draw one number of game run.game();
//
// A caller that ends early simply stops asking.
class LotteryRun {
public:
    enum class Step {
        RefillPool, // fewer than n numbers left in the shared pool: start a fresh one first
        DrawNumber, // draw one number of game(); the pool holds at least one number
        Finished,   // every game is drawn
    };

    explicit LotteryRun(const LotterySettings &settings);

    Step next();
    // The current game, counted from 1 (LottoGameNo).
    int game() const { return m_game; }
    // Draws the whole run makes: n for every game.
    qint32 drawTotal() const { return qint32(m_settings.n) * m_settings.games; }

private:
    LotterySettings m_settings;
    int m_game = 1;
    int m_drawnInGame = 0;
    bool m_gameStarted = false;
    int m_available = 0; // numbers still free in the shared pool
};

// What the game loop of a lottery run needs from the window.
class LotteryHost {
public:
    virtual ~LotteryHost() = default;
    // The operator opened the settings panel: the run stops before the next game or number.
    virtual bool settingsPanelVisible() const = 0;
    // A fresh shared pool: DrawPool := `pool`, DrawCount := 0.
    virtual void refillPool(const QStringList &pool) = 0;
    // The game whose numbers are drawn now (LottoGameNo).
    virtual void setGameNo(int game) = 0;
    // The animation of one number starts (Stop caption, sound, animation timer on).
    virtual void startAnimation() = 0;
    // The Start caption returns and the sound stops, unless it loops; the next animation tick
    // draws the number.
    virtual void stopAnimation() = 0;
    // Waits while window messages are processed; false when the application is closing.
    virtual bool waitPumping(int ms) = 0;
};

enum class LotteryEnd { Finished, PanelOpened, Closing };

// Milliseconds of animation before a number is drawn, and the pause after it.
inline constexpr int LotteryAnimationMs = 600;
inline constexpr int LotteryPauseMs = 400;

// The game loop of a lottery run: every game, each number animated, drawn and followed by a
// pause. Ends early when the settings panel shows (before a game or a number) or at once when
// the application is closing.
LotteryEnd playLotteryGames(const LotterySettings &settings, LotteryHost &host);
