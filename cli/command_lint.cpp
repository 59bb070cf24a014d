#include <memory>
#include <vector>

#include "cli/card_engine.h"
#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/report.h"
#include "platform/fake_surface.h"
#include "richtext/zuzod_ivodure.h"

namespace ctu {
namespace {

// Lint reports the markup's errors, and a missing picture is none: a loader
// that finds nothing keeps the command off the disk and off Qt, so it runs
// without a display.
class NoPictures : public cartulo::PictureLoader {
  public:
    std::unique_ptr<cartulo::Picture> Load(const std::string&) const override { return nullptr; }
};

// The errors do not depend on the width; this one is a card window's.
constexpr double kLintWidth = 600;   // pixels
constexpr double kLintHeight = 400;  // unused: painting never stops at the bottom

}  // namespace

void runLint(const CommandLine& line, Streams& io) {
    const CardFile file(line.operands[0]);
    const auto& cards = file.cards();

    cartulo::FakeSurface surface(kLintWidth, kLintHeight, cartulo::ScaleMode::Pixels);
    const auto renderer = makeCardRenderer(std::make_unique<NoPictures>());
    renderer->SetCtrl(&surface);
    const cartulo::cZuzodIvodure& engine = renderer->pMC();

    std::vector<LintedCard> linted;
    for (const auto& item : cards.GetCrdList(true)) {
        // Painted, not only measured: some errors (too many hot zones) arise
        // only while painting. A bottom of -1 paints the whole text on a
        // screen surface, however long.
        renderer->DrawText(cards.GetTxt(item.card), 0, 0, 0, -1);
        surface.ClearLog();
        if (engine.ErrorCount() == 0) continue;
        LintedCard card{file.entry(item.card), file.displayEntry(item.card), {}};
        for (int i = 0; i < engine.ErrorCount(); ++i)
            card.errors.push_back(toUtf8(engine.Errors(i)));
        linted.push_back(std::move(card));
    }
    printLint(io.out, linted, line.json);
}

}  // namespace ctu
