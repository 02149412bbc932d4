#pragma once

#include "presentation/displaymirror.h"

#include <QWidget>

#include <optional>

class QScreen;

// The number display for the audience: a frameless window filling one screen that shows
// every paint of the main display, rendered by its own renderer at that screen's size and
// pixel ratio. Esc asks to leave it, F6 to hand the keyboard back to the operator's window
// while it stays on screen; the operator's window lends it its commands (their shortcuts and
// its context menu), so they work while it has the keyboard.
class AudienceWindow : public QWidget, public DisplayMirror {
    Q_OBJECT
public:
    explicit AudienceWindow(QWidget *parent = nullptr);

    void showPaint(const DisplayPaint &paint) override;
    // Fills the screen and shows itself there.
    void showOn(QScreen *screen);

    const QImage &bitmap() const { return m_renderer.bitmap(); }

Q_SIGNALS:
    void escapePressed();
    void operatorWindowRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void render();

    NumberDisplayRenderer m_renderer;
    std::optional<DisplayPaint> m_last;
};
