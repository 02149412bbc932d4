#pragma once

#include <QLocale>
#include <QString>

#include <functional>

// A voice that reads texts aloud. say() returns at once; a new text cuts the one still spoken.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Whether the system has a voice at all.
    virtual bool available() const = 0;
    virtual void say(const QString &text, const QLocale &locale) = 0;
    // Gets the voice ready, so that the first text does not wait for it.
    virtual void prepare() {}
};

// Says the result of each draw: "Gezogen: 123", with its prize when the draws carry prizes.
// The texts come from the language constants, the voice's language follows the program's.
class ResultAnnouncer {
public:
    struct Parts {
        SpeechEngine *engine;              // may be null: no speech on this system
        std::function<QLocale()> language; // the program's language
        std::function<bool()> prizes;      // whether the game column holds prizes
    };
    explicit ResultAnnouncer(Parts parts) : m_parts(std::move(parts)) {}

    bool available() const { return m_parts.engine && m_parts.engine->available(); }
    void setEnabled(bool on);
    bool enabled() const { return m_enabled; }

    // The text said for a drawn entry and its game or prize text.
    QString announcement(const QString &entry, const QString &prize) const;
    void announce(const QString &entry, const QString &prize);

private:
    Parts m_parts;
    bool m_enabled = false;
};
