#include "cli/card_file.h"
#include "cli/commands.h"
#include "cli/edit_rules.h"

namespace ctu {

void runRename(const CommandLine& line, Streams&) {
    CardFile file(line.operands[0]);
    auto& cards = file.cards();
    const cartulo::CardId card = file.find(line.operands[1]);
    const std::string& newEntryUtf8 = line.operands[2];
    const std::string entry = storableEntry(newEntryUtf8);
    checkEntryChange(cards.ValidateNtry(card, entry), newEntryUtf8);
    checkEntryChange(cards.SetNtry(card, entry), newEntryUtf8);
    file.save();
}

}  // namespace ctu
