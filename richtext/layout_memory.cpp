#include "richtext/layout_memory.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "richtext/markup_chars.h"
#include "richtext/tag_kind.h"

namespace cartulo::richtext {

namespace {

bool sameFont(const FontState& a, const FontState& b) {
    return a.name == b.name && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikethrough == b.strikethrough &&
           a.charset == b.charset;
}

bool sameMetrics(const TextMetrics& a, const TextMetrics& b) {
    return a.height == b.height && a.ascent == b.ascent && a.descent == b.descent &&
           a.internalLeading == b.internalLeading && a.externalLeading == b.externalLeading;
}

bool moveView(std::string_view& view, std::string_view from, std::string_view to) {
    if (view.empty()) {
        view = {};
        return true;
    }
    if (view.data() < from.data() || view.data() + view.size() > from.data() + from.size()) {
        return false;
    }
    view = to.substr(static_cast<std::size_t>(view.data() - from.data()), view.size());
    return true;
}

// The length of the common start of a and b; memcmp compares blocks far
// faster than a loop over characters.
std::size_t commonPrefix(const char* a, const char* b, std::size_t size) {
    constexpr std::size_t kBlock = 256;
    std::size_t i = 0;
    while (i + kBlock <= size && std::memcmp(a + i, b + i, kBlock) == 0) i += kBlock;
    while (i < size && a[i] == b[i]) ++i;
    return i;
}

std::size_t commonSuffix(const char* a, const char* b, std::size_t size) {
    constexpr std::size_t kBlock = 256;
    std::size_t i = 0;
    while (i + kBlock <= size && std::memcmp(a - i - kBlock, b - i - kBlock, kBlock) == 0) {
        i += kBlock;
    }
    while (i < size &&
           a[-1 - static_cast<std::ptrdiff_t>(i)] == b[-1 - static_cast<std::ptrdiff_t>(i)])
        ++i;
    return i;
}

}  // namespace

bool operator==(const ParagraphStart& a, const ParagraphStart& b) {
    return sameFont(a.font, b.font) && a.color == b.color && a.margins.left == b.margins.left &&
           a.margins.first == b.margins.first && a.margins.right == b.margins.right &&
           a.margins.paragraph == b.margins.paragraph && a.align == b.align &&
           a.linkOpen == b.linkOpen;
}

bool operator==(const LayoutContext& a, const LayoutContext& b) {
    return a.scaleMode == b.scaleMode && a.printer == b.printer && a.scaleWidth == b.scaleWidth &&
           a.twipsPerPixelX == b.twipsPerPixelX && a.twipsPerPixelY == b.twipsPerPixelY &&
           a.probeWidth == b.probeWidth && sameMetrics(a.probeMetrics, b.probeMetrics) &&
           a.defaultFont == b.defaultFont && a.defaultSize == b.defaultSize &&
           a.defaultColor == b.defaultColor && a.defaultAlign == b.defaultAlign &&
           a.leftEdge == b.leftEdge && a.rightEdge == b.rightEdge;
}

LayoutMemory::Placed::Placed(std::size_t at, std::shared_ptr<const RememberedParagraph> p,
                             std::optional<PassedUnseen> how)
    : pos(at), paragraph(std::move(p)), passed(how) {
    if (paragraph) {
        size = paragraph->text.size();
        endsLine = paragraph->text.ends_with("\r\n");
        hasHeight = paragraph->height > 0;
    }
}

void LayoutMemory::Begin(const LayoutContext& context, std::string_view text, bool sameText) {
    if (!context_ || !(*context_ == context)) {
        Clear();
        context_ = context;
    }
    // After a Clear the kept text is empty, so a size check keeps this honest.
    if (sameText && text.size() == text_.size()) {
        samePrefix_ = text.size();
        sameSuffix_ = 0;
        moved_ = 0;
        std::swap(previous_, current_);
        current_.clear();
        return;
    }
    const std::size_t common = std::min(text.size(), text_.size());
    samePrefix_ = commonPrefix(text.data(), text_.data(), common);
    sameSuffix_ =
        commonSuffix(text.data() + text.size(), text_.data() + text_.size(), common - samePrefix_);
    moved_ = static_cast<std::ptrdiff_t>(text.size()) - static_cast<std::ptrdiff_t>(text_.size());
    text_.assign(text);
    // Swapped, so that both keep their room from call to call.
    std::swap(previous_, current_);
    current_.clear();
}

std::optional<std::size_t> LayoutMemory::formerPlace(std::size_t pos, std::size_t size,
                                                     bool endsLine) const {
    // Before the edit a paragraph must end the same way, with its CR LF;
    // after it the text runs the same to the end.
    if (pos + size <= samePrefix_ && (endsLine || pos + size < samePrefix_)) return pos;
    if (pos >= text_.size() - sameSuffix_) {
        return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pos) - moved_);
    }
    return std::nullopt;
}

const RememberedParagraph* LayoutMemory::Find(std::size_t pos, std::string_view text,
                                              const ParagraphStart& start) {
    // Where the same text stood in the last call's, if it did.
    std::size_t was = 0;
    if (pos + text.size() <= samePrefix_) {
        was = pos;
    } else if (pos >= text_.size() - sameSuffix_) {
        was = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pos) - moved_);
    } else {
        return nullptr;
    }
    const auto it = std::lower_bound(previous_.begin(), previous_.end(), was,
                                     [](const Placed& p, std::size_t at) { return p.pos < at; });
    if (it == previous_.end() || it->pos != was || !it->paragraph ||
        it->paragraph->text.size() != text.size() || !(it->paragraph->start == start)) {
        return nullptr;
    }
    // Each paragraph of the last call is found at most once in this one.
    const RememberedParagraph* found = it->paragraph.get();
    Placed& now = current_.emplace_back(std::move(*it));
    now.pos = pos;
    now.passed.reset();
    return found;
}

