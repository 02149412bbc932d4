#include "app/plaindisplay.h"

#include <QFontMetrics>
#include <QPainter>

PlainDisplay::PlainDisplay(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Ergebnisfeld"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void PlainDisplay::showText(const QString &text)
{
    m_text = text;
    update();
}

void PlainDisplay::paintEvent(QPaintEvent *)
{
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    // The largest size whose text fits five sixths of the area.
    const int maxW = width() / 6 * 5;
    const int maxH = height() / 6 * 5;
    int low = 3;
    int high = 2000;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        font.setPixelSize(mid);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(m_text) <= maxW && metrics.height() <= maxH)
            low = mid;
        else
            high = mid - 1;
    }
    font.setPixelSize(low);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, m_text);
}
