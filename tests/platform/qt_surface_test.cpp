#include "platform/qt_surface.h"

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>
#include <initializer_list>
#include <utility>

#include <gtest/gtest.h>

#include "platform/fake_surface.h"
#include "platform/qt_picture.h"
#include "platform/text_codec.h"

namespace cartulo::platform {
namespace {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kGreen = Rgb(0, 255, 0);
constexpr Color kBlue = Rgb(0, 0, 255);

QImage blankImage(int width, int height, QColor colour = Qt::white) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

Color colourAt(const QImage& image, int x, int y) {
    const QColor c(image.pixel(x, y));
    return Rgb(c.red(), c.green(), c.blue());
}

struct Px {
    int x, y;
    Color colour;
};

void expectPixels(const QImage& image, std::initializer_list<Px> pixels) {
    for (const Px& p : pixels) EXPECT_EQ(colourAt(image, p.x, p.y), p.colour) << p.x << "," << p.y;
}

// Pixels of `image` in the rectangle [x1, x2) x [y1, y2) with exactly this colour.
int countColour(const QImage& image, Color colour, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = std::max(0, y1); y < std::min(image.height(), y2); ++y) {
        for (int x = std::max(0, x1); x < std::min(image.width(), x2); ++x) {
            if (colourAt(image, x, y) == colour) ++n;
        }
    }
    return n;
}

// The fake converts as this surface does on a 96-dpi device.
TEST(QtSurfaceTest, ScaleModesConvertExactlyByTheDeviceResolutionAndOnTheFake) {
    QImage image = blankImage(200, 100);
    QtSurface s(image);
    FakeSurface fake(200, 100);
    EXPECT_EQ(s.GetScaleMode(), ScaleMode::Pixels);
    EXPECT_FALSE(s.IsPrinter());
    EXPECT_EQ(s.TwipsPerPixelX(), 15);
    EXPECT_EQ(s.TwipsPerPixelY(), 15);
    const double pixels = s.TextWidth("Hola, mundo");
    const double height = s.TextHeight(" ");
    for (Surface* surface : std::initializer_list<Surface*>{&s, &fake}) {
        surface->SetCurrentX(30);
        surface->SetCurrentY(12);
    }
    struct Step {
        ScaleMode mode;
        double width, height, x, y, factor;
    };
    for (const Step& t : {Step{ScaleMode::Twips, 3000, 1500, 450, 180, 15},
                          Step{ScaleMode::Points, 150, 75, 22.5, 9, 0.75},
                          Step{ScaleMode::Pixels, 200, 100, 30, 12, 1}}) {
        for (Surface* surface : std::initializer_list<Surface*>{&s, &fake}) {
            surface->SetScaleMode(t.mode);
            EXPECT_EQ(surface->ScaleWidth(), t.width) << t.factor;
            EXPECT_EQ(surface->ScaleHeight(), t.height);
            EXPECT_EQ(surface->CurrentX(), t.x);
            EXPECT_EQ(surface->CurrentY(), t.y);
        }
        EXPECT_DOUBLE_EQ(s.TextWidth("Hola, mundo"), pixels * t.factor);
        EXPECT_DOUBLE_EQ(s.TextHeight(" "), height * t.factor);
    }
    // Twips per pixel follow the device resolution.
    QImage fine = blankImage(200, 100);
    fine.setDotsPerMeterX(7559);  // 192 dpi
    fine.setDotsPerMeterY(7559);
    QtSurface f(fine, ScaleMode::Points);
    EXPECT_EQ(f.ScaleWidth(), 75);
    // A 12-point font is twice as many pixels as at 96 dpi, so the same in points.
    QtSurface n(image, ScaleMode::Points);
    EXPECT_NEAR(f.TextHeight(" "), n.TextHeight(" "), 0.5);
    EXPECT_NEAR(f.GetTextMetrics().height, 2 * n.GetTextMetrics().height, 1);
}

// A surface on a small image, in Arial, for measuring.
class QtSurfaceFontTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(s.SetFontName("Arial")); }
    QImage image = blankImage(10, 10);
    QtSurface s{image};
};

