#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

// The results page's address as a QR code with the address in text below it, laid over a
// display (the number display or the audience window) as a child widget: large in the middle
// while shown on demand, or small in a corner.
class QrOverlay : public QWidget {
    Q_OBJECT
public:
    enum class Size { Large, Corner };
    explicit QrOverlay(QWidget *display);

    void setAddress(const QString &url);
    QString address() const { return m_url; }
    void showAs(Size size);
    Size size() const { return m_size; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    QString m_url;
    QImage m_code;
    Size m_size = Size::Large;
};

// The code on every screen that shows the draw: the number display and, when there is one, the
// audience window. The overlays are made when the code first shows and always show the same
// address at the same size.
class QrCodeScreens {
public:
    QrCodeScreens(QWidget &display, QWidget *audience) : m_display(&display), m_audience(audience)
    {
    }

    void showAs(const QString &url, QrOverlay::Size size);
    void hide();
    // Whether the code shows on the number display.
    bool shown() const { return m_code && !m_code->isHidden(); }

private:
    QWidget *m_display;
    QWidget *m_audience; // may be null
    QPointer<QrOverlay> m_code;
    QPointer<QrOverlay> m_audienceCode;
};
