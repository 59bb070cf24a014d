// A card window's helpers for the writer (markup in colour, spelling marks)
// on a card of 99,999 characters with markup on every few lines: one
// keystroke with them on beside the same keystroke with them off, the
// keystroke held to a 16 ms frame (also one that opens a comment near the
// top, turning the whole card into one), and opening the window with them on
// beside opening it with them off. The dictionary is loaded before timing;
// the spelling marks come after a pause in typing, so that pass is held to
// a frame on its own, and loading the dictionary is measured beside them.
// Each helper is a field of Helpers, so a new one joins every measurement.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "engine/cartulo.h"
#include "idle_main_services.h"
#include "platform/spell_checker.h"
#include "platform/spell_dictionaries.h"
#include "ratio.h"
#include "spanish_text.h"
#include "windows/card_text_edit.h"
#include "windows/frm_ficha.h"
#include "windows/spell_marker.h"
#include "windows/spell_service.h"

namespace {

using namespace cartulo::bench;
using cartulo::windows::frmFicha;
using cartulo::windows::SpellService;

// One below the limit, so typing a character and taking it back both fit.
constexpr std::size_t kLength = 99'998;
// Where the comment opens: a "{" typed before the "*" there.
constexpr std::size_t kCommentAt = 40;

struct Helpers {
    bool colour = false;
    bool spell = false;
};
constexpr Helpers kAll{.colour = true, .spell = true};

class HelperServices : public IdleMainServices {
  public:
    explicit HelperServices(Helpers helpers) : helpers_(helpers) {
        if (!helpers_.spell) return;
        // Loaded before anything is timed, as a running program has it.
        spell_.Arrancar();
        spell_.EsperarCarga();
        QApplication::processEvents();
    }
    bool ColorearMarcas() const override { return helpers_.colour; }
    SpellService* Ortografia() override { return helpers_.spell ? &spell_ : nullptr; }
    bool Listo() const { return !helpers_.spell || spell_.Activa(); }

  private:
    Helpers helpers_;
    QTemporaryDir dir_;
    SpellService spell_{cartulo::platform::kDictionaryFolder, dir_.filePath("palabras.txt")};
};

bool HaveDictionary(benchmark::State& state) {
    if (QFileInfo::exists(cartulo::platform::kDictionaryFolder + "/es_ES.aff")) return true;
    state.SkipWithError("hunspell-es is not installed");
    return false;
}

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

// Skips the benchmark when its card could not be made or its dictionary did not load.
bool Ready(benchmark::State& state, const Card& card, HelperServices& services) {
    if (card.id <= 0) {
        state.SkipWithError("the card could not be made");
        return false;
    }
    if (!services.Listo()) {
        state.SkipWithError("the dictionary did not load");
        return false;
    }
    return true;
}

// `pass` adds the spelling marks' renewal after each key, as the pause runs it.
void Keystroke(benchmark::State& state, Helpers helpers, bool comment, bool pass = false) {
    if (helpers.spell && !HaveDictionary(state)) return;
    Card card;
    HelperServices services(helpers);
    if (!Ready(state, card, services)) return;
    frmFicha window(services);
    window.Mostrar(card.file, card.id);
    window.show();
    QApplication::processEvents();
    auto& editor = *window.txtTxt();
    const int at = comment ? static_cast<int>(kCommentAt) : editor.Texto().size() / 2;
    editor.Seleccionar(at, 0);
    editor.ensureCursorVisible();
    QApplication::processEvents();
    // The marks of the screen are there while typing; the pause that renews
    // them never comes between keys.
    auto& marker = *window.Ortografia();
    if (helpers.spell) marker.Marcar();

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
        if (pass) {
            marker.Marcar();
            QApplication::processEvents();
        }
    }
    if (services.notices != 0 || card.file->GetTxt(card.id).size() < kLength) {
        state.SkipWithError("a keystroke was refused");
    }
}

void Open(benchmark::State& state, Helpers helpers) {
    if (helpers.spell && !HaveDictionary(state)) return;
    Card card;
    HelperServices services(helpers);
    if (!Ready(state, card, services)) return;
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
    Keystroke(state, kAll, false);
}
void BM_KeystrokeHighlightComment(benchmark::State& state) {
    Keystroke(state, kAll, true);
}
void BM_KeystrokeSpellPass(benchmark::State& state) {
    Keystroke(state, kAll, false, true);
}
void BM_OpenCardHelpersOff(benchmark::State& state) {
    Open(state, {});
}
void BM_OpenCardHighlight(benchmark::State& state) {
    Open(state, kAll);
}

void BM_LoadDictionary(benchmark::State& state) {
    if (!HaveDictionary(state)) return;
    for (auto _ : state) {
        auto loaded = cartulo::platform::SpellChecker::Load(
            cartulo::platform::kDictionaryFolder, cartulo::platform::kDefaultDictionary, QString());
        benchmark::DoNotOptimize(loaded.checker);
    }
}

}  // namespace

BENCHMARK(BM_KeystrokeHelpersOff)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_KeystrokeHighlight)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_KeystrokeHighlightComment)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_KeystrokeSpellPass)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_OpenCardHelpersOff)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_OpenCardHighlight)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

const Ratio kKeystrokeHighlight{"keystroke_highlight", "BM_KeystrokeHighlight",
                                "BM_KeystrokeHelpersOff", 1.5};
const Budget kKeystrokeHighlight99999{"keystroke_highlight_99999", "BM_KeystrokeHighlight", 16, 1};
const Budget kKeystrokeHighlightComment{"keystroke_highlight_comment",
                                        "BM_KeystrokeHighlightComment", 16, 1};
// A key and the spelling marks it causes after the pause, in one frame.
const Budget kKeystrokeSpell{"keystroke_spell_99999", "BM_KeystrokeSpellPass", 16, 1};
const Ratio kOpenCardHighlight{"open_card_highlight", "BM_OpenCardHighlight",
                               "BM_OpenCardHelpersOff", 1.5};
