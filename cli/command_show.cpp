#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/report.h"

namespace ctu {

void runShow(const CommandLine& line, Streams& io) {
    const CardFile file(line.operands[0]);
    const auto& cards = file.cards();
    const cartulo::CardId card = file.find(line.operands[1]);
    ShownCard shown{card, file.entry(card), toUtf8(cards.GetTxt(card)), {}};
    for (const cartulo::CardId sister : cards.GetSisters(card)) {
        if (sister != card) shown.sisters.push_back(file.entry(sister));
    }
    printCard(io.out, shown, line.json);
}

}  // namespace ctu
