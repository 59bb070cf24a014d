#include "export/card_markdown.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

#include "engine/win1252.h"
#include "richtext/color_notation.h"
#include "richtext/markup_reader.h"
#include "richtext/our_mc.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/text_continuation.h"

namespace cartulo::exporting {

using richtext::KindOfTag;
using richtext::Piece;
using richtext::TagKind;

namespace {

constexpr char kOpenQuote = '\xAB';
constexpr char kCloseQuote = '\xBB';
constexpr std::string_view kTableStart = "{TB:";
constexpr std::string_view kTableEnd = "{\\}";

// Markup kept for other readers; "--" may not stand in an HTML comment.
std::string comment(std::string_view cp1252) {
    std::string text = win1252::toUtf8(cp1252);
    for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2))
        text.replace(at, 2, "- -");
    return "<!-- " + text + " -->";
}

// A wiki link's part may hold no ], [ or |.
std::string wikiPart(std::string_view utf8) {
    std::string out(utf8);
    for (char& c : out)
        if (c == '[' || c == ']' || c == '|' || c == '\r' || c == '\n') c = ' ';
    return out;
}

std::string escapeMarkdownUtf8(std::string_view utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
            case '\\':
            case '`':
            case '*':
            case '_':
            case '[':
            case ']':
            case '<':
            case '>':
            case '#':
            case '!':
            case '|':
            case '~':
            case '&':
            case '{':
            case '}':
                out += '\\';
                out += c;
                break;
            case '\r':
            case '\n':
                out += ' ';
                break;
            default:
                out += c;
        }
    }
    return out;
}

struct Run {
    bool bold = false, italic = false, underline = false;
    std::string markdown;  // already escaped, or markup of its own
    bool styled = true;    // false: links, comments, pictures (never wrapped)
};

class Writer {
  public:
    Writer(MarkdownHost& host, const std::vector<CardLink>& links) : host_(host) {
        for (const CardLink& link : links) links_.emplace(link.position, link);
    }
    std::string Convert(std::string_view text);

  private:
    void text(std::string_view cp1252);
    void own(std::string markdown) {
        runs_.push_back({false, false, false, std::move(markdown), false});
    }
    void tag(const Piece& piece);
    void link(const std::optional<std::string>& stem, std::string_view target,
              const std::string& shown);
    void linksIn(std::size_t begin, std::size_t end);
    void endParagraph();

    MarkdownHost& host_;
    // The card's links by where they start: what the link reader finds is
    // a link, so notes, pages and lint agree.
    std::map<std::size_t, CardLink> links_;
    std::vector<std::size_t> inserted_;  // CR LF put before and after tables
    const char* textBase_ = nullptr;
    std::string out_;
    std::vector<Run> runs_;
    bool bold_ = false, italic_ = false, underline_ = false;
    bool inLink_ = false;
    // The open « link: where its » lies in the card, its target and page.
    std::size_t linkEnd_ = 0;
    std::string linkTarget_;
    std::optional<std::string> linkStem_;
    std::string linkShown_;  // UTF-8

    // Where a position of the walked text lies in the card's text.
    std::size_t card(std::size_t pos) const {
        const auto before = std::lower_bound(inserted_.begin(), inserted_.end(), pos);
        return pos - 2 * static_cast<std::size_t>(before - inserted_.begin());
    }
    std::size_t card(const char* at) const {
        return card(static_cast<std::size_t>(at - textBase_));
    }
};

void Writer::text(std::string_view cp1252) {
    if (cp1252.empty()) return;
    if (inLink_) {
        linkShown_ += win1252::toUtf8(cp1252);
        return;
    }
    if (!runs_.empty() && runs_.back().styled && runs_.back().bold == bold_ &&
        runs_.back().italic == italic_ && runs_.back().underline == underline_) {
        runs_.back().markdown += cp1252;
    } else {
        runs_.push_back({bold_, italic_, underline_, std::string(cp1252), true});
    }
}

// Links inside what is kept as a comment (tables, frames), after it.
void Writer::linksIn(std::size_t begin, std::size_t end) {
    for (auto it = links_.lower_bound(begin); it != links_.end() && it->first < end; ++it) {
        if (it->first != links_.lower_bound(begin)->first) own(" ");
        link(host_.LinkStem(it->second.target), it->second.target, "");
    }
}

