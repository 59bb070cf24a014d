#include "windows/index_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_main_services.h"

namespace cartulo::windows {
namespace {

// Windows-1252 bytes of the Spanish letters used below.
const std::string kArbol = "\xC1rbol";  // Árbol
const std::string kNandu =
    "\xF1"
    "and\xFA";  // ñandú

TEST(IndexSearch, SinAcentosAndTheSortKeyFoldOnlyTheSpanishVowelsAndKeepEnye) {
    EXPECT_EQ(SinAcentos(std::string("\xE1\xE9\xED\xF3\xFA\xFC\xC1\xC9\xCD\xD3\xDA\xDC")),
              "aeiouuAEIOUU");
    EXPECT_EQ(SinAcentos(std::string("\xF1\xD1\xE0\xE7")), "\xF1\xD1\xE0\xE7");
    EXPECT_EQ(SinAcentos(QStringLiteral("Canción pingüino Ñu à")),
              QStringLiteral("Cancion pinguino Ñu à"));
    // The sort key ignores case and accents and puts ñ after n.
    EXPECT_EQ(ClaveOrden(kArbol), ClaveOrden(std::string("arbol")));
    EXPECT_EQ(ClaveOrden(kArbol), ClaveOrden(QStringLiteral("ARBOL")));
    EXPECT_EQ(ClaveOrden(kNandu), ClaveOrden(QStringLiteral("ÑANDU")));
    EXPECT_NE(ClaveOrden(kNandu), ClaveOrden(std::string("nandu")));

    std::vector<std::string> words = {"oso", kNandu, "nube", "Zorro", kArbol, "abeja", "nz"};
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return ClaveOrden(a) < ClaveOrden(b);
    });
    EXPECT_EQ(words,
              (std::vector<std::string>{"abeja", kArbol, "nube", "nz", kNandu, "oso", "Zorro"}));
    // A typed character the code page lacks matches nothing.
    EXPECT_EQ(PrefijoComun(ClaveOrden(QStringLiteral("a☺")), ClaveOrden(std::string("a?"))), 1u);
}

int search(const std::vector<std::string>& items, const QString& typed) {
    std::vector<ClaveIndice> keys;
    for (const auto& item : items) keys.push_back(ClaveOrden(item));
    return BusquedaIncremental(
        static_cast<int>(keys.size()), [&keys](int i) -> std::string_view { return keys[i]; },
        ClaveOrden(typed));
}

TEST(IndexSearch, IncrementalSearchPicksTheFirstLongestPrefixAndStopsEarly) {
    const std::vector<std::string> items = {
        " <Ficha principal>", "abeja", kArbol, "arce", "nube", kNandu, "oso"};
    EXPECT_EQ(search(items, "arb"), 2);  // lower case, no accent: Árbol
    EXPECT_EQ(search(items, "ar"), 2);   // ties: the first
    EXPECT_EQ(search(items, "arcilla"), 3);
    EXPECT_EQ(search(items, "ña"), 5);
    EXPECT_EQ(search(items, "xilófono"), -1);  // no common first letter
    // The main card is never chosen by typing, even by its own text.
    EXPECT_EQ(search(items, " <"), -1);
    // The first item with a shorter prefix after the best ends the scan: a
    // list out of order shows it, since the later "arbusto" is never seen.
    const std::vector<std::string> unsorted = {"", "arce", "abeja", "arbusto"};
    EXPECT_EQ(search(unsorted, "arb"), 1);
}

}  // namespace
}  // namespace cartulo::windows
