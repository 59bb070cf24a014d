// A card window's helpers for the writer on a card of 99,999 characters
// with markup on every few lines: one keystroke with them on beside the same
// keystroke with them off, the keystroke held to a 16 ms frame (also one
// that opens a comment near the top, turning the whole card into one), and
// opening the window with them on beside opening it with them off. Each
// helper is a field of Helpers, so a new one joins every measurement here.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <memory>
#include <string>

#include "engine/cartulo.h"
#include "idle_main_services.h"
#include "ratio.h"
#include "spanish_text.h"
#include "windows/card_text_edit.h"
#include "windows/frm_ficha.h"

namespace {

using namespace cartulo::bench;
using cartulo::windows::frmFicha;

// One below the limit, so typing a character and taking it back both fit.
constexpr std::size_t kLength = 99'998;
// Where the comment opens: a "{" typed before the "*" there.
constexpr std::size_t kCommentAt = 40;

struct Helpers {
    bool colour = false;
};

class HelperServices : public IdleMainServices {
  public:
    explicit HelperServices(Helpers helpers) : helpers_(helpers) {}
    bool ColorearMarcas() const override { return helpers_.colour; }

  private:
    Helpers helpers_;
};

// Spanish lines with a line of markup every few, and "*}" at the very end.
std::string MarkedText() {
    SpanishText words(99);
    const std::string markup =
        "{N}negrita{N:0} \xAB"
        "Ficha larga\xBB y \xAB"
        "Nada\xBB {L:Ficha larga,ver} {*nota*} {T:12}grande{T:0} {Q:rojo}x{Q}\r\n";
    std::string text = words.Text(kCommentAt) + "*";
    while (text.size() < kLength) text += words.Text(400) + "\r\n" + markup;
    text.resize(kLength - 2);
    return text + "*}";
}

struct Card {
    std::shared_ptr<cartulo::cCartulo> file = std::make_shared<cartulo::cCartulo>();
    cartulo::CardId id = cartulo::kNoCard;
    Card() {
        file->NewFile("Cartulo");
        id = file->NewCard("Ficha larga");
        if (id > 0 && !file->SetTxt(id, MarkedText())) id = cartulo::kNoCard;
    }
};

void Press(QWidget& target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

void Keystroke(benchmark::State& state, Helpers helpers, bool comment) {
    Card card;
    if (card.id <= 0) {
        state.SkipWithError("the card could not be made");
        return;
    }
    HelperServices services(helpers);
    frmFicha window(services);
    window.Mostrar(card.file, card.id);
    window.show();
    QApplication::processEvents();
    auto& editor = *window.txtTxt();
    const int at = comment ? static_cast<int>(kCommentAt) : editor.Texto().size() / 2;
    editor.Seleccionar(at, 0);
    editor.ensureCursorVisible();
    QApplication::processEvents();

    bool typed = false;
    for (auto _ : state) {
        if (typed) {
            Press(editor, Qt::Key_Backspace, QStringLiteral("\b"));
        } else if (comment) {
            Press(editor, Qt::Key_BraceLeft, QStringLiteral("{"));
        } else {
            Press(editor, Qt::Key_X, QStringLiteral("x"));
        }
        typed = !typed;
        QApplication::processEvents();
    }
    if (services.notices != 0 || card.file->GetTxt(card.id).size() < kLength) {
        state.SkipWithError("a keystroke was refused");
    }
}

void Open(benchmark::State& state, Helpers helpers) {
    Card card;
    if (card.id <= 0) {
        state.SkipWithError("the card could not be made");
        return;
    }
    HelperServices services(helpers);
    for (auto _ : state) {
        frmFicha window(services);
        window.Mostrar(card.file, card.id);
        window.show();
        QApplication::processEvents();
    }
}

void BM_KeystrokeHelpersOff(benchmark::State& state) {
    Keystroke(state, {}, false);
}
void BM_KeystrokeHighlight(benchmark::State& state) {
    Keystroke(state, {.colour = true}, false);
}
void BM_KeystrokeHighlightComment(benchmark::State& state) {
    Keystroke(state, {.colour = true}, true);
}
void BM_OpenCardHelpersOff(benchmark::State& state) {
    Open(state, {});
}
void BM_OpenCardHighlight(benchmark::State& state) {
    Open(state, {.colour = true});
}

}  // namespace

BENCHMARK(BM_KeystrokeHelpersOff)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_KeystrokeHighlight)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_KeystrokeHighlightComment)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_OpenCardHelpersOff)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_OpenCardHighlight)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Ratio kKeystrokeHighlight{"keystroke_highlight", "BM_KeystrokeHighlight",
                                "BM_KeystrokeHelpersOff", 1.5};
const Budget kKeystrokeHighlight99999{"keystroke_highlight_99999", "BM_KeystrokeHighlight", 16, 1};
const Budget kKeystrokeHighlightComment{"keystroke_highlight_comment",
                                        "BM_KeystrokeHighlightComment", 16, 1};
const Ratio kOpenCardHighlight{"open_card_highlight", "BM_OpenCardHighlight",
                               "BM_OpenCardHelpersOff", 1.5};
