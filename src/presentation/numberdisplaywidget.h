#pragma once

#include "draw/mersenne.h"
#include "presentation/displaymirror.h"
#include "presentation/entrydisplay.h"
#include "presentation/numberdisplay.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class Platform;

// Ergebnisfeld: the number display at the top of the main window. It owns the display state
// and the renderer, shows the rendered bitmap 1:1 (double-buffered by the backing store, never
// cleared before painting) and keeps the handlers of the display options. The main window and
// the settings panel hand it the pool, the running state and the option values, and wire the
// picture option controls to its signals.
class NumberDisplayWidget : public QWidget, public EntryDisplay {
    Q_OBJECT
public:
    // Whether a draw runs: running while an animation runs, stopCaption while its button
    // offers to stop it.
    struct RunState {
        bool running = false;
        bool stopCaption = false;
    };
    using RunStateSource = std::function<RunState()>;

    explicit NumberDisplayWidget(Platform &platform, QWidget *parent = nullptr);

    // The one way to put a text on the display; smoothing 0 for animation frames, 2 otherwise.
    void ShowOnDisplay(const QString &text, int smoothing, bool isEntry) override;
    void showLastStill() override;

    // Wiring done once by the main window.
    void setPool(const EntryPool *pool); // DrawPool, read at each paint
    void setRunStateSource(RunStateSource source);
    // Whether the display panel Ausgabe is hidden; by default: the parent was hidden.
    void setPanelHiddenSource(std::function<bool()> source);
    // The area of the number rain; by default the outer size of the main window.
    void setRainAreaSource(std::function<QSize()> source);
    // The folder picture names are relative to (with a trailing '/'); by default the program's.
    void setFilesFolder(const QString &folder) { m_filesFolder = folder; }

    // Option values from the settings panel (effective from the next paint).
    void setNumberEffect(bool on);                  // cbNumberEffect
    void setColourEffect(bool on);                  // cbFarbenregen
    void setPictureTicked(bool on);                 // cbHintergrund
    void setPictureAnimated(bool on);               // cbHintergrundAnimiert
    void setEntryLength(bool fromFile, int length); // AusDatei, AusDateiLaenge
    void setSafeAnimation(bool on);                 // no flashing, the still number at 7:1
    // A second view that renders every paint too (null: none).
    void setMirror(DisplayMirror *mirror) { m_mirror = mirror; }

    // Handlers; colours are picker values 0x00BBGGRR.
    void cpVordergrundChange(quint32 colour);
    void cpHintergrundChange(quint32 colour);
    void ErgebnisfeldResize();
    // Loads ProgramFolder + fileName (an absolute name as it is); false when the file is
    // missing, not a picture, cut short or too large. On success both picture options are
    // enabled.
    bool LoadBackgroundPicture(const QString &fileName);
    // Start-up with the name read from the settings (the picture options ticked before): a
    // failed load disables cbHintergrund, without a message box; with cbHintergrund ticked it
    // emits pictureUnavailable, once. The field keeps the name (the settings loading shows the
    // problem beside it). True when the picture was loaded.
    bool LoadBackgroundPictureAtStartUp(const QString &fileName);
    // Why the picture of that name was not even read (a folder, a pipe or a device in its
    // place, or a file far too large), as the operator's message; empty otherwise.
    QString pictureRefusal(const QString &fileName) const;
    void edHintergrundbildButtonClick(const QString &fieldText);
    void edHintergrundbildExit(const QString &fieldText);

    // The text a screen reader reads: the last still text shown (animation frames excluded),
    // a list entry whole, also where the display shows only its first characters.
    QString spokenText() const { return m_spokenText; }

    const DisplayState &displayState() const { return m_state; }
    const DisplayOptions &displayOptions() const { return m_options; }
    bool KeepColours() const { return m_state.KeepColours; }
    const QImage &picture() const { return m_state.picture; } // Bilderliste item 0
    const QImage &bitmap() const { return m_renderer.bitmap(); }
    const NumberDisplayRenderer &renderer() const { return m_renderer; }
    bool pictureEnabled() const { return m_options.pictureEnabled; }
    bool animatedEnabled() const { return m_animatedEnabled; }

Q_SIGNALS:
    // A new still text stands on the display; assistive technology is told at the same time.
    void spokenTextChanged(const QString &text);
    // The text edHintergrundbild is to show.
    void pictureFieldChanged(const QString &text);
    // The enabled state cbHintergrund and cbHintergrundAnimiert are to take.
    void pictureOptionsEnabledChanged(bool pictureEnabled, bool animatedEnabled);
    // cbHintergrund and cbHintergrundAnimiert are to be unticked.
    void pictureOptionsUnticked();
    // The picture named in the settings could not be loaded at start-up while its option is
    // ticked: the display paints as if the option were off, and the operator is to be told.
    void pictureUnavailable(const QString &fileName);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString constant(const QString &name) const;
    QString picturePath(const QString &fileName) const;
    QString filesFolder() const;
    void setPictureOptionsEnabled(bool picture, bool animated);

    Platform &m_platform;
    NumberDisplayRenderer m_renderer;
    DisplayState m_state;
    DisplayOptions m_options;
    EffectsGenerator m_effects;
    bool m_animatedEnabled = false;
    const EntryPool *m_pool = nullptr;
    QString m_lastStill;
    bool m_lastStillIsEntry = false;
    RunStateSource m_runState;
    std::function<bool()> m_panelHidden;
    std::function<QSize()> m_rainArea;
    QString m_spokenText;
    QString m_filesFolder;
    DisplayMirror *m_mirror = nullptr;
};
