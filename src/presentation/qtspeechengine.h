#pragma once

#include "presentation/speech.h"

#include <memory>

class QTextToSpeech;

// The system's voice through Qt's text-to-speech. The engine is started when the spoken result
// is switched on (or at the first text); without an engine available() is false and say()
// does nothing.
class QtSpeechEngine : public SpeechEngine {
public:
    QtSpeechEngine();
    ~QtSpeechEngine() override;
    bool available() const override { return m_available; }
    void say(const QString &text, const QLocale &locale) override;
    void prepare() override;

private:
    bool m_available = false;
    std::unique_ptr<QTextToSpeech> m_speech;
};
