#include "richtext/markup_spans.h"

#include <algorithm>
#include <array>
#include <optional>

#include "richtext/card_links.h"
#include "richtext/error_list.h"
#include "richtext/markup_chars.h"
#include "richtext/markup_reader.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"

namespace cartulo::richtext {

namespace {

// One layout's walk over one text (a frame's body is a layout of its own).
class SpanWalk {
  public:
    SpanWalk(std::string_view text, std::size_t offset, std::vector<MarkupSpan>& out)
        : text_(text), offset_(offset), reader_(text), out_(out) {}

    void Walk() {
        std::size_t pos = 0;
        while (pos < text_.size()) {
            if (IsCrLfAt(text_, pos)) {
                pos += 2;
                continue;
            }
            const Token token = reader_.NextToken(pos, nullptr);
            if (token.end <= pos) {
                ++pos;
                continue;
            }
            if (token.IsQuote()) {
                quote(token.quote, pos);
            } else {
                word(token);
            }
            pos = token.end;
        }
    }

  private:
    std::size_t at(std::string_view part) const {
        return static_cast<std::size_t>(part.data() - text_.data());
    }

    void add(std::size_t begin, std::size_t end, SpanKind kind, std::string detail = {}) {
        if (end > begin) out_.push_back({begin + offset_, end + offset_, kind, std::move(detail)});
    }

    void word(const Token& token) {
        const std::size_t wordEnd = token.end - token.blanks;
        std::size_t done = token.begin;
        for (const Piece& piece : token.pieces) {
            const std::size_t start = at(piece.text);
            if (start > done) dropped(done, start);
            done = start + piece.text.size();
            switch (piece.kind) {
                case Piece::Kind::Text:
                    // Only an unclosed brace leaves a "{" in the text.
                    if (const std::size_t brace = piece.text.find('{');
                        brace != std::string_view::npos) {
                        add(start + brace, std::max(wordEnd, start + brace + 1), SpanKind::Error,
                            std::string(message::kUnclosedBraces));
                    }
                    break;
                case Piece::Kind::Tag:
                    tag(piece, start);
                    break;
                case Piece::Kind::Object:
                    tag(piece, start);
                    if (piece.body.data() != nullptr) {
                        const std::size_t body = at(piece.body);
                        add(body, body + piece.body.size(), SpanKind::Value);
                        done = closingTag(body + piece.body.size());
                    }
                    break;
                case Piece::Kind::Frame:
                    tag(piece, start);
                    if (piece.body.data() != nullptr) {
                        const std::size_t body = at(piece.body);
                        SpanWalk(piece.body, offset_ + body, out_).Walk();
                        done = closingTag(body + piece.body.size());
                    }
                    break;
            }
        }
        if (wordEnd > done) dropped(done, wordEnd);
    }

    // Comments and "{}", which the reader passes over.
    void dropped(std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to;) {
            if (text_[i] != '{') {
                ++i;
                continue;
            }
            const std::size_t end = std::min(reader_.Index().TagEnd(i).value_or(to), to);
            const bool comment = i + 1 < text_.size() && text_[i + 1] == '*';
            add(i, end, comment ? SpanKind::Comment : SpanKind::Brace);
            i = end;
        }
    }

    // The tag that closes a block at `pos`, if any; where it ends.
    std::size_t closingTag(std::size_t pos) {
        if (pos >= text_.size()) return pos;
        const std::size_t end = reader_.Index().TagEnd(pos).value_or(text_.size());
        Piece piece;
        if (ReadTag(text_.substr(pos, end - pos), piece)) {
            plainTag(piece, pos, end);
        } else {
            add(pos, end, SpanKind::Brace);
        }
        return end;
    }

    void tag(const Piece& piece, std::size_t start) {
        const std::size_t end = start + piece.text.size();
        switch (KindOfTag(piece.name)) {
            case TagKind::Unknown:
                add(start, end, SpanKind::Error,
                    std::string(message::kInvalidTag) + std::string(piece.name));
                return;
            case TagKind::ObjectEnd:
                add(start, end, SpanKind::Error, std::string(message::kObjectWithoutStart));
                return;
            case TagKind::FrameEnd:
                add(start, end, SpanKind::Error, std::string(message::kFrameWithoutStart));
                return;
            case TagKind::Link:
                return;  // the link reader's
            default:
                plainTag(piece, start, end);
        }
    }

    void plainTag(const Piece& piece, std::size_t start, std::size_t end) {
        const std::size_t name = at(piece.name);
        add(start, start + 1, SpanKind::Brace);
        add(name, name + piece.name.size(), SpanKind::Name);
        add(name + piece.name.size(), end - 1, SpanKind::Value);
        add(end - 1, end, SpanKind::Brace);
    }

