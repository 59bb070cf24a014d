// The rows of the global search's result list and how the selection moves
// over them: only hit rows are ever selected.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/cartulo.h"

namespace cartulo::windows {

enum class HitRowKind { Message = 0, Header = 1, Hit = 2 };

struct HitRow {
    HitRowKind kind = HitRowKind::Message;
    // The file's registry identifier: positions shift when a file closes.
    std::int32_t fileId = -1;
    CardId card = kNoCard;
    std::string text;  // Windows-1252: the message, the file's title or the entry
};

// The hit after (direction 1) or before (-1) the row; `from` when none.
int NextHit(const std::vector<HitRow>& rows, int from, int direction);
// One page on in the direction, stopping at row 1 going up, then on to the
// nearest hit in that direction (or, when none lies there, back the other
// way); `from` when the list holds no hit.
int PageHit(const std::vector<HitRow>& rows, int from, int direction, int page);

}  // namespace cartulo::windows
