// Text helpers of the settings file: decoding its bytes, splitting lines
// whatever their ends, upper case for keys and section names, and the
// lenient number reading of option values. Strings here are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cartulo::support {

enum class LineEnd { CrLf, Lf, Cr };

std::string_view lineEndText(LineEnd end);

struct DecodedText {
    std::string utf8;
    bool hadByteOrderMark = false;
    bool wasWindows1252 = false;  // not valid UTF-8, so read as the old code page
};

// Whether the bytes are UTF-8 as the settings file is read (no overlong
// forms, no surrogates, nothing past U+10FFFF).
bool isValidUtf8(std::string_view text);

// The file's bytes as UTF-8: valid UTF-8 as it is (a leading byte-order
// mark taken off), anything else read as Windows-1252.
DecodedText decodeSettingsText(std::string_view bytes);

struct SplitLines {
    std::vector<std::string_view> lines;
    LineEnd firstEnd = LineEnd::CrLf;  // CR LF when the text has no line end
};

// CR LF, LF and a lone CR each end a line; a last line without an end counts.
SplitLines splitLines(std::string_view text);

// Spaces (only spaces) taken off both ends.
std::string_view trimSpaces(std::string_view text);

// Upper case by the Spanish rules of the card files for every character
// Windows-1252 holds; other characters and stray bytes stay as they are.
std::string upperCase(std::string_view utf8);

// The number a value begins with, after leading blanks ("2" -> 2, " 1.5x"
// -> 1.5); 0 when it does not begin with one.
double numericValue(std::string_view text);

}  // namespace cartulo::support
