// Text helpers: fields of a card text, the link under a position, and the
// file title taken from the main card.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cartulo.h"

namespace cartulo {
namespace {

struct GetFieldCase {
    std::string text, name, expected;
};

TEST(GetFieldTest, Table) {
    const std::vector<GetFieldCase> cases = {
        {"Tel: 555", "tel", "555"},
        {"Tel : 555", "tel", ""},  // the name is "Tel " there
        {"Tel:555", "Tel", ""},
        {"a\r\nTel: 555\r\nb", "TEL", "555"},
        {"Tel: 1\r\nTel: 2", "Tel", "1"},  // the first line wins
        {"Nota: a: b", "Nota", "a: b"},    // split at the first ": "
        {"Nombre:  x ", "Nombre", " x "},  // nothing is trimmed
        {" Tel: 5", "Tel", ""},
        {"Canci\xF3n: s\xED", "CANCI\xD3N", "s\xED"},
        {"Tel: ", "Tel", ""},
        {"", "Tel", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cCartulo::GetField(c.text, c.name), c.expected);
    }
}

struct SetFieldCase {
    std::string text, name, value, expected;
};

TEST(SetFieldTest, Table) {
    const std::vector<SetFieldCase> cases = {
        {"", "Tel", "1", "Tel: 1"},
        {"Tel: 1", "Tel", "2", "Tel: 2"},
        {"a\r\nTEL: 1\r\nb", "Tel", "2", "a\r\nTel: 2\r\nb"},  // the caller's letter case
        {"Tel: 1\r\nTel: 9", "tel", "2", "tel: 2\r\nTel: 9"},
        {"a", "Tel", "1", "a\r\nTel: 1"},
        {"a\r\n", "Tel", "1", "a\r\n\r\nTel: 1"},
        {"Tel : 1", "Tel", "2", "Tel : 1\r\nTel: 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cCartulo::SetField(c.text, c.name, c.value), c.expected);
    }
}

struct HTCase {
    std::string text;
    int position;  // 1-based
    std::string link;
    bool bracketed;
};

TEST(GetHTTest, Table) {
    // v1 e2 r3 _4 «5 C6 a7 s8 a9 _10 g11 ... e16 »17 _18 h19 o20 y21
    const std::string ver =
        "ver \xAB"
        "Casa grande\xBB hoy";
    const std::vector<HTCase> cases = {
        {ver, 13, "Casa grande", true},
        {ver, 6, "Casa grande", true},
        {ver, 17, "Casa grande", true},  // on the closing guillemet
        {ver, 20, "hoy", false},
        {ver, 19, "hoy", false},
        {ver, 22, "hoy", false},  // just past the end
        {ver, 1, "ver", false},
        {ver, 4, "ver", false},  // right after a word
        {ver, 18, "", false},
        {ver, 5, "", false},
        {"a \xAB"
         "b c",
         4, "b", false},  // never closed
        {"\xAB"
         "a \xAB"
         "b\xBB",
         2, "a", false},  // another « before the »
        {"d\xED"
         "a de sol",
         2,
         "d\xED"
         "a",
         false},  // día
        {"ni\xF1o", 1, "ni\xF1o", false},
        {"\xC1rbol", 3, "\xC1rbol", false},  // capitals count once lowered
        {"stra\xDF"
         "e",
         1,
         "stra\xDF"
         "e",
         false},
        {"\xE6on", 1, "\xE6on", false},
        {"voil\xE0 ya", 2, "voil", false},  // à is not a word character
        {"abc123 z", 2, "abc123", false},
        {"x_y-z", 1, "x", false},
        {"", 1, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " @" + std::to_string(c.position));
        const HyperText ht = cCartulo::GetHT(c.text, c.position);
        EXPECT_EQ(ht.link, c.link);
        EXPECT_EQ(ht.bracketed, c.bracketed);
    }
}

TEST(GetFileTitleTest, FirstLineWithoutBraceGroups) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Agenda", "Agenda"},
        {"Agenda\r\nsegunda", "Agenda"},
        {"{s14}{b}Mi agenda", "Mi agenda"},
        {"x{a}y{b}z", "xyz"},
        {"Mi {agenda", "Mi {agenda"},  // no closing brace
        {"a}b{c", "a}b{c"},
        {"{a{b}c}d", "c}d"},  // the first "}" closes the group
        {"{b}\r\nsegunda", ""},
        {"A\nB", "A\nB"},  // only CR LF ends the line
        {"Canci\xF3n {i}de cuna", "Canci\xF3n de cuna"},
    };
    for (const auto& [text, title] : cases) {
        SCOPED_TRACE(text);
        cCartulo ctu;
        ctu.NewFile(text);
        EXPECT_EQ(ctu.GetFileTitle(), title);
    }
}

}  // namespace
}  // namespace cartulo
