#include "ui/shell/termination_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only write to a descriptor; the event loop reads the other end.
int g_signalPipe[2] = {-1, -1};
volatile sig_atomic_t g_raised = 0;
// Whether a TerminationSignals object reads the pipe.
bool g_watched = false;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

bool TerminationSignals::Catch()
{
    if (g_signalPipe[0] >= 0)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return false;
    ::fcntl(g_signalPipe[1], F_SETFL, O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = &TerminationSignals::OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals)
        ::sigaction(number, &action, nullptr);
    return true;
}

bool TerminationSignals::WasRaised()
{
    return g_raised != 0;
}

// A signal caught before this object existed is waiting in the pipe and is
// reported as soon as the event loop runs.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (g_watched || !Catch())
        return;
    g_watched = true;
    notifier_ = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
}

TerminationSignals::~TerminationSignals()
{
    if (notifier_ == nullptr)
        return;
    for (const int number : kSignals)
        ::signal(number, SIG_DFL);
    delete notifier_;
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    g_signalPipe[0] = g_signalPipe[1] = -1;
    g_watched = false;
}

void TerminationSignals::OnSignal(int)
{
    g_raised = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

void TerminationSignals::Drain()
{
    char buffer[16];
    [[maybe_unused]] const ssize_t count = ::read(g_signalPipe[0], buffer, sizeof buffer);
    emit Requested();
}