void Writer::link(const std::optional<std::string>& stem, std::string_view target,
                  const std::string& shown) {
    // A page's stem is plain already; a broken target and the label are
    // text the card wrote.
    const std::string to = stem ? *stem : escapeMarkdownUtf8(wikiPart(win1252::toUtf8(target)));
    const std::string label = escapeMarkdownUtf8(wikiPart(shown));
    own(label.empty() || label == to ? "[[" + to + "]]" : "[[" + to + "|" + label + "]]");
}

void Writer::tag(const Piece& p) {
    const TagKind kind = KindOfTag(p.name);
    const bool valued = richtext::HasValue(p.name);
    auto onOff = [&](bool current) {
        return valued ? richtext::ParseNumber(p.value) != 0 : !current;
    };
    switch (kind) {
        case TagKind::Bold:
            bold_ = onOff(bold_);
            return;
        case TagKind::Italic:
            italic_ = onOff(italic_);
            return;
        case TagKind::Underline:
            underline_ = onOff(underline_);
            return;
        case TagKind::Expression: {
            std::string expression(p.value);
            if (cOurMC::AnswerEscape(expression)) {
                text(expression);
                return;
            }
            break;
        }
        case TagKind::Link: {
            // Only what the link reader found; one inside a « link is its text.
            const auto found = links_.find(card(p.text.data()));
            if (inLink_ || found == links_.end()) {
                text(richtext::GetParamRest(p.value, 2));
                return;
            }
            link(host_.LinkStem(found->second.target), found->second.target,
                 win1252::toUtf8(richtext::GetParamRest(p.value, 2)));
            return;
        }
        case TagKind::Picture: {
            const std::string_view name = richtext::TrimBlanks(p.value);
            if (const auto src = host_.PictureSrc(name)) {
                own("![" + EscapeMarkdown(name) + "](<" + *src + ">)");
                return;
            }
            break;
        }
        case TagKind::PictureLeft:
        case TagKind::PictureRight:
        case TagKind::Button:
        case TagKind::PictureMap:
        case TagKind::Background: {
            // The picture is shown; what it does stays in the comment.
            const std::string_view name = richtext::TrimBlanks(richtext::GetParam(p.value, 1));
            const bool colour = kind == TagKind::Background &&
                                richtext::GetParam(p.value, 2).empty() &&
                                richtext::ParseColor(name, {Rgb(0, 0, 0), Rgb(0, 0, 0)}) >= 0;
            if (!colour) {
                if (const auto src = host_.PictureSrc(name)) {
                    own("![" + EscapeMarkdown(name) + "](<" + *src + ">)" + comment(p.text));
                    return;
                }
            }
            break;
        }
        default:
            break;
    }
    std::string original(p.text);
    if (p.kind == Piece::Kind::Object) original += std::string(p.body) + "{/O}";
    if (p.kind == Piece::Kind::Frame) original += std::string(p.body) + "{/FR}";
    own(comment(original));
    if (p.kind == Piece::Kind::Frame)
        linksIn(card(p.text.data()), card(p.body.data() + p.body.size()));
}

