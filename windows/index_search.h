// The index's order and its incremental search. Entries are compared without
// regard to letter case or to the accents of á, é, í, ó, ú and ü; ñ is a
// letter of its own, between n and o. The list is sorted on the same key
// the search compares, which is what lets the search stop early.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace cartulo::windows {

// á é í ó ú ü (and their capitals) lose the accent; every other character,
// ñ included, stays.
std::string SinAcentos(std::string_view cp1252);
QString SinAcentos(const QString& text);

// One byte per character: equal for characters equal after SinAcentos and
// upper-casing, and ordered so that Ñ falls between N and O. Byte-wise
// comparison (memcmp) of two keys is the index's order.
using ClaveIndice = std::string;
ClaveIndice ClaveOrden(std::string_view cp1252);
// The same, appended to `out`.
void AnadirClave(ClaveIndice& out, std::string_view cp1252);
// The same for typed text; a character outside Windows-1252 matches none.
ClaveIndice ClaveOrden(const QString& text);

// Length of the common prefix of two keys.
std::size_t PrefijoComun(std::string_view a, std::string_view b);

// The item the typed key selects in a list sorted by key, whose item 0 (the
// main card) is never chosen: the first with the longest common prefix, the
// scan stopping once the prefix gets shorter. -1 when no item shares even
// the first character. `keyAt(i)` gives the key of item i.
template <typename KeyAt>
int BusquedaIncremental(int count, KeyAt keyAt, std::string_view typed) {
    int best = -1;
    std::size_t bestLength = 0;
    for (int i = 1; i < count; ++i) {
        const std::size_t length = PrefijoComun(keyAt(i), typed);
        if (length > bestLength) {
            best = i;
            bestLength = length;
        } else if (length < bestLength) {
            break;  // sorted: the rest can only share less
        }
    }
    return best;
}

}  // namespace cartulo::windows
