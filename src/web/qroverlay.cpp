#include "web/qroverlay.h"

#include "web/qrcode.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

QrOverlay::QrOverlay(QWidget *display) : QWidget(display)
{
    setObjectName(QStringLiteral("QrOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents); // the display's menu stays reachable
    display->installEventFilter(this);
    hide();
}

void QrOverlay::setAddress(const QString &url)
{
    // The code is made once per address, not each time it is shown again.
    if (url == m_url && !m_code.isNull())
        return;
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
    // Large: the whole display, the code as large as it fits above its address; small: a
    // corner a phone still reads from the hall.
    const int side = std::min(area.width(), area.height());
    QFont f = font();
    f.setPixelSize(std::clamp(side / 16, 10, 40));
    setFont(f);
    if (m_size == Size::Large) {
        setGeometry(QRect(QPoint(0, 0), area));
        return;
    }
    const int codeSide = std::max(80, side / 5);
    const int own = codeSide + QFontMetrics(f).height() + 16;
    // As wide as the address, so that it is never cut.
    const int wide = std::max(own, QFontMetrics(f).horizontalAdvance(m_url) + 16);
    setGeometry(QRect(area.width() - wide - 8, area.height() - own - 8, wide, own));
}

void QrOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_code.isNull())
        return;
    const int padding = 8;
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

void QrCodeScreens::showAs(const QString &url, QrOverlay::Size size)
{
    if (!m_code)
        m_code = new QrOverlay(m_display);
    if (!m_audienceCode && m_audience)
        m_audienceCode = new QrOverlay(m_audience);
    for (QrOverlay *code : {m_code.data(), m_audienceCode.data()}) {
        if (!code)
            continue;
        code->setAddress(url);
        code->showAs(size);
    }
}

void QrCodeScreens::hide()
{
    for (QrOverlay *code : {m_code.data(), m_audienceCode.data()})
        if (code)
            code->hide();
}