void Writer::endParagraph() {
    const bool reopen = inLink_;
    if (reopen) {
        // A link running over a line break is a link on each line.
        inLink_ = false;
        link(linkStem_, linkTarget_, linkShown_);
        linkShown_.clear();
    }
    // A line that opens with an HTML comment is an HTML block to a Markdown
    // reader, which then shows none of its text: kept markup goes last.
    std::size_t comments = 0;
    while (comments < runs_.size() && !runs_[comments].styled &&
           runs_[comments].markdown.starts_with("<!--"))
        ++comments;
    if (comments > 0 && comments < runs_.size())
        std::rotate(runs_.begin(), runs_.begin() + static_cast<std::ptrdiff_t>(comments),
                    runs_.end());
    std::string line;
    for (Run& run : runs_) {
        if (!run.styled) {
            line += run.markdown;
            continue;
        }
        // Markers hug the words: "** a**" is no emphasis.
        const std::string& raw = run.markdown;
        const std::size_t first = raw.find_first_not_of(" \t");
        if (first == std::string::npos) {
            line += raw;
            continue;
        }
        const std::size_t last = raw.find_last_not_of(" \t");
        std::string core = EscapeMarkdown(raw.substr(first, last - first + 1));
        if (run.italic) core = "*" + core + "*";
        if (run.bold) core = "**" + core + "**";
        if (run.underline) core = "<u>" + core + "</u>";
        line += raw.substr(0, first) + core + raw.substr(last + 1);
    }
    runs_.clear();
    // Blanks at a line's start would make a code block.
    std::size_t lead = 0;
    while (lead < line.size() && (line[lead] == ' ' || line[lead] == '\t')) ++lead;
    std::string indent;
    for (std::size_t i = 0; i < lead; ++i) indent += line[i] == ' ' ? "&#32;" : "&#9;";
    line = indent + line.substr(lead);
    // A list item or a heading underline: "-", "+", "=", "1." at the start.
    const std::size_t start = indent.size();
    if (start < line.size() && (line[start] == '-' || line[start] == '+' || line[start] == '=')) {
        line.insert(start, "\\");
    } else {
        std::size_t d = indent.size();
        while (d < line.size() && std::isdigit(static_cast<unsigned char>(line[d]))) ++d;
        if (d > indent.size() && d < line.size() && (line[d] == '.' || line[d] == ')'))
            line.insert(d, "\\");
    }
    if (!line.empty()) out_ += line + "\n\n";
    inLink_ = reopen;
}

std::string Writer::Convert(std::string_view source) {
    const std::string text = richtext::NormalizeTables(source, &inserted_);
    textBase_ = text.data();
    const richtext::MarkupReader reader(text);
    std::size_t pos = 0;
    bool lineStart = true;
    while (pos < text.size()) {
        const std::string_view rest = std::string_view(text).substr(pos);
        if (lineStart && richtext::StartsWithNoCase(rest, kTableStart)) {
            // Markdown has no tables: the markup is kept, and the cells' text shown.
            const std::size_t end = rest.find(kTableEnd);
            const std::size_t length = end == std::string_view::npos ? rest.size() : end + 3;
            own(comment(rest.substr(0, length)));
            linksIn(card(pos), card(pos + length));
            endParagraph();
            pos += length;
            if (std::string_view(text).substr(pos, 2) == "\r\n") pos += 2;
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
            this->text(rest.substr(0, 1));
            ++pos;
            continue;
        }
        if (token.IsQuote()) {
            const auto found = links_.find(card(token.begin));
            if (token.quote == kOpenQuote && !inLink_ && found != links_.end()) {
                inLink_ = true;
                linkEnd_ = found->second.position + found->second.length - 1;
                linkTarget_ = found->second.target;
                linkStem_ = host_.LinkStem(linkTarget_);
                linkShown_.clear();
            } else if (token.quote == kCloseQuote && inLink_ && card(token.begin) == linkEnd_) {
                inLink_ = false;
                link(linkStem_, linkTarget_, linkShown_);
            } else {
                this->text(std::string_view(text).substr(token.begin, 1));
            }
        } else {
            for (const Piece& p : token.pieces) {
                if (p.kind == Piece::Kind::Text)
                    this->text(p.text);
                else
                    tag(p);
            }
        }
        pos = token.end;
    }
    endParagraph();
    return std::move(out_);
}

void appendYamlQuoted(std::string& out, std::string_view cp1252) {
    out += '"';
    // YAML allows no C0 or C1 control character, nor DEL, unescaped.
    const std::string utf8 = win1252::toUtf8(cp1252);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool c1 =
            c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F || c1) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X",
                          c1 ? static_cast<unsigned char>(utf8[++i]) : c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

}  // namespace

std::string EscapeMarkdown(std::string_view cp1252) {
    return escapeMarkdownUtf8(win1252::toUtf8(cp1252));
}

std::string CardToMarkdown(std::string_view text, const std::vector<CardLink>& links,
                           MarkdownHost& host) {
    return Writer(host, links).Convert(text);
}

std::string FrontMatter(std::string_view entry, const std::vector<std::string>& aliases) {
    std::string out = "---\nentry: ";
    appendYamlQuoted(out, entry);
    out += "\naliases: [";
    for (std::size_t i = 0; i < aliases.size(); ++i) {
        if (i > 0) out += ", ";
        appendYamlQuoted(out, aliases[i]);
    }
    out += "]\n---\n\n";
    return out;
}

}  // namespace cartulo::exporting
