// Numbers in scripts: which words are numbers, what text reads as, and the
// text results are written as, whatever the locale.
#include <gtest/gtest.h>

#include <clocale>
#include <limits>

#include "drawscript/script_number.h"

namespace cartulo::drawscript {
namespace {

TEST(ScriptNumber, NumericWords) {
    for (const char* yes : {"0", "12", "-12", "+3", "1.5", ".5", "5.", "-.5", "1e2", "1E+2",
                            "2.5e-3", "007", "1e999"}) {
        EXPECT_TRUE(IsNumber(yes)) << yes;
    }
    for (const char* no : {"", "-", "+", ".", "e5", "1e", "1e+", "1.2.3", "1,5", "inf", "nan",
                           "0x10", "12a", " 1", "1 ", "--1", "1e2.5"}) {
        EXPECT_FALSE(IsNumber(no)) << no;
    }
}

TEST(ScriptNumber, ReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},   {"abc", 0},     {"12abc", 12}, {"1e", 1},    {"1e+", 1},     {"-2.5", -2.5},
        {"+4", 4}, {".25", 0.25},  {"  7", 7},    {"\t-1", -1}, {"3,5", 3},     {"1e3x", 1000},
        {"-", 0},  {"#FF0000", 0}, {"1e-999", 0}, {"-0", 0},    {"10\n20", 10}, {"0.000e999", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadNumber(c.text), c.value) << c.text;
}

TEST(ScriptNumber, HugeNumbersSaturate) {
    constexpr double kMax = std::numeric_limits<double>::max();
    EXPECT_EQ(ReadNumber("1e999"), kMax);
    EXPECT_EQ(ReadNumber("-1e999"), -kMax);
    EXPECT_EQ(ReadNumber(std::string(400, '9')), kMax);
    EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0);
    EXPECT_EQ(ReadNumber("1" + std::string(400, '0') + "e-390"), 1e10);
    EXPECT_EQ(ToSingle(1e300), std::numeric_limits<float>::max());
    EXPECT_EQ(ToSingle(-1e300), -std::numeric_limits<float>::max());
    EXPECT_EQ(ToSingle(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ScriptNumber, FormatsShortestText) {
    EXPECT_EQ(FormatDouble(5), "5");
    EXPECT_EQ(FormatDouble(-0.0), "0");
    EXPECT_EQ(FormatDouble(0.5), "0.5");
    EXPECT_EQ(FormatDouble(1e20), "1e+20");
    EXPECT_EQ(FormatDouble(std::numeric_limits<double>::infinity()), "1.7976931348623157e+308");
    EXPECT_EQ(FormatDouble(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(FormatSingle(0.1f), "0.1");
    EXPECT_EQ(FormatSingle(72), "72");
    // What is written reads back.
    for (double v : {0.1, -3.25, 1e-7, 123456789.0, 1e300})
        EXPECT_EQ(ReadNumber(FormatDouble(v)), v);
}

TEST(ScriptNumber, LocaleDoesNotChangeTheSeparator) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "es_ES.UTF-8") == nullptr) GTEST_SKIP() << "no es_ES locale";
    EXPECT_EQ(ReadNumber("2.5"), 2.5);
    EXPECT_EQ(FormatDouble(2.5), "2.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace cartulo::drawscript
