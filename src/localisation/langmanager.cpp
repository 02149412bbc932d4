#include "localisation/langmanager.h"

#include "localisation/codepage.h"
#include "localisation/formattext.h"

#include <QFile>
#include <QLoggingCategory>

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
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        const qsizetype index = m_constants.indexOf(it.key());
        if (index >= 0)
            m_constants[index].text = it.value();
    }
    setCurrentLanguageLocked(language);
}

void TLanguageManager::resetToSource(quint16 language)
{
    const QWriteLocker locker(&m_lock);
    for (qsizetype i = 0; i < m_constants.count(); ++i)
        m_constants[i].text = m_constants.at(i).sourceText;
    setCurrentLanguageLocked(language);
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

TLanguageManager &LangManager()
{
    static TLanguageManager manager;
    return manager;
}
