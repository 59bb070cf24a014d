// Numbers in command arguments, which other programs send: any text gives a
// number within the range asked for, or nothing.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "shell/argument_number.h"

namespace {

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

void Check(std::string_view text, int low, int high) {
    if (const auto n = cartulo::shell::ArgumentNumber(text, low, high)) {
        Require(*n >= low && *n <= high);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(text, 0, 4);
    Check(text, INT_MIN, INT_MAX);
    Check(text, -7, -3);
    return 0;
}
