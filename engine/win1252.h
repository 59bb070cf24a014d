// Windows-1252, the code page of card files: the byte <-> Unicode table,
// the Spanish letter-case rules used to compare entries, and UTF-8
// conversion for the text-only boundaries (the ctu tool, error messages).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo::win1252 {

// The Unicode character a byte stands for. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of
// the same value, so all 256 bytes survive a trip through Unicode.
char32_t toUnicode(unsigned char byte);

// The byte for a Unicode character, or -1 when the code page cannot hold it.
int fromUnicode(char32_t ch);

// 256-entry tables, for loops that cannot afford a call per byte.
const unsigned char* upperTable();

// a == b after upper-casing both.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

char toUpper(char c);
char toLower(char c);
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);

// Upper case with the accents taken off (Á -> A, ñ -> N); for incremental
// search, where accents are not significant.
char foldAccents(char c);
std::string foldAccents(std::string_view text);

std::string toUtf8(std::string_view text);
// The length of the valid UTF-8 sequence at text[i] with its character in
// `ch`, or 0 when none begins there (no overlong forms, no surrogates,
// nothing above U+10FFFF).
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& ch);
// Appends one Unicode character, encoded as UTF-8.
void appendUtf8(std::string& out, char32_t ch);

struct Decoded {
    std::string text;                  // Windows-1252 bytes
    std::vector<char32_t> unstorable;  // characters left out, in order of appearance
    bool malformed = false;            // the input was not valid UTF-8
};

// Converts UTF-8 to Windows-1252. Characters the code page cannot hold are
// reported, and left out or, with a placeholder, marked by it; invalid UTF-8
// bytes are taken as Windows-1252.
Decoded fromUtf8(std::string_view utf8, std::optional<char> placeholder = std::nullopt);

}  // namespace cartulo::win1252
