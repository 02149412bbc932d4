#include "localisation/langmanager.h"

#include "localisation/codepage.h"
#include "localisation/formattext.h"
#include "localisation/langcontroller.h"
#include "localisation/langfile.h"

#include <QFile>
#include <QLocale>
#include <QLoggingCategory>

#include <unicode/uloc.h>

#include <optional>

Q_LOGGING_CATEGORY(lcLanguage, "tivrel.localisation")

LocalizationError::LocalizationError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

TLanguageManager::TLanguageManager() : TLanguageManager(QStringLiteral(":/LANG_CONSTS")) {}

TLanguageManager::TLanguageManager(const QString &constantsPath)
    : m_languageCodePage(CodePageOfLanguage(m_currentLanguage))
{
    QFile file(constantsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcLanguage) << "No language constants in" << constantsPath;
        return;
    }
    const ConstantsStreamResult result =
        ReadConstantsStream(file.readAll(), m_languageCodePage, m_constants);
    if (!result.ok())
        qCWarning(lcLanguage).noquote() << constantsPath << result.error;
}

QString TLanguageManager::LookupConstant(const QString &name) const
{
    const QReadLocker locker(&m_lock);
    const qsizetype index = m_constants.indexOf(name);
    if (index < 0)
        throw LocalizationError(FormatText(QStringLiteral("Constant \"%s\" not found"), {name}));
    return m_constants.at(index).text;
}

QString TLanguageManager::FormatConstant(const QString &name, const QVariantList &args) const
{
    return FormatText(LookupConstant(name), args);
}

void TLanguageManager::SetSourceLanguage(quint16 id)
{
    const QWriteLocker locker(&m_lock);
    m_sourceLanguage = id;
}

quint16 TLanguageManager::SourceLanguage() const
{
    const QReadLocker locker(&m_lock);
    return m_sourceLanguage;
}

quint16 TLanguageManager::CurrentLanguage() const
{
    const QReadLocker locker(&m_lock);
    return m_currentLanguage;
}

quint32 TLanguageManager::LanguageCodePage() const
{
    const QReadLocker locker(&m_lock);
    return m_languageCodePage;
}

void TLanguageManager::applyTranslation(const QHash<QString, QString> &texts, quint16 language)
{
    const QWriteLocker locker(&m_lock);
    applyConstantsLocked(&texts);
    setCurrentLanguageLocked(language);
}

void TLanguageManager::resetToSource(quint16 language)
{
    const QWriteLocker locker(&m_lock);
    applyConstantsLocked(nullptr);
    setCurrentLanguageLocked(language);
}

void TLanguageManager::applyConstantsLocked(const QHash<QString, QString> *texts)
{
    if (!texts) {
        for (qsizetype i = 0; i < m_constants.count(); ++i)
            m_constants[i].text = m_constants.at(i).sourceText;
        return;
    }
    for (auto it = texts->cbegin(); it != texts->cend(); ++it) {
        const qsizetype index = m_constants.indexOf(it.key());
        if (index >= 0)
            m_constants[index].text = it.value();
    }
}

QStringList TLanguageManager::constantNames() const
{
    const QReadLocker locker(&m_lock);
    QStringList names;
    names.reserve(m_constants.count());
    for (qsizetype i = 0; i < m_constants.count(); ++i)
        names.append(m_constants.at(i).name);
    return names;
}

void TLanguageManager::setCurrentLanguageLocked(quint16 language)
{
    m_currentLanguage = language;
    m_languageCodePage = CodePageOfLanguage(language);
}

void TLanguageManager::AddLanguageResource(const QString &module, const QString &resourceName,
                                           quint16 id)
{
    TLangResource language;
    language.kind = TLangResource::Kind::ResourceByName;
    language.module = module;
    language.name = resourceName;
    language.languageId = id;
    addLanguage(language);
}

void TLanguageManager::AddLanguageFile(const QString &fileName, quint16 id)
{
    TLangResource language;
    language.kind = TLangResource::Kind::File;
    language.name = fileName;
    language.languageId = id;
    addLanguage(language);
}

void TLanguageManager::addLanguage(const TLangResource &language)
{
    const QWriteLocker locker(&m_lock);
    if (language.languageId == m_sourceLanguage)
        return;
    for (TLangResource &registered : m_languages) {
        if (registered.languageId == language.languageId) {
            registered = language;
            return;
        }
    }
    m_languages.append(language);
}

int TLanguageManager::LanguageCount() const
{
    const QReadLocker locker(&m_lock);
    return 1 + int(m_languages.size());
}

