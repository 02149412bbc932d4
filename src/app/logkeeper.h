#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class DrawPass;
class Platform;

// Sees that no draw is lost when the draw log cannot be written (a full disk, a folder in its
// place, a read-only medium): the operator is told once, the log is written again every few
// seconds while it fails (and by the next draw, as every draw writes it), and a window that
// closes with results still unwritten asks first.
class LogKeeper : public QObject {
    Q_OBJECT
public:
    struct Parts {
        DrawPass &pass;
        Platform &platform;
        QString drawLog;     // the log's path, as the notices name it
        QString filesFolder; // where "save elsewhere" starts, with its trailing '/'
    };
    // How long the background retry waits between two writes.
    static constexpr int RetryMs = 3000;

    explicit LogKeeper(const Parts &parts, QObject *parent = nullptr);

    // Whether the window may close now. With the results on disk: yes. Otherwise one more
    // write is tried, and when that fails too the operator chooses: try again, save the results
    // elsewhere (they are written there, and the window closes), or close anyway. A box closed
    // without a choice keeps the window open.
    bool closeAllowed();

    bool retrying() const { return m_retry.isActive(); }

private:
    void writeFailed(const QString &reason);
    void retry();
    void caughtUp();
    void notice(const QString &text);
    // Asks for another file and writes the results there; true when they are written.
    bool saveElsewhere();

    Parts p;
    QTimer m_retry;
    bool m_failureShown = false;
    bool m_asking = false;
    QString m_reason; // the system's reason of the last failed write
};
