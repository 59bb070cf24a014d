#include "richtext/page_printer.h"

#include <cstddef>
#include <string>

namespace cartulo {

int PagePrinter::Print(std::string_view text) {
    std::string rest(text);
    // Characters not yet painted. The text of a page is the carried style
    // tags and this many characters of the last one, so it must shrink
    // from page to page: that bounds the printout.
    std::size_t left = std::string::npos;
    for (int pages = 1;; ++pages) {
        mc_.DrawText(rest, 0, 0, 0, -1);
        const std::string& laid = mc_.GetText();
        const std::size_t pointer = static_cast<std::size_t>(mc_.GetTextPointer());
        if (pointer > laid.size()) return pages;
        const std::size_t unpainted = laid.size() - (pointer > 0 ? pointer - 1 : 0);
        if (unpainted >= left || !newPage_()) return pages;
        left = unpainted;
        rest = cOurMC::CutAt(laid, pointer);
    }
}

}  // namespace cartulo
