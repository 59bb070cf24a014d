#include "richtext/text_continuation.h"

#include <gtest/gtest.h>

#include <string>

namespace cartulo::richtext {
namespace {

struct NormalizeCase {
    std::string text;
    std::string normalized;
};

TEST(NormalizeTables, TablesGetLinesOfTheirOwn) {
    const NormalizeCase cases[] = {
        {"{TB:1,1}x{\\}", "{TB:1,1}x{\\}\r\n"},
        {"ab{TB:1,1}x{\\}c", "ab\r\n{TB:1,1}x{\\}\r\nc"},
        {"ab{tb:1,1}x{\\}c", "ab\r\n{tb:1,1}x{\\}\r\nc"},
        {"a{TB:1,1}x{\\}", "a{TB:1,1}x{\\}\r\n"},  // too near the start to move
        {"ab\r\n{TB:1,1}x{\\}\r\nc", "ab\r\n{TB:1,1}x{\\}\r\nc"},
        {"{\\}{\\}", "{\\}\r\n{\\}\r\n"},
        // Two tables in a row: one CR LF between them, not two.
        {"{TB:1,1}a{\\}{TB:1,1}b{\\}", "{TB:1,1}a{\\}\r\n{TB:1,1}b{\\}\r\n"},
        {"{TB:1,1}a{\\}\r\n{TB:1,1}b{\\}", "{TB:1,1}a{\\}\r\n{TB:1,1}b{\\}\r\n"},
        {"x{\\}{TB:1,1}b{\\}y", "x{\\}\r\n{TB:1,1}b{\\}\r\ny"},
        {"no tables", "no tables"},
        {"", ""},
    };
    for (const NormalizeCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NormalizeTables(c.text), c.normalized);
    }
}

struct CutCase {
    std::string text;
    std::string at;  // the cut is where this first occurs
    std::string rest;
};

TEST(CutAt, CarriesTheStyleTagsBeforeTheCut) {
    const CutCase cases[] = {
        {"{N}abc def", "def", "{N}def"},
        {"{T:20}abc def", "def", "{T:20}def"},
        {"{G:x}abc def", "def", "def"},
        {"{c}{C:1}{F}{F:Arial}{J}{J:1}{MI:1}{MD:1}{MP:1}{MU:1}{N}{N:1}{Q}{Q:rojo}{T}{T:9}"
         "{U}{U:1}{W:rojo}{HD:5}{L:a,b}{SP:3}x|y",
         "|",
         "{c}{C:1}{F}{F:Arial}{J}{J:1}{MI:1}{MD:1}{MP:1}{MU:1}{N}{N:1}{Q}{Q:rojo}{T}{T:9}"
         "{U}{U:1}{W:rojo}|y"},
        // Tables before the cut are passed over whole, tags and all.
        {"{TB:1,1}{N}a{\\}\r\nxyz", "yz", "yz"},
        {"{TB:1,1}abc", "bc", ""},
        // An unclosed brace is stepped over.
        {"{abc def", "def", "def"},
        {"{a{N}b c", "c", "{N}c"},
        {"a\r\nb{N}c", "c", "{N}c"},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.text + " @" + c.at);
        EXPECT_EQ(CutAt(c.text, c.text.find(c.at) + 1), c.rest);
    }
}

TEST(CutAt, TheFirstPositionsKeepTheWholeText) {
    EXPECT_EQ(CutAt("{N}abc", 0), "{N}abc");
    EXPECT_EQ(CutAt("{N}abc", 1), "{N}abc");
    EXPECT_EQ(CutAt("{N}abc", 2), "{N}abc");  // a tag the cut falls into is carried whole
}

TEST(CutAt, BeyondTheEndLeavesThePrefixAlone) {
    EXPECT_EQ(CutAt("{N}ab", 50), "{N}");
}

}  // namespace
}  // namespace cartulo::richtext
