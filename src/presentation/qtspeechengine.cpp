#include "presentation/qtspeechengine.h"

#include <QLoggingCategory>
#include <QTextToSpeech>

Q_LOGGING_CATEGORY(lcSpeech, "tivrel.speech")

QtSpeechEngine::QtSpeechEngine() : m_available(!QTextToSpeech::availableEngines().isEmpty()) {}

QtSpeechEngine::~QtSpeechEngine() = default;

void QtSpeechEngine::prepare()
{
    if (!m_available || m_speech)
        return;
    m_speech = std::make_unique<QTextToSpeech>();
    if (m_speech->state() == QTextToSpeech::Error) {
        qCWarning(lcSpeech) << "no speech:" << m_speech->errorString();
        m_available = false;
        m_speech.reset();
    }
}

void QtSpeechEngine::say(const QString &text, const QLocale &locale)
{
    prepare();
    if (!m_speech)
        return;
    // The program's language where the engine has a voice for it, else the engine's own.
    if (m_speech->availableLocales().contains(locale))
        m_speech->setLocale(locale);
    m_speech->say(text);
}
