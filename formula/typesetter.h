// The reading loop of the formula notation: the text is consumed from the
// left one construct at a time, and each construct is measured, or measured
// and painted, as soon as it is cut out. One procedure serves both passes,
// so a painted formula fills exactly the box its measuring gave.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/surface.h"

namespace cartulo::formula {

// A construct's box: its width, and its extent above and below the axis,
// in surface units (y grows downwards).
struct Box {
    double width = 0;
    double above = 0;
    double below = 0;
    double Height() const { return above + below; }
};

struct Scales {
    double index = 0.6;  // @exp, @sub, @ind
    double limit = 0.6;  // the limits of @lim
};

class Typesetter {
  public:
    Typesetter(Surface& surface, Scales scales) : surface_(surface), scales_(scales) {}

    Box Measure(std::string_view formula);
    // Paints with the formula's left edge at x and its axis at `axis`.
    Box Paint(std::string_view formula, double x, double axis);

    // Arguments within arguments; each level is a recursive call, so hostile
    // text must not choose how deep the stack goes.
    static constexpr int kMaxNesting = 32;
    // Font sizes the constructs ask for are kept within these (points), so
    // nested @exp cannot shrink the font to nothing nor nested @dob grow it
    // past what surfaces accept.
    static constexpr double kSmallestFontSize = 1;
    static constexpr double kLargestFontSize = 2000;
    // The matrix tables' size.
    static constexpr int kMaxMatrixSide = 100;

  private:
    struct SavedFont {
        std::string name;
        double size;
        int charset;
    };
    enum class Accent { Bar, Dot, Arrow };

    Box run(std::string_view text, bool paint, double x, double y, int depth);
    Box measure(std::string_view text, int depth);
    void paintArgument(std::string_view text, double x, double y, int depth) {
        run(text, true, x, y, depth + 1);
    }
    Box construct(std::string_view& text, bool paint, double x, double y, int depth);
    Box command(std::string_view& text, bool paint, double x, double y, int depth);
    Box escape(std::string_view& text, bool paint, double x, double y);
    Box accented(std::string_view& text, Accent accent, bool paint, double x, double y);
    Box letters(std::string_view text, bool paint);

    Box resized(std::string_view a, double factor, bool paint, double x, double y, int depth);
    Box superscript(std::string_view a, bool paint, double x, double y, int depth);
    Box subscript(std::string_view a, bool paint, double x, double y, int depth);
    Box indices(std::string_view a, std::string_view b, bool paint, double x, double y, int depth);
    Box fraction(std::string_view a, std::string_view b, bool brace, bool paint, double x, double y,
                 int depth);
    Box root(std::string_view a, bool paint, double x, double y, int depth);
    Box fenced(std::string_view left, std::string_view a, std::string_view right, bool paint,
               double x, double y, int depth);
    Box limits(std::string_view a, std::string_view b, std::string_view c, bool paint, double x,
               double y, int depth);
    Box matrix(std::string_view& text, bool paint, double x, double y, int depth);
    Box symbol(std::string_view s, bool paint, double x, double y);
    Box integral(bool paint, double x, double y);

    void curlyBrace(double x, double y, double gap, double up, double down);
    void arc(double cx, double cy, double r, double from, double to);
    double fontAscent() const;
    double pixelsToUnits(double pixels) const;
    void fitFontHeight(double height);
    void printAt(double x, double y, std::string_view text);

    SavedFont saveFont() const;
    void restoreFont(const SavedFont& font);
    void setFontSize(double points);
    void useSymbolFont();

    // An argument's box, by where it lies in the formula and the font it is
    // measured in. Painting measures each argument before painting it, and
    // painting it measures its parts again; within one pass those parts are
    // the same text in the same font, so their boxes are kept for the pass.
    struct MeasuredKey {
        const char* text;
        std::size_t length;
        std::string font;
        double size;
        bool italic;
        int charset;
        bool operator==(const MeasuredKey&) const = default;
    };
    struct MeasuredKeyHash {
        std::size_t operator()(const MeasuredKey& k) const;
    };

    Surface& surface_;
    Scales scales_;
    bool inMatrix_ = false;
    // A letter leaves italic on and owes switching it off: a run of letters
    // then costs the surface no font change per letter. The debt is paid
    // before anything else is measured or painted.
    bool italicOwed_ = false;
    void settleItalic();
    std::unordered_map<MeasuredKey, Box, MeasuredKeyHash> measured_;
    // The glyph height at the fitting size, per font, for the pass.
    struct GlyphHeight {
        std::string font;
        int charset;
        bool italic;
        double height;
    };
    std::vector<GlyphHeight> glyphHeights_;
};

}  // namespace cartulo::formula
