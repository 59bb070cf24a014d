#include "shell/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace cartulo::shell {

namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};

volatile std::sig_atomic_t writeEnd = -1;
std::array<struct sigaction, kSignals.size()> formerActions{};

void handler(int signal) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a signal that will be handled.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr,
                     "cartulo: las señales de terminación no escribirán las copias de "
                     "recuperación: %s\n",
                     std::strerror(errno));
        pipe_[0] = pipe_[1] = -1;
        return;
    }
    writeEnd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        if (::read(pipe_[0], &byte, 1) == 1 && onSignal_) onSignal_(byte);
    });
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &formerActions[i]);
        // Started under nohup, or in the background of a shell: the hangup
        // or the interrupt was meant not to end the program.
        if (kSignals[i] != SIGTERM && formerActions[i].sa_handler == SIG_IGN) continue;
        ::sigaction(kSignals[i], &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    if (pipe_[0] < 0) return;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], &formerActions[i], nullptr);
    }
    writeEnd = -1;
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

}  // namespace cartulo::shell
