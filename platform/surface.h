// The drawing surface that card text, formulas and drawing scripts are
// painted on: a widget, an image or a printer page. No toolkit types here;
// the Qt implementation and the recording fake live beside it.
//
// Coordinates and lengths are in the surface's scale units (twips, points or
// pixels, by its scale mode). Text is Windows-1252; with the "Symbol" font
// (or the symbol character set) its bytes are the Symbol font's codes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo {

// 24-bit RGB as blue * 65536 + green * 256 + red.
using Color = std::int32_t;
constexpr Color Rgb(int red, int green, int blue) {
    return blue * 65536 + green * 256 + red;
}
constexpr int RedOf(Color c) {
    return c & 0xFF;
}
constexpr int GreenOf(Color c) {
    return (c >> 8) & 0xFF;
}
constexpr int BlueOf(Color c) {
    return (c >> 16) & 0xFF;
}

enum class ScaleMode { User = 0, Twips = 1, Points = 2, Pixels = 3 };
enum class FillStyle { Solid = 0, Transparent = 1 };
// UpArrow is the pointer over a clickable zone of card text.
enum class PointerShape { Default, Hand, Arrow, IBeam, UpArrow };

inline constexpr int kSymbolCharset = 2;
inline constexpr int kDefaultCharset = 0;

struct PointF {
    double x = 0;
    double y = 0;
};

// Font metrics in device pixels; only their ratios matter to layout.
struct TextMetrics {
    double height = 0;  // ascent + descent
    double ascent = 0;
    double descent = 0;
    double internalLeading = 0;
    double externalLeading = 0;
};

// A decoded picture, sized in pixels. Each surface paints the pictures of
// its own kind (the Qt surface paints Qt pictures).
class Picture {
  public:
    virtual ~Picture() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

struct FontState {
    std::string name = "Times New Roman";
    double size = 12;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = kDefaultCharset;
};

class Surface {
  public:
    virtual ~Surface() = default;

    // --- scale ---
    virtual ScaleMode GetScaleMode() const = 0;
    virtual void SetScaleMode(ScaleMode mode) = 0;
    virtual double ScaleWidth() const = 0;   // the surface's width in scale units
    virtual double ScaleHeight() const = 0;  // its height in scale units
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
    virtual bool IsPrinter() const = 0;

    // --- font ---
    virtual const FontState& Font() const = 0;
    // A name or size the surface cannot use is refused (returns false) and
    // the font stays as it was.
    virtual bool SetFontName(std::string_view name) = 0;
    virtual bool SetFontSize(double points) = 0;
    virtual void SetFontBold(bool on) = 0;
    virtual void SetFontItalic(bool on) = 0;
    virtual void SetFontUnderline(bool on) = 0;
    virtual void SetFontStrikethrough(bool on) = 0;
    virtual void SetFontCharset(int charset) = 0;
    virtual void SetFontTransparent(bool on) = 0;  // text without its background box
    virtual TextMetrics GetTextMetrics() const = 0;

    // --- text, in the current font ---
    virtual double TextWidth(std::string_view text) const = 0;
    virtual double TextHeight(std::string_view text) const = 0;
    // Prints at the pen position (its top-left); the pen moves to the text's
    // end on the same line.
    virtual void Print(std::string_view text) = 0;

    // --- pen and colours ---
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    virtual Color ForeColor() const = 0;  // text and lines
    virtual void SetForeColor(Color color) = 0;
    virtual Color FillColor() const = 0;
    virtual void SetFillColor(Color color) = 0;
    virtual FillStyle GetFillStyle() const = 0;
    virtual void SetFillStyle(FillStyle style) = 0;
    virtual int DrawWidth() const = 0;  // in device pixels
    virtual void SetDrawWidth(int pixels) = 0;

    // --- shapes ---
    virtual void Line(double x1, double y1, double x2, double y2, Color color) = 0;
    // An outlined rectangle, or a filled one in `color` when `filled`.
    virtual void Rectangle(double x1, double y1, double x2, double y2, Color color,
                           bool filled) = 0;
    virtual void Point(double x, double y, Color color) = 0;
    // Filled with the fill colour (when the fill style is solid), outlined
    // with the fore colour.
    virtual void Polygon(const std::vector<PointF>& points) = 0;
    virtual void PaintPicture(const Picture& picture, double x, double y, double width,
                              double height) = 0;

    virtual void SetPointer(PointerShape shape) = 0;

    // Ink put on the surface outside a paint event (the pressed look of a
    // button under the mouse) is complete in this rectangle (inclusive):
    // a surface over a backing image has the screen show it now. Surfaces
    // that paint straight onto their device need do nothing.
    virtual void Refresh(double /*x1*/, double /*y1*/, double /*x2*/, double /*y2*/) {}
};

// Loads pictures from files for the image cache; the Qt side decodes them.
class PictureLoader {
  public:
    virtual ~PictureLoader() = default;
    // nullptr when the file cannot be read or decoded.
    virtual std::unique_ptr<Picture> Load(const std::string& path) const = 0;
};

}  // namespace cartulo
