#include "cli/display_text.h"

#include "engine/win1252.h"

namespace ctu {

namespace {
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
}  // namespace

std::string displayText(std::string_view platformBytes) {
    std::string out;
    out.reserve(platformBytes.size());
    std::size_t i = 0;
    while (i < platformBytes.size()) {
        char32_t ch = 0;
        if (const std::size_t length = cartulo::win1252::decodeUtf8(platformBytes, i, ch)) {
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
