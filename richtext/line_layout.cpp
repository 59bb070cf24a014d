// The line builder: fills each line with the tokens that fit, checks the
// bottom, and paints the line before going on to the next.
#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "richtext/markup_chars.h"
#include "richtext/scale_units.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/text_continuation.h"
#include "richtext/zuzod_ivodure.h"
#include "richtext/zuzod_ivodure_frame.h"

namespace cartulo {

using namespace richtext;

namespace {

class BusyFlag {
  public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

  private:
    bool& flag_;
};

// Whether painting the piece may put ink below the line's top: text that
// is not all blanks, and the tags that print or paint.
bool paintsInLine(const Piece& piece) {
    switch (piece.kind) {
        case Piece::Kind::Text:
            return piece.text.find_first_not_of(kBlank) != std::string_view::npos;
        case Piece::Kind::Object:
        case Piece::Kind::Frame:
            return true;
        case Piece::Kind::Tag:
            break;
    }
    switch (KindOfTag(piece.name)) {
        case TagKind::Subscript:
        case TagKind::Superscript:
        case TagKind::Symbol:
        case TagKind::Expression:
        case TagKind::Picture:
        case TagKind::PictureLeft:
        case TagKind::PictureRight:
        case TagKind::Button:
        case TagKind::PictureMap:
        case TagKind::Sound:
        case TagKind::Link:
        case TagKind::Popup:
        case TagKind::Formula:
            return true;
        default:
            return false;
    }
}

}  // namespace

// How far the {VD:} tags of the line move it down when painted: by all of
// them (the line's top moves, and the lines below with it), or further
// where ink is painted before a {VD:} that moves back up.
double cZuzodIvodure::lineShift(const std::vector<LineItem>& items) const {
    double shift = 0;
    double lowestInk = 0;
    bool ink = false;
    for (const LineItem& item : items) {
        for (const Piece& piece : item.token.pieces) {
            if (piece.kind == Piece::Kind::Tag && KindOfTag(piece.name) == TagKind::MoveDown) {
                shift += length(piece.value);
            } else if (paintsInLine(piece) && (!ink || shift > lowestInk)) {
                lowestInk = shift;
                ink = true;
            }
        }
    }
    return ink && lowestInk > shift ? lowestInk : shift;
}

double cZuzodIvodure::renderText(std::string_view text, double y, double left, double right,
                                 double bottom, bool measureOnly) {
    const double startY = y == -1 ? 0 : y;
    // A handler of Evaluate that calls back into a busy engine gets nothing:
    // the call in progress owns the text and the line being built.
    if (!Ctrl || busy_) return startY;
    const BusyFlag busy(busy_);
    surface_ = Ctrl;
    Surface& s = *surface_;

    // A repaint measures the text, then paints it: it is read once.
    const bool sameText = reader_ && text == input_;
    if (!sameText) {
        input_.assign(text);
        text_ = NormalizeTables(text);
        reader_.emplace(text_);
    }
    leftEdge_ = left;
    rightEdge_ = right;
    const double limit = bottom >= 0 ? bottom : s.ScaleHeight() + bottom;
    const bool checkBottom = !(bottom == -1 && !s.IsPrinter());
    margins_ = {left + richtext::PointsToScale(s, 10), left + richtext::PointsToScale(s, 6),
                right + richtext::PointsToScale(s, 30), richtext::PointsToScale(s, 6)};
    double lineY = startY;
    pos_ = 0;
    paragraphStart_ = true;
    align_ = DefaultAlign;
    errors_.Clear();
    zones_.Clear();
    hoverZone_ = -1;
    pressedZone_ = -1;
    link_ = {};
    linkOpenInLayout_ = false;
    moveDown_ = 0;
    if (frameDepth_ == 0) frameTextLeft_ = kMaxFrameText;
    paintedBottom_ = startY;
    resetFont();

    memory_.Begin(layoutContext(), text_, sameText);

    // The start of the last line examined, which SizeText reports.
    std::optional<std::size_t> lastLineStart;
    bool pageUsed = false;  // something with height stands above on this page
    // The paragraph being laid out from memory, and its next line.
    const RememberedParagraph* replay = nullptr;
    std::size_t replayLine = 0;
    std::size_t paragraphStart = 0;
    // The paragraph being laid out afresh, kept when it ends as it may.
    std::unique_ptr<RememberedParagraph> recording;
    std::vector<std::string> lineErrors;
    while (pos_ < text_.size()) {
        // Each line, tables included, starts with all its formula and object slots.
        setInlineCounters({});
        if (!replay) {
            // Tables stand on lines of their own, laid out before the bottom
            // check; the line after them starts below them.
            const std::size_t tablesStart = pos_;
            const bool tablesFit = layoutTables(
                lineY, measureOnly, checkBottom ? limit : std::numeric_limits<double>::infinity(),
                pageUsed);
            if (!tablesFit || pos_ != tablesStart) {
                lastLineStart = tablesFit ? tablesStart : pos_;
                paragraphStart_ = true;
                if (!tablesFit || pos_ >= text_.size()) break;
                if (!measureOnly && bottom != -1 && lineY + moveDown_ > s.ScaleHeight()) break;
            }
            if (paragraphStart_) {
                const ParagraphStart start = paragraphStartState();
                if (!measureOnly && !checkBottom && PaintOnlyVisible) {
                    if (const auto run =
                            memory_.PassUnseenRun(pos_, start, lineY, moveDown_, s.ScaleHeight())) {
                        passUnseenRun(*run, lineY, pageUsed, lastLineStart);
                        continue;
                    }
                }
                const std::string_view span(text_.data() + pos_, ParagraphEnd(text_, pos_) - pos_);
                paragraphStart = pos_;
                replayLine = 0;
                replay = memory_.Find(pos_, span, start);
                recording.reset();
                if (replay && passUnseen(*replay, measureOnly || checkBottom, lineY, pageUsed,
                                         lastLineStart)) {
                    replay = nullptr;
                    continue;
                }
                if (!replay && QuotesCloseWithin(span)) {
                    recording = std::make_unique<RememberedParagraph>();
                    recording->text = span;
                    recording->start = start;
                }
            }
        }
        const std::size_t lineStart = pos_;
        lastLineStart = lineStart;
        const RememberedLine* remembered = replay ? &replay->lines[replayLine++] : nullptr;
        line_.firstOfParagraph = paragraphStart_;
        line_.backgroundTop = paragraphStart_ ? lineY - margins_.paragraph : lineY;
        StyleSnapshot snapshot;
        std::optional<Checkpoint> filled;
        LineTraits traits;
        double shift = 0;
        if (remembered) {
            line_.tokens = remembered->tokens;
            line_.width = remembered->width;
            line_.ascent = remembered->ascent;
            line_.descent = remembered->descent;
            for (const std::string& error : remembered->errors) errors_.Add(error);
            // Painting puts the surface back to the style the line starts
            // with; measuring leaves it as filling would. The style kept
            // may come from the other kind of call (a link's colour, the
            // pen), so the line's own tags make it again.
            if (measureOnly) applyLineStyle(remembered->items);
            margins_ = remembered->filled.margins;
            align_ = remembered->filled.align;
            line_.align = remembered->filled.lineAlign;
            pos_ = lineStart + remembered->length;
            traits.inkAnywhere = remembered->inkAnywhere;
            shift = remembered->shift;
        } else {
            line_.items.clear();
            line_.tokens = 0;
            line_.width = line_.ascent = line_.descent = 0;
            line_.align = align_;
            snapshot = takeSnapshot();
            if (IsCrLfAt(text_, pos_)) {
                // An empty paragraph is as tall as the current font.
                const double ascent = FontAscent(s);
                line_.ascent = ascent;
                line_.descent = LineHeight(s) - ascent;
            }
            lineErrors.clear();
            if (recording) errors_.Tap(&lineErrors);
            fillLine();
            errors_.Tap(nullptr);
            traits = TraitsOf(line_.items);
            if (traits.movesDown) shift = lineShift(line_.items);
            if (recording) filled = takeCheckpoint();
        }
        const std::vector<LineItem>& items = remembered ? remembered->items : line_.items;
        const std::size_t base = remembered ? paragraphStart : 0;

        // Painting puts the line lower by the {VD:} shifts so far and by
        // those inside it; measuring knows of none.
        const double lineShiftNow = measureOnly ? 0 : moveDown_ + shift;
        // A line taller than the whole page would not fit on the next one
        // either: painted cut off, it ends the page, so a printout goes on.
        bool cutOff = false;
        if (checkBottom && lineY + lineShiftNow + line_.ascent + line_.descent > limit) {
            if (measureOnly || pageUsed || frameDepth_ > 0) {
                // Left in the style after filling the line, as a line laid
                // out afresh leaves it.
                if (remembered && !measureOnly) applyLineStyle(remembered->items);
                pos_ = lineStart;
                break;
            }
            cutOff = true;
        }
        if (!measureOnly) {
            if (!remembered) restoreSnapshot(snapshot);
            setInlineCounters({});
            const double height = line_.ascent + line_.descent;
            const double top = lineY + moveDown_;
            if (PaintOnlyVisible && !traits.inkAnywhere &&
                (top + 2 * height < 0 || top - height > s.ScaleHeight())) {
                passLine(items, base, lineY);
            } else {
                paintLine(items, base, lineY);
            }
            paintedBottom_ = std::max(paintedBottom_, lineY + lineShiftNow + height);
        }
        if (recording && !remembered) {
            RememberedLine& kept = recording->lines.emplace_back();
            kept.tokens = line_.tokens;
            kept.width = line_.width;
            kept.ascent = line_.ascent;
            kept.descent = line_.descent;
            kept.length = pos_ - lineStart;
            kept.filled = *filled;
            kept.errors = lineErrors;
            kept.shift = shift;
            kept.inkAnywhere = traits.inkAnywhere;
            kept.items = std::move(line_.items);
            const bool unclosed = std::find(lineErrors.begin(), lineErrors.end(),
                                            message::kUnclosedBraces) != lineErrors.end();
            if (!traits.rememberable || unclosed ||
                !MoveToCopy(kept.items,
                            std::string_view(text_).substr(paragraphStart, recording->text.size()),
                            paragraphStart, recording->text)) {
                recording.reset();
            }
        }
        if (line_.ascent + line_.descent > 0) pageUsed = true;
        const bool paragraphEnds = IsCrLfAt(text_, pos_);
        if (paragraphEnds) {
            lineY += margins_.paragraph;
            paragraphStart_ = true;
            pos_ += 2;
        } else {
            paragraphStart_ = false;
        }
        lineY += line_.ascent + line_.descent;
        if (paragraphEnds || pos_ >= text_.size()) {
            if (replay) linkOpenInLayout_ = replay->linkOpenAtEnd;
            if (recording && pos_ == paragraphStart + recording->text.size()) {
                recording->linkOpenAtEnd = linkOpenInLayout_;
                Summarize(*recording);
                memory_.Keep(paragraphStart, std::move(recording));
            }
            recording.reset();
            replay = nullptr;
        } else if (replay && replayLine >= replay->lines.size()) {
            replay = nullptr;  // never: the same text ends its paragraph at the same line
        }
        if (cutOff) break;
        if (!measureOnly && bottom != -1 && lineY + moveDown_ > s.ScaleHeight()) break;
    }
    // DrawText: the first position not painted. SizeText: where the last
    // line examined starts (the line that failed the bottom check, or the
    // last line of the text).
    const std::size_t pointer = measureOnly && lastLineStart ? *lastLineStart : pos_;
    textPointer_ = static_cast<std::int32_t>(
        std::min<std::size_t>(pointer + 1, std::numeric_limits<std::int32_t>::max()));
    line_.items.clear();
    return measureOnly ? lineY : lineY + moveDown_;
}

bool cZuzodIvodure::passUnseen(const RememberedParagraph& paragraph, bool checked, double& y,
                               bool& pageUsed, std::optional<std::size_t>& lastLineStart) {
    if (checked || !PaintOnlyVisible || !paragraph.plain) return false;
    // Its lines would each be passed over: none comes near the surface.
    const double top = y + moveDown_;
    if (!(top + paragraph.height + 2 * paragraph.tallest < 0 ||
          top - paragraph.tallest > surface_->ScaleHeight())) {
        return false;
    }
    // Plain text changes no style, margin, alignment or link; an open link
    // goes on from the left margin, as after every line.
    if (line_.align = align_; line_.align == 3) line_.align = 0;
    if (link_.open) {
        link_.startX = margins_.left;
        // Each line's part of the link counts toward the zone limit.
        const ZonePass pass(*this);
        for (std::size_t i = 0; i < paragraph.lines.size(); ++i) addZone({});
    }
    if (paragraph.height > 0) pageUsed = true;
    lastLineStart = pos_ + paragraph.lastStart;
    pos_ += paragraph.text.size();
    paragraphStart_ = paragraph.text.ends_with("\r\n");
    // Y moves line by line, as the lines themselves would move it, so that
    // it rounds the same.
    PassedUnseen passed{y, moveDown_, surface_->ScaleHeight(), 0,
                        -std::numeric_limits<double>::infinity()};
    for (const RememberedLine& line : paragraph.lines) {
        const double height = line.ascent + line.descent;
        passed.bottom = std::max(passed.bottom, y + (moveDown_ + 0.0) + height);
        if (paragraphStart_ && &line == &paragraph.lines.back()) y += margins_.paragraph;
        y += height;
    }
    passed.yAfter = y;
    paintedBottom_ = std::max(paintedBottom_, passed.bottom);
    memory_.MarkPassed(passed);
    linkOpenInLayout_ = paragraph.linkOpenAtEnd;
    return true;
}

void cZuzodIvodure::passUnseenRun(const UnseenRun& run, double& y, bool& pageUsed,
                                  std::optional<std::size_t>& lastLineStart) {
    // As passUnseen leaves things after the last of them.
    if (line_.align = align_; line_.align == 3) line_.align = 0;
    if (link_.open) link_.startX = margins_.left;
    if (run.height) pageUsed = true;
    lastLineStart = run.lastPos + run.last->lastStart;
    pos_ = run.end;
    paragraphStart_ = run.last->text.ends_with("\r\n");
    paintedBottom_ = std::max(paintedBottom_, run.bottom);
    y = run.yAfter;
    linkOpenInLayout_ = run.last->linkOpenAtEnd;
}

void cZuzodIvodure::resetFont() {
    Surface& s = *surface_;
    s.SetForeColor(DefaultColor);
    s.SetFontName(DefaultFont);
    s.SetFontBold(false);
    s.SetFontItalic(false);
    s.SetFontSize(DefaultSize);
    s.SetFontStrikethrough(false);
    s.SetFontTransparent(true);
    s.SetFontUnderline(false);
    s.SetFontCharset(kDefaultCharset);
}

double cZuzodIvodure::availableWidth() const {
    return surface_->ScaleWidth() - margins_.right -
           (line_.firstOfParagraph ? margins_.first : margins_.left);
}

void cZuzodIvodure::fillLine() {
    for (;;) {
        if (pos_ >= text_.size() || IsCrLfAt(text_, pos_)) {
            // The last line of a justified paragraph is set flush left.
            if (line_.align == 3) line_.align = 0;
            return;
        }
        if (line_.tokens >= kMaxLineTokens) return;
        Token token = reader_->NextToken(pos_, &errors_);
        if (token.IsQuote()) {
            measureLinkQuote(token.quote, pos_);
            pos_ = token.end;
            line_.items.push_back({std::move(token), {}});
            continue;
        }
        const Checkpoint before = takeCheckpoint();
        const TokenMetrics metrics = measureToken(token);
        // Margin tags in the token count already: they change this line.
        if (line_.tokens > 0 && line_.width + metrics.width > availableWidth()) {
            restoreCheckpoint(before);
            return;
        }
        line_.width += metrics.width;
        if (metrics.ascent > line_.ascent) line_.ascent = metrics.ascent;
        if (metrics.descent > line_.descent) line_.descent = metrics.descent;
        ++line_.tokens;
        pos_ = token.end;
        line_.items.push_back({std::move(token), metrics});
    }
}

void cZuzodIvodure::measureLinkQuote(char quote, std::size_t pos) {
    if (quote == kOpenQuote) {
        if (linkOpenInLayout_ || !reader_->Index().NextCloseQuote(pos + 1)) {
            errors_.Add(message::kInvalidLink);
        } else {
            linkOpenInLayout_ = true;
        }
    } else if (!linkOpenInLayout_) {
        errors_.Add(message::kInvalidLink);
    } else {
        linkOpenInLayout_ = false;
    }
}

void cZuzodIvodure::paintLine(const std::vector<LineItem>& items, std::size_t base, double y) {
    const LineItem* last = nullptr;
    for (const LineItem& item : items) {
        if (!item.token.IsQuote()) last = &item;
    }
    // The blanks after the last word neither count nor print.
    const double free = availableWidth() - line_.width + (last ? last->metrics.blanksWidth : 0);
    const double gap =
        line_.align == 3 && line_.tokens >= 2 ? free / static_cast<double>(line_.tokens - 1) : 0;
    const bool first = line_.firstOfParagraph;
    double x = first ? margins_.first : margins_.left;
    if (line_.align == 1) {
        x += free;
    } else if (line_.align == 2) {
        x = first ? (margins_.first + margins_.left + free) / 2 : margins_.left + free / 2;
    }

    PaintPlace place;
    place.top = y + moveDown_;
    place.baseline = place.top + line_.ascent;
    place.lineHeight = line_.ascent + line_.descent;
    for (const LineItem& item : items) {
        place.lineX = x;
        if (item.token.IsQuote()) {
            paintLinkQuote(item.token.quote, base + item.token.begin, place);
            continue;
        }
        place.lastToken = &item == last;
        place.tokenAscent = item.metrics.ascent;
        place.blanks = item.token.blanks;
        paintToken(item, place);
        x = place.lineX + item.metrics.width;
        if (!place.lastToken) {
            place.lineX = x;
            fillJustifyGap(place, gap);
            x += gap;
        }
    }
    place.lineX = x;
    closeLinkAtLineEnd(place);
}

}  // namespace cartulo
