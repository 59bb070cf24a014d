#include "export/font_family.h"

#include <cctype>

namespace cartulo::exporting {

std::string SafeFontFamily(std::string_view name) {
    std::string safe;
    for (const char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '-') safe += c;
    return safe.empty() ? std::string(kDefaultFont) : safe;
}

}  // namespace cartulo::exporting
