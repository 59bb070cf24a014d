#include "drawscript/script_text.h"

namespace cartulo::drawscript {

namespace {

unsigned char lowerByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    // À..Þ except the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:  // Š
        case 0x8C:  // Œ
        case 0x8E:  // Ž
            return static_cast<unsigned char>(c + 16);
        case 0x9F:  // Ÿ
            return 0xFF;
        default:
            return c;
    }
}

}  // namespace

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(lowerByte(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace cartulo::drawscript
