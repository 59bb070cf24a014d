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

// A main window that does nothing.
class IdleMainServices : public cartulo::windows::MainServices {
  public:
    void MuestraFicha(const std::shared_ptr<cartulo::cCartulo>&, cartulo::CardId) override {}
    void MuestraIndice(const std::shared_ptr<cartulo::cCartulo>&) override {}
    void FichaActivada(const std::shared_ptr<cartulo::cCartulo>&, cartulo::CardId) override {}
    void VentanaCerrada(ChildWindow&) override {}
    QVariant Comando(const QString&, const Argumentos& = {}) override { return {}; }
    void ComandoEspera(const QString&, const Argumentos& = {}) override {}
    QPoint PosicionCascada(const QSize&) override { return {}; }
    QSize AreaCliente() const override { return {1024, 768}; }
    void BarraAnadeComando(const QString&, int, const QString&, const QString&) override {}
    void BarraQuitarElementos(const QString&) override {}
    void BarraLimpiar() override {}
    void MensajeEstado(const QString&) override {}
    cartulo::support::UserDialogs& Dialogos() override { return dialogs_; }
    bool Depuracion() const override { return false; }
    float EscalaPantalla() const override { return 1.0f; }

  private:
    cartulo::support::ScriptedUserDialogs dialogs_;
};

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

const Ratio kIndexFill{"index_fill", "BM_IndexFillAndStep", "BM_QListWidgetAddItems", 2};

int main(int argc, char** argv) {
    // Widgets need an application object; benchmarks run without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    return RunWithRatios(argc, argv);
}