TEST_F(QtSurfaceFontTest, CardFontsResolveToTheirMetricCompatibleFonts) {
    for (const auto& [card, system] : {std::pair{"Arial", "Liberation Sans"},
                                       {"Times New Roman", "Liberation Serif"},
                                       {"Tahoma", "DejaVu Sans"}}) {
        ASSERT_TRUE(s.SetFontName(card));
        EXPECT_EQ(QFontInfo(s.QtFont()).family(), system);
    }
    // A font nobody has is not refused; fontconfig finds a stand-in.
    EXPECT_TRUE(s.SetFontName("Fuente Inexistente"));
    EXPECT_GT(s.TextWidth("abc"), 0);
}

// The fake stands in for this surface, so it refuses alike.
TEST_F(QtSurfaceFontTest, RefusedSizesAndNamesKeepTheFontHereAndOnTheFake) {
    FakeSurface fake(10, 10);
    ASSERT_TRUE(fake.SetFontName("Arial"));
    for (Surface* surface : std::initializer_list<Surface*>{&s, &fake}) {
        ASSERT_TRUE(surface->SetFontSize(10));
        const double width = surface->TextWidth("Hola");
        for (const double size : {0.0, -12.0, 2000.5, 1e9, std::nan(""), double(INFINITY)}) {
            EXPECT_FALSE(surface->SetFontSize(size)) << size;
        }
        EXPECT_FALSE(surface->SetFontName(""));
        EXPECT_FALSE(surface->SetFontName(std::string(32, 'x')));
        EXPECT_EQ(surface->Font().name, "Arial");
        EXPECT_EQ(surface->Font().size, 10);
        EXPECT_EQ(surface->TextWidth("Hola"), width);
        EXPECT_TRUE(surface->SetFontName(std::string(31, 'x')));
        EXPECT_EQ(surface->Font().name, std::string(31, 'x'));
        EXPECT_TRUE(surface->SetFontSize(0.5));
        EXPECT_TRUE(surface->SetFontSize(2000));
        EXPECT_EQ(surface->Font().size, 2000);
    }
    EXPECT_EQ(s.QtFont().pointSizeF(), 2000);
}

TEST_F(QtSurfaceFontTest, TextMetricsAgreeWithTextHeight) {
    const TextMetrics m = s.GetTextMetrics();
    EXPECT_GT(m.ascent, m.descent);
    EXPECT_GT(m.descent, 0);
    EXPECT_DOUBLE_EQ(m.height, m.ascent + m.descent);
    // 12 pt at 96 dpi is a 16-pixel em; the cell is a little taller.
    EXPECT_NEAR(m.height - m.internalLeading, 16, 1e-9);
    // The line spacing: the cell and the leading outside it.
    EXPECT_NEAR(s.TextHeight(" "), m.height + m.externalLeading, 0.05);
}

TEST_F(QtSurfaceFontTest, TextIsMeasuredAsItsCharacters) {
    ASSERT_TRUE(s.SetFontName("Symbol"));
    const QFontMetricsF symbol(s.QtFont(), &image);
    EXPECT_EQ(s.TextWidth("a"), symbol.horizontalAdvance(QString::fromUtf8("α")));
    EXPECT_EQ(s.TextWidth("\xE5\xA5"), symbol.horizontalAdvance(QString::fromUtf8("∑∞")));
    EXPECT_GT(s.TextWidth("\xF2"), 0);

    // The symbol character set does the same in any font.
    ASSERT_TRUE(s.SetFontName("Arial"));
    s.SetFontCharset(kSymbolCharset);
    const QFontMetricsF arialSymbol(s.QtFont(), &image);
    EXPECT_EQ(s.TextWidth("W"), arialSymbol.horizontalAdvance(QString::fromUtf8("Ω")));
    // Other text is Windows-1252.
    s.SetFontCharset(kDefaultCharset);
    const QFontMetricsF arial(s.QtFont(), &image);
    EXPECT_EQ(s.TextWidth("W"), arial.horizontalAdvance("W"));
    EXPECT_EQ(s.TextWidth("\x80"), arial.horizontalAdvance(QString::fromUtf8("€")));
    EXPECT_EQ(s.TextWidth("a\xF1o"), arial.horizontalAdvance(QString::fromUtf8("año")));
    EXPECT_EQ(s.TextWidth(""), 0);
}

