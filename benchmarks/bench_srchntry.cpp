// Looking entries up in a full 5000-card file, against the same look-ups in
// a 50-card file: the cost of a look-up should barely depend on file size.
#include <benchmark/benchmark.h>

#include <set>
#include <string>
#include <vector>

#include "card_file_writer.h"
#include "engine/cartulo.h"
#include "engine/win1252.h"
#include "ratio.h"
#include "spanish_text.h"
#include "temp_folder.h"

namespace {

using namespace cartulo::bench;
namespace win1252 = cartulo::win1252;

constexpr int kBigCards = 5000;  // the main card included
constexpr int kSmallCards = 50;
// Where the looked-up entries sit among the big file's records: first, last
// and spread between, so a walk of the card list would meet all distances.
constexpr int kHitPositions[] = {0, 1, 7, 480, 1234, 2500, 3333, 4100, 4997, 4998};

std::string AlternateCase(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = i % 2 == 0 ? win1252::toUpper(out[i]) : win1252::toLower(out[i]);
    }
    return out;
}

struct Files {
    TempFolder folder;
    cartulo::cCartulo big;
    cartulo::cCartulo small;
    std::vector<std::string> lookups;
    std::string problem;  // why the files are unusable; "" when they are fine

    Files() {
        SpanishText words(5000);
        std::vector<std::string> entries;
        for (int n = 1; n < kBigCards; ++n) entries.push_back(words.Entry(n));

        std::vector<std::string> smallEntries;
        for (int position : kHitPositions) smallEntries.push_back(entries[position]);
        for (std::size_t i = 10; smallEntries.size() < kSmallCards - 1; i += 97) {
            smallEntries.push_back(entries[i]);
        }

        Write(folder.File("grande.ctu"), entries, words);
        Write(folder.File("pequeno.ctu"), smallEntries, words);
        if (!big.OpenFile(folder.File("grande.ctu")) ||
            !small.OpenFile(folder.File("pequeno.ctu"))) {
            problem = "OpenFile failed";
            return;
        }

        for (int position : kHitPositions) {
            const std::string& entry = entries[position];
            lookups.push_back(entry);
            lookups.push_back(win1252::toUpper(entry));
            lookups.push_back(win1252::toLower(entry));
            lookups.push_back(AlternateCase(entry));
            lookups.push_back(win1252::foldAccents(entry));  // a miss when it had accents
            lookups.push_back(entry + " bis");
            lookups.push_back(entry.substr(0, entry.rfind(' ')));
        }
        lookups.push_back(std::string(cartulo::kMainCardName));
        lookups.push_back("");
        lookups.push_back(win1252::fromUtf8("Ficha que no está").text);
        lookups.push_back(std::string(cartulo::kMasterCardName));

        Check(big, entries);
        Check(small, smallEntries);
    }

    static void Write(const std::string& path, const std::vector<std::string>& entries,
                      SpanishText& words) {
        CardFileWriter file(path, static_cast<int>(entries.size()) + 1);
        file.Add("", "Entradas\r\n" + words.Text(60));
        for (const std::string& entry : entries) file.Add(entry, words.Text(60));
        file.Finish();
    }

    // Each look-up must hit exactly when an entry equals it upper-cased.
    void Check(const cartulo::cCartulo& ctu, const std::vector<std::string>& entries) {
        std::set<std::string> upper{""};
        for (const std::string& entry : entries) upper.insert(win1252::toUpper(entry));
        for (const std::string& lookup : lookups) {
            const bool expected =
                lookup == cartulo::kMainCardName || upper.contains(win1252::toUpper(lookup));
            if ((ctu.SrchNtry(lookup) != cartulo::kNoCard) != expected) {
                problem = "SrchNtry gave a wrong answer for \"" + win1252::toUtf8(lookup) + "\"";
            }
        }
    }
};

const Files& SharedFiles() {
    static const Files files;
    return files;
}

void LookUpAll(benchmark::State& state, const cartulo::cCartulo& ctu) {
    const Files& files = SharedFiles();
    if (!files.problem.empty()) {
        state.SkipWithError(files.problem.c_str());
        return;
    }
    for (auto _ : state) {
        for (const std::string& lookup : files.lookups) {
            benchmark::DoNotOptimize(ctu.SrchNtry(lookup));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(files.lookups.size()));
}

void BM_SrchNtry5000(benchmark::State& state) {
    LookUpAll(state, SharedFiles().big);
}
void BM_SrchNtry50(benchmark::State& state) {
    LookUpAll(state, SharedFiles().small);
}

BENCHMARK(BM_SrchNtry5000)->Unit(benchmark::kMicrosecond)->Apply(Compared);
BENCHMARK(BM_SrchNtry50)->Unit(benchmark::kMicrosecond)->Apply(Compared);

const Ratio kSrchNtry{"srchntry", "BM_SrchNtry5000", "BM_SrchNtry50", 2};

}  // namespace
