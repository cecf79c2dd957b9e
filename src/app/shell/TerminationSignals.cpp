#include "shell/TerminationSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <sys/signalfd.h>
#include <unistd.h>
#include <csignal>

namespace bw::app {

namespace {

sigset_t terminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

}  // namespace

bool blockTerminationSignals() {
    const sigset_t set = terminationSignals();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

void closeOnTerminationSignals(QWidget& window) {
    const sigset_t set = terminationSignals();
    const int descriptor = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (descriptor < 0) {
        // Without the descriptor the signals must end the program as usual.
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        return;
    }
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [descriptor, &window] {
        signalfd_siginfo info;
        // Drain every pending signal: one close answers them all.
        while (read(descriptor, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {}
        window.close();
    });
    QObject::connect(notifier, &QObject::destroyed, [descriptor] { close(descriptor); });
}

}  // namespace bw::app
