// ctu formula: --check reports a formula's error (exit 4) without writing;
// --out paints it into a tight PNG on white.
#include <filesystem>

#include "cli_fixture.h"

namespace {

class CliFormula : public CliTest {
  protected:
    std::string png = dir.path("formula.png");
};

// Accented text is taken as the card would hold it.
TEST_F(CliFormula, CheckAcceptsACorrectFormula) {
    for (const char* text : {"@frc[1,@sqr[2]]", "_año_ \\·x ¯y"})
        EXPECT_EQ(okOut({"formula", text, "--check"}), "Fórmula correcta.\n");
}

TEST_F(CliFormula, CheckReportsTheErrorDescriptionAndExitsFour) {
    const auto run = ctu({"formula", "@frc[1]", "--check"});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "ctu formula: Error de sintaxis: falta una coma.\n");
}

TEST_F(CliFormula, OutWritesATightPngOnWhite) {
    const auto run = ctu({"formula", "@frc[a+1,2]", "--out", png});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 20);
    EXPECT_LT(image.width(), 200);
    EXPECT_GT(image.height(), 40);
    EXPECT_LT(image.height(), 200);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_GT(countPixels(image, [](QColor c) { return c.value() < 128; }), 30);
}

TEST_F(CliFormula, AFailingFormulaWritesNothing) {
    const auto run = ctu({"formula", "@frc[1", "--out", png});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.err, "ctu formula: Error de sintaxis: corchete no cerrado.\n");
    EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
