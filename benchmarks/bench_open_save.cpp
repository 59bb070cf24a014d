// Opening and saving a full 20 MB card file, against reading and durably
// writing the same bytes with no card-file logic at all.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "big_file.h"
#include "engine/cartulo.h"
#include "ratio.h"
#include "raw_file.h"
#include "temp_folder.h"

namespace {

using namespace cartulo::bench;

struct Files {
    TempFolder folder;
    std::string big = folder.File("grande.ctu");
    std::string engineSave = folder.File("guardado.ctu");
    std::string plainSave = folder.File("copia.ctu");
    long long size = 0;

    Files() {
        size = WriteBigFile(big);
        std::filesystem::copy_file(big, engineSave);
    }
};

const Files& SharedFiles() {
    static const Files files;
    return files;
}

bool Open(benchmark::State& state, cartulo::cCartulo& ctu, const std::string& path) {
    if (ctu.OpenFile(path)) return true;
    state.SkipWithError(("OpenFile: " + ctu.LastError().description).c_str());
    return false;
}

// Checked outside the timing, so a reader that stops early cannot look fast.
bool LoadsWhole(benchmark::State& state, cartulo::cCartulo& ctu, const std::string& path) {
    if (!Open(state, ctu, path)) return false;
    if (ctu.CardCount() == kBigFileCards) return true;
    state.SkipWithError("the sample file did not load whole");
    return false;
}

void BM_OpenFile20MB(benchmark::State& state) {
    const Files& files = SharedFiles();
    if (cartulo::cCartulo check; !LoadsWhole(state, check, files.big)) return;
    for (auto _ : state) {
        cartulo::cCartulo ctu;
        if (!Open(state, ctu, files.big)) break;
        benchmark::DoNotOptimize(ctu.FirstCard());
    }
    state.SetBytesProcessed(state.iterations() * files.size);
}

void BM_ReadBytes20MB(benchmark::State& state) {
    const Files& files = SharedFiles();
    for (auto _ : state) {
        std::string bytes = ReadWholeFile(files.big);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * files.size);
}

void BM_SaveFile20MB(benchmark::State& state) {
    const Files& files = SharedFiles();
    cartulo::cCartulo ctu;
    if (!LoadsWhole(state, ctu, files.engineSave)) return;
    for (auto _ : state) {
        ctu.SetChanged();  // an unchanged file is not written at all
        if (!ctu.SaveFile()) {
            state.SkipWithError(("SaveFile: " + ctu.LastError().description).c_str());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * files.size);
}

void BM_WriteBytes20MB(benchmark::State& state) {
    const Files& files = SharedFiles();
    const std::string bytes = ReadWholeFile(files.big);
    const std::string temporary = files.plainSave + ".tmp";
    for (auto _ : state) WriteAndReplace(temporary, files.plainSave, bytes);
    state.SetBytesProcessed(state.iterations() * files.size);
}

BENCHMARK(BM_OpenFile20MB)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_ReadBytes20MB)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_SaveFile20MB)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_WriteBytes20MB)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Ratio kOpen{"open_20mb", "BM_OpenFile20MB", "BM_ReadBytes20MB", 3};
const Ratio kSave{"save_20mb", "BM_SaveFile20MB", "BM_WriteBytes20MB", 3};

}  // namespace
