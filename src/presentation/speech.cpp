#include "presentation/speech.h"

#include "localisation/uitext.h"

void ResultAnnouncer::setEnabled(bool on)
{
    m_enabled = on;
    if (on && available())
        m_parts.engine->prepare();
}

QString ResultAnnouncer::announcement(const QString &entry, const QString &prize) const
{
    if (!prize.trimmed().isEmpty() && m_parts.prizes && m_parts.prizes())
        return lngFormat("StrShowAnsagePreis", {entry, prize.trimmed()});
    return lngFormat("StrShowAnsage", {entry});
}

void ResultAnnouncer::announce(const QString &entry, const QString &prize)
{
    if (!m_enabled || !available() || entry.isEmpty())
        return;
    m_parts.engine->say(announcement(entry, prize),
                        m_parts.language ? m_parts.language() : QLocale());
}
