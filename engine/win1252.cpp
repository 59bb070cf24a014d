#include "engine/win1252.h"

#include <array>
#include <unordered_map>

namespace cartulo::win1252 {
namespace {

// 0x80..0x9F; the undefined bytes stand for their own C1 control.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

struct CaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> folded{};
};

CaseTables makeCaseTables() {
    CaseTables t;
    for (int i = 0; i < 256; ++i) {
        t.upper[i] = static_cast<unsigned char>(i);
        t.lower[i] = static_cast<unsigned char>(i);
    }
    auto pair = [&t](int up, int low) {
        t.upper[low] = static_cast<unsigned char>(up);
        t.lower[up] = static_cast<unsigned char>(low);
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) pair(c, c + 32);  // × and ÷ are not letters
    }
    pair(0x8A, 0x9A);  // Š š
    pair(0x8C, 0x9C);  // Œ œ
    pair(0x8E, 0x9E);  // Ž ž
    pair(0x9F, 0xFF);  // Ÿ ÿ

    t.folded = t.upper;
    auto fold = [&t](unsigned char to, std::initializer_list<int> from) {
        for (int c : from) {
            t.folded[c] = to;
            t.folded[t.lower[c]] = to;
        }
    };
    fold('A', {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5});
    fold('C', {0xC7});
    fold('E', {0xC8, 0xC9, 0xCA, 0xCB});
    fold('I', {0xCC, 0xCD, 0xCE, 0xCF});
    fold('N', {0xD1});
    fold('O', {0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD8});
    fold('U', {0xD9, 0xDA, 0xDB, 0xDC});
    fold('Y', {0xDD, 0x9F});
    fold('S', {0x8A});
    fold('Z', {0x8E});
    return t;
}

const CaseTables& caseTables() {
    static const CaseTables tables = makeCaseTables();
    return tables;
}

const std::unordered_map<char32_t, unsigned char>& reverseHigh() {
    static const auto map = [] {
        std::unordered_map<char32_t, unsigned char> m;
        for (int i = 0; i < 32; ++i) m.emplace(kHigh[i], static_cast<unsigned char>(0x80 + i));
        return m;
    }();
    return map;
}

std::string mapBytes(std::string_view text, const std::array<unsigned char, 256>& table) {
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
    }
    return out;
}

}  // namespace

char32_t toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
    return byte;
}

int fromUnicode(char32_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<int>(ch);
    const auto& m = reverseHigh();
    auto it = m.find(ch);
    return it == m.end() ? -1 : it->second;
}

const unsigned char* upperTable() {
    return caseTables().upper.data();
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const unsigned char* up = upperTable();
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (up[static_cast<unsigned char>(a[i])] != up[static_cast<unsigned char>(b[i])]) {
            return false;
        }
    }
    return true;
}

char toUpper(char c) {
    return static_cast<char>(caseTables().upper[static_cast<unsigned char>(c)]);
}
char toLower(char c) {
    return static_cast<char>(caseTables().lower[static_cast<unsigned char>(c)]);
}
char foldAccents(char c) {
    return static_cast<char>(caseTables().folded[static_cast<unsigned char>(c)]);
}
std::string toUpper(std::string_view text) {
    return mapBytes(text, caseTables().upper);
}
std::string toLower(std::string_view text) {
    return mapBytes(text, caseTables().lower);
}
std::string foldAccents(std::string_view text) {
    return mapBytes(text, caseTables().folded);
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > text.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

std::string toUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

Decoded fromUtf8(std::string_view utf8, std::optional<char> placeholder) {
    Decoded d;
    d.text.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = decodeUtf8(utf8, i, cp);
        if (len == 0) {
            d.malformed = true;
            d.text += utf8[i];
            ++i;
            continue;
        }
        const int byte = fromUnicode(cp);
        if (byte < 0) {
            d.unstorable.push_back(cp);
            if (placeholder) d.text += *placeholder;
        } else {
            d.text += static_cast<char>(byte);
        }
        i += len;
    }
    return d;
}

}  // namespace cartulo::win1252
