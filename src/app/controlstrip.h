#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QPushButton;

// The strip under the display: the Start/Stop button and the status line `AutotivrelNotiz`.
class ControlStrip {
public:
    ControlStrip(QPushButton &startStop, QLabel &note);

    // The button's caption follows whether an animation runs.
    void showRunning(bool running);
    // The button is shown and usable, or hidden and disabled (a pass that is over, a timed
    // mode).
    void setStartShown(bool shown);
    bool startEnabled() const;
    QString startCaption() const;
    // Hides the button only; its enabled state stays.
    void hideStart();

    void showNote(const QString &text);
    // A note longer than the strip is wide (a commitment, a seed): its font shrinks until the
    // whole text fits, for as long as it shows.
    void showLongNote(const QString &text);
    void hideNote();
    QString note() const;
    bool noteShown() const;

private:
    QPushButton &m_button;
    QLabel &m_note;
    QFont m_noteFont;
};
