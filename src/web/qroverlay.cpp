#include "web/qroverlay.h"

#include "web/qrcode.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

QrOverlay::QrOverlay(QWidget *display) : QWidget(display)
{
    setObjectName(QStringLiteral("QrOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents); // the display's menu stays reachable
    display->installEventFilter(this);
    hide();
}

void QrOverlay::setAddress(const QString &url)
{
    m_url = url;
    m_code = qrCodeImage(url);
    setAccessibleName(url);
    place();
    update();
}

void QrOverlay::showAs(Size size)
{
    m_size = size;
    place();
    show();
    raise();
}

bool QrOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return QWidget::eventFilter(watched, event);
}

void QrOverlay::place()
{
    const QWidget *display = parentWidget();
    if (!display || m_code.isNull())
        return;
    const QSize area = display->size();
    const int side = std::min(area.width(), area.height());
    // Large: most of the display's height; small: a corner a phone still reads from the hall.
    const int codeSide = m_size == Size::Large ? side * 62 / 100 : std::max(80, side / 5);
    const int textHeight = QFontMetrics(font()).height() * (m_size == Size::Large ? 2 : 1);
    const int padding = m_size == Size::Large ? 16 : 6;
    QFont f = font();
    f.setPixelSize(std::max(10, codeSide / (m_size == Size::Large ? 14 : 10)));
    setFont(f);
    const int textLine = QFontMetrics(f).height() + (textHeight > 0 ? 4 : 0);
    const int width = std::max(codeSide, QFontMetrics(f).horizontalAdvance(m_url)) + 2 * padding;
    const QSize own(std::min(width, area.width()), codeSide + textLine + 2 * padding);
    const QPoint at =
        m_size == Size::Large
            ? QPoint((area.width() - own.width()) / 2, (area.height() - own.height()) / 2)
            : QPoint(area.width() - own.width() - 8, area.height() - own.height() - 8);
    setGeometry(QRect(at, own));
}

void QrOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_code.isNull())
        return;
    const int padding = m_size == Size::Large ? 16 : 6;
    const int textLine = fontMetrics().height() + 4;
    const int side = std::min(width() - 2 * padding, height() - textLine - 2 * padding);
    // Whole pixels a module keep the modules' edges sharp for the phone's camera.
    const int scale = std::max(1, side / m_code.width());
    const int drawn = scale * m_code.width();
    const QRect target((width() - drawn) / 2, padding + (side - drawn) / 2, drawn, drawn);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, m_code);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, height() - padding - textLine, width(), textLine), Qt::AlignCenter,
                     m_url);
}
