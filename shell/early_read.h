// The card file named on the command line, read on a thread of its own
// while the main window is being built, so the two overlap.
#pragma once

#include <sys/stat.h>

#include <future>
#include <memory>
#include <string>

#include "engine/cartulo.h"

namespace cartulo::shell {

class LecturaAnticipada {
  public:
    // Starts reading the file at `path` (the system's bytes).
    LecturaAnticipada(std::string path, bool debug);
    // Waits for the read.
    ~LecturaAnticipada();
    LecturaAnticipada(const LecturaAnticipada&) = delete;
    LecturaAnticipada& operator=(const LecturaAnticipada&) = delete;

    // The file read, once, when `path` is the one read and the file on disk
    // is still the one read; else null, and the caller reads it itself
    // (failed reads included, so errors are reported as ever).
    std::shared_ptr<cCartulo> Tomar(const std::string& path);

    // What tells one version of a file from another.
    struct Sello {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Sello& other) const;
    };

  private:
    struct Leido {
        std::shared_ptr<cCartulo> file;
        Sello stamp;
    };

    std::string path_;
    std::future<Leido> read_;
};

}  // namespace cartulo::shell