TEST_F(QtSurfaceFontTest, WidthCacheIsKeyedByTheWholeFontSharedAndBounded) {
    const std::size_t before = QtSurface::CachedWidths();
    const double plain = s.TextWidth("mmmm cache");
    EXPECT_EQ(QtSurface::CachedWidths(), before + 1);
    EXPECT_EQ(s.TextWidth("mmmm cache"), plain);
    EXPECT_EQ(QtSurface::CachedWidths(), before + 1);
    s.SetFontBold(true);
    const double bold = s.TextWidth("mmmm cache");
    EXPECT_EQ(QtSurface::CachedWidths(), before + 2);
    s.SetFontBold(false);
    EXPECT_EQ(s.TextWidth("mmmm cache"), plain);
    s.SetFontBold(true);
    EXPECT_EQ(s.TextWidth("mmmm cache"), bold);
    // A later surface on a device alike finds what this one measured; one
    // of another resolution measures afresh.
    QImage fine = blankImage(20, 20);
    fine.setDotsPerMeterY(fine.dotsPerMeterY() * 2);
    for (QImage* device : {&image, &fine}) {
        QtSurface later(*device);
        later.SetFontName("Arial");
        EXPECT_EQ(later.TextWidth("mmmm cache") == plain, device == &image);
    }
    EXPECT_EQ(QtSurface::CachedWidths(), before + 3);
    s.SetFontName("Symbol");
    EXPECT_NE(s.TextWidth("mmmm cache"), plain);  // μμμμ
    for (int i = 0; i < 40000; ++i) s.TextWidth(std::to_string(i));
    EXPECT_LE(QtSurface::CachedWidths(), QtSurface::kWidthCacheEntries);
    EXPECT_EQ(s.TextWidth(std::string(1000, 'a')), s.TextWidth(std::string(1000, 'a')));
    EXPECT_LE(QtSurface::CachedWidths(), QtSurface::kWidthCacheEntries);
    // Many fonts start the cache afresh under a surface that holds one.
    s.SetFontName("Arial");
    EXPECT_EQ(s.TextWidth("mmmm cache"), bold);
    for (int size = 1; size <= 600; ++size) {
        QtSurface other(image);
        other.SetFontName("Arial");
        other.SetFontSize(size / 4.0);
        other.TextWidth("m");
    }
    EXPECT_EQ(s.TextWidth("mmmm cache"), bold);
}

TEST(QtSurfaceTest, PrintPaintsWhatQtDrawsForTheTextAndAdvancesOnEverySurface) {
    struct Case {
        const char* font;
        bool boldItalic, underline;
        double x;
        std::string text;
    };
    const Case cases[] = {
        {"Arial", false, false, 3, "Cami\xF3n r\xE1pido,"},
        {"Times New Roman", true, false, 7.4, "fi ffl Wa \x80"},
        {"Courier New", false, true, 5.7, "subrayado "},
        {"Symbol", false, false, 2.25, "\xE5\xA5 abg"},
        {"Arial", false, false, 1.5, std::string(300, 'i')},  // too long to keep
    };
    for (const Case& c : cases) {
        // Symbol codes are drawn as other characters, and Qt decorates
        // static text in its own way: those are held to their first painting.
        const bool asQtText = std::string_view(c.font) != "Symbol" && !c.underline;
        QImage expected = blankImage(700, 30);
        for (int surface = 0; surface < 2; ++surface) {  // the second from the cache
            QImage image = blankImage(700, 30);
            QtSurface s(image);
            s.SetFontName(c.font);
            s.SetFontBold(c.boldItalic);
            s.SetFontItalic(c.boldItalic);
            s.SetFontUnderline(c.underline);
            s.SetFontTransparent(true);
            s.SetForeColor(kBlue);
            s.SetCurrentX(c.x);
            s.SetCurrentY(4);
            const double width = s.TextWidth(c.text);
            s.Print(c.text);
            EXPECT_DOUBLE_EQ(s.CurrentX(), c.x + width);
            EXPECT_EQ(s.CurrentY(), 4);
            if (surface == 0 && asQtText) {
                QPainter p(&expected);
                p.setFont(s.QtFont());
                p.setPen(Qt::blue);
                p.drawText(QPointF(c.x, 4 + s.GetTextMetrics().ascent), toQString(c.text));
            }
            s.End();
            if (surface == 0 && !asQtText) expected = image;
            EXPECT_EQ(image, expected) << c.text;
            EXPECT_GT(countColour(image, kBlue, 0, 0, 700, 30), 0) << c.text;
        }
    }
}

