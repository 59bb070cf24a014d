// The limits: 100 stack entries, 100 variables, 1000 path points after the
// start point.
#include <gtest/gtest.h>

#include <string>

#include "script_run.h"

namespace cartulo::drawscript::testing {
namespace {

std::string Pushes(int n) {
    std::string script;
    for (int i = 1; i <= n; ++i) script += std::to_string(i) + " ";
    return script;
}

TEST(ScriptLimits, OneHundredAndOnePushesKeepTheFirstHundred) {
    const auto stack = StackAfter(Pushes(101));
    ASSERT_EQ(stack.size(), 100u);
    EXPECT_EQ(stack.front(), "1");
    EXPECT_EQ(stack.back(), "100");
}

TEST(ScriptLimits, FullStackDropsResultsToo) {
    // dup on a full stack: pops one, pushes two, keeps 100.
    auto stack = StackAfter(Pushes(100) + "dup");
    ASSERT_EQ(stack.size(), 100u);
    EXPECT_EQ(stack.back(), "100");
    stack = StackAfter(Pushes(100) + "add 7");
    ASSERT_EQ(stack.size(), 100u);
    EXPECT_EQ(stack[98], "199");
    EXPECT_EQ(stack[99], "7");
}

TEST(ScriptLimits, UnderflowReadsEmpty) {
    EXPECT_EQ(StackAfter("pop pop pop swap dup pop pop"), std::vector<std::string>{});
    EXPECT_EQ(StackAfter("1 div mul"), std::vector<std::string>{"0"});
    EXPECT_EQ(StackAfter("sub sub"), std::vector<std::string>{"0"});
    EXPECT_EQ(RunInPoints("move line stroke fill set getpos").stack,
              (std::vector<std::string>{"0", "0"}));
}

TEST(ScriptLimits, TheHundredAndFirstVariableIsDropped) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    cDrawScript script;
    script.Surface = &surface;
    for (int i = 1; i <= 101; ++i)
        script.Script += std::to_string(i) + " :v" + std::to_string(i) + " set ";
    // An existing name may still change.
    script.Script += "5 :v1 set :v100 :v101 :v1";
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(StackOf(script), (std::vector<std::string>{"100", "", "5"}));
    script.SetVar(":otra", "x");
    EXPECT_EQ(script.GetVar(":otra"), "");
    script.SetVar(":V2", "y");
    EXPECT_EQ(script.GetVar(":v2"), "y");
}

TEST(ScriptLimits, PathHoldsAThousandPointsAfterTheStart) {
    std::string script = "0 0 move ";
    for (int i = 1; i <= 1005; ++i) script += "1 0 linerel ";
    script += "getpos stroke";
    const auto run = RunInPoints(script);
    EXPECT_EQ(run.stack, (std::vector<std::string>{"1000", "0"}));
    ASSERT_EQ(run.ink.size(), 1001u);  // the start point and 1000 lines
    EXPECT_EQ(run.ink.back(), "line 999,0 1000,0 #000000 w1");
}

TEST(ScriptLimits, ShapesStopAtTheLimitToo) {
    // Nine circles of 100 points, then a box that has room for 4 of 4,
    // then a circle that has room for 96.
    std::string script = "0 0 move ";
    for (int i = 0; i < 9; ++i) script += "10 10 circle ";
    script += "5 5 box 10 10 circle getpos close getpos";
    const auto run = RunInPoints(script);
    ASSERT_EQ(run.stack.size(), 4u);
    EXPECT_NE(run.stack[0] + run.stack[1], "00");  // stopped mid-circle
    EXPECT_EQ(run.stack[2], run.stack[0]);         // close found no room
    EXPECT_EQ(run.stack[3], run.stack[1]);
}

}  // namespace
}  // namespace cartulo::drawscript::testing
