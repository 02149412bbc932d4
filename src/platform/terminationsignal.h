#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the requests to end the program that the system sends (SIGTERM when the desktop logs
// out, SIGHUP, SIGINT) into a Qt signal on the event loop, so they end it the way closing the
// window does. The handler only writes the signal's number into a pipe (all a handler may
// safely do); the event loop reads it there. One object at a time; the default handling comes
// back when it is destroyed.
class TerminationSignal : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignal(QObject *parent = nullptr);
    ~TerminationSignal() override;

    bool installed() const { return m_notifier != nullptr; }

Q_SIGNALS:
    // The system asked the program to end (`signalNumber` tells with which signal).
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};