TEST(QtSurfaceTest, OpaqueTextFillsItsCellTransparentTextDoesNot) {
    for (const bool transparent : {false, true}) {
        QImage image = blankImage(120, 40, Qt::green);
        QtSurface s(image);
        s.SetFontName("Arial");
        s.SetFontTransparent(transparent);
        s.SetBackColor(kWhite);
        s.SetForeColor(kBlue);
        s.SetCurrentX(10);
        s.SetCurrentY(10);
        const double width = s.TextWidth("HH");
        const TextMetrics m = s.GetTextMetrics();
        s.Print("HH");
        s.End();
        // Below the baseline of capitals lies only background.
        const int y = static_cast<int>(10 + m.ascent + m.descent / 2);
        EXPECT_EQ(colourAt(image, 12, y), transparent ? kGreen : kWhite) << transparent;
        EXPECT_GT(countColour(image, kBlue, 10, 10, 11 + static_cast<int>(width), 40), 20);
        EXPECT_EQ(colourAt(image, 5, y), kGreen);
    }
}

TEST(QtSurfaceTest, RectanglesOutlinedAndFilledAndDrawWidthInDevicePixels) {
    QImage image = blankImage(60, 40);
    {
        QtSurface s(image, ScaleMode::Twips);
        s.Rectangle(450, 450, 150, 150, kBlue, true);  // corners in any order, (10,10)-(30,30)
        s.Rectangle(600, 75, 750, 225, kRed, false);
        EXPECT_EQ(s.CurrentX(), 750);
        EXPECT_EQ(s.CurrentY(), 225);
        s.SetDrawWidth(0);
        EXPECT_EQ(s.DrawWidth(), 1);
        s.SetDrawWidth(5);
        EXPECT_EQ(s.DrawWidth(), 5);
        s.Line(150, 525, 750, 525, kRed);  // y = 35 px
        s.Point(150, 75, kGreen);          // (10,5)
    }
    EXPECT_EQ(countColour(image, kBlue, 0, 0, 60, 40), 400);
    EXPECT_EQ(countColour(image, kRed, 30, 31, 31, 40), 5);
    expectPixels(image, {{10, 5, kGreen},
                         {10, 10, kBlue},
                         {29, 29, kBlue},
                         {40, 5, kRed},
                         {50, 15, kRed},
                         {45, 10, kWhite},
                         {30, 32, kWhite},
                         {30, 38, kWhite}});
}

TEST(QtSurfaceTest, PolygonFilledWithTheFillColourOutlinedWithTheFore) {
    for (const FillStyle style : {FillStyle::Solid, FillStyle::Transparent}) {
        QImage image = blankImage(60, 60);
        QtSurface s(image, ScaleMode::Points);  // 0.75 pt per pixel
        s.SetFillStyle(style);
        s.SetFillColor(kGreen);
        s.SetForeColor(kBlue);
        s.Polygon({{7.5, 7.5}, {37.5, 7.5}, {7.5, 37.5}});  // (10,10) (50,10) (10,50)
        s.End();
        expectPixels(image, {{20, 20, style == FillStyle::Solid ? kGreen : kWhite},
                             {30, 10, kBlue},
                             {10, 30, kBlue},
                             {45, 45, kWhite}});
        EXPECT_EQ(s.CurrentX(), 0);  // a polygon leaves the pen alone
    }
}

TEST(QtSurfaceTest, PicturesArePaintedScaledAndForeignOnesIgnored) {
    QImage pixels = blankImage(2, 2, Qt::black);
    pixels.setPixel(0, 0, qRgb(255, 0, 0));
    pixels.setPixel(1, 0, qRgb(0, 255, 0));
    pixels.setPixel(0, 1, qRgb(0, 0, 255));
    const QtPicture picture(pixels);

    QImage image = blankImage(60, 60);
    {
        QtSurface s(image, ScaleMode::Twips);
        s.PaintPicture(picture, 150, 150, 600, 600);  // (10,10), 40x40 px
        s.PaintPicture(FakePicture("x", 5, 5), 0, 0, 300, 300);
        s.PaintPicture(picture, 0, 0, 0, 300);
    }
    expectPixels(image, {{15, 15, kRed}, {45, 15, kGreen}, {15, 45, kBlue}, {45, 45, 0}});
    EXPECT_EQ(countColour(image, kWhite, 0, 0, 60, 60), 60 * 60 - 40 * 40);  // nothing else
}

