#include "shell/recovery_writer.h"

#include <pthread.h>
#include <sched.h>
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
        applyUrgency(thread_.native_handle());
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

bool RecoveryWriter::TryPost(const std::string& key, const std::function<Job()>& make) {
    {
        std::unique_lock lock(mutex_, std::try_to_lock);
        if (!lock.owns_lock() || (running_ && runningKey_ == key)) return false;
        auto [it, added] = jobs_.insert_or_assign(key, make());
        if (added) order_.push_back(key);
    }
    wake_.notify_one();
    return true;
}

void RecoveryWriter::WaitIdle() {
    std::unique_lock lock(mutex_);
    ++waiting_;
    // The job being run now may be a large one: it must not wait for an
    // idle processor either.
    applyUrgency(thread_.native_handle());
    idle_.wait(lock, [this] { return order_.empty() && !running_; });
    --waiting_;
}

void RecoveryWriter::applyUrgency(pthread_t thread) const {
    const sched_param none{};
    // Leaving the idle class needs no privilege: the niceness stays.
    ::pthread_setschedparam(thread, waiting_ > 0 || stop_ ? SCHED_OTHER : SCHED_IDLE, &none);
}

std::vector<RecoveryWriter::Result> RecoveryWriter::TakeResults() {
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock()) return {};
    return std::exchange(results_, {});
}

void RecoveryWriter::run() {
    // Any other thread comes first when both want the processor: a key
    // wakes the window thread at once. The niceness is for a system that
    // refuses the idle class.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kNiceness);
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !order_.empty(); });
        if (order_.empty()) return;  // stopping, with nothing left to write
        applyUrgency(::pthread_self());
        std::string key = std::move(order_.front());
        order_.pop_front();
        Job job = std::move(jobs_.at(key));
        jobs_.erase(key);
        running_ = true;
        runningKey_ = key;
        lock.unlock();
        std::optional<FileError> error = job();
        // What the job held goes before the queue is taken again.
        job = nullptr;
        lock.lock();
        running_ = false;
        results_.push_back({std::move(key), std::move(error)});
        if (order_.empty()) idle_.notify_all();
    }
}

}  // namespace cartulo::shell
