// Fields ("name: value" lines) and the hypertext word under a position.
#include <algorithm>
#include <string>

#include "engine/text_fields.h"

#include "engine/cartulo.h"
#include "engine/win1252.h"

namespace cartulo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kFieldMark = ": ";
constexpr char kOpenQuote = '\xAB';
constexpr char kCloseQuote = '\xBB';

struct Line {
    std::size_t start;
    std::size_t length;  // without the line end
};

// The first line whose field name equals `name` (upper-cased), with its value.
std::optional<std::pair<Line, std::string_view>> findField(std::string_view text,
                                                           std::string_view name) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(kLineEnd, start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        const std::string_view line = text.substr(start, stop - start);
        const std::size_t mark = line.find(kFieldMark);
        if (mark != std::string_view::npos &&
            win1252::equalsIgnoringCase(line.substr(0, mark), name)) {
            return std::pair{Line{start, line.size()}, line.substr(mark + kFieldMark.size())};
        }
        if (end == std::string_view::npos) return std::nullopt;
        start = end + kLineEnd.size();
    }
}

bool isWordChar(char c) {
    const auto l = static_cast<unsigned char>(win1252::toLower(c));
    if ((l >= '0' && l <= '9') || (l >= 'a' && l <= 'z')) return true;
    switch (l) {
        case 0xE1:
        case 0xE9:
        case 0xED:
        case 0xF3:
        case 0xFA:  // á é í ó ú
        case 0xFC:
        case 0xF1:
        case 0xE7:
        case 0xE6:
        case 0xDF:  // ü ñ ç æ ß
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string_view fieldValueIn(std::string_view text, std::string_view name) {
    auto found = findField(text, name);
    return found ? found->second : std::string_view();
}

std::string cCartulo::GetField(std::string_view text, std::string_view name) {
    return std::string(fieldValueIn(text, name));
}

std::string cCartulo::SetField(std::string_view text, std::string_view name,
                               std::string_view value) {
    std::string line = std::string(name) + std::string(kFieldMark) + std::string(value);
    if (auto found = findField(text, name)) {
        std::string out(text.substr(0, found->first.start));
        out += line;
        out += text.substr(found->first.start + found->first.length);
        return out;
    }
    if (text.empty()) return line;
    return std::string(text) + std::string(kLineEnd) + line;
}

HyperText cCartulo::GetHT(std::string_view text, std::int32_t position) {
    // Positions count from 1; p may stand just after the last character.
    const auto n = static_cast<std::int64_t>(text.size());
    const std::int64_t p = std::clamp<std::int64_t>(position, 1, n + 1);
    auto at = [&text](std::int64_t pos) { return text[static_cast<std::size_t>(pos - 1)]; };

    std::int64_t a = 0, b = 0;
    for (std::int64_t i = p - 1; i >= 1 && (a == 0 || b == 0); --i) {
        if (a == 0 && at(i) == kOpenQuote) a = i;
        if (b == 0 && at(i) == kCloseQuote) b = i;
    }
    if (a > b) {
        std::int64_t nextOpen = n + 1, nextClose = 0;
        for (std::int64_t i = p; i <= n; ++i) {
            if (at(i) == kOpenQuote) {
                nextOpen = i;
                break;
            }
        }
        for (std::int64_t i = p; i <= n; ++i) {
            if (at(i) == kCloseQuote) {
                nextClose = i;
                break;
            }
        }
        if (nextClose != 0 && nextClose < nextOpen) {
            return {std::string(text.substr(static_cast<std::size_t>(a),
                                            static_cast<std::size_t>(nextClose - a - 1))),
                    true};
        }
    }
    std::int64_t start = p;
    while (start > 1 && isWordChar(at(start - 1))) --start;
    std::int64_t end = p - 1;
    while (end + 1 <= n && isWordChar(at(end + 1))) ++end;
    if (end < start) return {};
    return {std::string(text.substr(static_cast<std::size_t>(start - 1),
                                    static_cast<std::size_t>(end - start + 1))),
            false};
}

}  // namespace cartulo
