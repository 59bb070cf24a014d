// ctu export: the card file published as a web site or as Markdown notes.

#include <ostream>

#include "cli/card_file.h"
#include "cli/commands.h"
#include "cli/exit_code.h"
#include "cli/offscreen_png.h"
#include "export/site_export.h"

namespace ctu {

void runExport(const CommandLine& line, Streams& io) {
    if (line.html.has_value() == line.markdown.has_value()) {
        throw Failure(ExitCode::Usage, "Use --html CARPETA o --markdown CARPETA (una de las dos).");
    }
    const CardFile file(line.operands[0]);
    cartulo::exporting::ExportOptions options;
    options.folder = line.html ? *line.html : *line.markdown;
    options.format = line.html ? cartulo::exporting::ExportFormat::Html
                               : cartulo::exporting::ExportFormat::Markdown;
    options.force = line.force;

    OffscreenGui gui;  // fonts for the formulas, decoders for the pictures
    const auto report = cartulo::exporting::ExportCards(file.cards(), options);
    for (const std::string& note : report.lines) io.out << note << '\n';
    using Outcome = cartulo::exporting::ExportReport::Outcome;
    if (report.outcome == Outcome::HoldsOtherFiles)
        throw Failure(ExitCode::Refused, report.message);
    if (report.outcome != Outcome::Done) throw Failure(ExitCode::FileError, report.message);
    io.out << report.Summary() << '\n';
}

}  // namespace ctu
