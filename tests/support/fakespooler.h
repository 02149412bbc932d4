#pragma once

#include "platform/printspooler.h"

#include <QList>
#include <QObject>
#include <QQueue>
#include <QTest>
#include <QTimer>

// A print spooler with scripted answers, given from the event loop as the real one gives them.
// A question nobody scripted fails the running test and is never answered.
class FakeSpooler final : public PrintSpooler {
public:
    struct Job {
        QString printer;
        QString title;
        QByteArray pdf;
    };

    void lookUp(QObject *context, std::function<void(const PrinterLookup &)> done) override
    {
        ++lookupCount;
        if (lookups.isEmpty()) {
            QTest::qVerify(false, "lookups.isEmpty()", "unscripted printer lookup", __FILE__,
                           __LINE__);
            return;
        }
        QTimer::singleShot(0, context, [done, lookup = lookups.dequeue()] { done(lookup); });
    }

    void submit(QObject *context, const QString &printer, const QString &title,
                const QByteArray &pdf, std::function<void(const JobAnswer &)> done) override
    {
        jobs.append({printer, title, pdf});
        if (answers.isEmpty()) {
            QTest::qVerify(false, "answers.isEmpty()", "unscripted print job", __FILE__, __LINE__);
            return;
        }
        QTimer::singleShot(0, context, [done, answer = answers.dequeue()] { done(answer); });
    }

    QQueue<PrinterLookup> lookups;
    QQueue<JobAnswer> answers;
    QList<Job> jobs;
    int lookupCount = 0;
};
