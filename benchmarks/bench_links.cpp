// The link table of a 5000-card file with 20,000 links, built as a file
// opens, beside one pass of the markup reader over the same texts (what any
// reading of links must do, since comments and expressions are skipped);
// and one edit that adds a link, the table kept current, against a frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "card_file_writer.h"
#include "engine/cartulo.h"
#include "ratio.h"
#include "richtext/link_table.h"
#include "richtext/markup_chars.h"
#include "richtext/markup_reader.h"
#include "spanish_text.h"
#include "temp_folder.h"

namespace {

using namespace cartulo::bench;

constexpr int kCards = 5000;         // the main card included
constexpr int kLinksPerCard = 4;     // 20,000 links in all
constexpr std::size_t kProse = 120;  // bytes of text around each link

struct LinkedFile {
    TempFolder folder;
    cartulo::cCartulo file;
    std::vector<std::string> texts;
    std::string problem;  // why the file is unusable; "" when it is fine

    LinkedFile() {
        SpanishText words(2024);
        std::vector<std::string> entries;
        for (int n = 1; n < kCards; ++n) entries.push_back(words.Entry(n));
        const std::string path = folder.File("enlaces.ctu");
        CardFileWriter writer(path, kCards);
        for (int card = 0; card < kCards; ++card) {
            std::string text = card == 0 ? "Enlaces\r\n" : "";
            for (int k = 0; k < kLinksPerCard; ++k) {
                const std::string& target = entries[words.Below(entries.size())];
                text += words.Text(kProse);
                // Quotes and tags, a broken link now and then, and quotes a
                // comment or an expression hides.
                switch (k) {
                    case 0:
                        text += " \xAB" + target + "\xBB ";
                        break;
                    case 1:
                        text += " {L:" + target +
                                ",v\xE9"
                                "ase} {* \xABnota\xBB *}";
                        break;
                    case 2:
                        text += " \xAB" + target + " bis\xBB {@:ca}";
                        break;
                    default:
                        text += " {N}\xAB" + target + "\xBB{N} ";
                        break;
                }
            }
            texts.push_back(text);
            writer.Add(card == 0 ? "" : entries[static_cast<std::size_t>(card - 1)], text);
        }
        writer.Finish();
        if (!file.OpenFile(path)) problem = "OpenFile failed";
    }
};

LinkedFile& Shared() {
    static LinkedFile shared;
    return shared;
}

void BM_LinksBuild(benchmark::State& state) {
    LinkedFile& shared = Shared();
    if (!shared.problem.empty()) return state.SkipWithError(shared.problem.c_str());
    for (auto _ : state) {
        auto table = std::make_unique<cartulo::LinkTable>(shared.file);
        benchmark::DoNotOptimize(table->LinksFrom(shared.file.GetMain()).size());
        // Building is what opening costs; the table goes when the file closes.
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.counters["broken"] =
        static_cast<double>(cartulo::LinkTable(shared.file).BrokenLinks().size());
}

void BM_ReaderPass(benchmark::State& state) {
    LinkedFile& shared = Shared();
    for (auto _ : state) {
        std::size_t tokens = 0;
        for (const std::string& text : shared.texts) {
            const cartulo::richtext::MarkupReader reader(text);
            for (std::size_t pos = 0; pos < text.size();) {
                if (cartulo::richtext::IsCrLfAt(text, pos)) {
                    pos += 2;
                    continue;
                }
                const cartulo::richtext::Token token = reader.NextToken(pos, nullptr);
                pos = std::max(token.end, pos + 1);
                ++tokens;
            }
        }
        benchmark::DoNotOptimize(tokens);
    }
}

// Each edit adds a link to the middle card of the file or takes it away
// again, the table following through the card events.
void BM_LinksUpdate(benchmark::State& state) {
    LinkedFile& shared = Shared();
    if (!shared.problem.empty()) return state.SkipWithError(shared.problem.c_str());
    const cartulo::LinkTable table(shared.file);
    cartulo::CardId card = shared.file.FirstCard();
    for (int n = 0; n < kCards / 2; ++n) card = shared.file.NextCard(card);
    const std::string before = shared.file.GetTxt(card);
    const std::string after =
        before + " \xAB" + shared.file.GetNtry(shared.file.FirstCard()) + "\xBB";
    bool added = false;
    for (auto _ : state) {
        added = !added;
        shared.file.SetTxt(card, added ? after : before);
        benchmark::DoNotOptimize(table.LinksFrom(card).size());
    }
    shared.file.SetTxt(card, before);
}

BENCHMARK(BM_LinksBuild)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_ReaderPass)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_LinksUpdate)->Unit(benchmark::kMicrosecond)->Apply(Compared);

const Ratio kBuild{"links_build", "BM_LinksBuild", "BM_ReaderPass", 2};
const Budget kUpdate{"links_update", "BM_LinksUpdate", 16, 0.1};

}  // namespace
