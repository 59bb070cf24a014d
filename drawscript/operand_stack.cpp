#include "drawscript/operand_stack.h"

#include <utility>

namespace cartulo::drawscript {

void OperandStack::Push(std::string value) {
    if (static_cast<std::size_t>(depth_) >= kCapacity) return;
    entries_[static_cast<std::size_t>(depth_++)] = std::move(value);
}

std::string OperandStack::Pop() {
    if (depth_ == 0) return {};
    return std::move(entries_[static_cast<std::size_t>(--depth_)]);
}

void OperandStack::Swap() {
    if (depth_ < 2) return;
    const auto top = static_cast<std::size_t>(depth_ - 1);
    std::swap(entries_[top], entries_[top - 1]);
}

void OperandStack::Clear() {
    for (std::size_t i = 0; i < static_cast<std::size_t>(depth_); ++i) entries_[i].clear();
    depth_ = 0;
}

}  // namespace cartulo::drawscript
