#include <vector>

#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/display_text.h"
#include "cli/exit_code.h"
#include "cli/report.h"
#include "engine/global_query.h"

namespace ctu {

namespace {

std::vector<ListedCard> hitsOf(CardFile& file, const cartulo::MarkedQuery& query) {
    auto& cards = file.cards();
    std::vector<ListedCard> hits;
    for (cartulo::CardId card = cards.FindFirst(query); card != cartulo::kNoCard;
         card = cards.FindNext(card)) {
        hits.push_back({card, file.entry(card)});
    }
    return hits;
}

// QUERY FILE...: every file is read before anything is printed, so a file
// that cannot be read ends the command with no partial answer.
void runGlobalSearch(const CommandLine& line, Streams& io) {
    const auto query = cartulo::GlobalQuery(searchQuery(line.operands[0]));
    std::vector<FileHits> found;
    for (std::size_t i = 1; i < line.operands.size(); ++i) {
        CardFile file(line.operands[i]);
        auto hits = hitsOf(file, query);
        if (hits.empty()) continue;
        found.push_back(
            {displayText(line.operands[i]), toUtf8(file.cards().GetFileTitle()), std::move(hits)});
    }
    printFileHits(io.out, found, line.json);
}

}  // namespace

void runSearch(const CommandLine& line, Streams& io) {
    if (line.global) {
        runGlobalSearch(line, io);
        return;
    }
    if (line.operands.size() > 2) throw Failure(ExitCode::Usage, "Sobran argumentos.");
    CardFile file(line.operands[0]);
    // No hits is an answer, not a failure: exit 0 with an empty list.
    printList(io.out, hitsOf(file, searchQuery(line.operands[1])), line.json);
}

}  // namespace ctu
