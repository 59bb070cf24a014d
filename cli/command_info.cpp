#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/report.h"

namespace ctu {

void runInfo(const CommandLine& line, Streams& io) {
    const CardFile file(line.operands[0]);
    printSummary(io.out, {toUtf8(file.cards().GetFileTitle()), file.cards().CardCount()},
                 line.json);
}

}  // namespace ctu
