// One keystroke in a card of 99,999 characters with spelling on: the key
// reaches the editor and the card, and the marks of the visible lines are
// renewed as the pause after typing would renew them. Together they must
// fit in one 16 ms display frame. Loading the dictionary, which happens
// once and off the window's path, is measured beside it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <memory>

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

constexpr std::size_t kLength = 99'998;

class SpellingServices : public IdleMainServices {
  public:
    SpellService* Ortografia() override { return &spell; }
    QTemporaryDir dir;
    SpellService spell{cartulo::platform::kDictionaryFolder, dir.filePath("palabras.txt")};
};

bool HaveDictionary(benchmark::State& state) {
    if (QFileInfo::exists(cartulo::platform::kDictionaryFolder + "/es_ES.aff")) return true;
    state.SkipWithError("hunspell-es is not installed");
    return false;
}

void Press(QWidget& target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

void BM_KeystrokeSpell99999(benchmark::State& state) {
    if (!HaveDictionary(state)) return;
    auto file = std::make_shared<cartulo::cCartulo>();
    file->NewFile("Cartulo");
    const cartulo::CardId card = file->NewCard("Ficha larga");
    if (card < 0 || !file->SetTxt(card, SpanishText(99).Text(kLength))) {
        state.SkipWithError("the card could not be made");
        return;
    }
    SpellingServices services;
    frmFicha window(services);
    window.Mostrar(file, card);
    window.show();
    services.spell.EsperarCarga();
    QApplication::processEvents();
    auto& editor = *window.txtTxt();
    editor.Seleccionar(static_cast<int>(editor.Texto().size() / 2), 0);
    auto& marker = *window.Ortografia();
    marker.Marcar();

    bool typed = false;
    for (auto _ : state) {
        if (typed) {
            Press(editor, Qt::Key_Backspace, QStringLiteral("\b"));
        } else {
            Press(editor, Qt::Key_X, QStringLiteral("x"));
        }
        typed = !typed;
        QApplication::processEvents();
        // The pass the pause would run, counted with the key that caused it.
        marker.Marcar();
        QApplication::processEvents();
    }
    if (services.notices != 0 || file->GetTxt(card).size() < kLength) {
        state.SkipWithError("a keystroke was refused");
    }
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

BENCHMARK(BM_KeystrokeSpell99999)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

const Budget kKeystrokeSpell{"keystroke_spell_99999", "BM_KeystrokeSpell99999", 16, 1};
