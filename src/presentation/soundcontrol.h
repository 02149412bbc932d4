#pragma once

#include <QString>

class Platform;
class TWavePlayer;

// The sound options of the settings panel, as ticked at the moment they are asked.
struct SoundOptions {
    bool sound = true;  // "Klang": sound with draws
    bool toEnd = false; // "bis Ende": the sound keeps running after a draw stops
    QString fileName;   // the WAV file, relative to the program's folder; empty: the click
};

// When the window's one player plays: loading the chosen sound and the occasions of a draw,
// the lottery, the settings panel and "Musik aus".
class SoundControl {
public:
    SoundControl(TWavePlayer &player, Platform &platform);

    // Whether the file field names a file: its text sorts after a single blank. "bis Ende" is
    // offered only then.
    static bool fileNamed(const QString &fileName);
    // The folder that relative sound file names start from; the program's folder until set.
    void setFilesFolder(const QString &folder) { m_filesFolder = folder; }
    // The named file, resolved against that folder unless it is absolute.
    QString soundPath(const QString &fileName) const;

    // edSoundfileExit (leaving the file field, and once at start-up): the named file, or the
    // built-in click when none is named. A named file that is missing or not a sound image
    // gives the not-found warning and the sound loaded before stays; the result is then false
    // and the caller unticks and disables "bis Ende".
    bool edSoundfileExit(const QString &fileName);
    // edSoundfileButtonClick: the file dialog in the files folder, for WAV files. Returns the
    // chosen file relative to that folder, or fieldText when the dialog is cancelled; the
    // file is loaded when the field is left.
    QString edSoundfileButtonClick(const QString &fieldText);
    // cbSoundClick (each click on "Klang"): empties the player (which stops it), then loads as
    // above; a file that cannot be loaded only warns and leaves the player empty.
    void cbSoundClick(const QString &fileName);

    // A draw starts: the sound restarts, or with "bis Ende" starts only if it is not running.
    void drawStarted(const SoundOptions &options);
    // A draw stops: the sound stops unless it plays to the end.
    void drawStopped(const SoundOptions &options);
    // Lottery: before each number's animation, and after it.
    void lotteryNumberStarts(const SoundOptions &options);
    void lotteryNumberDone(const SoundOptions &options);
    // Settings applied in the time-of-day or countdown mode: a named file plays as waiting
    // music; the built-in click does not.
    void waitingStarted(const SoundOptions &options);
    // The settings panel opens.
    void settingsOpened(const SoundOptions &options);
    // "Musik aus" (MMStille): silence, whatever the options say.
    void MMStille();
    // The main window closes.
    void windowClosing();

private:
    bool loadNamed(const QString &fileName);
    void loadClick();

    TWavePlayer &m_player;
    QString filesFolder() const;

    Platform &m_platform;
    QString m_filesFolder; // with a trailing '/'
};
