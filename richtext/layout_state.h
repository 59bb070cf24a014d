// The working state of one layout: the line being filled, the style it
// started from, and what undoes a token that moves to the next line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "richtext/markup_reader.h"

namespace cartulo::richtext {

// Text style and pen as they stand on the surface.
struct StyleSnapshot {
    FontState font;
    Color color = 0;
    double penX = 0;
    double penY = 0;
};

// Scale units; the first-line margin replaces the left one on the first
// line of a paragraph.
struct Margins {
    double left = 0;       // MI
    double first = 0;      // MP
    double right = 0;      // MD, from the surface's right side
    double paragraph = 0;  // MU, below each paragraph
};

struct TokenMetrics {
    double width = 0;
    double ascent = 0;
    double descent = 0;
    double blanksWidth = 0;  // of the blanks after the word, in its final style

    void Room(double above, double below) {
        if (above > ascent) ascent = above;
        if (below > descent) descent = below;
    }
};

struct LineItem {
    Token token;  // a word, or a quote (which takes no room)
    TokenMetrics metrics;
};

// A line holds at most this many tokens; a line that reaches it ends there
// and the text goes on on the next line.
inline constexpr std::size_t kMaxLineTokens = 501;

struct LineRecord {
    std::vector<LineItem> items;  // in text order, quotes included
    std::size_t tokens = 0;       // words placed (quotes not counted)
    double width = 0;
    double ascent = 0;
    double descent = 0;
    int align = 0;
    double backgroundTop = 0;  // where a {W:} of this line starts filling
    bool firstOfParagraph = false;
};

// Everything a measured token may change, so that a token moved to the
// next line leaves no trace on this one.
struct Checkpoint {
    StyleSnapshot style;
    Margins margins;
    int align = 0;
    int lineAlign = 0;
};

// A «link» being painted.
struct OpenLink {
    bool open = false;
    double startX = 0;
    std::string target;
    bool savedUnderline = false;
    Color savedColor = 0;
};

// Where the tokens of the line being painted sit.
struct PaintPlace {
    double top = 0;       // of the line
    double baseline = 0;  // of the line
    double lineHeight = 0;
    double tokenAscent = 0;
    double lineX = 0;  // where the token starts; a tab moves it
    bool lastToken = false;
    std::size_t blanks = 0;
};

}  // namespace cartulo::richtext
