// One keystroke in a card of 99,999 characters with the preview open: the
// card's text is set with SetTxt, its change events reach the preview, and
// the preview lays the card out and paints it once, when the event loop
// turns. It must fit in one 16 ms display frame. The preview shows the
// card's end, where all the text above is laid out and painted off the
// image before the part that shows. The same keystroke with the preview at
// the card's top is measured beside it for comparison; there the text
// below the panel is laid out too, for the scroll range. The same keystroke
// in a card of 2,000 characters is measured beside the long one: the cost of
// a keystroke must not grow with the card's length.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/cartulo.h"
#include "idle_main_services.h"
#include "ratio.h"
#include "spanish_text.h"
#include "support/scripted_user_dialogs.h"
#include "windows/frm_vista_previa.h"
#include "windows/main_services.h"
#include "windows/preview_canvas.h"

namespace {

using namespace cartulo::bench;
using cartulo::windows::Argumentos;
using cartulo::windows::ChildWindow;
using cartulo::windows::frmVistaPrevia;

// One below the limit, so the card takes one more character.
constexpr std::size_t kLength = 99'998;
constexpr std::size_t kShortLength = 2'000;

// Until the preview has painted and the screen has been given the result.
void Settle(frmVistaPrevia& preview) {
    while (preview.RepintePendiente()) QApplication::processEvents();
    QApplication::processEvents();
}

void Keystroke(benchmark::State& state, bool atEnd, std::size_t length = kLength) {
    auto file = std::make_shared<cartulo::cCartulo>();
    file->NewFile("Cartulo");
    const cartulo::CardId card = file->NewCard("Ficha larga");
    const std::string before = SpanishText(99).Text(length);
    std::string after = before;
    after.insert(after.size() / 2, 1, 'x');
    if (card < 0 || !file->SetTxt(card, before)) {
        state.SkipWithError("the card could not be made");
        return;
    }
    IdleMainServices services;
    frmVistaPrevia preview(services);
    preview.resize(frmVistaPrevia::kAnchoPixeles, 700);
    preview.show();
    preview.Mostrar(file, card);
    Settle(preview);
    if (atEnd) {
        preview.scrVertical()->setValue(preview.scrVertical()->maximum());
        Settle(preview);
    }

    bool typed = false;
    const int repaintsBefore = preview.Repintados();
    for (auto _ : state) {
        // A character, then taking it back.
        typed = !typed;
        if (!file->SetTxt(card, typed ? after : before)) {
            state.SkipWithError("a keystroke was refused");
            return;
        }
        Settle(preview);
    }
    if (preview.Repintados() - repaintsBefore != static_cast<int>(state.iterations())) {
        state.SkipWithError("not one painting per keystroke");
    }
    if (atEnd && !preview.picSalida()->FinalPintado()) {
        state.SkipWithError("the preview does not show the card's end");
    }
}

void BM_KeystrokePreview(benchmark::State& state) {
    Keystroke(state, true);
}

void BM_KeystrokePreviewTop(benchmark::State& state) {
    Keystroke(state, false);
}

void BM_KeystrokePreviewShort(benchmark::State& state) {
    Keystroke(state, true, kShortLength);
}

}  // namespace

BENCHMARK(BM_KeystrokePreview)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_KeystrokePreviewTop)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_KeystrokePreviewShort)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Budget kKeystrokePreview{"keystroke_preview", "BM_KeystrokePreview", 16, 0.2};
const Ratio kKeystrokePreviewScaling{"keystroke_preview_scaling", "BM_KeystrokePreview",
                                     "BM_KeystrokePreviewShort", 1.5};
