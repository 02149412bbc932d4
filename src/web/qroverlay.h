#pragma once

#include <QImage>
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
