#include "formula/typesetter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "formula/bracket_scan.h"
#include "formula/delimiters.h"
#include "formula/formula_error.h"
#include "formula/numbers.h"

namespace cartulo::formula {

namespace {

constexpr char kMacron = '\xAF';
constexpr char kMiddleDot = '\xB7';
constexpr std::string_view kMacronText = "\xAF";
constexpr std::string_view kDotText = "\xB7";
constexpr std::string_view kArrowText = "\xAE";  // in the Symbol font
constexpr std::string_view kIntegralText = "\xF2";
constexpr std::string_view kSymbolFontName = "Symbol";

constexpr double kDotRaise = 0.3;    // of the line height
constexpr double kArrowRaise = 0.2;  // of the line height
constexpr double kArcStep = 0.1;     // radians
// Delimiters are fitted from this size, where rounding in the font's
// metrics matters least.
constexpr double kFittingSize = 100;
constexpr int kThickPen = 2;
constexpr int kThinPen = 1;

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string commandName(std::string_view text) {
    std::string name(text.substr(0, 3));
    std::transform(name.begin(), name.end(), name.begin(), lowerAscii);
    return name;
}

}  // namespace

Box Typesetter::Measure(std::string_view formula) {
    inMatrix_ = false;
    measured_.clear();
    glyphHeights_.clear();
    try {
        return run(formula, false, 0, 0, 0);
    } catch (...) {
        settleItalic();
        throw;
    }
}

Box Typesetter::Paint(std::string_view formula, double x, double axis) {
    inMatrix_ = false;
    measured_.clear();
    glyphHeights_.clear();
    try {
        return run(formula, true, x, axis, 0);
    } catch (...) {
        settleItalic();
        throw;
    }
}

void Typesetter::settleItalic() {
    if (!italicOwed_) return;
    italicOwed_ = false;
    surface_.SetFontItalic(false);
}

Box Typesetter::run(std::string_view text, bool paint, double x, double y, int depth) {
    if (depth > kMaxNesting) RaiseFormulaError(formula_errors::kTooDeep);
    Box total;
    // The line height of the font each construct starts in: the run's font,
    // upright or italic; kept so that a letter's owed italic need not be paid.
    double lineHeights[2] = {0, 0};
    bool measuredHeight[2] = {false, false};
    while (!text.empty()) {
        if (paint) {
            const bool italic = surface_.Font().italic && !italicOwed_;
            if (!measuredHeight[italic]) {
                settleItalic();
                lineHeights[italic] = surface_.TextHeight(" ");
                measuredHeight[italic] = true;
            }
            // The top of a text line centred on the axis.
            surface_.SetCurrentX(x);
            surface_.SetCurrentY(y - lineHeights[italic] / 2);
        }
        const Box box = construct(text, paint, x, y, depth);
        total.width += box.width;
        total.above = std::max(total.above, box.above);
        total.below = std::max(total.below, box.below);
        x += box.width;
    }
    settleItalic();
    return total;
}

std::size_t Typesetter::MeasuredKeyHash::operator()(const MeasuredKey& k) const {
    std::size_t h = std::hash<const char*>{}(k.text);
    h = h * 31 + k.length;
    h = h * 31 + std::hash<double>{}(k.size);
    return h * 31 + static_cast<std::size_t>(k.italic);
}

Box Typesetter::measure(std::string_view text, int depth) {
    const FontState& font = surface_.Font();
    MeasuredKey key{text.data(), text.size(), font.name, font.size, font.italic, font.charset};
    if (const auto it = measured_.find(key); it != measured_.end()) return it->second;
    const Box box = run(text, false, 0, 0, depth + 1);
    measured_.emplace(std::move(key), box);
    return box;
}

Box Typesetter::construct(std::string_view& text, bool paint, double x, double y, int depth) {
    const char c = text.front();
    const std::string_view head = text.substr(0, 1);
    text.remove_prefix(1);
    if (isAsciiLetter(c)) {
        if (!italicOwed_) surface_.SetFontItalic(true);
        italicOwed_ = false;
        const Box box = letters(head, paint);
        italicOwed_ = true;
        return box;
    }
    settleItalic();
    switch (c) {
        case '@':
            return command(text, paint, x, y, depth);
        case '\\':
            return escape(text, paint, x, y);
        case '_': {
            const std::size_t end = text.find('_');
            const std::string_view literal = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            return letters(literal, paint);
        }
        case kMacron:
            return accented(text, Accent::Bar, paint, x, y);
        default:
            break;
    }
    return letters(head, paint);
}

Box Typesetter::letters(std::string_view text, bool paint) {
    const double width = surface_.TextWidth(text);
    const double height = surface_.TextHeight(text);
    if (paint && !text.empty()) surface_.Print(text);
    return {width, height / 2, height / 2};
}

Box Typesetter::escape(std::string_view& text, bool paint, double x, double y) {
    if (text.empty()) return {};
    const char c = lowerAscii(text.front());
    const std::string_view head = text.substr(0, 1);
    text.remove_prefix(1);
    switch (c) {
        case ' ': {
            const double height = surface_.TextHeight(" ");
            return {surface_.TextWidth(" ") / 2, height / 2, height / 2};
        }
        case '-':
            return accented(text, Accent::Bar, paint, x, y);
        case kMiddleDot:
            return accented(text, Accent::Dot, paint, x, y);
        case '>':
            return accented(text, Accent::Arrow, paint, x, y);
        default:
            return letters(head, paint);
    }
}

Box Typesetter::accented(std::string_view& text, Accent accent, bool paint, double x, double y) {
    // A mark with nothing left to put it on adds nothing.
    if (text.empty()) return {};
    const std::string_view base = text.substr(0, 1);
    text.remove_prefix(1);
    const Box box = letters(base, paint);
    if (!paint) return box;
    const double top = y - surface_.TextHeight(" ") / 2;
    const double lineHeight = surface_.TextHeight(" ");
    switch (accent) {
        case Accent::Bar:
            printAt(x + (box.width - surface_.TextWidth(kMacronText)) / 2, top, kMacronText);
            break;
        case Accent::Dot:
            printAt(x + (box.width - surface_.TextWidth(kDotText)) / 2,
                    top - kDotRaise * lineHeight, kDotText);
            break;
        case Accent::Arrow: {
            const SavedFont saved = saveFont();
            useSymbolFont();
            setFontSize(saved.size / 2);
            printAt(x + (box.width - surface_.TextWidth(kArrowText)) / 2,
                    top - kArrowRaise * lineHeight, kArrowText);
            restoreFont(saved);
            break;
        }
    }
    return box;
}

Box Typesetter::command(std::string_view& text, bool paint, double x, double y, int depth) {
    const std::string name = commandName(text);
    if (name == "int") {
        text.remove_prefix(3);
        return integral(paint, x, y);
    }
    if (name == "mat") return matrix(text, paint, x, y, depth);

    struct Known {
        std::string_view name;
        std::size_t arguments;
    };
    static constexpr std::array<Known, 11> kCommands = {{{"dob", 1},
                                                         {"mit", 1},
                                                         {"exp", 1},
                                                         {"sub", 1},
                                                         {"ind", 2},
                                                         {"frc", 2},
                                                         {"key", 2},
                                                         {"sqr", 1},
                                                         {"par", 3},
                                                         {"lim", 3},
                                                         {"sym", 1}}};
    const auto known = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const Known& k) { return k.name == name; });
    if (known == kCommands.end()) {
        RaiseFormulaError(std::string(formula_errors::kUnknown) + std::string(text.substr(0, 3)));
    }
    const ArgumentList list = CutArguments(text, known->arguments);
    text = list.rest;
    const auto& a = list.arguments;
    if (name == "dob") return resized(a[0], 2, paint, x, y, depth);
    if (name == "mit") return resized(a[0], 0.5, paint, x, y, depth);
    if (name == "exp") return superscript(a[0], paint, x, y, depth);
    if (name == "sub") return subscript(a[0], paint, x, y, depth);
    if (name == "ind") return indices(a[0], a[1], paint, x, y, depth);
    if (name == "frc") return fraction(a[0], a[1], false, paint, x, y, depth);
    if (name == "key") return fraction(a[0], a[1], true, paint, x, y, depth);
    if (name == "sqr") return root(a[0], paint, x, y, depth);
    if (name == "par") return fenced(a[0], a[1], a[2], paint, x, y, depth);
    if (name == "lim") return limits(a[0], a[1], a[2], paint, x, y, depth);
    return symbol(a[0], paint, x, y);
}

