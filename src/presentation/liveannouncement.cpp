#include "presentation/liveannouncement.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class LiveAnnouncementAccessible : public QAccessibleWidget {
public:
    explicit LiveAnnouncementAccessible(LiveAnnouncement *widget)
        : QAccessibleWidget(widget, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name || t == QAccessible::Value)
            return static_cast<const LiveAnnouncement *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("LiveAnnouncement") && object && object->isWidgetType())
        return new LiveAnnouncementAccessible(static_cast<LiveAnnouncement *>(object));
    return nullptr;
}

} // namespace

LiveAnnouncement::LiveAnnouncement(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LiveAnnouncement"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    static const bool installed = [] {
        QAccessible::installFactory(&createAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

void LiveAnnouncement::announce(const QString &text)
{
    if (text.isEmpty())
        return;
    m_text = text;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
