// A formula on the fake surface: 12-point Times New Roman in pixels, so a
// character is 8 px wide, a line 16 px high with a 12 px ascent, and the
// axis lies 4 px above the baseline.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formula/formula_error.h"
#include "formula/vizur_uzedevi_vivadiz.h"
#include "platform/fake_surface.h"

namespace cartulo::formula_test {

struct Measured {
    float width, ascent, descent;
};

class FormulaFixture : public ::testing::Test {
  protected:
    FormulaFixture() { formula.Surface = &surface; }

    Measured size(std::string_view text) {
        formula.Init(text);
        formula.Size();
        return {formula.Width(), formula.Ascent(), formula.Descent()};
    }

    // The ink of painting `text` with its left edge at x and baseline at y.
    std::vector<std::string> ink(std::string_view text, float x = 0, float y = 20) {
        formula.Init(text);
        surface.ClearLog();
        formula.Draw(x, y);
        return surface.Ink();
    }

    // The ink as one line: marks joined by "|", black and opaque left unsaid,
    // "Times New Roman " as "T".
    std::string brief(std::string_view text) {
        std::string out;
        for (std::string line : ink(text)) {
            for (const std::string_view cut : {" #000000", " opaque", "Times New Roman "}) {
                for (auto at = line.find(cut); at != std::string::npos; at = line.find(cut)) {
                    line.replace(at, cut.size(), cut.starts_with('T') ? "T" : "");
                }
            }
            out += (out.empty() ? "" : "|") + line;
        }
        return out;
    }

    // The description of the error that Size raises, if any.
    std::optional<std::string> error(std::string_view text) {
        formula.Init(text);
        try {
            formula.Size();
        } catch (const FormulaError& e) {
            EXPECT_EQ(e.Number(), -1);
            return std::string(e.Description());
        }
        return std::nullopt;
    }

    FakeSurface surface{1000, 1000};
    cVizurUzedeviVivadiz formula;
};

}  // namespace cartulo::formula_test
