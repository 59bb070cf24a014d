// save_kill: saves a card file from a child process, again and again, and
// kills the child with SIGKILL at a random moment within a save's measured
// duration. After every kill the file must hold, byte for byte, either the
// version before the save or the one being saved; a temporary file left
// behind must carry the hidden temporary name. Two paths: the engine saving
// in a forked child, and `ctu set` (with --ctu).
//
//   save_kill [--saves N] [--cards N] [--seed S] [--ctu PATH] [--folder DIR]
//
// Prints per path "killed saves: N, intact: N, temporaries left: K"; exits
// non-zero when a file was damaged, another name was left, or a save that
// ran to its end did not write what it was given.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/cartulo.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Options {
    int saves = 100;
    int cards = 200;
    std::uint64_t seed = std::random_device{}();
    std::string ctu;
    std::string folder;
};

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The child runs `body` and exits with its answer; its output goes nowhere.
pid_t spawn(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::_exit(body());
    }
    return pid;
}

struct Ending {
    bool killed = false;
    bool succeeded = false;
};

// Waits for the child, killing it first at `start` + `killAfter` when given.
Ending finish(pid_t pid, Clock::time_point start, std::optional<Clock::duration> killAfter) {
    if (killAfter) {
        // steady_clock is CLOCK_MONOTONIC here.
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            (start + *killAfter).time_since_epoch())
                            .count();
        const timespec at{static_cast<time_t>(ns / 1'000'000'000),
                          static_cast<long>(ns % 1'000'000'000)};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
        }
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return {WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

class KillRun {
  public:
    KillRun(const Options& options, bool withCtu, std::string folder)
        : options_(options),
          withCtu_(withCtu),
          name_(withCtu ? "ctu" : "engine"),
          folder_(std::move(folder)),
          target_(folder_ + "/prueba.ctu"),
          reference_(folder_ + ".referencia.ctu") {}

    // False when a file was harmed or a completed save went wrong.
    bool Run(std::mt19937_64& random) {
        fs::create_directories(folder_);
        makeFile();
        // Uninterrupted saves measure how long one takes; the shortest save
        // seen bounds the moments, so that nearly every kill lands in a save.
        Clock::duration shortest = Clock::duration::max();
        for (int i = 0; i < 5; ++i) {
            if (!step(std::nullopt)) return false;
            shortest = std::min(shortest, lastDuration_);
        }
        // Kills are counted, not attempts: a save that ends before its kill
        // proves nothing about a cut, so another is tried, up to a bound.
        for (int attempt = 0; killed_ < options_.saves && attempt < 3 * options_.saves;
             ++attempt) {
            const auto window = std::chrono::duration_cast<std::chrono::microseconds>(shortest);
            std::uniform_int_distribution<long long> moment(0, window.count());
            const int killedBefore = killed_;
            if (!step(std::chrono::microseconds(moment(random)))) return false;
            if (killed_ == killedBefore) shortest = std::min(shortest, lastDuration_);
        }
        const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(shortest);
        std::cout << name_ << ": killed saves: " << killed_ << ", intact: " << intact_
                  << ", temporaries left: " << temporaries_ << " (" << options_.saves
                  << " saves of " << options_.cards << " cards, the shortest "
                  << duration.count() / 1000.0 << " ms)" << std::endl;
        fs::remove_all(folder_);
        fs::remove(reference_);
        return intact_ == killed_ && killed_ == options_.saves;
    }

  private:
    void makeFile() {
        file_.NewFile("Prueba de cortes");
        std::mt19937 words(7);
        for (int n = 1; n < options_.cards; ++n) {
            std::string text;
            for (int w = 0; w < 40; ++w) text += "palabra" + std::to_string(words() % 1000) + ' ';
            file_.NewCard("Ficha " + std::to_string(n));
            file_.SetTxt(file_.SrchNtry("Ficha " + std::to_string(n)), text);
        }
        card_ = file_.SrchNtry("Ficha 1");
        text_ = previous_ = file_.GetTxt(card_);
        file_.SetChanged();
        file_.SaveFile(target_);
    }

    // One save of a new text of a card, killed after `killAfter` when given.
    bool step(std::optional<Clock::duration> killAfter) {
        const std::string old = readBytes(target_);
        const std::string text = "Version " + std::to_string(++version_) + " del texto\r\n" + text_;
        file_.SetTxt(card_, text);
        if (withCtu_) {
            // What ctu writes: the file read afresh (reading reverses the card
            // list), the card set, the file saved.
            cartulo::cCartulo fresh;
            fresh.OpenFile(target_);
            fresh.SetTxt(fresh.SrchNtry("Ficha 1"), text);
            fresh.SaveFile(reference_, /*copy=*/true);
        } else {
            file_.SaveFile(reference_, /*copy=*/true);
        }
        const std::string saved = readBytes(reference_);

        const auto start = Clock::now();
        const pid_t pid = spawn(saver(text));
        if (pid < 0) return problem("fork failed");
        const Ending end = finish(pid, start, killAfter);
        lastDuration_ = Clock::now() - start;
        const std::string now = readBytes(target_);
        if (end.killed) {
            ++killed_;
            if (now == old || now == saved)
                ++intact_;
            else
                std::cout << name_ << ": save " << version_ << " left a damaged file\n";
        } else if (!end.succeeded || now != saved) {
            return problem("a save that ran to its end did not write its version");
        }
        if (now == old)
            file_.SetTxt(card_, previous_);
        else
            previous_ = text;
        return countLeftovers();
    }

    std::function<int()> saver(const std::string& text) {
        if (!withCtu_) {
            return [this] { return file_.SaveFile() ? 0 : 1; };
        }
        return [this, text] {
            ::execl(options_.ctu.c_str(), "ctu", "set", target_.c_str(), "Ficha 1", "--text",
                    text.c_str(), static_cast<char*>(nullptr));
            return 127;
        };
    }

    // Counts and removes the temporaries a kill left; any other name is a fault.
    bool countLeftovers() {
        const std::string prefix = "." + fs::path(target_).filename().string() + ".";
        for (const auto& entry : fs::directory_iterator(folder_)) {
            const std::string name = entry.path().filename().string();
            if (entry.path() == target_) continue;
            if (!name.starts_with(prefix) || name.size() != prefix.size() + 6) {
                return problem("a file that is no hidden temporary was left: " + name);
            }
            ++temporaries_;
            fs::remove(entry.path());
        }
        return true;
    }

    bool problem(const std::string& what) {
        std::cout << name_ << ": " << what << '\n';
        return false;
    }

    const Options& options_;
    const bool withCtu_;
    std::string name_, folder_, target_, reference_;
    cartulo::cCartulo file_;
    cartulo::CardId card_ = cartulo::kNoCard;
    std::string text_, previous_;
    Clock::duration lastDuration_{};  // of the last child, from fork to its end
    int version_ = 0, killed_ = 0, intact_ = 0, temporaries_ = 0;
};

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i], value = argv[i + 1];
        if (flag == "--saves")
            o.saves = std::atoi(value.c_str());
        else if (flag == "--cards")
            o.cards = std::atoi(value.c_str());
        else if (flag == "--seed")
            o.seed = std::strtoull(value.c_str(), nullptr, 10);
        else if (flag == "--ctu")
            o.ctu = value;
        else if (flag == "--folder")
            o.folder = value;
        else
            return std::nullopt;
    }
    if (argc % 2 == 0 || o.saves < 1 || o.cards < 2 || o.cards > 5000) return std::nullopt;
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    auto options = parse(argc, argv);
    if (!options) {
        std::cerr << "usage: save_kill [--saves N] [--cards N] [--seed S] [--ctu PATH] "
                     "[--folder DIR]\n";
        return 1;
    }
    std::string base = options->folder;
    if (base.empty()) {
        base = (fs::temp_directory_path() / "save-kill-XXXXXX").string();
        if (::mkdtemp(base.data()) == nullptr) return 1;
    }
    std::cout << "seed " << options->seed << std::endl;
    std::mt19937_64 random(options->seed);
    bool ok = KillRun(*options, false, base + "/engine").Run(random);
    if (!options->ctu.empty()) ok = KillRun(*options, true, base + "/ctu").Run(random) && ok;
    if (options->folder.empty()) fs::remove_all(base);
    return ok ? 0 : 1;
}
