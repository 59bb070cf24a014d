// SIGTERM, SIGHUP and SIGINT brought to the event loop: the handler only
// writes the signal's number to a pipe, whose reading end a socket
// notifier watches, so nothing but the event loop ever touches Qt. SIGHUP
// and SIGINT ignored at the start (nohup) stay ignored.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace cartulo::shell {

class TerminationSignals : public QObject {
  public:
    // One at a time; the former handlers come back when it is destroyed.
    explicit TerminationSignals(std::function<void(int)> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    std::function<void(int)> onSignal_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace cartulo::shell
