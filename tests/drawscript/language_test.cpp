// The language on the stack: arithmetic, stack commands, variables, words
// that are no commands, strings and comments.
#include <gtest/gtest.h>

#include "script_run.h"

namespace cartulo::drawscript::testing {
namespace {

using V = std::vector<std::string>;

TEST(ScriptLanguage, StackResults) {
    const struct {
        const char* script;
        V stack;
    } cases[] = {
        {"", {}},
        {"1 2 add", {"3"}},
        {"7 2 sub", {"5"}},
        {"6 7 mul", {"42"}},
        {"7 2 div", {"3.5"}},
        {"5 0 div", {"5"}},
        {"5 0.0 div", {"5"}},
        {"5 1e-50 div", {"5"}},  // rounds to single 0
        {"1 2 swap", {"2", "1"}},
        {"1 swap", {"1"}},
        {"3 dup", {"3", "3"}},
        {"dup", {"", ""}},
        {"1 2 pop", {"1"}},
        {"pop pop 4", {"4"}},
        {"add", {"0"}},
        {"3 sub", {"-3"}},
        {"0.1 0.2 add", {"0.3000000029802322"}},  // the top rounded to single
        {"0.1 0.2 swap add", {"0.30000000149011613"}},
        {"'abc' 2 add", {"2"}},
        {"'12abc' 1 add", {"13"}},
        {"1e308 10 mul", {"1.7976931348623157e+308"}},
        {"-1 0 mul", {"0"}},
        {"007", {"007"}},  // pushed as written
        {"'a b' \"c\"", {"a b", "c"}},
        {"azul_o", {"azul_o"}},
        {"[a comment] 1 2 add", {"3"}},
        {"1 [2] 3", {"1", "3"}},
        {"1 [never closed 2 3", {"1"}},
        // words that are no command push nothing
        {"rojo verde 1", {"1"}},
        {"nan inf 2", {"2"}},
    };
    for (const auto& c : cases) EXPECT_EQ(StackAfter(c.script), c.stack) << c.script;
}

TEST(ScriptLanguage, CommandsIgnoreLetterCase) {
    EXPECT_EQ(StackAfter("1 2 ADD 3 Mul"), V{"9"});
    EXPECT_EQ(StackAfter("5 :A SeT :a"), V{"5"});
    EXPECT_EQ(StackAfter("'rojo' LineColor GETLINECOLOR"), V{"#FF0000"});
}

TEST(ScriptLanguage, Variables) {
    const struct {
        const char* script;
        V stack;
    } cases[] = {
        {"5 :a set :a :a add", {"10"}},
        {":b", {""}},
        {"5 'a' set :a", {"5"}},
        {"5 ':a' set :a", {"5"}},
        {"5 :X set :x", {"5"}},
        {"5 :x set 6 :X set :x", {"6"}},
        {"'hola' :v set :v", {"hola"}},
        {"5 '' set :", {":"}},  // an empty name assigns nothing
        {"5 :a\r\n\r\n  set :a", {"5"}},
        {"5 :a [c] set :a", {""}},  // a comment between: no reference
        {":a", {""}},
        {"1 :a set 2 :a set :a", {"2"}},
    };
    for (const auto& c : cases) EXPECT_EQ(StackAfter(c.script), c.stack) << c.script;
}

TEST(ScriptLanguage, HostVariablesKeepTheirNamesAsGiven) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    cDrawScript script;
    script.Surface = &surface;
    script.SetVar(":Ancho", "40");
    script.Script = ":ancho 2 mul :doble set";
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(script.GetVar(":DOBLE"), "80");
    EXPECT_EQ(script.GetVar("doble"), "");
}

TEST(ScriptLanguage, EmptyScriptRunsThePrologueAndDrawsNothing) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    surface.SetDrawWidth(7);
    cDrawScript script;
    script.Surface = &surface;
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(surface.Ink(), V{});
    EXPECT_EQ(surface.DrawWidth(), 1);
    EXPECT_EQ(surface.GetFillStyle(), FillStyle::Solid);
    EXPECT_EQ(StackOf(script), V{});
}

TEST(ScriptLanguage, PrologueRunsFirstSeparatedByOneSpace) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    cDrawScript script;
    script.Surface = &surface;
    script.Prologue = "1";
    script.Script = "2 add";
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(StackOf(script), V{"3"});
    script.Prologue = "3 linewidth 'a";  // an open string ends at the script's end
    script.Script = "b'";
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(StackOf(script), V{"a b"});
    EXPECT_EQ(surface.DrawWidth(), 3);
}

TEST(ScriptLanguage, DrawStartsAFreshStack) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    cDrawScript script;
    script.Surface = &surface;
    script.Script = "1 2";
    script.Draw(0, 0, 100, 100);
    script.Draw(0, 0, 100, 100);
    EXPECT_EQ(StackOf(script), (V{"1", "2"}));
}

TEST(ScriptLanguage, NoSurfaceNoRun) {
    cDrawScript script;
    script.Script = "1 2 add";
    script.Draw(0, 0, 10, 10);
    EXPECT_EQ(script.Stack().Depth(), 0u);
    EXPECT_EQ(cDrawScript::Version(), "1.0.100420");
}

}  // namespace
}  // namespace cartulo::drawscript::testing
