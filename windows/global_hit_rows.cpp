#include "windows/global_hit_rows.h"

#include <algorithm>

namespace cartulo::windows {

namespace {

bool isHit(const std::vector<HitRow>& rows, int row) {
    return row >= 0 && row < static_cast<int>(rows.size()) &&
           rows[static_cast<std::size_t>(row)].kind == HitRowKind::Hit;
}

std::optional<int> hitFrom(const std::vector<HitRow>& rows, int row, int direction) {
    for (; row >= 0 && row < static_cast<int>(rows.size()); row += direction) {
        if (isHit(rows, row)) return row;
    }
    return std::nullopt;
}

}  // namespace

int NextHit(const std::vector<HitRow>& rows, int from, int direction) {
    return hitFrom(rows, from + direction, direction).value_or(from);
}

int PageHit(const std::vector<HitRow>& rows, int from, int direction, int page) {
    if (rows.empty()) return from;
    const int last = static_cast<int>(rows.size()) - 1;
    const int target = direction > 0 ? std::min(from + std::max(page, 1), last)
                                     : std::max(from - std::max(page, 1), std::min(1, last));
    if (auto hit = hitFrom(rows, target, direction)) return *hit;
    return hitFrom(rows, target, -direction).value_or(from);
}

}  // namespace cartulo::windows
