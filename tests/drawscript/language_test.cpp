// The language on the stack: arithmetic, stack commands, variables, words
// that are no commands, strings and comments; and its limits: 100 stack
// entries, 100 variables, 1000 path points after the start point.
#include <gtest/gtest.h>

#include "script_run.h"

namespace cartulo::drawscript::testing {
namespace {

V Counting(int n) {
    V numbers;
    for (int i = 1; i <= n; ++i) numbers.push_back(std::to_string(i));
    return numbers;
}

std::string Pushes(int n) {
    std::string script;
    for (const std::string& number : Counting(n)) script += number + " ";
    return script;
}

TEST(ScriptLanguage, StackResults) {
    // Division by 0 (or what rounds to single 0) leaves the dividend; the top
    // is rounded to single; numbers are pushed as written; words that are no
    // command push nothing; commands and variables ignore letter case; an
    // empty name assigns nothing; a comment between a name and set leaves no
    // reference; missing operands read empty. NaN and infinity are no numbers; the top
    // saturates at the single range, far below the double range; an open string runs to the end.
    // clang-format off
    const std::pair<const char*, V> cases[] = {
        {"nan inf NaN -inf infinity 1", {"-inf", "1"}}, {"'nan' 1 add 'inf' 2 mul", {"1", "0"}},
        {"1e999 1e999 sub", {"1.7976931348623157e+308"}},
        {"1e999 -1e999 mul", {"-1.7976931348623157e+308"}},
        {"1e999 1e-999 div", {"1e999"}}, {"1e300 1e-40 div", {"1.7976931348623157e+308"}},
        {"1 'never closed 2 3", {"1", "never closed 2 3"}}, {"\"'", {"'"}}, {"[", {}}, {"'", {""}},
        {"", {}}, {"1 2 add", {"3"}}, {"7 2 sub", {"5"}}, {"6 7 mul", {"42"}}, {"7 2 div", {"3.5"}},
        {"5 0 div", {"5"}}, {"5 1e-50 div", {"5"}}, {"1 2 swap", {"2", "1"}},
        {"1 swap", {"1"}}, {"3 dup", {"3", "3"}}, {"dup", {"", ""}}, {"1 2 pop", {"1"}},
        {"pop pop 4", {"4"}}, {"add", {"0"}}, {"3 sub", {"-3"}},
        {"0.1 0.2 add", {"0.3000000029802322"}}, {"0.1 0.2 swap add", {"0.30000000149011613"}},
        {"'abc' 2 add", {"2"}}, {"'12abc' 1 add", {"13"}},
        {"1e308 10 mul", {"1.7976931348623157e+308"}},
        {"-1 0 mul", {"0"}}, {"007", {"007"}}, {"'a b' \"c\"", {"a b", "c"}},
        {"azul_o", {"azul_o"}}, {"1 [2] 3", {"1", "3"}}, {"1 [never closed 2 3", {"1"}},
        {"rojo verde 1", {"1"}}, {"1 2 ADD 3 Mul", {"9"}}, {"5 :A SeT :a", {"5"}},
        {"'rojo' LineColor GETLINECOLOR", {"#FF0000"}}, {"5 :a set :a :a add", {"10"}},
        {":b", {""}}, {"5 'a' set :a", {"5"}}, {"5 ':a' set :a", {"5"}},
        {"5 :x set 6 :X set :x", {"6"}}, {"'hola' :v set :v", {"hola"}},
        {"5 '' set :", {":"}}, {"5 :a\r\n\r\n  set :a", {"5"}}, {"5 :a [c] set :a", {""}},
        {"pop pop pop swap dup pop pop", {}}, {"1 div mul", {"0"}}, {"sub sub", {"0"}},
        {"move line stroke fill set getpos", {"0", "0"}}};
    // clang-format on
    for (const auto& [script, stack] : cases) EXPECT_EQ(StackAfter(script), stack) << script;
    // A full stack keeps the first hundred, results too: dup pops one and pushes two.
    EXPECT_EQ(RunInPoints("0 0 move 5 5 line [ stroke").ink, V{});  // the comment runs to the end
    EXPECT_EQ(StackAfter(Pushes(101)), Counting(100));
    EXPECT_EQ(StackAfter(Pushes(100) + "dup"), Counting(100));
    V added = Counting(98);
    added.insert(added.end(), {"199", "7"});
    EXPECT_EQ(StackAfter(Pushes(100) + "add 7"), added);
}

TEST(ScriptLanguage, PrologueVariablesAndRepeatedDraws) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    surface.SetDrawWidth(7);
    cDrawScript script;
    script.Script = "1 2 add";
    script.Draw(0, 0, 10, 10);  // no surface, no run
    EXPECT_EQ(StackOf(script), V{});
    script.Surface = &surface;
    script.Script = "";
    // An empty script runs the prologue and draws nothing.
    script.Draw(0, 0, 100, 100);
    EXPECT_TRUE(surface.Ink().empty() && StackOf(script).empty());
    EXPECT_TRUE(surface.DrawWidth() == 1 && surface.GetFillStyle() == FillStyle::Solid);
    // Host variables keep their names as given, in any letter case.
    script.SetVar(":Ancho", "40");
    script.Script = ":ancho 2 mul :doble set 1 2";
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(script.GetVar(":DOBLE") + "|" + script.GetVar("doble"), "80|");
    script.Draw(0, 0, 100, 100);  // a fresh stack each time
    EXPECT_EQ(StackOf(script), (V{"1", "2"}));
    // The prologue runs first, one space between; an open string ends at the script's end.
    script.Prologue = "1";
    script.Script = "2 add";
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(StackOf(script), V{"3"});
    script.Prologue = "3 linewidth 'a";
    script.Script = "b'";
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(StackOf(script), V{"a b"});
    EXPECT_EQ(surface.DrawWidth(), 3);
}

TEST(ScriptLanguage, TheHundredAndFirstVariableIsDropped) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    cDrawScript script;
    script.Surface = &surface;
    for (int i = 1; i <= 101; ++i)
        script.Script += std::to_string(i) + " :v" + std::to_string(i) + " set ";
    script.Script += "5 :v1 set :v100 :v101 :v1";  // an existing name may still change
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(StackOf(script), (V{"100", "", "5"}));
    script.SetVar(":otra", "x");
    script.SetVar(":V2", "y");
    EXPECT_EQ(script.GetVar(":otra") + "|" + script.GetVar(":v2"), "|y");
}

TEST(ScriptLanguage, PathsHoldAThousandPointsAfterTheStart) {
    std::string script = "0 0 move ";
    for (int i = 1; i <= 1005; ++i) script += "1 0 linerel ";
    const auto run = RunInPoints(script + "getpos stroke");
    EXPECT_EQ(run.stack, (V{"1000", "0"}));
    ASSERT_EQ(run.ink.size(), 1001u);  // the start point and 1000 lines
    EXPECT_EQ(run.ink.back(), "line 999,0 1000,0 #000000 w1");
    // Nine circles of 100 points, then a box with room for 4 of 4, then a
    // circle with room for 96: it stops mid-circle, and close finds no room.
    script = "0 0 move ";
    for (int i = 0; i < 9; ++i) script += "10 10 circle ";
    const auto stack = StackAfter(script + "5 5 box 10 10 circle getpos close getpos");
    ASSERT_EQ(stack.size(), 4u);
    EXPECT_NE(stack[0] + stack[1], "00");
    EXPECT_TRUE(stack[2] == stack[0] && stack[3] == stack[1]);
}

}  // namespace
}  // namespace cartulo::drawscript::testing
