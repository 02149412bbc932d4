#pragma once

#include <QObject>
#include <QTimer>

// A window timer that runs only while it is enabled and its interval is above 0: an interval
// of 0 means no tick ever comes (a plain QTimer would fire continuously). Changing the interval
// of a running timer starts its period anew.
class WindowTimer : public QObject {
    Q_OBJECT
public:
    WindowTimer(int interval, QObject *parent);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }
    void setInterval(int ms);
    // Whether ticks come (enabled with an interval above 0).
    bool isRunning() const { return m_timer.isActive(); }

Q_SIGNALS:
    void timeout();

private:
    void update();

    QTimer m_timer;
    bool m_enabled = false;
    int m_interval;
};
