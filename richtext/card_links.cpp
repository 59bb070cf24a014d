#include "richtext/card_links.h"

#include <algorithm>
#include <optional>

#include "richtext/markup_chars.h"
#include "richtext/markup_reader.h"
#include "richtext/table_cells.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/text_continuation.h"
#include "richtext/zuzod_ivodure_frame.h"

namespace cartulo {

using namespace richtext;

namespace {

constexpr std::string_view kTableStart = "{TB:";
constexpr std::string_view kTableEnd = "{\\}";

// Walks one text as the painter lays it out: tables at the start of a
// line, then token after token; frame bodies as a second painter would.
class LinkReader {
  public:
    LinkReader(std::string_view written, bool inBlock, int depth, std::size_t& frameTextLeft)
        : written_(written),
          text_(NormalizeTables(written, &inserted_)),
          reader_(text_),
          inBlock_(inBlock),
          depth_(depth),
          frameTextLeft_(frameTextLeft) {}

    std::vector<CardLink> Read() {
        std::size_t pos = 0;
        bool lineStart = true;
        while (pos < text_.size()) {
            if (lineStart) {
                while (StartsWithNoCase(std::string_view(text_).substr(pos), kTableStart)) {
                    pos = readTable(pos);
                }
                lineStart = false;
                continue;
            }
            if (IsCrLfAt(text_, pos)) {
                pos += 2;
                lineStart = true;
                continue;
            }
            const Token token = reader_.NextToken(pos, nullptr);
            if (token.IsQuote()) {
                readQuote(token.quote, pos);
            } else {
                for (const Piece& piece : token.pieces) readPiece(piece);
            }
            pos = std::max(token.end, pos + 1);
        }
        if (open_) links_[*open_].length = written_.size() - links_[*open_].position;
        return std::move(links_);
    }

  private:
    // Where a position of the text with its tables on lines of their own
    // lies in the text as written.
    std::size_t written(std::size_t pos) const {
        const auto before = std::lower_bound(inserted_.begin(), inserted_.end(), pos);
        return pos - 2 * static_cast<std::size_t>(before - inserted_.begin());
    }

    void add(std::string_view target, std::size_t begin, std::size_t end, bool inBlock) {
        const std::size_t position = written(begin);
        links_.push_back(
            {std::string(target), position, written(end - 1) + 1 - position, inBlock_ || inBlock});
    }

    // A « opens a link only when a » follows somewhere and none is open; the
    // target is all that lies before that », though the link runs on to the
    // next » that stands as a token.
    void readQuote(char quote, std::size_t pos) {
        if (quote == kOpenQuote) {
            if (open_) return;
            const auto close = reader_.Index().NextCloseQuote(pos + 1);
            if (!close) return;
            open_ = links_.size();
            add(std::string_view(text_).substr(pos + 1, *close - pos - 1), pos, pos + 1, false);
            return;
        }
        if (!open_) return;
        CardLink& link = links_[*open_];
        link.length = written(pos) + 1 - link.position;
        open_.reset();
    }

    void readPiece(const Piece& piece) {
        if (piece.kind == Piece::Kind::Frame) {
            readFrame(piece);
            return;
        }
        if (piece.kind != Piece::Kind::Tag || KindOfTag(piece.name) != TagKind::Link) return;
        const std::size_t begin = static_cast<std::size_t>(piece.text.data() - text_.data());
        add(GetParam(piece.value, 1), begin, begin + piece.text.size(), false);
    }

    // The painter gives up on frames nested too deep or beyond its budget of
    // frame text, so their links show nowhere.
    void readFrame(const Piece& piece) {
        if (depth_ >= kMaxFrameNesting || piece.body.size() > frameTextLeft_) return;
        frameTextLeft_ -= piece.body.size();
        const std::size_t bodyAt = static_cast<std::size_t>(piece.body.data() - text_.data());
        LinkReader inner(piece.body, true, depth_ + 1, frameTextLeft_);
        for (CardLink& link : inner.Read()) {
            const std::size_t begin = bodyAt + link.position;
            const std::size_t end = begin + link.length;
            link.position = written(begin);
            link.length = written(end - 1) + 1 - link.position;
            links_.push_back(std::move(link));
        }
    }

    // Only cells that are a link as a whole show one; the position after the
    // table is returned.
    std::size_t readTable(std::size_t start) {
        const std::size_t end = text_.find(kTableEnd, start);
        if (end == std::string::npos) return text_.size();
        std::size_t next = end + kTableEnd.size();
        if (IsCrLfAt(text_, next)) next += 2;
        const std::size_t close = text_.find('}', start);
        if (close >= end) return next;
        const std::string_view view(text_);
        const TableTag tag = ReadTableTag(TrimBlanks(
            view.substr(start + kTableStart.size(), close - start - kTableStart.size())));
        if (tag.cols == 0 || tag.rows == 0) return next;
        TableGrid grid(tag.cols, tag.rows);
        FillCells(view.substr(close + 1, end - close - 1), grid, 0);
        for (int r = 1; r <= grid.Rows(); ++r) {
            for (int c = 1; c <= grid.Cols(); ++c) readCell(grid.At(c, r), close + 1);
        }
        return next;
    }

    void readCell(const cZuzodIvodureCell& cell, std::size_t bodyAt) {
        const std::size_t begin = bodyAt + cell.at + cell.lead;
        const std::string_view content = CellContent(cell);
        if (cell.kind == CellKind::QuotedLink) {
            add(content, begin, begin + content.size() + 2, true);
        } else if (cell.kind == CellKind::Link) {
            const std::string_view rest = std::string_view(cell.text).substr(cell.lead);
            add(GetParam(content, 1), begin, begin + CellTagEnd(rest, 0), true);
        }
    }

    std::string_view written_;
    std::vector<std::size_t> inserted_;
    std::string text_;
    MarkupReader reader_;
    bool inBlock_;
    int depth_;
    std::size_t& frameTextLeft_;
    std::vector<CardLink> links_;
    std::optional<std::size_t> open_;  // the « link waiting for its »
};

}  // namespace

std::vector<CardLink> ReadCardLinks(std::string_view text) {
    std::size_t frameTextLeft = kMaxFrameText;
    return LinkReader(text, false, 0, frameTextLeft).Read();
}

}  // namespace cartulo
