#pragma once

#include <QAccessibleWidget>

class NumberDisplayWidget;

// What assistive technology sees of the number display: a static text whose name is the entry
// or message that stands on it, so a screen reader can read the drawn number. The animation's
// passing frames are not exposed; the name changes when a still text is shown.
class NumberDisplayAccessible : public QAccessibleWidget {
public:
    explicit NumberDisplayAccessible(NumberDisplayWidget *display);

    QString text(QAccessible::Text t) const override;

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface *create(const QString &className, QObject *object);

private:
    const NumberDisplayWidget *display() const;
};
