// The one place where card text (Windows-1252 bytes) meets QString. All 256
// bytes survive the trip: the five the code page leaves undefined travel as
// the C1 controls of the same value.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo::platform {

QString toQString(std::string_view cp1252);

struct FromQString {
    std::string text;                  // Windows-1252 bytes
    std::vector<char32_t> unstorable;  // characters the code page cannot hold, left out
};
// Characters the code page cannot hold are left out, or marked by the
// placeholder when one is given; either way they are reported.
FromQString fromQString(const QString& text, std::optional<char> placeholder = std::nullopt);

}  // namespace cartulo::platform
