#include "spanish_text.h"

#include <array>
#include <string_view>

#include "engine/win1252.h"

namespace cartulo::bench {
namespace {

// UTF-8 here for legibility; converted to the card files' code page once.
constexpr std::array<std::string_view, 64> kWordsUtf8 = {
    "casa",     "árbol",    "canción",  "niño",      "año",      "mañana", "corazón", "camión",
    "pájaro",   "música",   "jardín",   "lápiz",     "ratón",    "azúcar", "montaña", "río",
    "ciudad",   "puerta",   "ventana",  "libro",     "cuaderno", "ficha",  "papel",   "tinta",
    "cielo",    "estrella", "luna",     "sol",       "agua",     "fuego",  "tierra",  "viento",
    "pequeño",  "grande",   "último",   "fácil",     "difícil",  "rápido", "lámpara", "camino",
    "señora",   "señor",    "pingüino", "cigüeña",   "acción",   "razón",  "número",  "página",
    "verano",   "invierno", "otoño",    "primavera", "mesa",     "silla",  "reloj",   "cámara",
    "teléfono", "película", "día",      "noche",     "café",     "azul",   "naranja", "historia",
};

const std::array<std::string, kWordsUtf8.size()>& Words() {
    static const auto words = [] {
        std::array<std::string, kWordsUtf8.size()> out;
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] = win1252::fromUtf8(kWordsUtf8[i]).text;
        }
        return out;
    }();
    return words;
}

}  // namespace

// splitmix64: tiny, and the same sequence on every platform.
std::uint64_t SpanishText::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::size_t SpanishText::Below(std::size_t bound) {
    return static_cast<std::size_t>(Next() % bound);
}

std::string SpanishText::Word() {
    return Words()[Below(Words().size())];
}

std::string SpanishText::Entry(int number) {
    std::string entry = Word();
    entry[0] = win1252::toUpper(entry[0]);
    entry += ' ';
    entry += Word();
    entry += ' ';
    entry += std::to_string(number);
    return entry;
}

std::string SpanishText::Text(std::size_t length) {
    std::string text;
    text.reserve(length + 16);
    std::size_t lineStart = 0;
    bool sentenceStart = true;
    while (text.size() < length) {
        std::string word = Word();
        if (sentenceStart) word[0] = win1252::toUpper(word[0]);
        text += word;
        sentenceStart = Below(9) == 0;
        if (sentenceStart) {
            text += '.';
        } else if (Below(7) == 0) {
            text += ',';
        }
        if (text.size() - lineStart > 70) {
            text += "\r\n";
            lineStart = text.size();
        } else {
            text += ' ';
        }
    }
    text.resize(length);
    // A cut CR LF would leave a lone CR, which card text never holds.
    if (!text.empty() && text.back() == '\r') text.back() = '.';
    return text;
}

}  // namespace cartulo::bench