quint16 TLanguageManager::LanguageIdAt(int index) const
{
    const QReadLocker locker(&m_lock);
    if (index < 1 || index > m_languages.size())
        return m_sourceLanguage;
    return m_languages.at(index - 1).languageId;
}

QString TLanguageManager::LanguageNameAt(int index) const
{
    return LanguageDisplayName(LanguageIdAt(index));
}

int TLanguageManager::LanguageIndexOf(quint16 id) const
{
    const QReadLocker locker(&m_lock);
    if (id == m_sourceLanguage)
        return 0;
    for (qsizetype i = 0; i < m_languages.size(); ++i) {
        if (m_languages.at(i).languageId == id)
            return int(i) + 1;
    }
    return 0;
}

const TLangResource *TLanguageManager::registeredLocked(quint16 id) const
{
    if (id == m_sourceLanguage)
        return nullptr;
    for (const TLangResource &language : m_languages) {
        if (language.languageId == id)
            return &language;
    }
    return nullptr;
}

namespace {

// Reads and parses a registered language file; the error says why that failed.
std::optional<TLangCompTranslations> loadTranslations(const TLangResource &language, QString &error)
{
    QFile file(language.location());
    if (!file.open(QIODevice::ReadOnly)) {
        error = FormatText(QStringLiteral("Language file \"%s\" cannot be read"),
                           {language.location()});
        return std::nullopt;
    }
    LangFileParse parse = ParseLanguageFile(file.readAll());
    if (!parse.ok()) {
        error = parse.error;
        return std::nullopt;
    }
    return std::move(parse.translations);
}

} // namespace

LanguageSwitch TLanguageManager::ActivateLanguage(quint16 id)
{
    LanguageSwitch result;
    std::optional<TLangCompTranslations> translations;
    {
        const QWriteLocker locker(&m_lock);
        if (const TLangResource *language = registeredLocked(id)) {
            translations = loadTranslations(*language, result.error);
            if (!translations)
                return result;
        } else {
            id = m_sourceLanguage;
        }
        if (id == m_currentLanguage)
            return result;
        setCurrentLanguageLocked(id);
        // The constants switch together with the language, so that no lookup sees the new
        // language with the old texts.
        applyConstantsLocked(translations ? &translations->constants : nullptr);
        result.changed = true;
    }

    const QReadLocker locker(&m_lock);
    const QList<TLanguageController *> controllers = m_controllers;
    for (TLanguageController *controller : controllers) {
        controller->applyTranslation(translations ? translations->section(controller->SectionName())
                                                  : nullptr);
    }
    return result;
}

void TLanguageManager::registerController(TLanguageController *controller)
{
    const QWriteLocker locker(&m_lock);
    if (!m_controllers.contains(controller))
        m_controllers.append(controller);
}

void TLanguageManager::unregisterController(TLanguageController *controller)
{
    const QWriteLocker locker(&m_lock);
    m_controllers.removeAll(controller);
}

void TLanguageManager::applyCurrentTranslation(TLanguageController &controller)
{
    const QReadLocker locker(&m_lock);
    const TLangResource *language = registeredLocked(m_currentLanguage);
    if (!language)
        return;
    QString error;
    const std::optional<TLangCompTranslations> translations = loadTranslations(*language, error);
    if (!translations) {
        qCWarning(lcLanguage).noquote() << error;
        return;
    }
    controller.applyTranslation(translations->section(controller.SectionName()));
}

QString TLangResource::location() const
{
    switch (kind) {
    case Kind::ResourceByName: return module + name;
    case Kind::ResourceByNumber: return module + QString::number(number);
    case Kind::File: return name;
    }
    return name;
}

quint16 StartupLanguageId(quint16 systemLanguageId)
{
    switch (systemLanguageId) {
    case 1031: // Germany
    case 2055: // Switzerland
    case 3079: // Austria
    case 4103: // Luxembourg
    case 5127: // Liechtenstein
        return LangIdGerman;
    default: return LangIdEnglishUK;
    }
}

QString LanguageDisplayName(quint16 languageId)
{
    UErrorCode status = U_ZERO_ERROR;
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    uloc_getLocaleForLCID(languageId, locale, sizeof locale, &status);
    if (U_FAILURE(status) || locale[0] == 0)
        return QString::number(languageId);

    const QByteArray displayLocale = QLocale().name().toLatin1();
    UChar name[256] = {};
    status = U_ZERO_ERROR;
    const int32_t length =
        uloc_getDisplayName(locale, displayLocale.constData(), name, 256, &status);
    if (U_FAILURE(status) || length <= 0)
        return QString::number(languageId);
    return QString::fromUtf16(name, qMin(length, 256));
}

TLanguageManager &LangManager()
{
    static TLanguageManager manager;
    return manager;
}
