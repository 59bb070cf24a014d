#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/display_text.h"
#include "cli/report.h"

namespace ctu {

void runInfo(const CommandLine& line, Streams& io) {
    CardFile file(line.operands[0]);
    auto& cards = file.cards();
    const cartulo::FileInfo info = cards.GetFileInfo();
    printSummary(io.out,
                 {toUtf8(cards.GetFileTitle()), displayText(info.fileName), toUtf8(info.tag),
                  info.cards, info.sisters, info.size, info.capacity, cartulo::cCartulo::Version()},
                 line.json);
}

}  // namespace ctu
