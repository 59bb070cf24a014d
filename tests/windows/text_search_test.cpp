#include "windows/text_search.h"

#include <QString>

#include <gtest/gtest.h>

namespace cartulo::windows {
namespace {

TEST(TextSearch, StartsAtTheBoundaryOrNextToTheSelection) {
    const QString text = QStringLiteral("Uno dos UNO tres uno");
    EXPECT_EQ(BuscarEnTexto(text, u"uno", false, true, 10, 0), 0);
    EXPECT_EQ(BuscarEnTexto(text, u"uno", false, false, 0, 3), 8);  // case ignored
    EXPECT_EQ(BuscarEnTexto(text, u"uno", false, false, 8, 3), 17);
    EXPECT_EQ(BuscarEnTexto(text, u"uno", false, false, 17, 3), std::nullopt);
    EXPECT_EQ(BuscarEnTexto(text, u"", false, true, 0, 0), std::nullopt);
    EXPECT_EQ(BuscarEnTexto(u"Canción", u"CANCIÓN", false, true, 0, 0), 0);
    // Backward: from the end or before the selection.
    EXPECT_EQ(BuscarEnTexto(text, u"uno", true, true, 0, 0), 17);
    EXPECT_EQ(BuscarEnTexto(text, u"uno", true, false, 17, 3), 8);
    EXPECT_EQ(BuscarEnTexto(text, u"uno", true, false, 8, 3), 0);
    // Nothing selected and the caret at 0: the search starts before position 1.
    EXPECT_EQ(BuscarEnTexto(text, u"uno", true, false, 0, 0), std::nullopt);
    // The match may begin at the character just before the selection.
    EXPECT_EQ(BuscarEnTexto(u"aaaa", u"aa", true, false, 2, 2), 1);
}

}  // namespace
}  // namespace cartulo::windows
