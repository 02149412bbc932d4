#include "presentation/numberdisplayaccessible.h"

#include "presentation/numberdisplaywidget.h"

NumberDisplayAccessible::NumberDisplayAccessible(NumberDisplayWidget *display)
    : QAccessibleWidget(display, QAccessible::StaticText)
{
}

const NumberDisplayWidget *NumberDisplayAccessible::display() const
{
    return static_cast<const NumberDisplayWidget *>(widget());
}

QString NumberDisplayAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
    case QAccessible::Value: return display()->spokenText();
    case QAccessible::Description: return widget()->accessibleDescription();
    default: return QAccessibleWidget::text(t);
    }
}

QAccessibleInterface *NumberDisplayAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("NumberDisplayWidget") && object && object->isWidgetType())
        return new NumberDisplayAccessible(static_cast<NumberDisplayWidget *>(object));
    return nullptr;
}