Box Typesetter::resized(std::string_view a, double factor, bool paint, double x, double y,
                        int depth) {
    const SavedFont saved = saveFont();
    setFontSize(saved.size * factor);
    const Box box = run(a, paint, x, y, depth + 1);
    restoreFont(saved);
    return box;
}

Box Typesetter::superscript(std::string_view a, bool paint, double x, double y, int depth) {
    const SavedFont saved = saveFont();
    setFontSize(saved.size * scales_.index);
    const Box m = measure(a, depth);
    if (paint) paintArgument(a, x, y - m.below, depth);
    restoreFont(saved);
    return {m.width, m.Height(), 0};
}

Box Typesetter::subscript(std::string_view a, bool paint, double x, double y, int depth) {
    const SavedFont saved = saveFont();
    setFontSize(saved.size * scales_.index);
    const Box m = measure(a, depth);
    if (paint) paintArgument(a, x, y + m.above, depth);
    restoreFont(saved);
    return {m.width, 0, m.Height()};
}

Box Typesetter::indices(std::string_view a, std::string_view b, bool paint, double x, double y,
                        int depth) {
    const SavedFont saved = saveFont();
    setFontSize(saved.size * scales_.index);
    const Box up = measure(a, depth);
    const Box down = measure(b, depth);
    if (paint) {
        paintArgument(a, x, y - up.below, depth);
        paintArgument(b, x, y + down.above, depth);
    }
    restoreFont(saved);
    return {std::max(up.width, down.width), up.Height(), down.Height()};
}

