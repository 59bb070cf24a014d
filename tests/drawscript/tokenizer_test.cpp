// Cutting scripts into tokens: types, word ends, strings, comments and
// looking ahead.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawscript/tokenizer.h"

namespace cartulo::drawscript {
namespace {

// "type:text" for every token, End excluded.
std::vector<std::string> Tokens(std::string_view script) {
    Tokenizer tokens(script);
    std::vector<std::string> out;
    for (int guard = 0; guard < 1000 && !tokens.Remaining().empty(); ++guard) {
        const Token t = tokens.Next(true);
        if (t.type == TokenType::End) break;
        out.push_back(std::to_string(static_cast<int>(t.type)) + ":" + std::string(t.text));
    }
    return out;
}

using V = std::vector<std::string>;

TEST(Tokenizer, TypesOfWords) {
    const struct {
        const char* script;
        V tokens;
    } cases[] = {
        {"", {}},
        {" \t\r\n ", {}},
        {"move", {"1:move"}},
        {"MoveRel x1", {"1:MoveRel", "1:x1"}},
        {"12 -3.5 1e2 .5", {"2:12", "2:-3.5", "2:1e2", "2:.5"}},
        {"azul_o #ff0000 a-b 1.2.3 1x", {"-1:azul_o", "-1:#ff0000", "-1:a-b", "-1:1.2.3", "-1:1x"}},
        {"\xF1o", {"-1:\xF1o"}},  // ñ is no ASCII letter
        {":x :Nombre2 : :", {"4::x", "4::Nombre2", "-1::", "-1::"}},
        {":a]b", {"4::a]b"}},
        {"'rojo' \"verde\"", {"3:rojo", "3:verde"}},
        {"'a b' \"it's\" ''", {"3:a b", "3:it's", "3:"}},
        {"'open to the end", {"3:open to the end"}},
        {"'a'b", {"3:a", "1:b"}},
        {"x'y'", {"-1:x'y'"}},
        {"[a comment] 1 2 add", {"5:", "2:1", "2:2", "1:add"}},
        {"1[no space]2", {"-1:1[no", "-1:space]2"}},
        {"[never closed 1 2", {"5:"}},
        {"[a [b] c]", {"5:", "-1:c]"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Tokens(c.script), c.tokens) << c.script;
}

TEST(Tokenizer, WordsEndOnlyAtSpaceTabOrCrLf) {
    EXPECT_EQ(Tokens("1\t2 3\r\n4"), (V{"2:1", "2:2", "2:3", "2:4"}));
    // A lone LF or CR is part of the word.
    EXPECT_EQ(Tokens("10\n20 a\rb"), (V{"-1:10\n20", "-1:a\rb"}));
    EXPECT_EQ(Tokens("a\r\r\nb"), (V{"-1:a\r", "1:b"}));
    // But blanks of any kind are skipped before a token.
    EXPECT_EQ(Tokens("\n\r1"), (V{"2:1"}));
}

TEST(Tokenizer, LookingAheadRemovesBlanksButNotTheToken) {
    Tokenizer tokens("  \r\n set  ");
    Token t = tokens.Next(false);
    EXPECT_EQ(t.type, TokenType::Command);
    EXPECT_EQ(t.text, "set");
    EXPECT_EQ(tokens.Remaining(), "set  ");
    t = tokens.Next(true);
    EXPECT_EQ(tokens.Remaining(), "  ");
    EXPECT_EQ(tokens.Next(false).type, TokenType::End);
    EXPECT_EQ(tokens.Remaining(), "");

    Tokenizer comment("[c] x");
    EXPECT_EQ(comment.Next(false).type, TokenType::Comment);
    EXPECT_EQ(comment.Remaining(), "[c] x");
    Tokenizer quoted("'q' x");
    EXPECT_EQ(quoted.Next(false).text, "q");
    EXPECT_EQ(quoted.Remaining(), "'q' x");
}

TEST(Tokenizer, IdentifiersAreAsciiLetterThenLettersOrDigits) {
    EXPECT_TRUE(IsIdentifier("a"));
    EXPECT_TRUE(IsIdentifier("Z9x"));
    EXPECT_FALSE(IsIdentifier("9a"));
    EXPECT_FALSE(IsIdentifier("a_b"));
    EXPECT_FALSE(IsIdentifier(""));
}

}  // namespace
}  // namespace cartulo::drawscript
