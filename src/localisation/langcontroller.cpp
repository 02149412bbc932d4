#include "localisation/langcontroller.h"

#include "localisation/langfile.h"
#include "localisation/langmanager.h"

TLanguageController::TLanguageController(const QString &sectionName,
                                         const QList<LangDataEntry> &entries,
                                         TLanguageManager &manager)
    : m_manager(manager), m_sectionName(sectionName), m_entries(entries)
{
    m_properties.reserve(entries.size());
    for (const LangDataEntry &entry : entries) {
        Property property;
        property.id = entry.id;
        property.component = QString::fromLatin1(entry.component);
        property.path = QString::fromLatin1(entry.path);
        m_properties.append(property);
    }
    m_manager.registerController(this);
}

TLanguageController::~TLanguageController()
{
    m_manager.unregisterController(this);
}

bool TLanguageController::bind(const QString &component, const QString &path, TextGetter get,
                               TextSetter set)
{
    for (Property &property : m_properties) {
        if (property.component.compare(component, Qt::CaseInsensitive) != 0 ||
            property.path.compare(path, Qt::CaseInsensitive) != 0)
            continue;
        property.get = std::move(get);
        property.set = std::move(set);
        if (m_loaded && property.get)
            property.sourceText = property.get();
        return true;
    }
    return false;
}

QList<qint32> TLanguageController::unboundIds() const
{
    QList<qint32> unbound;
    for (const Property &property : m_properties) {
        if (!property.set)
            unbound.append(property.id);
    }
    return unbound;
}

void TLanguageController::loaded()
{
    for (Property &property : m_properties) {
        if (property.get)
            property.sourceText = property.get();
    }
    m_loaded = true;
    m_manager.applyCurrentTranslation(*this);
}

void TLanguageController::applyTranslation(const TLangCompTranslation *section)
{
    if (OnLanguageChanging)
        OnLanguageChanging();
    for (const Property &property : m_properties) {
        if (!property.set)
            continue;
        const QString *text = section ? section->text(property.id) : nullptr;
        property.set(text ? *text : property.sourceText);
    }
    if (OnLanguageChanged)
        OnLanguageChanged();
}

QString TLanguageController::sourceText(qint32 id) const
{
    for (const Property &property : m_properties) {
        if (property.id == id)
            return property.sourceText;
    }
    return {};
}

QString TLanguageController::currentText(qint32 id) const
{
    for (const Property &property : m_properties) {
        if (property.id == id)
            return property.get ? property.get() : QString();
    }
    return {};
}
