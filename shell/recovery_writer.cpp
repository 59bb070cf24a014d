#include "shell/recovery_writer.h"

#include <sys/resource.h>
#include <unistd.h>

#include <utility>

namespace cartulo::shell {

namespace {
constexpr int kNiceness = 10;
}

RecoveryWriter::RecoveryWriter() : thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void RecoveryWriter::Post(const std::string& key, Job job) {
    {
        std::lock_guard lock(mutex_);
        auto [it, added] = jobs_.insert_or_assign(key, std::move(job));
        if (added) order_.push_back(key);
    }
    wake_.notify_one();
}

void RecoveryWriter::WaitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return order_.empty() && !running_; });
}

std::vector<RecoveryWriter::Result> RecoveryWriter::TakeResults() {
    std::lock_guard lock(mutex_);
    return std::exchange(results_, {});
}

void RecoveryWriter::run() {
    // The window thread comes first when both want the processor.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kNiceness);
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !order_.empty(); });
        if (order_.empty()) return;  // stopping, with nothing left to write
        std::string key = std::move(order_.front());
        order_.pop_front();
        Job job = std::move(jobs_.at(key));
        jobs_.erase(key);
        running_ = true;
        lock.unlock();
        std::optional<FileError> error = job();
        lock.lock();
        running_ = false;
        results_.push_back({std::move(key), std::move(error)});
        if (order_.empty()) idle_.notify_all();
    }
}

}  // namespace cartulo::shell
