#pragma once

class ControlStrip;
class DrawAnimation;
class DrawPass;
class PassCommands;
class ResultsTable;
class SettingsCommands;
class SettingsSource;

// The lottery mode's run: draws every game of the ticket suggestion, about a second per number,
// inside the apply step. It is the window's side of the game loop (playLotteryGames): the
// table of games and numbers, the notes on the status line, and each number's animation.
class LotteryDraw {
public:
    struct Parts {
        DrawPass &pass;
        ResultsTable &results;
        ControlStrip &strip;
        const SettingsSource &settings;
        PassCommands &passCommands;         // the game the draws belong to, the range recorded
        SettingsCommands &settingsCommands; // an open panel stops the run
        DrawAnimation &animation;           // each number's animation and the pauses
    };
    explicit LotteryDraw(const Parts &parts) : p(parts) {}

    void runLottery();

private:
    // What the game loop asks of the window.
    class LotteryWindow;

    Parts p;
};
