// Opening a file in which every card is a sister of the one before it (each
// record refers to the previous entry), against opening a file of
// independent cards with exactly the same size.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "card_file_writer.h"
#include "engine/cartulo.h"
#include "ratio.h"
#include "spanish_text.h"
#include "temp_folder.h"

namespace {

using namespace cartulo::bench;

constexpr int kCards = 5000;  // the main card included
constexpr std::size_t kSharedTextLength = 50'000;

struct Files {
    TempFolder folder;
    std::string sisters = folder.File("hermanas.ctu");
    std::string independent = folder.File("independientes.ctu");

    Files() {
        SpanishText words(1500);
        std::vector<std::string> entries;
        for (int n = 1; n < kCards; ++n) entries.push_back(words.Entry(n));
        const std::string mainText = "Hermanas en cadena\r\n" + words.Text(200);
        const std::string shared = words.Text(kSharedTextLength);

        CardFileWriter chain(sisters, kCards);
        CardFileWriter plain(independent, kCards);
        chain.Add("", mainText);
        plain.Add("", mainText);
        chain.Add(entries[0], shared);
        plain.Add(entries[0], shared);
        for (std::size_t k = 1; k < entries.size(); ++k) {
            const std::string reference = "@@" + entries[k - 1];
            chain.Add(entries[k], reference);
            plain.Add(entries[k], words.Text(reference.size()));
        }
        chain.Finish();
        plain.Finish();
    }
};

const Files& SharedFiles() {
    static const Files files;
    return files;
}

// Checked once, outside the timing: the file loads whole, and the first
// card of the list has the expected number of sisters (itself included).
bool LoadsAsWritten(benchmark::State& state, const std::string& path, std::size_t sisters) {
    cartulo::cCartulo ctu;
    if (!ctu.OpenFile(path)) {
        state.SkipWithError(("OpenFile: " + ctu.LastError().description).c_str());
        return false;
    }
    if (ctu.CardCount() != kCards || ctu.GetSisters(ctu.FirstCard()).size() != sisters) {
        state.SkipWithError("the file did not load as written");
        return false;
    }
    return true;
}

void OpenRepeatedly(benchmark::State& state, const std::string& path, std::size_t sisters) {
    if (!LoadsAsWritten(state, path, sisters)) return;
    for (auto _ : state) {
        cartulo::cCartulo ctu;
        benchmark::DoNotOptimize(ctu.OpenFile(path));
    }
}

void BM_OpenSisterChain(benchmark::State& state) {
    OpenRepeatedly(state, SharedFiles().sisters, kCards - 1);
}

void BM_OpenIndependentCards(benchmark::State& state) {
    OpenRepeatedly(state, SharedFiles().independent, 1);
}

BENCHMARK(BM_OpenSisterChain)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_OpenIndependentCards)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Ratio kSisters{"open_sisters", "BM_OpenSisterChain", "BM_OpenIndependentCards", 1.5};

}  // namespace
