// Filling the index window with a full 5000-card file and taking one step of
// its incremental search, beside a plain QListWidget given the same 5000
// strings with addItems. The index sorts once and resets its model in one
// step, so it should cost little more than the bare list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/cartulo.h"
#include "idle_main_services.h"
#include "platform/text_codec.h"
#include "ratio.h"
#include "spanish_text.h"
#include "support/scripted_user_dialogs.h"
#include "windows/frm_indice.h"
#include "windows/index_model.h"
#include "windows/main_services.h"

namespace {

using namespace cartulo::bench;
using cartulo::windows::Argumentos;
using cartulo::windows::ChildWindow;
using cartulo::windows::frmIndice;

constexpr int kCards = 5000;  // the main card included

struct Index {
    std::shared_ptr<cartulo::cCartulo> file = std::make_shared<cartulo::cCartulo>();
    QStringList entries;  // what the list shows, in card-list order
    std::string problem;

    Index() {
        file->NewFile("Cartulo grande");
        entries << cartulo::platform::toQString(cartulo::kMainCardName);
        SpanishText words(2024);
        for (int n = 1; n < kCards; ++n) {
            const std::string entry = words.Entry(n);
            if (file->NewCard(entry) < 0) {
                problem = "NewCard failed";
                return;
            }
            entries << cartulo::platform::toQString(entry);
        }
    }
};

Index& TheIndex() {
    static Index index;
    return index;
}

void BM_IndexFillAndStep(benchmark::State& state) {
    Index& index = TheIndex();
    if (!index.problem.empty()) {
        state.SkipWithError(index.problem.c_str());
        return;
    }
    IdleMainServices services;
    frmIndice window(services);
    for (auto _ : state) {
        window.SetCartulo(index.file);
        window.txtIndice()->setText(QStringLiteral("m"));
        benchmark::DoNotOptimize(window.Seleccionado());
        state.PauseTiming();
        window.txtIndice()->clear();
        state.ResumeTiming();
    }
    if (window.Modelo().Filas() != kCards) state.SkipWithError("the index lost entries");
}

void BM_QListWidgetAddItems(benchmark::State& state) {
    Index& index = TheIndex();
    QListWidget list;
    for (auto _ : state) {
        list.clear();
        list.addItems(index.entries);
        benchmark::DoNotOptimize(list.count());
    }
}

}  // namespace

BENCHMARK(BM_IndexFillAndStep)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_QListWidgetAddItems)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Ratio kIndexFill{"index_fill", "BM_IndexFillAndStep", "BM_QListWidgetAddItems", 1.5};
