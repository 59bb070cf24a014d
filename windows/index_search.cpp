#include "windows/index_search.h"

#include <algorithm>
#include <array>

#include "engine/win1252.h"

namespace cartulo::windows {

namespace {

// Windows-1252 and Latin-1 agree on these code points.
unsigned char withoutAccent(unsigned char c) {
    switch (c) {
        case 0xE1:
            return 'a';  // á
        case 0xE9:
            return 'e';  // é
        case 0xED:
            return 'i';  // í
        case 0xF3:
            return 'o';  // ó
        case 0xFA:       // ú
        case 0xFC:
            return 'u';  // ü
        case 0xC1:
            return 'A';  // Á
        case 0xC9:
            return 'E';  // É
        case 0xCD:
            return 'I';  // Í
        case 0xD3:
            return 'O';  // Ó
        case 0xDA:       // Ú
        case 0xDC:
            return 'U';  // Ü
        default:
            return c;
    }
}

constexpr unsigned char kUpperEnye = 0xD1;  // Ñ
// The key of a typed character the code page lacks: above every rank.
constexpr unsigned char kNoRank = 0xFF;

// The rank of each byte: its folded, upper-cased weight among all weights,
// where doubling the byte values leaves room for Ñ just after N.
const std::array<unsigned char, 256>& ranks() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<int, 256> weight{};
        for (int b = 0; b < 256; ++b) {
            const auto upper = static_cast<unsigned char>(
                win1252::toUpper(static_cast<char>(withoutAccent(static_cast<unsigned char>(b)))));
            weight[b] = upper == kUpperEnye ? 'N' * 2 + 1 : upper * 2;
        }
        std::array<int, 256> sorted = weight;
        std::sort(sorted.begin(), sorted.end());
        const auto distinct = std::unique(sorted.begin(), sorted.end());
        std::array<unsigned char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            // Fewer than 255 weights: case folding merges at least the letters.
            t[b] = static_cast<unsigned char>(
                1 + (std::lower_bound(sorted.begin(), distinct, weight[b]) - sorted.begin()));
        }
        return t;
    }();
    return table;
}

}  // namespace

std::string SinAcentos(std::string_view cp1252) {
    std::string out(cp1252);
    for (char& c : out) c = static_cast<char>(withoutAccent(static_cast<unsigned char>(c)));
    return out;
}

QString SinAcentos(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() < 256) c = QChar(withoutAccent(static_cast<unsigned char>(c.unicode())));
    }
    return out;
}

ClaveIndice ClaveOrden(std::string_view cp1252) {
    ClaveIndice key;
    AnadirClave(key, cp1252);
    return key;
}

void AnadirClave(ClaveIndice& out, std::string_view cp1252) {
    const unsigned char* table = ranks().data();
    const std::size_t from = out.size();
    out.resize(from + cp1252.size());
    char* to = out.data() + from;
    for (const char c : cp1252) *to++ = static_cast<char>(table[static_cast<unsigned char>(c)]);
}

ClaveIndice ClaveOrden(const QString& text) {
    const auto& table = ranks();
    ClaveIndice key;
    key.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        // Surrogates and other characters the code page lacks match nothing.
        const int byte = c.isSurrogate() ? -1 : win1252::fromUnicode(c.unicode());
        key.push_back(
            static_cast<char>(byte < 0 ? kNoRank : table[static_cast<std::size_t>(byte)]));
    }
    return key;
}

std::size_t PrefijoComun(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

}  // namespace cartulo::windows
