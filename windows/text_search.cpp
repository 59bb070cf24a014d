#include "windows/text_search.h"

#include <algorithm>

namespace cartulo::windows {

std::optional<qsizetype> BuscarEnTexto(QStringView text, QStringView what, bool backwards,
                                       bool fromBoundary, qsizetype selStart, qsizetype selLength) {
    const qsizetype n = text.size();
    const qsizetype m = what.size();
    if (m == 0 || m > n) return std::nullopt;
    if (!backwards) {
        const qsizetype from = fromBoundary ? 0 : std::max<qsizetype>(selStart + selLength, 0);
        if (from > n - m) return std::nullopt;
        const qsizetype at = text.indexOf(what, from, Qt::CaseInsensitive);
        if (at < 0) return std::nullopt;
        return at;
    }
    // Positions count from 1 here: the start is the end + 1, or the
    // selection start (the character before the selection).
    const qsizetype first = fromBoundary ? n + 1 : selStart;
    for (qsizetype p = std::min(first, n - m + 1); p >= 1; --p) {
        if (text.mid(p - 1, m).compare(what, Qt::CaseInsensitive) == 0) return p - 1;
    }
    return std::nullopt;
}

}  // namespace cartulo::windows
