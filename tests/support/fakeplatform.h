#pragma once

#include "platform/platform.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <functional>

// A scriptable platform for tests: message boxes and file dialogs take queued answers and are
// recorded; clock, tick counter and language id are set by the test.
class FakePlatform final : public Platform {
public:
    struct MessageCall {
        QString caption;
        QString text;
        Icon icon;
        Buttons buttons;
    };

    explicit FakePlatform(const QString &programPath = QString());

    Answer messageBox(const QString &caption, const QString &text, Icon icon,
                      Buttons buttons) override;
    QString openFileName(const QString &title, const QString &startFolder,
                         const QString &filter) override;
    bool shellOpen(const QString &pathOrUrl) override;
    quint16 systemLanguageId() const override { return languageId; }
    quint32 tickCount() const override { return ticks; }
    QDateTime now() const override { return clock; }
    QString tempFolder() const override { return temp; }
    QString programPath() const override { return program; }
    SpeechEngine *speech() override { return speechEngine; }

    // Scripted answers, taken in order. A box with only OK needs none; a question with none
    // queued fails the running test (and then answers with its first button).
    QQueue<Answer> answers;
    // When set, answers every box that no queued answer is left for, instead of failing the
    // test: for tests that cannot know which questions come (random input).
    std::function<Answer(const MessageCall &)> answerer;
    QQueue<QString> fileNames;

    // How long a message box stays open, in milliseconds, with the event loop running as under
    // a real modal box; 0 answers at once.
    int modalMs = 0;

    QList<MessageCall> messages;
    // The open-file dialogs shown: title, start folder and filter of each.
    struct DialogCall {
        QString title;
        QString startFolder;
        QString filter;
    };
    QList<DialogCall> dialogs;
    QStringList opened;
    quint16 languageId = 1031;
    quint32 ticks = 4357;
    QDateTime clock;
    QString temp;
    QString program;
    SpeechEngine *speechEngine = nullptr; // none: the system cannot speak
};
