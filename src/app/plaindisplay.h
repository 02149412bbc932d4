#pragma once

#include <QWidget>

// Stands in for the number display `Ergebnisfeld`: shows the last text plainly, large and
// centred on white.
class PlainDisplay : public QWidget {
    Q_OBJECT
public:
    explicit PlainDisplay(QWidget *parent = nullptr);

    void showText(const QString &text);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};
