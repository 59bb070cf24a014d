// Hostile scripts: each ends in its defined behaviour (random bytes are the fuzzer's).
#include <gtest/gtest.h>

#include <limits>

#include "script_run.h"

namespace cartulo::drawscript::testing {
namespace {

TEST(ScriptHostile, HugeNumbersStayFinite) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    EXPECT_EQ(RunOn(surface, "1e9 setfontsize 1e9 linewidth getlinewidth").stack, V{"1e+09"});
    EXPECT_EQ(surface.Font().size, 12);  // refused by the surface
    EXPECT_EQ(surface.DrawWidth(), cDrawScript::kMaxDrawWidth);
    FakeSurface printer(100, 100, ScaleMode::Twips, true);
    RunOn(printer, "1e38 linewidth");
    EXPECT_EQ(printer.DrawWidth(), cDrawScript::kMaxDrawWidth);
    const auto run = RunInPoints(
        "1e30 -1e30 move 1e999 1e999 line -1e38 1e38 linerel "
        "1e38 1e38 box 1e38 1e38 circle close stroke fill getpos");
    EXPECT_EQ(run.ink.front(), "point 100000000,-100000000 #000000");
    EXPECT_EQ(run.ink[1], "line 100000000,-100000000 100000000,100000000 #000000 w1");
    for (const std::string& line : run.ink) {
        EXPECT_TRUE(line.find("inf") == line.npos && line.find("nan") == line.npos) << line;
    }
    ASSERT_EQ(run.stack.size(), 2u);
    EXPECT_EQ(run.stack[0], "1e+08");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(RunInPoints("0 0 move stroke getpos", nan, inf).ink, V{"point 0,100000000 #000000"});
}

TEST(ScriptHostile, LongWordsAndManyCommands) {
    EXPECT_EQ(StackAfter(std::string(1 << 20, 'a')), V{});
    EXPECT_EQ(StackAfter(std::string(1 << 20, '9')), V{std::string(1 << 20, '9')});
    std::string many, lines;
    for (int i = 0; i < 100000; ++i) many += "1 dup add pop ", lines += "ab\ncd\r";
    EXPECT_EQ(StackAfter(many), V{});
    EXPECT_EQ(StackAfter(lines).size(), 1u);  // no blank but lone LFs and CRs: one word
}

}  // namespace
}  // namespace cartulo::drawscript::testing
