#pragma once

#include "draw/drawjournal.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class ControlStrip;
class DrawPass;
class EntryDisplay;
class Platform;
class SettingsSource;
struct Settings;

// The verifiable draw in the window: with the option on, every segment of a pass is committed
// before its first draw (the commitment on the display and the status line), each draw is
// journaled before it is shown, and the seed is revealed when the pass ends, when the pool is
// built anew, and on the operator's command. With the option off it does nothing at all, not
// even open the journal.
class VerifiedDraw {
public:
    struct Parts {
        DrawPass &pass;
        EntryDisplay &display;
        ControlStrip &strip;
        const SettingsSource &settings;
        Platform &platform;
        QString journalPath;
        // The word the audience called out for the next segment, taken once; may be empty.
        std::function<QString()> takeAudienceWord;
    };
    // Where the seeds come from: SeedBytes random bytes.
    using SeedSource = std::function<QByteArray()>;
    // The operating system's random source.
    static QByteArray systemSeed();

    explicit VerifiedDraw(const Parts &parts, SeedSource seeds = systemSeed);

    // The pool was built (start-up, settings applied): the open segment is revealed and, while
    // the option is on and a draw is allowed, a new one begins and its commitment is shown.
    void passReady();
    // Shows the open segment's commitment again (the greeting replaces the display's text).
    void showCommitment();
    // The operator's command: the seed is revealed now and a new segment begins.
    void mmStartwertOffenlegenClick();

    bool segmentOpen() const { return m_journal.segmentOpen(); }
    // A segment is open and nothing has been drawn in it yet.
    bool awaitingFirstDraw() const;
    // "Festlegung: ..." for the outputs while a segment is open, else empty; after a draw with
    // the chain head after the newest draw ("Protokoll: ...").
    QString commitmentNote() const;
    QByteArray commitment() const { return m_commitment; }
    // "Protokoll: ..." with the first hex groups of the chain head after the draw of `entry`,
    // for the results table; empty while the option is off or the journal holds no such draw.
    QString chainHeadNote(const QString &entry) const;
    const DrawJournal &journal() const { return m_journal; }
    // The seed revealed last, until the next segment begins; empty otherwise.
    QByteArray revealedSeed() const { return m_revealed; }

private:
    bool beginSegment();
    bool reveal();
    // The journal cannot be written: no draw until a new segment could be committed.
    void halt(const QString &reason);
    // A draw was refused while halted: the journal is tried again.
    void resume();
    // Rows the journal holds for the pass and the draw log lacks are put back.
    void restoreFromJournal(const Settings &settings);
    void writeFailed(const QString &reason);

    Parts p;
    SeedSource m_seeds;
    DrawJournal m_journal;
    bool m_opened = false;
    QByteArray m_commitment;
    QByteArray m_revealed;
    QObject m_notices; // receives the pass's signals for as long as this part lives
    bool m_failureShown = false;
    qint32 m_countAtBegin = 0; // the pass's DrawCount when the open segment began
};
