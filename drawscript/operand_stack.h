// The operand stack: strings, at most kCapacity of them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace cartulo::drawscript {

class OperandStack {
  public:
    // The language's limit; it also bounds memory, since each entry holds
    // at most a copy of a token or a variable of the script.
    static constexpr std::size_t kCapacity = 100;

    // A push onto a full stack is dropped silently.
    void Push(std::string value);
    // The top entry, or the empty string when the stack is empty.
    std::string Pop();
    // Exchanges the two top entries; nothing with fewer than two.
    void Swap();
    void Clear();

    std::size_t Depth() const { return depth_; }
    // Entry `i` from the bottom (0); for diagnosis and tests.
    const std::string& At(std::size_t i) const { return entries_.at(i); }

  private:
    std::array<std::string, kCapacity> entries_;
    std::int16_t depth_ = 0;
};

}  // namespace cartulo::drawscript
