// ctu render: a card painted into a PNG as wide as asked and as tall as its
// text, offscreen, with its pictures found beside the card file.
#include <filesystem>

#include "cli_fixture.h"

namespace {

class CliRender : public CliTest {
  protected:
    QImage render(const std::string& entry, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args{"render", file, entry, "--out", png};
        args.insert(args.end(), extra.begin(), extra.end());
        return pngFrom(args, png);
    }

    std::string png = dir.path("ficha.png");
};

TEST_F(CliRender, WritesAPngOfTheRequestedWidthWithTheTextOnWhite) {
    writeCardFile({{"", "Agenda"}, {"Texto", "Un p\xE1rrafo de {N}texto{N}.\r\nY otro."}});
    const QImage image = render("Texto", {"--width", "300"});
    EXPECT_EQ(image.width(), 300);
    EXPECT_TRUE(isWhite(image.pixelColor(image.width() - 1, image.height() - 1)));
    EXPECT_GT(countPixels(image, isDark), 20);
}

TEST_F(CliRender, TextMovedDownIsPaintedWhole) {
    writeCardFile({{"", "Agenda"},
                   {"Llana", "L\xEDnea"},
                   {"Baja", "{VD:150}L\xEDnea"},
                   {"Vuelve", "{VD:150}L\xEDnea{VD:-150}"}});
    const QImage plain = render("Llana", {"--width", "200"});
    for (const std::string entry : {"Baja", "Vuelve"}) {
        // The same line, lower by a whole number of pixels, and nothing below it.
        const QImage moved = render(entry, {"--width", "200"});
        ASSERT_GT(moved.height(), plain.height() + 100) << entry;
        EXPECT_EQ(moved.copy(0, moved.height() - plain.height(), 200, plain.height()), plain)
            << entry;
    }
}

TEST_F(CliRender, PicturesAreFoundBesideTheCardFileAndMissingOnesLeftOut) {
    QImage photo(24, 16, QImage::Format_RGB32);
    photo.fill(QColor(0, 200, 0));
    for (int x = 0; x < 24; ++x) photo.setPixelColor(x, 0, QColor(0, 0, 255));
    ASSERT_TRUE(photo.save(QString::fromStdString(dir.path("foto.png")), "PNG"));
    writeCardFile({{"", "Agenda"},
                   {"Foto", "Mira: {G:foto.png} eso es."},
                   {"Falta", "Mira: {G:no-existe.png} eso es."}});

    // ctu runs from elsewhere: the name is resolved against the card's folder.
    const QImage image = render("Foto");
    const auto green = [](QColor c) { return c.red() == 0 && c.green() == 200 && c.blue() == 0; };
    const auto blue = [](QColor c) { return c.red() == 0 && c.green() == 0 && c.blue() == 255; };
    EXPECT_EQ(countPixels(image, green), 24 * 15);
    EXPECT_EQ(countPixels(image, blue), 24);
    // A missing picture is left out; the text is painted still.
    EXPECT_GT(countPixels(render("Falta"), isDark), 20);
}

// An empty card gives a white image at least one pixel high.
TEST_F(CliRender, DefaultWidthIsEightHundredAndAnExistingPngIsReplacedWithNoTemporaryFile) {
    writeCardFile({{"", "Agenda"}, {"Vac\355a", ""}});
    writeBytes(png, "no es un PNG");
    const QImage image = render("Vacía");
    EXPECT_EQ(image.width(), 800);
    EXPECT_GE(image.height(), 1);
    EXPECT_EQ(countPixels(image, isWhite), image.width() * image.height());
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path(""))) {
        ++files;
    }
    EXPECT_EQ(files, 2);  // the card file and the PNG
}

TEST_F(CliRender, FailuresGiveTheirCodeAndWriteNothing) {
    writeCardFile({{"", "Agenda"}});
    expectFailure(ctu({"render", file, "Nadie", "--out", png}), 3, "«Nadie»");
    expectFailure(ctu({"render", dir.path("no-existe.ctu"), "", "--out", png}), 2, " (código 53)");
    EXPECT_FALSE(std::filesystem::exists(png));
    expectFailure(ctu({"render", file, "", "--out", dir.path("no-hay/ficha.png")}), 2,
                  " (código 76)");
}

}  // namespace
