// The thread that writes recovery copies, so that no keystroke waits for a
// disk. Jobs are keyed by the copy they concern: a job posted while one of
// the same key still waits takes its place (only the newest bytes matter),
// and jobs run in the order their keys were first posted. The thread runs
// only when nothing else wants the processor, so the window thread never
// waits for it: what that thread calls while typing goes on never waits
// for the queue either. Once someone waits for the queue (a flush at the
// end of a session, the thread's end), it runs as an ordinary thread, so a
// busy machine cannot starve the last copies.
#pragma once

#include <pthread.h>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/file_error.h"

namespace cartulo::shell {

class RecoveryWriter {
  public:
    using Job = std::function<std::optional<FileError>()>;
    struct Result {
        std::string key;
        std::optional<FileError> error;
    };

    RecoveryWriter();
    // Runs what is still queued, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void Post(const std::string& key, Job job);
    // Posts the job `make` returns, unless the queue cannot be had at once or
    // a job of this key is being run: false then, and `make` is not called.
    bool TryPost(const std::string& key, const std::function<Job()>& make);
    // Returns once every job posted so far has run.
    void WaitIdle();
    // The outcome of every job run since the last call; those of a moment
    // the queue cannot be had at once come with the next call.
    std::vector<Result> TakeResults();

  private:
    void run();
    // Under mutex_: the idle class while nobody waits, else an ordinary one.
    void applyUrgency(pthread_t thread) const;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::string> order_;
    std::map<std::string, Job> jobs_;
    std::vector<Result> results_;
    bool running_ = false;
    std::string runningKey_;
    bool stop_ = false;
    int waiting_ = 0;
    std::thread thread_;  // last: starts once the rest exists
};

}  // namespace cartulo::shell
