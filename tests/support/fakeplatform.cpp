#include "support/fakeplatform.h"

#include <QDir>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

FakePlatform::FakePlatform(const QString &programPath)
    : clock(QDate(2026, 12, 8), QTime(12, 0)), temp(QDir::tempPath()), program(programPath)
{
}

Platform::Answer FakePlatform::messageBox(const QString &caption, const QString &text, Icon icon,
                                          Buttons buttons)
{
    messages.append({caption, text, icon, buttons, {}});
    if (modalMs > 0) {
        // A real box runs its own event loop until the user answers: timers go on firing.
        QEventLoop loop;
        QTimer::singleShot(modalMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!answers.isEmpty())
        return answers.dequeue();
    if (answerer)
        return answerer(messages.last());
    // A note (a box with only OK) needs no script; a question nobody expected fails the test.
    if (buttons != Buttons::Ok) {
        const QByteArray what = QStringLiteral("unscripted question: %1").arg(text).toUtf8();
        QTest::qVerify(false, "answers.isEmpty()", what.constData(), __FILE__, __LINE__);
    }
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::Yes;
    case Buttons::Ok:
    case Buttons::OkCancel: return Answer::Ok;
    }
    return Answer::Ok;
}

int FakePlatform::askChoice(const QString &caption, const QString &text, Icon icon,
                            const QStringList &buttons)
{
    messages.append({caption, text, icon, Buttons::Ok, buttons});
    if (modalMs > 0) {
        QEventLoop loop;
        QTimer::singleShot(modalMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (choiceAnswers.isEmpty()) {
        const QByteArray what = QStringLiteral("unscripted choice: %1").arg(text).toUtf8();
        QTest::qVerify(false, "choiceAnswers.isEmpty()", what.constData(), __FILE__, __LINE__);
        return -1;
    }
    return choiceAnswers.dequeue();
}

QString FakePlatform::saveFileName(const QString &, const QString &, const QString &)
{
    if (saveNames.isEmpty()) {
        QTest::qVerify(false, "saveNames.isEmpty()", "unscripted save dialog", __FILE__, __LINE__);
        return {};
    }
    return saveNames.dequeue();
}

QString FakePlatform::openFileName(const QString &title, const QString &startFolder,
                                   const QString &filter)
{
    dialogs.append({title, startFolder, filter});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool FakePlatform::shellOpen(const QString &pathOrUrl)
{
    opened.append(pathOrUrl);
    return true;
}
