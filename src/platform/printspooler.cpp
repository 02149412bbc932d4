#include "platform/printspooler.h"

#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace {
struct ToolRun {
    bool started = false;
    bool timedOut = false;
    ToolOutput output;
};

// The tool's messages without its name in front ("lp: ", "lpstat: ") and its "Error - ".
QString messagesOf(const QString &err)
{
    QStringList lines;
    for (QString line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        line = line.trimmed();
        static const QRegularExpression prefix(QStringLiteral("^(lp|lpstat):\\s*(Error - )?"));
        line.remove(prefix);
        if (!line.isEmpty() && !lines.contains(line))
            lines.append(line);
    }
    return lines.join(QLatin1Char(' '));
}

// Runs `program` with `input` on its standard input and calls `done` once: when it ends, when
// it cannot start, or when `timeoutMs` have passed (then it is killed).
void runTool(QObject *context, const QString &program, const QStringList &args,
             const QByteArray &input, int timeoutMs, std::function<void(const ToolRun &)> done)
{
    auto *process = new QProcess(context);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The answers are read by their words, so the tools speak plain English.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    env.remove(QStringLiteral("LANGUAGE"));
    process->setProcessEnvironment(env);
    auto *timer = new QTimer(process);
    timer->setSingleShot(true);
    auto ended = std::make_shared<bool>(false);
    auto finish = [process, timer, ended, done](ToolRun run) {
        if (*ended)
            return;
        *ended = true;
        timer->stop();
        process->disconnect();
        process->deleteLater();
        done(run);
    };
    QObject::connect(process, &QProcess::finished, process,
                     [process, finish](int code, QProcess::ExitStatus status) {
                         ToolRun run;
                         run.started = true;
                         run.output.exitCode = status == QProcess::NormalExit ? code : -1;
                         run.output.out = QString::fromLocal8Bit(process->readAllStandardOutput());
                         run.output.err = QString::fromLocal8Bit(process->readAllStandardError());
                         finish(run);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, finish](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         ToolRun run;
                         run.output.err = process->errorString();
                         finish(run);
                     });
    QObject::connect(timer, &QTimer::timeout, process, [process, finish] {
        // Its end, when it comes now, is not its answer.
        process->disconnect();
        process->kill();
        // A killed process ends at once; waiting for it here leaves no process behind.
        process->waitForFinished(1000);
        ToolRun run;
        run.started = true;
        run.timedOut = true;
        finish(run);
    });
    timer->start(timeoutMs);
    process->start(program, args);
    process->write(input);
    process->closeWriteChannel();
}

int seconds(int ms)
{
    return (ms + 999) / 1000;
}
} // namespace

PrinterLookup readLpstat(const ToolOutput &lpstat)
{
    PrinterLookup lookup;
    QString defaultPrinter;
    QStringList printers;
    QHash<QString, bool> paused;
    static const QRegularExpression defaultLine(
        QStringLiteral("^system default destination: (\\S+)"));
    static const QRegularExpression printerLine(QStringLiteral("^printer (\\S+) (.*)$"));
    for (const QString &line : lpstat.out.split(QLatin1Char('\n'))) {
        if (const QRegularExpressionMatch m = defaultLine.match(line); m.hasMatch()) {
            defaultPrinter = m.captured(1);
        } else if (const QRegularExpressionMatch p = printerLine.match(line); p.hasMatch()) {
            printers.append(p.captured(1));
            paused.insert(p.captured(1), p.captured(2).startsWith(QLatin1String("disabled")));
        }
    }
    if (printers.isEmpty()) {
        const QString reason = messagesOf(lpstat.err);
        if (lpstat.exitCode == 0 || reason.startsWith(QLatin1String("No destinations added"))) {
            lookup.outcome = PrinterLookup::Outcome::NoPrinter;
        } else {
            lookup.outcome = PrinterLookup::Outcome::ServerFailed;
            lookup.reason = reason.isEmpty()
                                ? QStringLiteral("lpstat exit code %1").arg(lpstat.exitCode)
                                : reason;
        }
        return lookup;
    }
    if (defaultPrinter.isEmpty() && printers.size() > 1) {
        lookup.outcome = PrinterLookup::Outcome::NoDefault;
        lookup.printers = int(printers.size());
        return lookup;
    }
    lookup.outcome = PrinterLookup::Outcome::Found;
    lookup.printer = defaultPrinter.isEmpty() ? printers.first() : defaultPrinter;
    // An instance ("office/duplex") is a set of options on its printer's queue.
    lookup.paused = paused.value(lookup.printer.section(QLatin1Char('/'), 0, 0), false);
    return lookup;
}

JobAnswer readLp(const ToolOutput &lp)
{
    JobAnswer answer;
    static const QRegularExpression requestLine(QStringLiteral("request id is (\\S+)"));
    const QRegularExpressionMatch m = requestLine.match(lp.out);
    if (lp.exitCode == 0 && m.hasMatch()) {
        answer.outcome = JobAnswer::Outcome::Accepted;
        answer.job = m.captured(1);
        return answer;
    }
    answer.outcome = JobAnswer::Outcome::Refused;
    answer.reason = messagesOf(lp.err);
    if (answer.reason.isEmpty())
        answer.reason = QStringLiteral("lp exit code %1").arg(lp.exitCode);
    return answer;
}

CupsSpooler::CupsSpooler(int lookupMs, int submitMs) : m_lookupMs(lookupMs), m_submitMs(submitMs) {}

void CupsSpooler::lookUp(QObject *context, std::function<void(const PrinterLookup &)> done)
{
    const QString lpstat = QStandardPaths::findExecutable(QStringLiteral("lpstat"));
    if (lpstat.isEmpty()) {
        QTimer::singleShot(0, context, [done] { done({}); });
        return;
    }
    const int limit = m_lookupMs;
    runTool(context, lpstat, {QStringLiteral("-d"), QStringLiteral("-p")}, {}, limit,
            [done, limit](const ToolRun &run) {
                PrinterLookup lookup;
                if (!run.started) {
                    lookup.outcome = PrinterLookup::Outcome::NoPrintSystem;
                } else if (run.timedOut) {
                    lookup.outcome = PrinterLookup::Outcome::ServerSilent;
                    lookup.seconds = seconds(limit);
                } else {
                    lookup = readLpstat(run.output);
                }
                done(lookup);
            });
}

void CupsSpooler::submit(QObject *context, const QString &printer, const QString &title,
                         const QByteArray &pdf, std::function<void(const JobAnswer &)> done)
{
    QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty())
        lp = QStringLiteral("lp"); // reported as a program that cannot start
    const int limit = m_submitMs;
    // A page size other than the document's A4 is filled by scaling, not by cutting.
    runTool(context, lp,
            {QStringLiteral("-d"), printer, QStringLiteral("-t"), title, QStringLiteral("-o"),
             QStringLiteral("fit-to-page")},
            pdf, limit, [done, limit](const ToolRun &run) {
                JobAnswer answer;
                if (!run.started) {
                    answer.reason = run.output.err;
                } else if (run.timedOut) {
                    answer.outcome = JobAnswer::Outcome::Silent;
                    answer.seconds = seconds(limit);
                } else {
                    answer = readLp(run.output);
                }
                done(answer);
            });
}
