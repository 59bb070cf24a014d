// Random card texts and edits, and what a call leaves behind.
#pragma once

#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "richtext/zuzod_ivodure.h"

namespace cartulo::testing {

class RandomCard {
  public:
    explicit RandomCard(unsigned seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Words, paragraph ends, style tags that change what follows, {VD:},
    // pictures, links, formulas, a table, errors and broken tags.
    std::string Piece() {
        // Mostly words and paragraph ends, so that most paragraphs are plain.
        // clang-format off
        static const char* const kPieces[] = {
            "palabra ", "de ", "un texto largo ", "x", "la ", "otra ", "\r\n", "\r\n", "\r\n",
            "\r\n\r\n", "{N}", "{C}", "{U}", "{T:16}", "{T}", "{T:9}", "{Q:rojo}", "{Q}",
            "{F:Arial}", "{J:1}", "{J:2}", "{J}", "{MI:40}", "{MP:0}", "{MD:60}", "{MU:12}",
            "{VD:8}", "{VD:-4}", "{G:logo.png}", "{G:no.png}", "\253enlace\273 ", "\253", "\273",
            "{L:Otra,ver} ", "{ID:2}", "{SY:a}", "{X:mal}", "{Q:nada}", "{HD:20}", "{TA:50}",
            "{W:amarillo}", "{FO:x@exp[2]}", "{@:la}", "{N", "}", "{TB:2,1}a{!}b{\\}"};
        // clang-format on
        return kPieces[Below(static_cast<int>(std::size(kPieces)))];
    }

    std::string Text(int pieces) {
        std::string text;
        for (int i = 0; i < pieces; ++i) text += Piece();
        return text;
    }

    // Inserts a piece or deletes up to 20 characters, anywhere.
    void Edit(std::string& text) {
        const auto at = static_cast<std::size_t>(Below(static_cast<int>(text.size()) + 1));
        if (Below(3) == 0 && at < text.size()) {
            text.erase(at, static_cast<std::size_t>(1 + Below(20)));
        } else {
            text.insert(at, Piece());
        }
    }

  private:
    std::mt19937 random_;
};

// The results of a call and what it leaves for the host to read.
struct CallOutcome {
    float result = 0;
    std::int32_t pointer = 0;
    float paintedBottom = 0;
    std::vector<std::string> errors;
    std::vector<
        std::tuple<double, double, double, double, int, std::string, std::string, std::string>>
        zones;

    CallOutcome(const cZuzodIvodure& engine, float called)
        : result(called), pointer(engine.GetTextPointer()), paintedBottom(engine.PaintedBottom()) {
        for (int i = 0; i < engine.ErrorCount(); ++i) errors.push_back(engine.Errors(i));
        for (const auto& z : engine.HotZones().All())
            zones.emplace_back(z.x1, z.y1, z.x2, z.y2, static_cast<int>(z.kind), z.s1, z.s2, z.s3);
    }
    bool operator==(const CallOutcome&) const = default;
};

// What a call leaves on the surface for the next drawing: font, colour, pen.
inline auto StateOf(const Surface& s) {
    const FontState& f = s.Font();
    return std::tuple(f.name, f.size, f.bold, f.italic, f.underline, f.strikethrough, f.charset,
                      s.ForeColor(), s.CurrentX(), s.CurrentY());
}

}  // namespace cartulo::testing
