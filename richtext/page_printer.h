// Card text printed page after page: each page is painted by the binding
// on its surface (a printer page) from the top, and the next page goes on
// with CutAt(GetText(), GetTextPointer()).
#pragma once

#include <functional>
#include <string_view>

#include "richtext/our_mc.h"

namespace cartulo {

class PagePrinter {
  public:
    // `newPage` ends the page on the binding's surface and starts the next;
    // false when the job cannot go on (cancelled, failed).
    PagePrinter(cOurMC& mc, std::function<bool()> newPage)
        : mc_(mc), newPage_(std::move(newPage)) {}

    // Paints the whole text; the number of pages painted (1 for an empty
    // text). A page that takes nothing of the text ends the printout, so
    // it can never go on with blank pages.
    int Print(std::string_view text);

  private:
    cOurMC& mc_;
    std::function<bool()> newPage_;
};

}  // namespace cartulo
