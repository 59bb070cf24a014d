#include "cli/card_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "cli/exit_code.h"
#include "engine/cartulo.h"
#include "engine/win1252.h"

namespace ctu {
namespace {

// «→» (U+2192): the character itself may be invisible, the code never is.
std::string describe(char32_t ch) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
    std::string out = "«";
    cartulo::win1252::appendUtf8(out, ch);
    return out + "» (" + code + ")";
}

std::vector<char32_t> distinct(const std::vector<char32_t>& chars) {
    std::vector<char32_t> out;
    for (char32_t ch : chars) {
        if (std::find(out.begin(), out.end(), ch) == out.end()) out.push_back(ch);
    }
    return out;
}

std::string describeAll(const std::vector<char32_t>& distinct) {
    std::string out;
    for (std::size_t i = 0; i < distinct.size(); ++i) {
        if (i > 0) out += i + 1 == distinct.size() ? " y " : ", ";
        out += describe(distinct[i]);
    }
    return out;
}

}  // namespace

std::string toUtf8(std::string_view cardText) {
    return cartulo::win1252::toUtf8(cardText);
}

std::optional<std::string> entryName(std::string_view utf8) {
    auto decoded = cartulo::win1252::fromUtf8(utf8);
    if (!decoded.unstorable.empty()) return std::nullopt;
    return std::move(decoded.text);
}

cartulo::MarkedQuery searchQuery(std::string_view utf8) {
    auto whole = cartulo::win1252::fromUtf8(utf8);
    if (whole.unstorable.empty()) return {std::move(whole.text), {}};

    cartulo::MarkedQuery query;
    query.text.reserve(utf8.size());
    std::size_t start = 0;
    while (start < utf8.size()) {
        // One character: a lead byte and its continuation bytes. Decoding
        // them alone gives what decoding the whole query would.
        std::size_t end = start + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        const auto part = cartulo::win1252::fromUtf8(utf8.substr(start, end - start), 'x');
        if (!part.unstorable.empty()) query.unmatchable.push_back(query.text.size());
        query.text += part.text;
        start = end;
    }
    return query;
}

std::string storable(std::string_view utf8, std::string_view what) {
    auto decoded = cartulo::win1252::fromUtf8(utf8);
    if (!decoded.unstorable.empty()) {
        const auto chars = distinct(decoded.unstorable);
        throw Failure(ExitCode::Refused,
                      std::string(what) + " contiene " + describeAll(chars) +
                          (chars.size() > 1 ? ", caracteres que" : ", un carácter que") +
                          " un fichero de fichas no puede guardar.");
    }
    return std::move(decoded.text);
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace ctu
