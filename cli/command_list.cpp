#include <vector>

#include "cli/card_file.h"
#include "cli/commands.h"
#include "cli/report.h"

namespace ctu {

void runList(const CommandLine& line, Streams& io) {
    const CardFile file(line.operands[0]);
    std::vector<ListedCard> listed;
    // Hidden cards (entries beginning with a space) are listed too: a
    // script must see every card.
    for (const auto& item : file.cards().GetCrdList(true)) {
        listed.push_back({item.card, file.entry(item.card)});
    }
    printList(io.out, listed, line.json);
}

}  // namespace ctu
