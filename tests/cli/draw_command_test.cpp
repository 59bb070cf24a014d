// ctu draw: a drawing script painted offscreen into a PNG on white, or only
// run (--check).
#include <filesystem>

#include "cli_fixture.h"

namespace {

class CliDraw : public CliTest {
  protected:
    QImage draw(const std::string& script, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args{"draw", script, "--out", png};
        args.insert(args.end(), extra.begin(), extra.end());
        return pngFrom(args, png);
    }

    std::string png = dir.path("dibujo.png");
};

TEST_F(CliDraw, EmptyScriptGivesAWhiteImageOfTheDefaultSize) {
    const QImage image = draw("");
    EXPECT_EQ(image.width(), 200);
    EXPECT_EQ(image.height(), 200);
    EXPECT_EQ(countPixels(image, isWhite), 200 * 200);
}

TEST_F(CliDraw, FilledRedRectangle) {
    // 30 by 15 points at 96 dpi: 40 by 20 pixels, from (8, 8).
    const QImage image = draw("6 6 move 30 15 box close 'rojo' fillcolor fill",
                              {"--width", "120", "--height", "80"});
    EXPECT_EQ(image.width(), 120);
    EXPECT_EQ(image.height(), 80);
    EXPECT_TRUE(isRed(image.pixelColor(28, 18)));
}

TEST_F(CliDraw, LineEndsOfTheShellStartNewWords) {
    // A lone LF would not end a word in a card; here it is a line end.
    const QImage image = draw(
        "50 50 move 'Ca\xC3\xB1\xC3\xB3n' print\n"
        "0 0 move\n30 15 box close\n'azul' fillcolor fill");
    EXPECT_GT(countPixels(image, [](QColor c) { return c.blue() == 255 && c.red() == 0; }), 700);
    EXPECT_GT(countPixels(image, isDark), 20);  // Spanish text printed
}

TEST_F(CliDraw, CheckRunsWithoutWriting) {
    EXPECT_EQ(okOut({"draw", "0 0 move 10 10 line stroke", "--check"}), "");
    EXPECT_FALSE(std::filesystem::exists(png));
    // Nothing in a script is an error of the language.
    EXPECT_EQ(ctu({"draw", "rojo 1e999 nan [ 'x", "--check"}).exitCode, 0);
}

TEST_F(CliDraw, RefusedTextAndUnwritablePngWriteNothing) {
    expectFailure(ctu({"draw", "'\xE2\x86\x92' print", "--out", png}), 4, "El guion");
    EXPECT_FALSE(std::filesystem::exists(png));
    expectFailure(ctu({"draw", "1", "--out", dir.path("no/such/folder/x.png")}), 2, "");
}

}  // namespace
