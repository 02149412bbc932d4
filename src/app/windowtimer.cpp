#include "app/windowtimer.h"

WindowTimer::WindowTimer(int interval, QObject *parent) : QObject(parent), m_interval(interval)
{
    connect(&m_timer, &QTimer::timeout, this, &WindowTimer::timeout);
}

void WindowTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    update();
}

void WindowTimer::setInterval(int ms)
{
    if (ms == m_interval)
        return;
    m_interval = ms;
    update();
}

void WindowTimer::update()
{
    m_timer.stop();
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
}