    // As layout pairs the quotes: a « with no » after it, a second « before
    // the », and a » with no « are faults.
    void quote(char quote, std::size_t pos) {
        if (quote == kOpenQuote) {
            if (linkOpen_ || !reader_.Index().NextCloseQuote(pos + 1)) {
                add(pos, pos + 1, SpanKind::Error, std::string(message::kInvalidLink));
            } else {
                linkOpen_ = true;
            }
        } else if (!linkOpen_) {
            add(pos, pos + 1, SpanKind::Error, std::string(message::kInvalidLink));
        } else {
            linkOpen_ = false;
        }
    }

    std::string_view text_;
    std::size_t offset_;
    MarkupReader reader_;
    std::vector<MarkupSpan>& out_;
    bool linkOpen_ = false;
};

// The last line start at or before `from` and the first at or after `to`
// where a walk from the start stands between tokens with no link, object,
// frame or table open. The walk is a rough one, by braces and quotes alone;
// when in doubt it reads on, to the text's end at worst.
std::pair<std::size_t, std::size_t> quietLines(std::string_view text, std::size_t from,
                                               std::size_t to) {
    if (to == 0) return {0, 0};
    // The bytes the walk stops at; prose between them is skipped in a tight loop.
    static const auto stops = [] {
        std::array<bool, 256> table{};
        for (const char c : {'{', kOpenQuote, kCloseQuote, '\n'}) {
            table[static_cast<unsigned char>(c)] = true;
        }
        return table;
    }();
    std::size_t quiet = 0;
    bool link = false;
    // An object's body runs to the next {/O} or {O:, whatever it holds;
    // frames and tables close by their own tags, so a stray one of the
    // other kind ends nothing.
    bool object = false;
    int frames = 0;
    int tables = 0;
    // The first » after the last search, so that many « cost one search.
    std::size_t nextClose = 0;
    for (std::size_t i = 0; i < text.size();) {
        while (i < text.size() && !stops[static_cast<unsigned char>(text[i])]) ++i;
        if (i >= text.size()) break;
        const char c = text[i];
        if (c == '\n') {
            ++i;
            if (i >= 2 && text[i - 2] == '\r' && !link && !object && frames == 0 && tables == 0) {
                if (i <= from) quiet = i;
                if (i >= to) return {quiet, i};
            }
            continue;
        }
        if (c == '{') {
            const bool comment = i + 1 < text.size() && text[i + 1] == '*';
            const std::size_t close = comment ? text.find("*}", i + 1) : text.find('}', i + 1);
            if (close == std::string_view::npos) break;
            const std::string_view tag = text.substr(i, close + 1 - i);
            if (comment) {
                // passed over
            } else if (StartsWithNoCase(tag, "{O:") || EqualsNoCase(tag, "{/O}")) {
                object = tag[1] != '/';
            } else if (object) {
                // an object's body is no markup
            } else if (StartsWithNoCase(tag, "{FR:") || EqualsNoCase(tag, "{/FR}")) {
                frames = tag[1] != '/' ? frames + 1 : std::max(frames - 1, 0);
            } else if (StartsWithNoCase(tag, "{TB:") || tag == "{\\}") {
                tables = tag[1] != '\\' ? tables + 1 : std::max(tables - 1, 0);
            }
            i = close + (comment ? 2 : 1);
            continue;
        }
        // A block's body pairs its own quotes.
        if (object || frames > 0) {
            ++i;
            continue;
        }
        if (c == kOpenQuote && !link) {
            if (nextClose != std::string_view::npos && nextClose <= i) {
                nextClose = text.find(kCloseQuote, i + 1);
            }
            link = nextClose != std::string_view::npos;
        } else if (c == kCloseQuote) {
            link = false;
        }
        ++i;
    }
    return {quiet, text.size()};
}

}  // namespace

std::vector<MarkupSpan> ReadMarkupSpans(std::string_view text) {
    std::vector<MarkupSpan> spans;
    SpanWalk(text, 0, spans).Walk();
    // Links as the link reader finds them, so colours, lists of links and
    // presses agree; each goes before the tags inside it.
    for (CardLink& link : ReadCardLinks(text)) {
        spans.push_back(
            {link.position, link.position + link.length, SpanKind::Link, std::move(link.target)});
    }
    std::stable_sort(spans.begin(), spans.end(), [](const MarkupSpan& a, const MarkupSpan& b) {
        return a.begin < b.begin ||
               (a.begin == b.begin && a.kind == SpanKind::Link && b.kind != SpanKind::Link);
    });
    return spans;
}

MarkupSpansPart ReadMarkupSpansAround(std::string_view text, std::size_t from, std::size_t to) {
    return *ReadMarkupSpansAround(text, from, to, std::string_view::npos);
}

std::optional<MarkupSpansPart> ReadMarkupSpansAround(std::string_view text, std::size_t from,
                                                     std::size_t to, std::size_t most) {
    MarkupSpansPart part;
    const auto [begin, end] = quietLines(text, from, to);
    if (end - begin > most) return std::nullopt;
    part.begin = begin;
    part.end = end;
    part.spans = ReadMarkupSpans(text.substr(begin, end - begin));
    for (MarkupSpan& span : part.spans) {
        span.begin += begin;
        span.end += begin;
    }
    return part;
}

}  // namespace cartulo::richtext
