#include "cli/display_text.h"

namespace ctu {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

unsigned char byteAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

// The length of the valid UTF-8 sequence at `i`, or 0 when the byte there
// begins none: no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t sequenceLength(std::string_view bytes, std::size_t i) {
    const unsigned char lead = byteAt(bytes, i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - i < length) return 0;
    const unsigned char second = byteAt(bytes, i + 1);
    if (second < low || second > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((byteAt(bytes, i + k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace

std::string displayText(std::string_view platformBytes) {
    std::string out;
    out.reserve(platformBytes.size());
    std::size_t i = 0;
    while (i < platformBytes.size()) {
        if (const std::size_t length = sequenceLength(platformBytes, i)) {
            out.append(platformBytes.substr(i, length));
            i += length;
        } else {
            out.append(kReplacement);
            ++i;
        }
    }
    return out;
}

}  // namespace ctu
