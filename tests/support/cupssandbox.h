#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// A CUPS scheduler of its own for a test or a benchmark: its configuration, spool and logs in
// `folder`, listening only on a local socket there, with a cups-pdf queue. The tools run by
// `tool()` and the program under test (through CUPS_SERVER, which `start()` sets) talk to it
// and to nothing else. The scheduler is stopped with the object.
class CupsSandbox {
public:
    explicit CupsSandbox(QString folder);
    ~CupsSandbox();
    CupsSandbox(const CupsSandbox &) = delete;
    CupsSandbox &operator=(const CupsSandbox &) = delete;

    // Starts the scheduler and points CUPS_SERVER at it; empty when it runs, else why not.
    QString start();
    // Stops the scheduler; CUPS_SERVER still points at its socket, where nothing answers now.
    void stop();
    bool running() const;

    QString socketPath() const { return m_socket; }
    QString folder() const { return m_folder; }

    // Adds a cups-pdf queue; empty when done, else what lpadmin said.
    QString addPdfQueue(const QString &name);

    struct Result {
        int exitCode = -1;
        QString output; // standard output and error
    };
    // Runs a CUPS tool (lpadmin, cupsreject, lpstat ...) against the scheduler.
    Result tool(const QString &program, const QStringList &args) const;

    // The jobs of a queue the scheduler has finished, as "queue-n" ids.
    QStringList completedJobs(const QString &queue) const;
    // The jobs of a queue still waiting or printing.
    QStringList pendingJobs(const QString &queue) const;

    // Where cups-pdf writes the documents of the current user's jobs.
    static QString pdfOutputFolder();

private:
    QString m_folder;
    QString m_socket;
    std::unique_ptr<QProcess> m_cupsd;
};
