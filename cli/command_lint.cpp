#include <memory>
#include <vector>

#include "cli/card_engine.h"
#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/report.h"
#include "platform/fake_surface.h"
#include "richtext/link_table.h"
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

// The main card is where a file is read from, so it is never an orphan.
bool isOrphan(const cartulo::cCartulo& cards, const cartulo::LinkTable& table,
              cartulo::CardId card) {
    if (card == cards.GetMain()) return false;
    for (const cartulo::CardId source : table.LinksTo(card)) {
        if (source != card) return false;
    }
    return true;
}

}  // namespace

void runLint(const CommandLine& line, Streams& io) {
    CardFile file(line.operands[0]);
    const auto& cards = file.cards();
    const cartulo::LinkTable table(file.cards());

    cartulo::FakeSurface surface(kLintWidth, kLintHeight, cartulo::ScaleMode::Pixels);
    const auto renderer = makeCardRenderer(std::make_unique<NoPictures>());
    renderer->SetCtrl(&surface);
    const cartulo::cZuzodIvodure& engine = renderer->pMC();

    std::vector<LintedCard> linted;
    bool unclean = false;
    for (const auto& item : cards.GetCrdList(true)) {
        // Painted, not only measured: some errors (too many hot zones) arise
        // only while painting. A bottom of -1 paints the whole text on a
        // screen surface, however long.
        renderer->DrawText(cards.GetTxt(item.card), 0, 0, 0, -1);
        surface.ClearLog();
        LintedCard card{file.entry(item.card), file.displayEntry(item.card), {}, {}, {}};
        for (int i = 0; i < engine.ErrorCount(); ++i)
            card.errors.push_back(toUtf8(engine.Errors(i)));
        for (const auto& link : table.LinksFrom(item.card)) {
            if (link.resolved != cartulo::kNoCard) continue;
            card.brokenLinks.push_back(
                {toUtf8(link.link.target), link.link.position + 1, std::nullopt});
        }
        if (line.orphans) card.orphan = isOrphan(cards, table, item.card);
        if (card.errors.empty() && card.brokenLinks.empty() && !card.orphan.value_or(false)) {
            continue;
        }
        unclean = unclean || !card.errors.empty() || !card.brokenLinks.empty();
        linted.push_back(std::move(card));
    }
    printLint(io.out, linted, line.json);
    if (line.strict && unclean) {
        throw Failure(ExitCode::Unclean, "Hay errores de marcado o enlaces rotos.");
    }
}

}  // namespace ctu
