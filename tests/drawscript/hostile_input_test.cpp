// Hostile scripts: each ends, within a moment, in its defined behaviour.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

#include "script_run.h"

namespace cartulo::drawscript::testing {
namespace {

using V = std::vector<std::string>;

TEST(ScriptHostile, HugeFontSizeAndLineWidth) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    const auto run = RunOn(surface, "1e9 setfontsize 1e9 linewidth getlinewidth");
    EXPECT_EQ(run.stack, V{"1e+09"});
    EXPECT_EQ(surface.Font().size, 12);  // refused by the surface
    EXPECT_EQ(surface.DrawWidth(), cDrawScript::kMaxDrawWidth);
    FakeSurface printer(100, 100, ScaleMode::Twips, true);
    RunOn(printer, "1e38 linewidth");
    EXPECT_EQ(printer.DrawWidth(), cDrawScript::kMaxDrawWidth);
}

TEST(ScriptHostile, HugeCoordinatesStayFinite) {
    const auto run = RunInPoints(
        "1e30 -1e30 move 1e999 1e999 line -1e38 1e38 linerel "
        "1e38 1e38 box 1e38 1e38 circle close stroke fill getpos");
    EXPECT_EQ(run.ink.front(), "point 100000000,-100000000 #000000");
    EXPECT_EQ(run.ink[1], "line 100000000,-100000000 100000000,100000000 #000000 w1");
    for (const std::string& line : run.ink) {
        EXPECT_EQ(line.find("inf"), std::string::npos) << line;
        EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    }
    ASSERT_EQ(run.stack.size(), 2u);
    EXPECT_EQ(run.stack[0], "1e+08");
}

TEST(ScriptHostile, NanAndInfinityAreNoNumbers) {
    EXPECT_EQ(StackAfter("nan inf NaN -inf infinity 1"), (V{"-inf", "1"}));
    EXPECT_EQ(StackAfter("'nan' 1 add 'inf' 2 mul"), (V{"1", "0"}));
    // The top saturates at the single range, far below the double range.
    EXPECT_EQ(StackAfter("1e999 1e999 sub"), V{"1.7976931348623157e+308"});
    EXPECT_EQ(StackAfter("1e999 -1e999 mul"), V{"-1.7976931348623157e+308"});
    EXPECT_EQ(StackAfter("1e999 1e-999 div"), V{"1e999"});  // by 0: only the divisor goes
    EXPECT_EQ(StackAfter("1e300 1e-40 div"), V{"1.7976931348623157e+308"});
}

TEST(ScriptHostile, NonFiniteOrigin) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(RunInPoints("0 0 move stroke getpos", nan, inf).ink, V{"point 0,100000000 #000000"});
}

TEST(ScriptHostile, UnterminatedCommentsAndStrings) {
    EXPECT_EQ(RunInPoints("0 0 move 5 5 line [ stroke").ink, V{});
    EXPECT_EQ(StackAfter("1 'never closed 2 3"), (V{"1", "never closed 2 3"}));
    EXPECT_EQ(StackAfter("\"'"), V{"'"});
    EXPECT_EQ(StackAfter("["), V{});
    EXPECT_EQ(StackAfter("'"), V{""});
}

TEST(ScriptHostile, LongWordsAndManyCommands) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(StackAfter(std::string(1 << 20, 'a')), V{});
    EXPECT_EQ(StackAfter(std::string(1 << 20, '9')), V{std::string(1 << 20, '9')});
    std::string many;
    for (int i = 0; i < 100000; ++i) many += "1 dup add pop ";
    EXPECT_EQ(StackAfter(many), V{});
    // A megabyte with no blank but lone LFs and CRs: one word.
    std::string lines;
    for (int i = 0; i < 100000; ++i) lines += "ab\ncd\r";
    EXPECT_EQ(StackAfter(lines).size(), 1u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(ScriptHostile, RandomBytesEnd) {
    std::mt19937 random(20260412);
    const std::string alphabet = " \t\r\n'\"[]:#.-+e0123456789abcmoveslinrtdfpxyz\xF1\xFF";
    for (int round = 0; round < 300; ++round) {
        std::string script;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) script += alphabet[random() % alphabet.size()];
        FakeSurface surface(100, 100, static_cast<ScaleMode>(random() % 4), random() % 2 == 0);
        const auto run = RunOn(surface, script, 3, 4);
        EXPECT_LE(run.stack.size(), OperandStack::kCapacity);
    }
}

}  // namespace
}  // namespace cartulo::drawscript::testing
