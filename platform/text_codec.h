// The one place where card text (Windows-1252 bytes) meets QString. All 256
// bytes survive the trip: the five the code page leaves undefined travel as
// the C1 controls of the same value.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo::platform {

QString toQString(std::string_view cp1252);

struct FromQString {
    std::string text;                  // Windows-1252 bytes
    std::vector<char32_t> unstorable;  // characters the code page cannot hold, left out
};
FromQString fromQString(const QString& text);

}  // namespace cartulo::platform
