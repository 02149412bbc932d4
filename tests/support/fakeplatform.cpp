#include "support/fakeplatform.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

FakePlatform::FakePlatform(const QString &programPath)
    : clock(QDate(2026, 12, 8), QTime(12, 0)), temp(QDir::tempPath()), program(programPath)
{
}

Platform::Answer FakePlatform::messageBox(const QString &caption, const QString &text, Icon icon,
                                          Buttons buttons)
{
    messages.append({caption, text, icon, buttons});
    if (modalMs > 0) {
        // A real box runs its own event loop until the user answers: timers go on firing.
        QEventLoop loop;
        QTimer::singleShot(modalMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!answers.isEmpty())
        return answers.dequeue();
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::Yes;
    case Buttons::Ok:
    case Buttons::OkCancel: return Answer::Ok;
    }
    return Answer::Ok;
}

QString FakePlatform::openFileName(const QString &, const QString &, const QString &)
{
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool FakePlatform::shellOpen(const QString &pathOrUrl)
{
    opened.append(pathOrUrl);
    return true;
}
