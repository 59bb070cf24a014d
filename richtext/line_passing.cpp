// A line laid out but not painted, because no ink of it would show: it
// still leaves the style and the open link that painting it would, and its
// zones count toward the limit, so that what is painted does not depend on
// what was scrolled past.
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

using namespace richtext;

void cZuzodIvodure::passLine(const std::vector<LineItem>& items, std::size_t base, double y) {
    const ZonePass pass(*this);
    PaintPlace place;
    place.top = y + moveDown_;
    place.baseline = place.top + line_.ascent;
    place.lineHeight = line_.ascent + line_.descent;
    for (const LineItem& item : items) {
        if (item.token.IsQuote()) {
            paintLinkQuote(item.token.quote, base + item.token.begin, place);
            continue;
        }
        // Tags that paint put the style back as they found it.
        for (const Piece& piece : item.token.pieces) {
            if (piece.kind != Piece::Kind::Tag) continue;
            passZones(piece);
            applyStyleTag(piece, false);
        }
    }
    closeLinkAtLineEnd(place);
}

void cZuzodIvodure::applyLineStyle(const std::vector<LineItem>& items) {
    for (const LineItem& item : items) {
        for (const Piece& piece : item.token.pieces) {
            if (piece.kind == Piece::Kind::Tag) applyStyleTag(piece, false);
        }
    }
}

}  // namespace cartulo
