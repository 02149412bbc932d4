#pragma once

#include "presentation/speech.h"

#include <QList>
#include <QObject>

#include <memory>

class AudienceWindow;
class LiveAnnouncement;
class DrawPass;
class NumberDisplayWidget;
class QScreen;
class QWidget;
class RangePage;
class ShowOptionsBox;

// The show options at work: the audience window on its screen (F11 and Esc with one
// screen, screens coming and going), the safe animation on the display and the spoken result
// of each draw. Everything stays as it was while the options are off.
class ShowPart : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget &window; // the main window: the operator's screen
        NumberDisplayWidget &display;
        QWidget &panel;      // the settings panel: the operator's, it brings their window forward
        ShowOptionsBox &box; // the show options
        const RangePage &range; // whether prizes are attached, for the spoken result
        DrawPass &pass;
        SpeechEngine *speech; // null: none
    };
    explicit ShowPart(Parts parts, QObject *parent = nullptr);
    ~ShowPart() override;

    // Opens or closes the audience window as the options and the screens say.
    void updateAudience();
    // F11: shows or hides the audience window (the only way to show it with one screen); on
    // one screen, when it stands behind the operator's window, brings it forward.
    void toggleAudience();
    // Gives the keyboard back to the operator's window; the audience window stays shown.
    void handBack();
    void retranslate();

    AudienceWindow *audienceWindow() const { return m_audience.get(); }
    ResultAnnouncer &announcer() { return m_announcer; }
    // What assistive technology is told after each draw.
    const LiveAnnouncement &liveAnnouncement() const { return *m_live; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The screens there are, less one that is going.
    QList<QScreen *> screens() const;
    QScreen *audienceScreen() const;
    void screensChanged(QScreen *gone = nullptr);
    void announceRow(int position);

    Parts m_parts;
    std::unique_ptr<AudienceWindow> m_audience;
    ResultAnnouncer m_announcer;
    LiveAnnouncement *m_live = nullptr; // a child of the window
    bool m_hiddenByOperator = false;    // Esc or F11 with more than one screen
    bool m_shownOnOneScreen = false;    // F11 with one screen
    QScreen *m_gone = nullptr;          // a screen being removed
};
