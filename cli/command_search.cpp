#include <vector>

#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/report.h"

namespace ctu {

void runSearch(const CommandLine& line, Streams& io) {
    CardFile file(line.operands[0]);
    auto& cards = file.cards();
    std::vector<ListedCard> hits;
    for (cartulo::CardId card = cards.FindFirst(searchQuery(line.operands[1]));
         card != cartulo::kNoCard; card = cards.FindNext(card)) {
        hits.push_back({card, file.entry(card)});
    }
    // No hits is an answer, not a failure: exit 0 with an empty list.
    printList(io.out, hits, line.json);
}

}  // namespace ctu
