#include "windows/line_ends.h"

#include <QString>

#include <gtest/gtest.h>

#include "windows/card_text_rules.h"

namespace cartulo::windows {
namespace {

TEST(LineEnds, ConvertTextsAndPositionsBetweenCardAndEditor) {
    EXPECT_EQ(ConCrLf(u"a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(SoloLf(u"a\r\nb\rc\n"), "a\nb\nc\n");  // a lone CR is a line end too
    const QString lf = QStringLiteral("ab\ncd\n");
    EXPECT_EQ(PosicionConCrLf(lf, 2), 2);
    EXPECT_EQ(PosicionConCrLf(lf, 3), 4);
    EXPECT_EQ(PosicionConCrLf(lf, 6), 8);
    EXPECT_EQ(LongitudConCrLf(lf), 8);
    const QString crlf = ConCrLf(lf);
    EXPECT_EQ(PosicionSoloLf(crlf, 4), 3);
    EXPECT_EQ(PosicionSoloLf(crlf, 3), 2);  // between CR and LF: the line end
    EXPECT_EQ(PosicionSoloLf(crlf, 8), 6);
}

TEST(CardTextRules, KeepOnlyWhatTheCardCanHold) {
    const SoloWin1252 kept = FiltrarWin1252(QStringLiteral("a☺b€🙂c☺"));
    EXPECT_EQ(kept.text, "ab€c");
    EXPECT_EQ(kept.leftOut, QStringLiteral("☺🙂"));
    EXPECT_EQ(SaltosComoLf(QStringLiteral("a\r\nb\rc\u2029d\u2028e")), "a\nb\nc\nd\ne");
    EXPECT_FALSE(RechazoTexto(99'999, u"ab", false));
    EXPECT_TRUE(RechazoTexto(100'000, u"ab", false));
    EXPECT_TRUE(RechazoTexto(10, u"@@", false));
    EXPECT_FALSE(RechazoTexto(10, u"@@", true));
    EXPECT_FALSE(RechazoTexto(10, u"@", false));
}

}  // namespace
}  // namespace cartulo::windows
