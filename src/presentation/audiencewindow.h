#pragma once

#include "presentation/displaymirror.h"

#include <QWidget>

#include <optional>

class QScreen;

// The number display for the audience: a frameless window filling one screen that shows
// every paint of the main display, rendered by its own renderer at that screen's size and
// pixel ratio. Esc asks to leave it.
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

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void render();

    NumberDisplayRenderer m_renderer;
    std::optional<DisplayPaint> m_last;
};
