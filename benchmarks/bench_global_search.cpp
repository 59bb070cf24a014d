// The global search over five files of 5000 short cards, with a word that
// occurs in a tenth of them: the pop-up made once, each iteration its search
// loop and the filling of its list, beside the same queries run by the
// engine alone with the hits collected in a vector. Short cards keep the
// scanning cheap, so the cost of the rows themselves shows.
#include <benchmark/benchmark.h>

#include <QPointer>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/cartulos.h"
#include "engine/global_query.h"
#include "idle_main_services.h"
#include "ratio.h"
#include "spanish_text.h"
#include "windows/frm_busqueda_global.h"

namespace {

using namespace cartulo::bench;
using cartulo::CardId;
using cartulo::cCartulo;

constexpr int kFiles = 5;
constexpr int kCards = 5000;             // the main card included
constexpr const char* kWord = "zafiro";  // in no text SpanishText makes

struct Files {
    cartulo::cCartulos registry;
    std::string problem;
    std::size_t expectedHits = 0;

    Files() {
        SpanishText words(17);
        for (int f = 0; f < kFiles; ++f) {
            auto file = std::make_shared<cCartulo>();
            file->NewFile("Cartulo " + std::to_string(f + 1));
            for (int n = 1; n < kCards; ++n) {
                const CardId card = file->NewCard(words.Entry(n));
                std::string text = words.Text(200 + words.Below(200));
                if (n % 10 == 0) {
                    text.insert(text.size() / 2, std::string(" ") + kWord + " ");
                    ++expectedHits;
                }
                if (card < 0 || !file->SetTxt(card, text)) {
                    problem = "the cards could not be made";
                    return;
                }
            }
            registry.AddFile(std::move(file));
        }
    }
};

Files& TheFiles() {
    static Files files;
    return files;
}

void BM_GlobalSearchWindow(benchmark::State& state) {
    Files& files = TheFiles();
    if (!files.problem.empty()) {
        state.SkipWithError(files.problem.c_str());
        return;
    }
    IdleMainServices services;
    QPointer<cartulo::windows::frmBusquedaGlobal> popup =
        new cartulo::windows::frmBusquedaGlobal(services, files.registry, {});
    popup->resize(320, 360);
    popup->Mostrar(QString::fromLatin1(kWord));
    for (auto _ : state) {
        popup->Buscar();
        benchmark::DoNotOptimize(popup->lstRes()->Filas().size());
    }
    if (!popup || popup->Cerrada()) {
        state.SkipWithError("the pop-up closed");
    } else if (popup->lstRes()->Filas().size() != files.expectedHits + kFiles) {
        state.SkipWithError("the pop-up lost hits");
    }
    delete popup.data();
}

void BM_GlobalSearchEngine(benchmark::State& state) {
    Files& files = TheFiles();
    const auto query = cartulo::GlobalQuery({kWord, {}});
    std::vector<std::pair<int, CardId>> hits;
    for (auto _ : state) {
        hits.clear();
        for (int f = 0; f < files.registry.ListCount(); ++f) {
            const auto file = files.registry.List(f);
            for (CardId c = file->FindFirst(query); c != cartulo::kNoCard; c = file->FindNext(c)) {
                hits.emplace_back(f, c);
            }
        }
        benchmark::DoNotOptimize(hits.data());
    }
    if (hits.size() != files.expectedHits) state.SkipWithError("the engine lost hits");
}

}  // namespace

BENCHMARK(BM_GlobalSearchWindow)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_GlobalSearchEngine)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Ratio kGlobalSearch{"global_search", "BM_GlobalSearchWindow", "BM_GlobalSearchEngine", 1.5};
