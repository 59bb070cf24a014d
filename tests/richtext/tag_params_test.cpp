#include "richtext/tag_params.h"

#include <string>
#include <utility>

#include "richtext/tag_kind.h"

#include <gtest/gtest.h>

namespace cartulo::richtext {
namespace {

struct ParamCase {
    std::string_view value;
    int n;
    std::string_view param;
    std::string_view rest;
};

TEST(TagParams, ParametersAndTheirRest) {
    const ParamCase cases[] = {
        {"a,b,c", 1, "a", "a,b,c"},
        {"a,b,c", 2, "b", "b,c"},
        {"a,b,c", 3, "c", "c"},
        {"a,b,c", 4, "", ""},
        {"a,,c", 2, "", ",c"},
        {"a, b ,c", 2, " b ", " b ,c"},  // as written, blanks kept
        {"", 1, "", ""},
        {"", 2, "", ""},
        {"target,text, with, commas", 2, "text", "text, with, commas"},
        {"a,b", 0, "", "a,b"},
    };
    for (const ParamCase& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " #" + std::to_string(c.n));
        EXPECT_EQ(GetParam(c.value, c.n), c.param);
        EXPECT_EQ(GetParamRest(c.value, c.n), c.rest);
    }
}

TEST(TagParams, NumbersReadLikeHandwrittenFigures) {
    const std::pair<std::string_view, double> cases[] = {
        {"12", 12},    {" 12 ", 12},  {"-3.5", -3.5},   {"+7", 7},    {".5", 0.5},   {"5.", 5},
        {"1e3", 1000}, {"12abc", 12}, {"abc", 0},       {"", 0},      {"-", 0},      {".", 0},
        {"1e", 1},     {"1e+", 1},    {"1e308", 1e308}, {"1e400", 0}, {"-1e400", 0}, {"nan", 0},
        {"inf", 0},    {"0x10", 0},   {"1,5", 1},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(std::string(text));
        EXPECT_DOUBLE_EQ(ParseNumber(text), value);
    }
}

TEST(TagParams, NumericTexts) {
    for (std::string_view yes : {"0", "12", " 12 ", "-1", "+1", "1.5", ".5", "1e3", "900"}) {
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    }
    for (std::string_view no : {"", " ", "-", ".", "1a", "a1", "#FF0000", "1 2", "1e", "rojo"}) {
        EXPECT_FALSE(IsNumeric(no)) << no;
    }
}

TEST(TagParams, RoundingIsHalfToEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.4), 2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
}

TEST(TagParams, TrimmingAndCase) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_TRUE(EqualsNoCase("mi:", "MI:"));
    EXPECT_FALSE(EqualsNoCase("MI", "MI:"));
    EXPECT_TRUE(StartsWithNoCase("{tb:2,2}", "{TB:"));
    EXPECT_FALSE(StartsWithNoCase("{T", "{TB:"));
}

TEST(TagParams, TagNamesInAnyCase) {
    const std::pair<std::string, TagKind> cases[] = {
        {"N", TagKind::Bold},         {"n:", TagKind::Bold},
        {"mi:", TagKind::LeftMargin}, {"Vd:", TagKind::MoveDown},
        {"/fr", TagKind::FrameEnd},   {"\\", TagKind::TableEnd},
        {"@", TagKind::Expression},   {"NN", TagKind::Unknown},
        {"", TagKind::Unknown},       {"MI:x", TagKind::Unknown},
        {"MI", TagKind::Unknown},     {std::string("\0N", 2), TagKind::Unknown},
        {"\xF1", TagKind::Unknown},   {"N\xA0", TagKind::Unknown},
    };
    for (const auto& [name, kind] : cases) EXPECT_EQ(KindOfTag(name), kind) << name;
}

}  // namespace
}  // namespace cartulo::richtext
