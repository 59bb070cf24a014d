#include "cli/card_file.h"
#include "cli/commands.h"
#include "cli/edit_rules.h"

namespace ctu {

void runAlias(const CommandLine& line, Streams&) {
    CardFile file(line.operands[0]);
    const cartulo::CardId source = file.find(line.operands[1]);
    const std::string entry = storableEntry(line.operands[2]);
    createdCard(file.cards().NewAlias(source, entry), line.operands[2]);
    file.save();
}

}  // namespace ctu
