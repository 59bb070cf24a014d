// From exec of `cartulo FILE` with a full 5000-card file to its index filled
// and painted (the program says so on stderr when CARTULO_AVISO_INDICE is
// set), beside the start of a minimal Qt program that shows the same 5000
// entries in a QListWidget. Both run offscreen; each is killed once it has
// painted, so only the start is timed.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "big_file.h"
#include "engine/cartulo.h"
#include "platform/text_codec.h"
#include "ratio.h"
#include "temp_folder.h"

namespace {

using namespace cartulo::bench;

struct Setup {
    TempFolder folder;
    std::string cards = folder.File("grande.ctu");
    std::string entries = folder.File("entradas.txt");
    std::string runtime = folder.File("run");
    std::string problem;

    Setup() {
        WriteBigFile(cards);
        cartulo::cCartulo file;
        if (!file.OpenFile(cards)) {
            problem = "OpenFile: " + file.LastError().description;
            return;
        }
        std::ofstream out(entries, std::ios::binary);
        for (const cartulo::CardListItem& item : file.GetCrdList(true)) {
            out << cartulo::platform::toQString(item.text).toStdString() << '\n';
        }
        // Settings, recovery copies and the command channel of their own, so
        // no running cartulo is reached and nothing else is opened.
        ::setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);
        ::setenv("XDG_STATE_HOME", folder.File("state").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("CARTULO_AVISO_INDICE", "1", 1);
    }
};

Setup& TheSetup() {
    static Setup setup;
    return setup;
}

// Starts the program and waits for its line; the rows it painted, or -1.
int StartUntilPainted(const std::vector<std::string>& command) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        // A program that never says it painted ends after a minute, and so
        // does the wait for its line: the alarm outlives exec.
        ::alarm(60);
        ::dup2(pipeFds[1], 2);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        std::vector<char*> argv;
        for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    int rows = -1;
    if (pid > 0) {
        FILE* err = ::fdopen(pipeFds[0], "r");
        char line[512];
        while (std::fgets(line, sizeof line, err) != nullptr) {
            if (std::sscanf(line, "indice pintado %d", &rows) == 1) break;
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        std::fclose(err);
    } else {
        ::close(pipeFds[0]);
    }
    return rows;
}

void Run(benchmark::State& state, const std::vector<std::string>& command) {
    Setup& setup = TheSetup();
    if (!setup.problem.empty()) {
        state.SkipWithError(setup.problem.c_str());
        return;
    }
    for (auto _ : state) {
        const int rows = StartUntilPainted(command);
        state.PauseTiming();
        // A killed program leaves its channel's socket behind.
        std::filesystem::remove_all(setup.runtime);
        std::filesystem::create_directories(setup.runtime);
        state.ResumeTiming();
        if (rows != cartulo::bench::kBigFileCards) {
            state.SkipWithError("the list was not painted whole");
            return;
        }
    }
}

void BM_StartCartulo(benchmark::State& state) {
    Run(state, {CARTULO_PROGRAM, TheSetup().cards});
}

void BM_StartQListWidget(benchmark::State& state) {
    Run(state, {LIST_START_PROGRAM, TheSetup().entries});
}

}  // namespace

BENCHMARK(BM_StartCartulo)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_StartQListWidget)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Ratio kStartup{"startup_5000", "BM_StartCartulo", "BM_StartQListWidget", 1.5};
