// A whole card file exported to a folder: one page per card, in HTML (with
// index.html, the style sheet and the search) or in Markdown, pictures
// copied beside them. Needs a QGuiApplication (fonts for the SVG).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/cartulo.h"

namespace cartulo::exporting {

enum class ExportFormat { Html, Markdown };

struct ExportOptions {
    std::string folder;
    ExportFormat format = ExportFormat::Html;
    // Export into a folder that holds other files (they stay).
    bool force = false;
    // After each card (done, total); false stops the export.
    std::function<bool(int, int)> progress;
};

struct ExportReport {
    enum class Outcome { Done, CannotWrite, HoldsOtherFiles, Stopped };
    Outcome outcome = Outcome::Done;
    std::string message;  // Spanish, UTF-8, for any outcome but Done
    int pages = 0;
    int pictures = 0;  // copied
    int drawings = 0;  // formulas and drawing scripts made SVG
    int brokenLinks = 0;
    int missingPictures = 0;
    int outsidePictures = 0;         // named by a path outside the card file's folder
    int renamed = 0;                 // pages whose name had to differ from their entry's
    std::vector<std::string> lines;  // one per thing worth telling, UTF-8
    std::string Summary() const;
};

ExportReport ExportCards(const cCartulo& file, const ExportOptions& options);

}  // namespace cartulo::exporting
