#pragma once

#include <QList>
#include <QString>

#include <functional>

class TLanguageManager;
struct TLangCompTranslation;

// One translatable text of a window as designed (tables of these are static data): its ID in the
// language files, the component that holds it (by object name; the window itself by its own name)
// and the property path ("Caption", "Hint", "Header.Caption", "Items", ...).
struct LangDataEntry {
    qint32 id;
    const char *component;
    const char *path;
};

// The translatable texts of one window. The window binds every entry of its table to a
// getter and a setter of the control's text; once the window is built (loaded) the
// controller captures the texts as designed, which are the source language, and from then
// on sets every bound text whenever the language manager switches the language.
//
// A controller registers itself with the manager for its whole life.
class TLanguageController {
public:
    using TextGetter = std::function<QString()>;
    using TextSetter = std::function<void(const QString &)>;

    // The controller of the section sectionName ("Form1" for the main window).
    TLanguageController(const QString &sectionName, const QList<LangDataEntry> &entries,
                        TLanguageManager &manager);
    ~TLanguageController();

    TLanguageController(const TLanguageController &) = delete;
    TLanguageController &operator=(const TLanguageController &) = delete;

    const QString &SectionName() const { return m_sectionName; }

    // Binds the entry of that component and path (compared case-insensitively); false when
    // the table has no such entry. Binding after loaded() captures the text at once.
    bool bind(const QString &component, const QString &path, TextGetter get, TextSetter set);
    // The IDs of the entries not bound yet.
    QList<qint32> unboundIds() const;
    // The table the controller was made with (its strings are static).
    const QList<LangDataEntry> &entries() const { return m_entries; }

    // The owner is built: captures the source text of every bound entry and, when the
    // language in force is not the source language, receives its translation at once.
    void loaded();

    // Sets every bound text to the section's text of its ID, or to its source text when
    // there is no section or the section has no text for the ID.
    void applyTranslation(const TLangCompTranslation *section);

    // The captured source text of an ID; empty for an unknown or unbound ID.
    QString sourceText(qint32 id) const;
    // The text a bound entry shows now (its getter); empty for an unknown or unbound ID.
    QString currentText(qint32 id) const;

    // Raised before and after a language is applied to the bound texts.
    std::function<void()> OnLanguageChanging;
    std::function<void()> OnLanguageChanged;

private:
    struct Property {
        qint32 id = 0;
        QString component;
        QString path;
        QString sourceText;
        TextGetter get;
        TextSetter set;
    };

    TLanguageManager &m_manager;
    QString m_sectionName;
    QList<LangDataEntry> m_entries;
    QList<Property> m_properties;
    bool m_loaded = false;
};