TEST(QtSurfaceTest, BorrowedPainterKeepsItsState) {
    QImage image = blankImage(40, 40);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::red, 3));
    {
        QtSurface s(painter, ScaleMode::Pixels);
        s.SetDrawWidth(1);
        s.Line(0, 20, 39, 20, kBlue);
        s.End();  // not its painter to end
        EXPECT_TRUE(painter.isActive());
    }
    EXPECT_EQ(painter.pen().color(), QColor(Qt::red));
    EXPECT_EQ(painter.pen().width(), 3);
    painter.end();
    EXPECT_EQ(colourAt(image, 20, 20), kBlue);
}

class PaintedWidget : public QWidget {
  public:
    void paintEvent(QPaintEvent*) override {
        QtSurface s(*this, ScaleMode::Twips);
        s.Rectangle(0, 0, s.ScaleWidth(), s.ScaleHeight(), kWhite, true);
        s.Rectangle(150, 150, 450, 450, kRed, true);
        painted = true;
    }
    bool painted = false;
};

TEST(QtSurfaceTest, WidgetMeasuresAnytimePaintsInItsPaintEventAndTakesThePointer) {
    PaintedWidget widget;
    widget.resize(50, 40);
    {
        QtSurface s(widget);
        EXPECT_EQ(s.ScaleWidth(), 50);
        EXPECT_GT(s.TextWidth("abc"), 0);
        s.Print("outside the paint event: dropped");
        s.SetPointer(PointerShape::IBeam);
        EXPECT_EQ(widget.cursor().shape(), Qt::IBeamCursor);
        EXPECT_EQ(s.Pointer(), PointerShape::IBeam);
    }
    const QImage shot = widget.grab().toImage();
    ASSERT_TRUE(widget.painted);
    expectPixels(shot, {{20, 20, kRed}, {5, 5, kWhite}, {35, 20, kWhite}});
}

TEST(QtSurfaceTest, PrinterPageIsAPrinterSurface) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    const int dpi = printer.logicalDpiX();
    ASSERT_GT(dpi, 0);

    {
        QtSurface s(printer, ScaleMode::Twips);
        EXPECT_TRUE(s.IsPrinter());
        EXPECT_DOUBLE_EQ(s.TwipsPerPixelX(), 1440.0 / dpi);
        EXPECT_DOUBLE_EQ(s.ScaleWidth(), printer.width() * 1440.0 / dpi);
        s.SetCurrentX(1440);
        s.SetCurrentY(1440);
        s.Print("Primera p\xE1gina");
        s.Line(1440, 2000, 4000, 2000, kBlue);
        EXPECT_TRUE(s.NewPage());
        s.Print("Segunda");
    }
    QFile pdf(dir.filePath("page.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 2);
}

TEST(QtSurfaceTest, AbsurdCoordinatesAndNullImagesPaintNothingWrongAndNeverCrash) {
    QImage image = blankImage(40, 40);
    QtPicture picture(blankImage(2, 2, Qt::red));
    {
        QtSurface s(image, ScaleMode::Twips);
        const double huge = 1e308, nan = std::nan("");
        s.Line(0, 0, huge, huge, kRed);
        s.Line(nan, 0, 10, 10, kRed);
        s.Rectangle(-huge, -huge, huge, 15, kBlue, true);
        s.Point(huge, nan, kRed);
        s.Polygon({{0, 0}, {huge, 0}, {0, nan}});
        s.PaintPicture(picture, huge, 0, 100, 100);
        s.PaintPicture(picture, 0, 0, huge, huge);
        s.SetCurrentX(-huge);
        s.Print("lejos");
        s.SetCurrentX(nan);
        s.Print("nada");
        s.SetFontSize(2000);
        s.SetFontTransparent(true);
        s.SetCurrentX(0);
        s.SetCurrentY(0);
        s.Print("W");
    }
    // The rectangle down to the first row, the first line down the diagonal.
    expectPixels(image, {{39, 0, kBlue}, {20, 20, kRed}, {20, 1, kWhite}});
    // An image that cannot be painted drops the ink.
    QImage null;
    QtSurface s(null);
    s.Print("x");
    s.Line(0, 0, 10, 10, kRed);
    EXPECT_EQ(s.CurrentX(), 10);
}

}  // namespace
}  // namespace cartulo::platform