Box Typesetter::fraction(std::string_view a, std::string_view b, bool brace, bool paint, double x,
                         double y, int depth) {
    const double gap = surface_.TextHeight(" ") / 4;
    const Box up = measure(a, depth);
    const Box down = measure(b, depth);
    const double widest = std::max(up.width, down.width);
    const Box box{2 * gap + widest, gap / 2 + up.Height(), gap / 2 + down.Height()};
    if (paint) {
        if (brace) {
            curlyBrace(x, y, gap, up.Height(), down.Height());
            paintArgument(a, x + 2 * gap, y - gap / 2 - up.below, depth);
            paintArgument(b, x + 2 * gap, y + gap / 2 + down.above, depth);
        } else {
            surface_.Line(x, y, x + box.width, y, surface_.ForeColor());
            const double centre = x + gap + widest / 2;
            paintArgument(a, centre - up.width / 2, y - gap / 2 - up.below, depth);
            paintArgument(b, centre - down.width / 2, y + gap / 2 + down.above, depth);
        }
    }
    return box;
}

Box Typesetter::root(std::string_view a, bool paint, double x, double y, int depth) {
    const Box m = measure(a, depth);
    const double h = m.Height();
    if (paint) {
        const Color ink = surface_.ForeColor();
        const double barY = y - m.above - h / 4;
        surface_.Line(x, y + m.below - h / 2, x + h / 4, y + m.below, ink);
        surface_.SetDrawWidth(kThickPen);
        surface_.Line(x + h / 4, y + m.below, x + 3 * h / 4, barY, ink);
        surface_.SetDrawWidth(kThinPen);
        surface_.Line(x + 3 * h / 4, barY, x + 3 * h / 4 + m.width, barY, ink);
        paintArgument(a, x + 3 * h / 4, y, depth);
    }
    return {3 * h / 4 + m.width, m.above + h / 4, m.below};
}

Box Typesetter::fenced(std::string_view left, std::string_view a, std::string_view right,
                       bool paint, double x, double y, int depth) {
    const Box m = measure(a, depth);
    // Each glyph is set with its body (the line without its leading) exactly
    // as tall as A, its top level with A's.
    const auto glyph = [&](const Delimiter& d, double at) {
        // Nothing to fit to: no delimiter, rather than one that overflows
        // the empty box.
        if (m.Height() <= 0) return 0.0;
        const SavedFont saved = saveFont();
        if (d.symbol) useSymbolFont();
        fitFontHeight(m.Height());
        const double width = surface_.TextWidth(d.text);
        if (paint && !d.text.empty()) {
            const TextMetrics tm = surface_.GetTextMetrics();
            const double leading = pixelsToUnits(tm.internalLeading + tm.externalLeading);
            printAt(at, y - m.above - leading, d.text);
        }
        restoreFont(saved);
        return width;
    };
    const double leftWidth = glyph(DelimiterFor(left), x);
    if (paint) paintArgument(a, x + leftWidth, y, depth);
    const double rightWidth = glyph(DelimiterFor(right), x + leftWidth + m.width);
    return {leftWidth + m.width + rightWidth, m.above, m.below};
}

