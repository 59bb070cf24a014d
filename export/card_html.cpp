#include "export/card_html.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

#include "engine/win1252.h"
#include "export/font_family.h"
#include "platform/symbol_font.h"
#include "richtext/card_links.h"
#include "richtext/color_notation.h"
#include "richtext/markup_reader.h"
#include "richtext/our_mc.h"
#include "richtext/table_cells.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/text_continuation.h"
#include "richtext/zuzod_ivodure_frame.h"

namespace cartulo::exporting {

using richtext::KindOfTag;
using richtext::Piece;
using richtext::TagKind;

namespace {

// Frames and tables inside frames: a real card nests a few; a hostile one
// could nest thousands and exhaust the stack. The painter's own limit.
constexpr int kMaxDepth = kMaxFrameNesting;
// Lengths in points are kept within a page or so; a hostile {MI:1e9} would
// only push the text out of sight.
constexpr double kMaxPoints = 2000;
constexpr std::string_view kTableStart = "{TB:";
constexpr std::string_view kTableEnd = "{\\}";
constexpr char kOpenQuote = '\xAB';
constexpr char kCloseQuote = '\xBB';

// The engine's defaults: the host binding's font (kDefaultFont), the
// markup's margins.
constexpr double kDefaultSize = 12;
constexpr int kDefaultAlign = 3;
struct Margins {
    double left = 10, first = 6, right = 30, below = 6;
    bool operator==(const Margins&) const = default;
};

struct Style {
    bool bold = false, italic = false, underline = false;
    std::optional<Color> color;
    std::string font;  // empty: the default
    double size = 0;   // 0: the default
};

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4g", value);
    return buffer;
}

double points(std::string_view value) {
    const double n = richtext::ParseNumber(value);
    return std::isfinite(n) ? std::clamp(n, -kMaxPoints, kMaxPoints) : 0;
}

std::string cssColor(Color c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return buffer;
}

bool onOff(const Piece& piece, bool current) {
    if (!richtext::HasValue(piece.name)) return !current;
    return richtext::ParseNumber(piece.value) != 0;
}

const char* alignCss(int align) {
    switch (align) {
        case 0:
            return "left";
        case 1:
            return "right";
        case 2:
            return "center";
        default:
            return "justify";
    }
}

// The card's links by where they start in its text: what the link reader
// finds is a link, so pages, backlinks and lint agree.
using LinksAt = std::map<std::size_t, CardLink>;
// Where a position of the text a writer walks lies in the card's text.
using ToCard = std::function<std::size_t(std::size_t)>;

class Writer {
  public:
    Writer(HtmlHost& host, const LinksAt& links, ToCard toCard, int depth, std::string& words,
           bool inCell)
        : host_(host),
          links_(links),
          toCard_(std::move(toCard)),
          depth_(depth),
          words_(words),
          inCell_(inCell) {}

    std::string Blocks(std::string_view text);
    const std::optional<std::string>& Background() const { return background_; }

  private:
    std::string& sink() { return inLink_ ? link_ : para_; }
    void closeSpan();
    void text(std::string_view cp1252);
    void raw(std::string_view html) {
        closeSpan();
        sink() += html;
    }
    void endParagraph();
    void quote(char quote, std::size_t at);
    const CardLink* linkAt(std::size_t at) const;
    Writer inner(std::size_t at, bool inCell);
    void link(std::optional<std::string> href, const std::string& inner);
    void piece(const Piece& piece);
    void tag(const Piece& piece);
    void picture(std::string_view name, const char* cls);
    void formula(std::string_view formula);
    void object(const Piece& piece);
    void frame(const Piece& piece);
    std::size_t table(std::string_view text, std::size_t at);
    std::string styleCss() const;
    FontState fontState() const;

