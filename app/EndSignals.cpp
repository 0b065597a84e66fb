#include "app/EndSignals.h"

#include "shell/FormBase.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace {

// A signal handler may only write a byte; the event loop reads it and ends the program.
int signalSockets[2] = {-1, -1};

void OnEndSignal(int)
{
    const char byte = 1;
    const ssize_t written = ::write(signalSockets[1], &byte, 1);
    (void)written;  // a full socket already holds a wake-up
}

}  // namespace

void QuitOnEndSignals(QObject* parent)
{
    if (signalSockets[0] >= 0) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0) return;
    auto* notifier = new QSocketNotifier(signalSockets[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char bytes[16];
        while (::read(signalSockets[0], bytes, sizeof bytes) > 0) {
        }
        TFormBase::QuitProgram();
    });
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}