Box Typesetter::limits(std::string_view a, std::string_view b, std::string_view c, bool paint,
                       double x, double y, int depth) {
    const Box body = measure(a, depth);
    const SavedFont saved = saveFont();
    setFontSize(saved.size * scales_.limit);
    const Box below = measure(b, depth);
    const Box above = measure(c, depth);
    const double width = std::max({body.width, below.width, above.width});
    if (paint) {
        restoreFont(saved);
        paintArgument(a, x + (width - body.width) / 2, y, depth);
        setFontSize(saved.size * scales_.limit);
        paintArgument(b, x + (width - below.width) / 2, y + body.below + below.above, depth);
        paintArgument(c, x + (width - above.width) / 2, y - body.above - above.below, depth);
    }
    restoreFont(saved);
    return {width, body.above + above.Height(), body.below + below.Height()};
}

Box Typesetter::matrix(std::string_view& text, bool paint, double x, double y, int depth) {
    if (inMatrix_) RaiseFormulaError(formula_errors::kNestedMatrix);
    const std::size_t close = FindClosingBracket(text, kListStart);
    const std::size_t first = FindFirstComma(text, kListStart);
    const std::size_t second = FindNextComma(text, first);
    const auto columns =
        ToInt16(LeadingNumber(text.substr(kListStart + 1, first - kListStart - 1)));
    const auto rows = ToInt16(LeadingNumber(text.substr(first + 1, second - first - 1)));
    if (!columns || !rows || *columns < 1 || *rows < 1 || *columns > kMaxMatrixSide ||
        *rows > kMaxMatrixSide) {
        RaiseFormulaError(formula_errors::kMatrixSize);
    }
    const std::size_t n = static_cast<std::size_t>(*columns);
    const std::size_t m = static_cast<std::size_t>(*rows);

    std::vector<std::string_view> cells;
    cells.reserve(n * m);
    std::size_t from = second;
    for (std::size_t i = 0; i + 1 < n * m; ++i) {
        const std::size_t comma = FindNextComma(text, from);
        cells.push_back(text.substr(from + 1, comma - from - 1));
        from = comma;
    }
    cells.push_back(text.substr(from + 1, close - from - 1));
    text = text.substr(close + 1);

    inMatrix_ = true;
    std::vector<Box> boxes;
    boxes.reserve(cells.size());
    std::vector<double> widths(n, 0), aboves(m, 0), belows(m, 0);
    for (std::size_t i = 0; i < m; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const Box& cell = boxes.emplace_back(measure(cells[i * n + j], depth));
            widths[j] = std::max(widths[j], cell.width);
            aboves[i] = std::max(aboves[i], cell.above);
            belows[i] = std::max(belows[i], cell.below);
        }
    }
    const double space = surface_.TextWidth(" ");
    double width = static_cast<double>(n - 1) * space;
    for (const double w : widths) width += w;
    double height = static_cast<double>(m - 1) * space;
    for (std::size_t i = 0; i < m; ++i) height += aboves[i] + belows[i];

    if (paint) {
        double axis = y - height / 2 + aboves[0];
        for (std::size_t i = 0; i < m; ++i) {
            double left = x;
            for (std::size_t j = 0; j < n; ++j) {
                const Box& cell = boxes[i * n + j];
                paintArgument(cells[i * n + j], left + (widths[j] - cell.width) / 2, axis, depth);
                left += widths[j] + space;
            }
            if (i + 1 < m) axis += belows[i] + space + aboves[i + 1];
        }
    }
    inMatrix_ = false;
    return {width, height / 2, height / 2};
}

Box Typesetter::symbol(std::string_view s, bool paint, double x, double y) {
    const std::string text = SymbolText(s);
    const double lineHeight = surface_.TextHeight(" ");
    const double ascent = fontAscent();
    const SavedFont saved = saveFont();
    useSymbolFont();
    const double symbolHeight = surface_.TextHeight(" ");
    const double symbolAscent = fontAscent();
    const double width = surface_.TextWidth(text);
    // The Symbol text shares the baseline of the text around it; its box is
    // the one its line cell fills there.
    const double top = y - lineHeight / 2 - (symbolAscent - ascent);
    if (paint && !text.empty()) printAt(x, top, text);
    restoreFont(saved);
    return {width, y - top, symbolHeight - (y - top)};
}

