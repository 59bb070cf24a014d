// One keystroke in a card of 99,999 characters: the key reaches the card
// window's editor, the whole text goes to the card with SetTxt, the card's
// change event comes back, the link table reads the card's links again, and
// the window repaints. It must fit in one 16 ms display frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/cartulo.h"
#include "idle_main_services.h"
#include "ratio.h"
#include "richtext/link_table.h"
#include "spanish_text.h"
#include "support/scripted_user_dialogs.h"
#include "windows/card_text_edit.h"
#include "windows/frm_ficha.h"
#include "windows/main_services.h"

namespace {

using namespace cartulo::bench;
using cartulo::windows::Argumentos;
using cartulo::windows::ChildWindow;
using cartulo::windows::frmFicha;

// One below the limit, so typing a character and taking it back both fit.
constexpr std::size_t kLength = 99'998;
constexpr std::size_t kLinks = 20;

void Press(QWidget& target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

// Links spread through the text, half of them behind the caret, so that
// every keystroke moves them.
std::string LinkedText() {
    const std::string link =
        "\xAB"
        "Ficha larga\xBB ";
    std::string text = SpanishText(99).Text(kLength - kLinks * link.size());
    for (std::size_t i = kLinks; i > 0; --i) {
        const std::size_t space = text.find(' ', i * text.size() / (kLinks + 1));
        text.insert(space == std::string::npos ? text.size() : space + 1, link);
    }
    return text;
}

void BM_Keystroke99999(benchmark::State& state) {
    auto file = std::make_shared<cartulo::cCartulo>();
    file->NewFile("Cartulo");
    const cartulo::CardId card = file->NewCard("Ficha larga");
    if (card < 0 || !file->SetTxt(card, LinkedText())) {
        state.SkipWithError("the card could not be made");
        return;
    }
    const cartulo::LinkTable links(*file);
    if (links.LinksFrom(card).size() != kLinks) {
        state.SkipWithError("the links were not read");
        return;
    }
    IdleMainServices services;
    frmFicha window(services);
    window.Mostrar(file, card);
    window.show();
    QApplication::processEvents();
    auto& editor = *window.txtTxt();
    editor.Seleccionar(static_cast<int>(editor.Texto().size() / 2), 0);

    bool typed = false;
    for (auto _ : state) {
        // A character, then Backspace: the card stays within its limit.
        if (typed) {
            Press(editor, Qt::Key_Backspace, QStringLiteral("\b"));
        } else {
            Press(editor, Qt::Key_X, QStringLiteral("x"));
        }
        typed = !typed;
        QApplication::processEvents();
    }
    if (services.notices != 0 || file->GetTxt(card).size() < kLength) {
        state.SkipWithError("a keystroke was refused");
    }
}

}  // namespace

BENCHMARK(BM_Keystroke99999)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Budget kKeystroke{"keystroke_99999", "BM_Keystroke99999", 16, 1};