    HtmlHost& host_;
    const LinksAt& links_;
    ToCard toCard_;
    ToCard here_;  // a position of the normalized text in the card's
    const char* textBase_ = nullptr;
    int depth_;
    std::string& words_;
    bool inCell_;
    std::string out_;
    std::string para_;
    std::string link_;
    bool inLink_ = false;
    // The open « link: where its closing » lies in the card, and its page.
    std::optional<std::size_t> quoteEnd_;
    std::optional<std::string> quoteHref_;
    std::string openCss_;
    bool spanOpen_ = false;
    std::string blocksAfter_;  // frames, placed after their paragraph
    bool firstLine_ = true;
    Style style_;
    Margins margins_;
    int align_ = kDefaultAlign;
    std::optional<std::string> background_;
};

std::string Writer::styleCss() const {
    std::string css;
    if (style_.bold) css += "font-weight:bold;";
    if (style_.italic) css += "font-style:italic;";
    if (style_.underline) css += "text-decoration:underline;";
    if (style_.color) css += "color:" + cssColor(*style_.color) + ";";
    if (!style_.font.empty()) css += "font-family:'" + SafeFontFamily(style_.font) + "';";
    if (style_.size > 0) css += "font-size:" + number(style_.size) + "pt;";
    return css;
}

FontState Writer::fontState() const {
    FontState font;
    font.name = style_.font.empty() ? std::string(kDefaultFont) : style_.font;
    font.size = style_.size > 0 ? style_.size : kDefaultSize;
    font.bold = style_.bold;
    font.italic = style_.italic;
    return font;
}

void Writer::closeSpan() {
    if (spanOpen_) sink() += "</span>";
    spanOpen_ = false;
    openCss_.clear();
}

void Writer::text(std::string_view cp1252) {
    if (cp1252.empty()) return;
    const std::string css = styleCss();
    if (css != openCss_ || (!css.empty() && !spanOpen_)) {
        closeSpan();
        if (!css.empty()) {
            sink() += "<span style=\"" + css + "\">";
            spanOpen_ = true;
            openCss_ = css;
        }
    }
    const std::string escaped = EscapeHtml(cp1252);
    sink() += escaped;
    words_ += win1252::toUtf8(cp1252);
    words_ += ' ';
}

void Writer::endParagraph() {
    const bool reopen = quoteEnd_.has_value();
    if (reopen) {
        // A link running over a line break is a link on each line.
        closeSpan();
        inLink_ = false;
        std::string inner = std::move(link_);
        link_.clear();
        link(quoteHref_, inner);
    }
    closeSpan();
    if (inCell_) {
        if (!firstLine_) out_ += "<br>";
        out_ += para_;
    } else {
        std::string css;
        if (align_ != kDefaultAlign) css += std::string("text-align:") + alignCss(align_) + ";";
        if (!(margins_ == Margins{})) {
            css += "margin:0 " + number(margins_.right) + "pt " + number(margins_.below) + "pt " +
                   number(margins_.left) +
                   "pt;text-indent:" + number(margins_.first - margins_.left) + "pt;";
        }
        out_ += css.empty() ? "<p>" : "<p style=\"" + css + "\">";
        out_ += para_.empty() ? "&nbsp;" : para_;
        out_ += "</p>\n";
    }
    out_ += blocksAfter_;
    blocksAfter_.clear();
    para_.clear();
    firstLine_ = false;
    inLink_ = reopen;
}

void Writer::link(std::optional<std::string> href, const std::string& inner) {
    if (href) {
        sink() += "<a href=\"" + EscapeHtmlUtf8(*href) + "\">" + inner + "</a>";
    } else {
        sink() += "<span class=\"roto\">" + inner +
                  "</span><sup class=\"marca\" title=\"Ninguna ficha tiene esta entrada\">?</sup>";
    }
}

const CardLink* Writer::linkAt(std::size_t at) const {
    const auto found = links_.find(here_(at));
    return found == links_.end() ? nullptr : &found->second;
}

Writer Writer::inner(std::size_t at, bool inCell) {
    return Writer(
        host_, links_, [here = here_, at](std::size_t pos) { return here(at + pos); }, depth_ + 1,
        words_, inCell);
}

void Writer::quote(char quote, std::size_t at) {
    if (quote == kOpenQuote && !inLink_) {
        if (const CardLink* found = linkAt(at)) {
            closeSpan();
            inLink_ = true;
            link_.clear();
            quoteEnd_ = found->position + found->length - 1;
            quoteHref_ = host_.LinkHref(found->target);
            return;
        }
    } else if (quote == kCloseQuote && quoteEnd_ && here_(at) == *quoteEnd_) {
        closeSpan();
        inLink_ = false;
        quoteEnd_.reset();
        const std::string inner = std::move(link_);
        link_.clear();
        link(quoteHref_, inner);
        return;
    }
    text(quote == kOpenQuote ? "\xAB" : "\xBB");  // a quote that is no link shows as itself
}

void Writer::picture(std::string_view name, const char* cls) {
    name = richtext::TrimBlanks(name);
    const auto src = host_.PictureSrc(name);
    if (src) {
        raw("<img src=\"" + EscapeHtmlUtf8(*src) + "\" alt=\"" + EscapeHtml(name) + "\"" +
            (cls ? std::string(" class=\"") + cls + "\"" : std::string()) + ">");
    } else {
        raw("<span class=\"falta\" title=\"No se puede mostrar la imagen\">[" + EscapeHtml(name) +
            "]</span>");
    }
}

void Writer::formula(std::string_view text) {
    const Color color = style_.color.value_or(Rgb(0, 0, 0));
    if (const auto image = host_.Formula(text, fontState(), color)) {
        raw("<img class=\"formula\" src=\"" + EscapeHtmlUtf8(image->src) + "\" alt=\"" +
            EscapeHtml(text) + "\" width=\"" + number(image->width) + "\" height=\"" +
            number(image->height) + "\" style=\"vertical-align:-" + number(image->descent) +
            "px\">");
    } else {
        raw("<span class=\"error\">" + EscapeHtml(text) + "</span>");
    }
}

void Writer::object(const Piece& piece) {
    // Points to CSS pixels: 96 / 72.
    const double width = std::max(0.0, points(richtext::GetParam(piece.value, 1))) * 4 / 3;
    const double height = std::max(0.0, points(richtext::GetParam(piece.value, 2))) * 4 / 3;
    const std::string_view type = richtext::TrimBlanks(richtext::GetParam(piece.value, 3));
    if (richtext::EqualsNoCase(type, "drawscript")) {
        if (const auto image = host_.Drawing(piece.body, width, height)) {
            raw("<img class=\"dibujo\" src=\"" + EscapeHtmlUtf8(image->src) +
                "\" alt=\"\" width=\"" + number(image->width) + "\" height=\"" +
                number(image->height) + "\">");
            return;
        }
    }
    raw("<span class=\"objeto\" style=\"width:" + number(width) + "px;height:" + number(height) +
        "px\" title=\"" + EscapeHtml(type) + "\"></span>");
}

void Writer::frame(const Piece& piece) {
    if (depth_ >= kMaxDepth) return;
    // In a cell the frame is a span: its lines join with <br>, not <p>.
    std::string inner =
        this->inner(static_cast<std::size_t>(piece.body.data() - textBase_), inCell_)
            .Blocks(piece.body);
    const double left = points(richtext::GetParam(piece.value, 1));
    const double right = points(richtext::GetParam(piece.value, 2));
    const double height = points(richtext::GetParam(piece.value, 4));
    std::string css;
    if (left > 0) css += "margin-left:" + number(margins_.left + left) + "pt;";
    if (right > left && left > 0) css += "width:" + number(right - left) + "pt;";
    if (height > 0) css += "min-height:" + number(height) + "pt;";
    const std::string_view colour = richtext::TrimBlanks(richtext::GetParam(piece.value, 5));
    const std::string_view border = richtext::TrimBlanks(richtext::GetParam(piece.value, 6));
    if (!colour.empty() && !border.empty() && richtext::ParseNumber(border) != 0) {
        const Color c = richtext::ParseColor(colour, {Rgb(0, 0, 0), Rgb(0, 0, 0)});
        if (c >= 0) css += "border:1px solid " + cssColor(c) + ";";
    }
    const std::string open = inCell_ ? "<span class=\"marco\"" : "<div class=\"marco\"";
    const std::string block = open + (css.empty() ? "" : " style=\"" + css + "\"") + ">" + inner +
                              (inCell_ ? "</span>" : "</div>\n");
    if (inCell_)
        raw(block);
    else
        blocksAfter_ += block;
}

void Writer::tag(const Piece& p) {
    const TagKind kind = KindOfTag(p.name);
    const bool valued = richtext::HasValue(p.name);
    switch (kind) {
        case TagKind::Bold:
            style_.bold = onOff(p, style_.bold);
            break;
        case TagKind::Italic:
            style_.italic = onOff(p, style_.italic);
            break;
        case TagKind::Underline:
            style_.underline = onOff(p, style_.underline);
            break;
        case TagKind::Color:
            if (!valued) {
                style_.color.reset();
            } else {
                const Color current = style_.color.value_or(Rgb(0, 0, 0));
                const Color c = richtext::ParseColor(p.value, {current, Rgb(0, 0, 0)});
                if (c >= 0) style_.color = c;
            }
            break;
        case TagKind::Font:
            style_.font = valued ? std::string(p.value) : std::string();
            break;
        case TagKind::Size: {
            const double size = valued ? richtext::ParseNumber(p.value) : 0;
            if (!valued) style_.size = 0;
            if (size > 0 && size <= 1000) style_.size = size;
            break;
        }
        case TagKind::Align: {
            const double n = valued ? richtext::ParseNumber(p.value) : kDefaultAlign;
            if (n >= 0 && n <= 3) align_ = static_cast<int>(n);
            break;
        }
        // A page has nothing left of its edge: negative margins would hide text.
        case TagKind::LeftMargin:
            margins_.left = std::max(0.0, points(p.value));
            break;
        case TagKind::FirstMargin:
            margins_.first = std::max(0.0, points(p.value));
            break;
        case TagKind::RightMargin:
            margins_.right = std::max(0.0, points(p.value));
            break;
        case TagKind::ParagraphSpace:
            margins_.below = std::max(0.0, points(p.value));
            break;
        case TagKind::Tab:
            raw("<span class=\"tab\"></span>");
            break;
        case TagKind::HSpace:
        case TagKind::HSpaceUnits:
            raw("<span class=\"hueco\" style=\"width:" + number(std::max(0.0, points(p.value))) +
                (kind == TagKind::HSpace ? "pt" : "px") + "\"></span>");
            break;
        case TagKind::Strut:
            raw("<span class=\"hueco\" style=\"height:" + number(std::max(0.0, points(p.value))) +
                "pt\"></span>");
            break;
        case TagKind::Subscript:
        case TagKind::Superscript: {
            const char* element = kind == TagKind::Subscript ? "sub" : "sup";
            raw(std::string("<") + element + ">");
            text(p.value);
            raw(std::string("</") + element + ">");
            break;
        }
        case TagKind::Symbol: {
            std::string utf8;
            for (const char c : p.value)
                win1252::appendUtf8(utf8, SymbolToUnicode(static_cast<unsigned char>(c)));
            raw(EscapeHtmlUtf8(utf8));
            words_ += utf8 + ' ';
            break;
        }
        case TagKind::Expression: {
            // As the preview shows it: the four escapes answered, the rest as written.
            std::string expression(p.value);
            cOurMC::AnswerEscape(expression);
            text(expression);
            break;
        }
        case TagKind::Picture:
        case TagKind::Button:
        case TagKind::PictureMap:
            picture(kind == TagKind::Picture ? p.value : richtext::GetParam(p.value, 1), nullptr);
            break;
        case TagKind::PictureLeft:
        case TagKind::PictureRight:
            picture(richtext::GetParam(p.value, 1),
                    kind == TagKind::PictureLeft ? "izquierda" : "derecha");
            break;
        case TagKind::Sound:
            raw("<span class=\"sonido\" title=\"Sonido\">\xF0\x9F\x94\x88</span>");
            break;
        case TagKind::Link: {
            // Only what the link reader found; a link in a link's text is
            // text, as an <a> holds no other.
            const std::string_view label = richtext::GetParamRest(p.value, 2);
            const CardLink* found =
                inLink_ ? nullptr : linkAt(static_cast<std::size_t>(p.text.data() - textBase_));
            if (!found) {
                text(label);
                break;
            }
            closeSpan();
            inLink_ = true;
            link_.clear();
            text(label);
            closeSpan();
            std::string inner = std::move(link_);
            link_.clear();
            inLink_ = false;
            link(host_.LinkHref(found->target), inner);
            break;
        }
        case TagKind::Popup:
            raw("<span class=\"emergente\">");
            text(richtext::GetParam(p.value, 1));
            raw("</span>");
            break;
        case TagKind::Formula:
            formula(p.value);
            break;
        case TagKind::Background: {
            if (depth_ > 0 || background_) break;
            const std::string_view first = richtext::TrimBlanks(richtext::GetParam(p.value, 1));
            const Color c = richtext::ParseColor(first, {Rgb(0, 0, 0), Rgb(0, 0, 0)});
            if (richtext::GetParam(p.value, 2).empty() && c >= 0) {
                background_ = "background-color:" + cssColor(c);
            } else if (const auto src = host_.PictureSrc(first)) {
                background_ = "background-image:url('" + EscapeHtmlUtf8(*src) + "')";
            }
            break;
        }
        default:
            break;  // the rest take room or act only on screen
    }
}

void Writer::piece(const Piece& p) {
    switch (p.kind) {
        case Piece::Kind::Text:
            text(p.text);
            break;
        case Piece::Kind::Tag:
            tag(p);
            break;
        case Piece::Kind::Object:
            object(p);
            break;
        case Piece::Kind::Frame:
            frame(p);
            break;
    }
}

std::size_t Writer::table(std::string_view text, std::size_t at) {
    const std::size_t end = text.find(kTableEnd, at);
    if (end == std::string_view::npos) return text.size();  // takes the rest, as on screen
    std::size_t next = end + kTableEnd.size();
    if (text.substr(next, 2) == "\r\n") next += 2;
    const std::size_t close = text.find('}', at);
    if (close >= end || depth_ >= kMaxDepth) return next;
    const auto tag = richtext::ReadTableTag(richtext::TrimBlanks(
        text.substr(at + kTableStart.size(), close - at - kTableStart.size())));
    if (tag.cols == 0 || tag.rows == 0) return next;
    richtext::TableGrid grid(tag.cols, tag.rows);
    richtext::FillCells(text.substr(close + 1, end - close - 1), grid, kDefaultAlign);

    std::string css;
    if (!tag.colour.empty()) {
        const Color c = richtext::ParseColor(tag.colour, {Rgb(0, 0, 0), Rgb(0, 0, 0)});
        const int width = tag.borderWidth.value_or(1);
        if (c == richtext::kColor3D)
            css = "border:" + std::to_string(width) + "px outset #c0c0c0";
        else if (c >= 0)
            css = "border:" + std::to_string(width) + "px solid " + cssColor(c);
    }
    out_ += "<table class=\"tabla\">\n";
    for (int r = 1; r <= grid.Rows(); ++r) {
        out_ += "<tr>";
        for (int c = 1; c <= grid.Cols(); ++c) {
            const cZuzodIvodureCell& cell = grid.At(c, r);
            std::string style = std::string("text-align:") + alignCss(cell.align) + ";" + css;
            out_ += "<td style=\"" + style + "\">";
            out_ += inner(close + 1 + cell.at, true).Blocks(cell.text);
            out_ += "</td>";
        }
        out_ += "</tr>\n";
    }
    out_ += "</table>\n";
    return next;
}

std::string Writer::Blocks(std::string_view source) {
    std::vector<std::size_t> inserted;
    const std::string text = richtext::NormalizeTables(source, &inserted);
    textBase_ = text.data();
    here_ = [this, inserted](std::size_t pos) {
        const auto before = std::lower_bound(inserted.begin(), inserted.end(), pos);
        return toCard_(pos - 2 * static_cast<std::size_t>(before - inserted.begin()));
    };
    const richtext::MarkupReader reader(text);
    std::size_t pos = 0;
    bool lineStart = true;
    while (pos < text.size()) {
        const std::string_view rest = std::string_view(text).substr(pos);
        if (lineStart && !inCell_ && richtext::StartsWithNoCase(rest, kTableStart)) {
            if (!para_.empty()) endParagraph();
            pos = table(text, pos);
            continue;
        }
        if (rest.starts_with("\r\n")) {
            endParagraph();
            pos += 2;
            lineStart = true;
            continue;
        }
        lineStart = false;
        const richtext::Token token = reader.NextToken(pos, nullptr);
        if (token.end <= pos) {
            this->text(rest.substr(0, 1));  // always move on
            ++pos;
            continue;
        }
        if (token.IsQuote()) {
            quote(token.quote, token.begin);
        } else {
            for (const Piece& p : token.pieces) piece(p);
        }
        pos = token.end;
    }
    if (!para_.empty() || inLink_ || !blocksAfter_.empty() || (firstLine_ && !inCell_))
        endParagraph();
    return std::move(out_);
}

void appendEscaped(std::string& out, char32_t c) {
    switch (c) {
        case '&':
            out += "&amp;";
            return;
        case '<':
            out += "&lt;";
            return;
        case '>':
            out += "&gt;";
            return;
        case '"':
            out += "&quot;";
            return;
        case '\'':
            out += "&#39;";
            return;
        default:
            break;
    }
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) c = ' ';
    win1252::appendUtf8(out, c);
}

}  // namespace

