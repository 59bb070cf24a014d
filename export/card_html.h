// A card's text as HTML: the styles, colours, alignment, margins, tables and
// frames of the markup as HTML and CSS, lines left to the browser. Every
// character of the card is escaped; nothing the card wrote becomes a tag,
// an attribute or a script.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "richtext/card_links.h"

namespace cartulo::exporting {

// A picture made for the page (a formula, a drawing), already written.
struct EmbeddedImage {
    std::string src;   // relative to the page
    double width = 0;  // CSS pixels
    double height = 0;
    double descent = 0;  // below the baseline
};

// What the page needs from the rest of the export. Names and targets are
// Windows-1252, as the card holds them; what comes back is UTF-8.
class HtmlHost {
  public:
    virtual ~HtmlHost() = default;
    // The page a link leads to; nothing when no card has the target.
    virtual std::optional<std::string> LinkHref(std::string_view target) = 0;
    // The picture's copy beside the pages; nothing when it is missing or
    // is no picture.
    virtual std::optional<std::string> PictureSrc(std::string_view name) = 0;
    // Nothing when the formula has an error.
    virtual std::optional<EmbeddedImage> Formula(std::string_view formula, const FontState& font,
                                                 Color color) = 0;
    // A drawing script in a box of that many CSS pixels.
    virtual std::optional<EmbeddedImage> Drawing(std::string_view script, double width,
                                                 double height) = 0;
};

struct CardHtml {
    std::string html;   // a <div class="ficha"> with the card
    std::string words;  // the card's visible text, UTF-8, for the search
};

// `links` are the card's own, as ReadCardLinks reads them.
CardHtml CardToHtml(std::string_view text, const std::vector<CardLink>& links, HtmlHost& host);

// Text (Windows-1252) escaped for HTML text and attribute values, in UTF-8.
// Control characters, which HTML does not allow, become spaces.
std::string EscapeHtml(std::string_view cp1252);
// The same for text that is UTF-8 already.
std::string EscapeHtmlUtf8(std::string_view utf8);

}  // namespace cartulo::exporting
