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
        QStringList choices; // the buttons' texts of askChoice; empty for messageBox
    };

    explicit FakePlatform(const QString &programPath = QString());

    Answer messageBox(const QString &caption, const QString &text, Icon icon,
                      Buttons buttons) override;
    int askChoice(const QString &caption, const QString &text, Icon icon,
                  const QStringList &buttons) override;
    QString openFileName(const QString &title, const QString &startFolder,
                         const QString &filter) override;
    QString saveFileName(const QString &title, const QString &suggestedPath,
                         const QString &filter) override;
    bool shellOpen(const QString &pathOrUrl) override;
    quint16 systemLanguageId() const override { return languageId; }
    quint32 tickCount() const override { return ticks; }
    QDateTime now() const override { return clock; }
    QString tempFolder() const override { return temp; }
    QString programPath() const override { return program; }
    PrintSpooler *printer() override { return spooler; }

    // Scripted answers, taken in order. A box with only OK needs none; a question with none
    // queued fails the running test (and then answers with its first button).
    QQueue<Answer> answers;
    // When set, answers every box that no queued answer is left for, instead of failing the
    // test: for tests that cannot know which questions come (random input).
    std::function<Answer(const MessageCall &)> answerer;
    QQueue<QString> fileNames;
    // Answers of askChoice (button indexes, -1 for a box closed without one), taken in order;
    // a choice with none queued fails the running test.
    QQueue<int> choiceAnswers;
    // Answers of the save-file dialog, taken in order; a dialog with none queued fails the test.
    QQueue<QString> saveNames;

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
    PrintSpooler *spooler = nullptr; // none: the system has no print system
};