void LayoutMemory::MarkPassed(const PassedUnseen& passed) {
    if (!current_.empty()) current_.back().passed = passed;
}

std::optional<UnseenRun> LayoutMemory::PassUnseenRun(std::size_t pos, const ParagraphStart& start,
                                                     double y, double moveDown,
                                                     double surfaceHeight) {
    // The first paragraph is looked up where it stood; the rest follow it.
    const std::size_t was =
        pos < samePrefix_ ? pos
        : pos >= text_.size() - sameSuffix_
            ? static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pos) - moved_)
            : std::string::npos;
    if (was == std::string::npos) return std::nullopt;
    auto it = std::lower_bound(previous_.begin(), previous_.end(), was,
                               [](const Placed& p, std::size_t at) { return p.pos < at; });
    if (it == previous_.end() || it->pos != was || !it->paragraph ||
        !(it->paragraph->start == start)) {
        return std::nullopt;
    }
    std::optional<UnseenRun> run;
    std::size_t at = pos;
    for (; it != previous_.end(); ++it) {
        if (!it->paragraph) break;
        const std::optional<PassedUnseen>& passed = it->passed;
        // Passed the same way, from where the one before left off.
        if (!passed || passed->y != y || passed->moveDown != moveDown ||
            passed->surfaceHeight != surfaceHeight) {
            break;
        }
        const std::optional<std::size_t> former = formerPlace(at, it->size, it->endsLine);
        if (!former || *former != it->pos) break;
        if (!run) run.emplace().bottom = passed->bottom;
        run->lastPos = at;
        run->last = it->paragraph.get();
        run->bottom = std::max(run->bottom, passed->bottom);
        if (it->hasHeight) run->height = true;
        y = run->yAfter = passed->yAfter;
        at += it->size;
        run->end = at;
        const bool endsLine = it->endsLine;
        current_.push_back(std::move(*it));
        current_.back().pos = run->lastPos;
        if (!endsLine) break;
    }
    return run;
}

void LayoutMemory::Keep(std::size_t pos, std::unique_ptr<RememberedParagraph> paragraph) {
    current_.emplace_back(pos, std::move(paragraph), std::nullopt);
}

void LayoutMemory::Clear() {
    current_.clear();
    previous_.clear();
    text_.clear();
    samePrefix_ = sameSuffix_ = 0;
    context_.reset();
}

std::size_t ParagraphEnd(std::string_view text, std::size_t pos) {
    for (std::size_t i = text.find('\r', pos); i != std::string_view::npos;
         i = text.find('\r', i + 1)) {
        if (IsCrLfAt(text, i)) return i + 2;
    }
    return text.size();
}

bool QuotesCloseWithin(std::string_view text) {
    const std::size_t open = text.rfind(kOpenQuote);
    return open == std::string_view::npos || text.find(kCloseQuote, open) != std::string_view::npos;
}

LineTraits TraitsOf(const std::vector<LineItem>& items) {
    LineTraits traits;
    for (const LineItem& item : items) {
        if (item.token.IsQuote()) traits.plain = false;
        for (const Piece& piece : item.token.pieces) {
            if (piece.kind != Piece::Kind::Text) traits.plain = false;
            if (piece.kind == Piece::Kind::Object || piece.kind == Piece::Kind::Frame) {
                // The host sizes objects; a frame paints its own box anywhere.
                traits.rememberable = false;
                traits.inkAnywhere = true;
                continue;
            }
            if (piece.kind != Piece::Kind::Tag) continue;
            switch (KindOfTag(piece.name)) {
                // The host answers expressions, pictures may change in their
                // cache, formulas keep their typeset object for painting.
                case TagKind::Expression:
                case TagKind::Picture:
                case TagKind::Button:
                case TagKind::PictureMap:
                case TagKind::Sound:
                case TagKind::Formula:
                    traits.rememberable = false;
                    break;
                case TagKind::MoveDown:
                    traits.movesDown = true;
                    traits.inkAnywhere = true;
                    break;
                case TagKind::Background:
                case TagKind::PictureLeft:
                case TagKind::PictureRight:
                    traits.inkAnywhere = true;
                    break;
                default:
                    break;
            }
        }
    }
    return traits;
}

void Summarize(RememberedParagraph& paragraph) {
    paragraph.plain = true;
    paragraph.height = paragraph.tallest = paragraph.lastTop = 0;
    paragraph.lastStart = 0;
    for (const RememberedLine& line : paragraph.lines) {
        const double height = line.ascent + line.descent;
        paragraph.lastTop = paragraph.height;
        paragraph.height += height;
        if (height > paragraph.tallest) paragraph.tallest = height;
        if (&line != &paragraph.lines.back()) paragraph.lastStart += line.length;
        if (line.inkAnywhere || !line.errors.empty() || !TraitsOf(line.items).plain) {
            paragraph.plain = false;
        }
    }
}

bool MoveToCopy(std::vector<LineItem>& items, std::string_view from, std::size_t start,
                std::string_view to) {
    for (LineItem& item : items) {
        item.token.begin -= start;
        item.token.end -= start;
        for (Piece& piece : item.token.pieces) {
            if (!moveView(piece.text, from, to) || !moveView(piece.name, from, to) ||
                !moveView(piece.value, from, to) || !moveView(piece.body, from, to)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace cartulo::richtext