std::string EscapeHtml(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 8);
    for (const char byte : cp1252) {
        const auto b = static_cast<unsigned char>(byte);
        if (b >= 0x20 && b < 0x7F && b != '&' && b != '<' && b != '>' && b != '"' && b != '\'')
            out += byte;
        else
            appendEscaped(out, win1252::toUnicode(b));
    }
    return out;
}

std::string EscapeHtmlUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const std::size_t n = win1252::decodeUtf8(utf8, i, c);
        if (n == 0) {
            c = 0xFFFD;  // never pass a broken sequence through
            i += 1;
        } else {
            i += n;
        }
        appendEscaped(out, c);
    }
    return out;
}

CardHtml CardToHtml(std::string_view text, const std::vector<CardLink>& links, HtmlHost& host) {
    LinksAt at;
    for (const CardLink& link : links) at.emplace(link.position, link);
    CardHtml result;
    Writer writer(
        host, at, [](std::size_t pos) { return pos; }, 0, result.words, false);
    std::string body = writer.Blocks(text);
    const auto& background = writer.Background();
    result.html = background ? "<div class=\"ficha\" style=\"" + *background + "\">\n"
                             : std::string("<div class=\"ficha\">\n");
    result.html += body;
    result.html += "</div>\n";
    return result;
}

}  // namespace cartulo::exporting
