#include "windows/line_ends.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

#include "windows/card_text_rules.h"

namespace cartulo::windows {
namespace {

TEST(LineEnds, ConvertTextsAndPositionsAndRewriteOnlyTheSpanThatChanged) {
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

    // An edit rewrites only the stored span that changed.
    const auto applied = [](const std::string& stored, const QString& before,
                            const QString& after) {
        const CambioGuardado change = CambioEnGuardado(stored, before, after);
        return stored.substr(0, change.from) + change.text.toStdString() + stored.substr(change.to);
    };
    const std::string stored = "uno\ndos\rtres\r\ncuatro";
    const QString shown = SoloLf(QString::fromStdString(stored));
    EXPECT_EQ(PosicionGuardada(stored, 4), 4);
    EXPECT_EQ(PosicionGuardada(stored, 8), 8);
    EXPECT_EQ(PosicionGuardada(stored, 13), 14);  // past the CR LF
    EXPECT_EQ(PosicionGuardada(stored, 99), 20);
    EXPECT_EQ(applied(stored, shown, shown + "!"), stored + "!");
    EXPECT_EQ(applied(stored, shown, "!" + shown), "!" + stored);
    EXPECT_EQ(applied(stored, shown, "uno\ndos\ntres\nx\ny\ncuatro"),
              "uno\ndos\rtres\r\nx\r\ny\r\ncuatro");
    EXPECT_EQ(applied(stored, shown, "uno\ntres\ncuatro"), "uno\ntres\r\ncuatro");
    EXPECT_EQ(applied(stored, shown, "unodos\ntres\ncuatro"), "unodos\rtres\r\ncuatro");
    EXPECT_EQ(applied(stored, shown, "uno\ndostres\ncuatro"), "uno\ndostres\r\ncuatro");
    EXPECT_EQ(applied(stored, shown, "uno\ndos\ntrescuatro"), "uno\ndos\rtrescuatro");
    EXPECT_EQ(applied(stored, shown, ""), "");
    EXPECT_EQ(applied("", "", "a\nb"), "a\r\nb");
    // A lone CR and a lone LF brought together stay two line ends.
    EXPECT_EQ(applied("a\rX\nb", "a\nX\nb", "a\n\nb"), "a\r\n\nb");
    EXPECT_EQ(applied("\r\r\n", "\n\n", "\n"), "\r");
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
