#include "windows/spell_words.h"

#include "platform/text_codec.h"
#include "richtext/markup_chars.h"
#include "richtext/markup_reader.h"

namespace cartulo::windows {

namespace {

using richtext::Piece;

// Frames hold frames; hostile text must not recurse without end.
constexpr int kMaxFrameDepth = 8;

bool isWordByte(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
        case 0x9A:
        case 0x9C:
        case 0x9E:
        case 0x9F:
            return true;
        default:
            return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

class WordCollector {
  public:
    WordCollector(std::string_view whole, std::size_t from, std::size_t to,
                  std::vector<ProseWord>& out)
        : whole_(whole), from_(from), to_(to), out_(out) {}

    void Read(std::string_view text, int depth) {
        const richtext::MarkupReader reader(text);
        const std::size_t offset = static_cast<std::size_t>(text.data() - whole_.data());
        bool inLink = false;
        std::size_t pos = 0;
        while (pos < text.size()) {
            const richtext::Token token = reader.NextToken(pos, nullptr);
            if (token.end <= token.begin) {
                pos += richtext::IsCrLfAt(text, pos) ? 2 : 1;
                continue;
            }
            pos = token.end;
            if (offset + token.begin >= to_) break;
            if (token.IsQuote()) {
                // A « opens a link only when a » follows somewhere.
                inLink = token.quote == richtext::kOpenQuote &&
                         reader.Index().NextCloseQuote(token.end).has_value();
                continue;
            }
            if (inLink || offset + token.end <= from_) continue;
            for (const Piece& piece : token.pieces) {
                if (piece.kind == Piece::Kind::Text) {
                    addText(piece.text);
                } else if (piece.kind != Piece::Kind::Tag) {
                    finish();
                    if (piece.kind == Piece::Kind::Frame && depth < kMaxFrameDepth) {
                        Read(piece.body, depth + 1);
                    }
                }
            }
            finish();
        }
    }

  private:
    void addText(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (!isWordByte(static_cast<unsigned char>(text[i]))) {
                finish();
                continue;
            }
            const auto at = static_cast<std::size_t>(text.data() - whole_.data()) + i;
            if (!parts_.empty() && parts_.back().second == at) {
                ++parts_.back().second;
            } else {
                parts_.emplace_back(at, at + 1);
            }
            bytes_ += text[i];
        }
    }

    void finish() {
        if (!bytes_.empty() && parts_.back().second > from_ && parts_.front().first < to_) {
            const QString word = platform::toQString(bytes_);
            bool digit = false;
            for (QChar c : word) digit = digit || c.isDigit();
            // Numbers and words in capitals (acronyms, headings) are not prose.
            if (!digit && word != word.toUpper()) out_.push_back({word, std::move(parts_)});
        }
        bytes_.clear();
        parts_.clear();
    }

    std::string_view whole_;
    std::size_t from_;
    std::size_t to_;
    std::vector<ProseWord>& out_;
    std::string bytes_;
    std::vector<std::pair<std::size_t, std::size_t>> parts_;
};

}  // namespace

std::vector<ProseWord> ProseWords(std::string_view text, std::size_t from, std::size_t to) {
    std::vector<ProseWord> out;
    WordCollector collector(text, from, to, out);
    collector.Read(text, 0);
    return out;
}

}  // namespace cartulo::windows
