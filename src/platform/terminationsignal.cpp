#include "platform/terminationsignal.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
constexpr int Signals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void noteSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = char(signalNumber);
    // A full pipe already holds requests enough; the write is dropped then.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignal::TerminationSignal(QObject *parent) : QObject(parent)
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignal::readPipe);
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : Signals)
        ::sigaction(number, &action, nullptr);
}

TerminationSignal::~TerminationSignal()
{
    if (!m_notifier)
        return;
    for (const int number : Signals)
        std::signal(number, SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationSignal::readPipe()
{
    char bytes[16];
    ssize_t got = 0;
    while ((got = ::read(g_pipe[0], bytes, sizeof bytes)) > 0)
        for (ssize_t i = 0; i < got; ++i)
            Q_EMIT received(int(bytes[i]));
}
