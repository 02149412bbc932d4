#include "presentation/audiencewindow.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

AudienceWindow::AudienceWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Publikumsfenster"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Closing the operator's window ends the program, also while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setCursor(Qt::BlankCursor);
}

void AudienceWindow::showPaint(const DisplayPaint &paint)
{
    m_last = paint;
    if (isVisible())
        render();
}

void AudienceWindow::showOn(QScreen *screen)
{
    if (!screen)
        return;
    if (isVisible() && this->screen() != screen)
        hide();
    setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
    render();
}

void AudienceWindow::render()
{
    if (!m_last)
        return;
    // The main display's paint, drawn again at this window's size: the same state and the
    // same effects give the same colours and the same rain.
    // The rain keeps its area's proportion to the display.
    DisplayPaint paint = *m_last;
    const QSize main = paint.frame.imageSize;
    const QSize own = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (!main.isEmpty())
        paint.frame.windowSize =
            QSize(int(qint64(paint.frame.windowSize.width()) * own.width() / main.width()),
                  int(qint64(paint.frame.windowSize.height()) * own.height() / main.height()));
    paint.frame.imageSize = own;
    m_renderer.ShowOnDisplay(paint.text, paint.smoothing, paint.isEntry, paint.state, paint.options,
                             paint.frame, *paint.pool, paint.effects);
    update();
}

void AudienceWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage &bitmap = m_renderer.bitmap();
    if (bitmap.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // Shown opaque, as on the main display: the alpha of the grey strip does not show.
    QImage opaque(bitmap.constBits(), bitmap.width(), bitmap.height(), bitmap.bytesPerLine(),
                  QImage::Format_RGB32);
    opaque.setDevicePixelRatio(devicePixelRatioF());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPointF(0, 0), opaque);
}

void AudienceWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    render();
}

void AudienceWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Q_EMIT escapePressed();
        return;
    }
    if (event->key() == Qt::Key_F6) {
        Q_EMIT operatorWindowRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}
