// The millisecond tick counter: 32 bits that wrap, as callers expect of a
// tick count. Behaviour that depends on time takes a TickSource, so tests
// can drive the clock.
#pragma once

#include <cstdint>
#include <functional>

namespace cartulo::platform {

using TickSource = std::function<std::uint32_t()>;

// Milliseconds of the steady clock, truncated to 32 bits.
std::uint32_t GetTickCount();

// Milliseconds from `start` to `now`, allowing for one wrap of the counter.
inline std::uint32_t TicksSince(std::uint32_t start, std::uint32_t now) {
    return now - start;  // unsigned arithmetic is taken modulo 2^32
}

}  // namespace cartulo::platform
