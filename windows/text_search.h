// Where the card window's search finds a text, ignoring letter case.
#pragma once

#include <QStringView>
#include <optional>

namespace cartulo::windows {

// The 0-based start of the match, or nothing. Forward, the search begins at
// the start of `text` when `fromBoundary`, else just after the selection.
// Backward, it begins at the end of `text` when `fromBoundary`, else at the
// character before the selection, and tries each earlier start in turn.
std::optional<qsizetype> BuscarEnTexto(QStringView text, QStringView what, bool backwards,
                                       bool fromBoundary, qsizetype selStart, qsizetype selLength);

}  // namespace cartulo::windows
