#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QObject;

// The print system as the printout needs it: which printer takes the job, and what the spooler
// answered when it was handed a document. Both questions are asynchronous: the answer comes
// from the event loop, never from inside the call, and is dropped when `context` is destroyed
// first (which also ends whatever the question still runs).

struct PrinterLookup {
    enum class Outcome {
        Found,         // `printer` takes the job
        NoPrintSystem, // the system has no print client
        ServerFailed,  // the print server gave no list of printers; `reason` holds its words
        ServerSilent,  // the print server did not answer within `seconds`
        NoPrinter,     // no printer is set up
        NoDefault,     // `printers` printers are set up and none is the default
    };
    Outcome outcome = Outcome::NoPrintSystem;
    QString printer;
    bool paused = false; // the printer holds its jobs until it is resumed
    QString reason;
    int seconds = 0;
    int printers = 0;
};

struct JobAnswer {
    enum class Outcome {
        Accepted, // the spooler holds the job `job`
        Refused,  // the spooler refused it; `reason` holds its words
        Silent,   // the spooler did not answer within `seconds`: the job may not exist
    };
    Outcome outcome = Outcome::Refused;
    QString job;
    QString reason;
    int seconds = 0;
};

class PrintSpooler {
public:
    virtual ~PrintSpooler() = default;
    // The default printer; with none set and a single printer installed, that one.
    virtual void lookUp(QObject *context, std::function<void(const PrinterLookup &)> done) = 0;
    // Hands a PDF document to `printer` as one job titled `title`.
    virtual void submit(QObject *context, const QString &printer, const QString &title,
                        const QByteArray &pdf, std::function<void(const JobAnswer &)> done) = 0;
};

// The CUPS client programs (lpstat, lp), each run with a time limit, so that a print server
// that does not answer is given up after a few seconds and its request ended.
class CupsSpooler final : public PrintSpooler {
public:
    explicit CupsSpooler(int lookupMs = 5000, int submitMs = 10000);
    void lookUp(QObject *context, std::function<void(const PrinterLookup &)> done) override;
    void submit(QObject *context, const QString &printer, const QString &title,
                const QByteArray &pdf, std::function<void(const JobAnswer &)> done) override;

private:
    int m_lookupMs;
    int m_submitMs;
};

// What the CUPS tools wrote, read as the lookup and the job's answer (exposed for tests).
struct ToolOutput {
    int exitCode = 0;
    QString out;
    QString err;
};
PrinterLookup readLpstat(const ToolOutput &lpstat);
JobAnswer readLp(const ToolOutput &lp);