Box Typesetter::integral(bool paint, double x, double y) {
    const SavedFont saved = saveFont();
    useSymbolFont();
    setFontSize(saved.size * 2);
    const double width = surface_.TextWidth(kIntegralText);
    const double height = surface_.TextHeight(kIntegralText);
    if (paint) printAt(x, y - height / 2, kIntegralText);
    restoreFont(saved);
    return {width + surface_.TextWidth(" "), height / 2, height / 2};
}

void Typesetter::curlyBrace(double x, double y, double gap, double up, double down) {
    using std::numbers::pi;
    const Color ink = surface_.ForeColor();
    surface_.SetDrawWidth(kThickPen);
    arc(x, y - gap, gap, -pi / 2, 0);
    arc(x, y + gap, gap, pi / 2, 0);
    arc(x + 2 * gap, y - up + gap / 2, gap, pi, pi / 2);
    arc(x + 2 * gap, y + down - gap / 2, gap, pi, 3 * pi / 2);
    surface_.Line(x + gap, y - gap / 2, x + gap, y - up, ink);
    surface_.Line(x + gap, y + gap / 2, x + gap, y + down, ink);
    surface_.SetDrawWidth(kThinPen);
}

void Typesetter::arc(double cx, double cy, double r, double from, double to) {
    const Color ink = surface_.ForeColor();
    const double step = to >= from ? kArcStep : -kArcStep;
    double px = cx + r * std::cos(from), py = cy - r * std::sin(from);
    surface_.Point(px, py, ink);
    // Counted steps, so the walk ends whatever the angles.
    const int steps = static_cast<int>(std::floor((to - from) / step + 1e-9));
    for (int k = 0; k <= steps; ++k) {
        const double a = from + k * step;
        const double nx = cx + r * std::cos(a), ny = cy - r * std::sin(a);
        surface_.Line(px, py, nx, ny, ink);
        px = nx;
        py = ny;
    }
    surface_.Line(px, py, cx + r * std::cos(to), cy - r * std::sin(to), ink);
}

double Typesetter::fontAscent() const {
    const double lineHeight = surface_.TextHeight(" ");
    const TextMetrics tm = surface_.GetTextMetrics();
    // Degenerate metrics put the baseline on the axis rather than divide by 0.
    if (!(tm.height > 0)) return lineHeight / 2;
    return lineHeight * tm.ascent / tm.height;
}

double Typesetter::pixelsToUnits(double pixels) const {
    const TextMetrics tm = surface_.GetTextMetrics();
    if (!(tm.height > 0)) return 0;
    return surface_.TextHeight(" ") * pixels / tm.height;
}

void Typesetter::fitFontHeight(double height) {
    const FontState& font = surface_.Font();
    auto known =
        std::find_if(glyphHeights_.begin(), glyphHeights_.end(), [&](const GlyphHeight& g) {
            return g.font == font.name && g.charset == font.charset && g.italic == font.italic;
        });
    if (known == glyphHeights_.end()) {
        GlyphHeight g{font.name, font.charset, font.italic, 0};
        setFontSize(kFittingSize);
        const TextMetrics tm = surface_.GetTextMetrics();
        if (tm.height > 0) {
            g.height = surface_.TextHeight(" ") *
                       (tm.height - tm.internalLeading - tm.externalLeading) / tm.height;
        }
        known = glyphHeights_.insert(glyphHeights_.end(), std::move(g));
    }
    if (!(known->height > 0)) return;
    setFontSize(height * kFittingSize / known->height);
}

void Typesetter::printAt(double x, double y, std::string_view text) {
    surface_.SetCurrentX(x);
    surface_.SetCurrentY(y);
    surface_.Print(text);
}

Typesetter::SavedFont Typesetter::saveFont() const {
    const FontState& font = surface_.Font();
    return {font.name, font.size, font.charset};
}

void Typesetter::restoreFont(const SavedFont& saved) {
    const FontState& font = surface_.Font();
    if (font.name != saved.name) surface_.SetFontName(saved.name);
    if (font.size != saved.size) surface_.SetFontSize(saved.size);
    if (font.charset != saved.charset) surface_.SetFontCharset(saved.charset);
}

void Typesetter::setFontSize(double points) {
    // NaN and everything below the floor (a zero scale) become the floor.
    const double size =
        points >= kSmallestFontSize ? std::min(points, kLargestFontSize) : kSmallestFontSize;
    if (surface_.Font().size != size) surface_.SetFontSize(size);
}

void Typesetter::useSymbolFont() {
    surface_.SetFontName(kSymbolFontName);
    surface_.SetFontCharset(kSymbolCharset);
}

}  // namespace cartulo::formula
