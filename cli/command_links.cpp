// The links between cards, both ways, resolved as a press in the program
// resolves them.
#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/report.h"
#include "richtext/link_table.h"

namespace ctu {

void runLinks(const CommandLine& line, Streams& io) {
    CardFile file(line.operands[0]);
    const cartulo::CardId card = file.find(line.operands[1]);
    const cartulo::LinkTable table(file.cards());
    std::vector<ListedLink> links;
    for (const auto& link : table.LinksFrom(card)) {
        ListedLink listed{toUtf8(link.link.target), link.link.position + 1, std::nullopt};
        if (link.resolved != cartulo::kNoCard) listed.resolved = file.entry(link.resolved);
        links.push_back(std::move(listed));
    }
    printLinks(io.out, links, line.json);
}

void runBacklinks(const CommandLine& line, Streams& io) {
    CardFile file(line.operands[0]);
    const cartulo::CardId card = file.find(line.operands[1]);
    const cartulo::LinkTable table(file.cards());
    std::vector<ListedCard> sources;
    for (const cartulo::CardId source : table.LinksTo(card)) {
        sources.push_back({source, file.entry(source)});
    }
    printList(io.out, sources, line.json);
}

}  // namespace ctu
