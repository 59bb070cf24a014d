// Queries over the full 20 MB file, beside one case-insensitive pass over
// the same texts: a search should cost about one reading of the cards.
#include <benchmark/benchmark.h>

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

constexpr int kCards = 5000;  // the main card included
constexpr std::size_t kMeanText = 3970;

struct Files {
    TempFolder folder;
    cartulo::cCartulo ctu;
    std::vector<std::string> texts;  // the baseline's copy of every card text
    std::string problem;

    Files() {
        SpanishText words(4242);
        CardFileWriter file(folder.File("busqueda.ctu"), kCards);
        file.Add("", "Cartulo de b\xFAsqueda\r\n" + words.Text(kMeanText));
        for (int n = 1; n < kCards; ++n) {
            // Each marker word in about half of the cards, at a random place.
            std::string text = words.Text(kMeanText - 40 + words.Below(80));
            auto insertAt = [&](const std::string& word) {
                std::size_t at = text.find(' ', words.Below(text.size()));
                if (at == std::string::npos) at = 0;
                text.insert(at, " " + word);
            };
            if (words.Below(2) == 0) insertAt("alfa");
            if (words.Below(2) == 0) insertAt("OMEGA");
            const std::string city = words.Below(2) == 0 ? "Le\xF3n" : "Madrid";
            const std::size_t line = text.find("\r\n", words.Below(text.size()));
            text.insert(line == std::string::npos ? text.size() : line + 2,
                        "Ciudad: " + city + "\r\n");
            file.Add((n % 2 == 0 ? "Ficha " : "Nota ") + std::to_string(n), text);
        }
        file.Finish();
        if (!ctu.OpenFile(folder.File("busqueda.ctu"))) {
            problem = "OpenFile failed";
            return;
        }
        for (auto c = ctu.FirstCard(); c != cartulo::kNoCard; c = ctu.NextCard(c)) {
            texts.push_back(ctu.GetTxt(c));
        }
    }
};

Files& SharedFiles() {
    static Files files;
    return files;
}

int CountHits(cartulo::cCartulo& ctu, const std::string& query) {
    int hits = 0;
    for (auto c = ctu.FindFirst(query); c != cartulo::kNoCard; c = ctu.FindNext(c)) {
        ++hits;
    }
    return hits;
}

void RunQuery(benchmark::State& state, const std::string& query) {
    Files& files = SharedFiles();
    if (!files.problem.empty()) {
        state.SkipWithError(files.problem.c_str());
        return;
    }
    const int hits = CountHits(files.ctu, query);
    // The query must find what the file was made with: about a quarter or a half.
    if (hits < kCards / 8 || hits > kCards * 3 / 4) {
        state.SkipWithError(("unexpected number of hits: " + std::to_string(hits)).c_str());
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(CountHits(files.ctu, query));
    state.counters["hits"] = hits;
}

void BM_QueryTwoWords(benchmark::State& state) {
    RunQuery(state, "alfa,omega");
}
void BM_QueryEntryAndField(benchmark::State& state) {
    RunQuery(state, "ntry:ficha,ciudad:le\xF3n");
}

// One pass over every text, each byte upper-cased through the table and
// compared with the first letter of a word, the rest compared on a match.
void BM_CaseInsensitivePass(benchmark::State& state) {
    Files& files = SharedFiles();
    if (!files.problem.empty()) {
        state.SkipWithError(files.problem.c_str());
        return;
    }
    const unsigned char* upper = cartulo::win1252::upperTable();
    const std::string word = "OMEGA";
    for (auto _ : state) {
        long found = 0;
        for (const std::string& text : files.texts) {
            const auto* t = reinterpret_cast<const unsigned char*>(text.data());
            for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
                if (upper[t[i]] != static_cast<unsigned char>(word[0])) continue;
                std::size_t k = 1;
                while (k < word.size() && upper[t[i + k]] == static_cast<unsigned char>(word[k]))
                    ++k;
                found += k == word.size();
            }
        }
        benchmark::DoNotOptimize(found);
    }
}

// The worst case of a naive search: a card of one repeated letter searched
// for half of it, beside one upper-casing pass over the same card.
const std::string kRepeated(cartulo::kMaxTextLength, 'a');

void BM_FindWordRepeatedLetter(benchmark::State& state) {
    const cartulo::cCartulo ctu;
    const std::string word(kRepeated.size() / 2, 'a');
    for (auto _ : state) benchmark::DoNotOptimize(ctu.FindWord(kRepeated, word, 1));
}

void BM_UpperCasePassOverOneCard(benchmark::State& state) {
    const unsigned char* upper = cartulo::win1252::upperTable();
    for (auto _ : state) {
        long found = 0;
        for (char c : kRepeated) found += upper[static_cast<unsigned char>(c)] == 'A';
        benchmark::DoNotOptimize(found);
    }
}

BENCHMARK(BM_FindWordRepeatedLetter)->Unit(benchmark::kMicrosecond)->Apply(Compared);
BENCHMARK(BM_UpperCasePassOverOneCard)->Unit(benchmark::kMicrosecond)->Apply(Compared);
BENCHMARK(BM_QueryTwoWords)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_QueryEntryAndField)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_CaseInsensitivePass)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Ratio kTwoWords{"search_two_words", "BM_QueryTwoWords", "BM_CaseInsensitivePass", 2};
const Ratio kRepeatedLetter{"findword_repeated_letter", "BM_FindWordRepeatedLetter",
                            "BM_UpperCasePassOverOneCard", 10};
const Ratio kEntryField{"search_entry_field", "BM_QueryEntryAndField", "BM_CaseInsensitivePass", 2};

}  // namespace
