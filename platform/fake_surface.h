// A drawing surface for tests: fixed metrics, and a record of every
// operation as a line of text, so layouts and paintings compare exactly.
//
// Metrics, whatever the font: every character (blanks included) is half the
// font size wide, and a line is one font size high, of which three quarters
// lie above the baseline. At 12 pt on the default pixel scale (15 twips per
// pixel, so 1 pt = 4/3 px) a character is 8 px wide and a line 16 px high
// with an ascent of 12 px. Bold, italic and the Symbol font change nothing.
// Font names must be 1 to 31 characters; sizes above 0 and up to 2000 pt.
#pragma once

#include <string>
#include <vector>

#include "platform/surface.h"

namespace cartulo {

// A picture of a given size that only the fake surface paints.
class FakePicture : public Picture {
  public:
    FakePicture(std::string name, int width, int height)
        : name_(std::move(name)), width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    const std::string& Name() const { return name_; }

  private:
    std::string name_;
    int width_, height_;
};

class FakeSurface : public Surface {
  public:
    // The size is in scale units of the given mode.
    FakeSurface(double width, double height, ScaleMode mode = ScaleMode::Pixels,
                bool printer = false);

    // Every painting operation so far, one line each (see fake_surface.cpp).
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // Only the lines that put ink on the surface: "print", "line", "rect",
    // "point", "polygon", "picture".
    std::vector<std::string> Ink() const;

    ScaleMode GetScaleMode() const override { return mode_; }
    void SetScaleMode(ScaleMode mode) override;
    double ScaleWidth() const override { return width_; }
    double ScaleHeight() const override { return height_; }
    double TwipsPerPixelX() const override { return kTwipsPerPixel; }
    double TwipsPerPixelY() const override { return kTwipsPerPixel; }
    bool IsPrinter() const override { return printer_; }

    const FontState& Font() const override { return font_; }
    bool SetFontName(std::string_view name) override;
    bool SetFontSize(double points) override;
    void SetFontBold(bool on) override { font_.bold = on; }
    void SetFontItalic(bool on) override { font_.italic = on; }
    void SetFontUnderline(bool on) override { font_.underline = on; }
    void SetFontStrikethrough(bool on) override { font_.strikethrough = on; }
    void SetFontCharset(int charset) override { font_.charset = charset; }
    void SetFontTransparent(bool on) override { transparent_ = on; }
    TextMetrics GetTextMetrics() const override;

    double TextWidth(std::string_view text) const override;
    double TextHeight(std::string_view text) const override;
    void Print(std::string_view text) override;

    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    Color ForeColor() const override { return fore_; }
    void SetForeColor(Color color) override { fore_ = color; }
    Color FillColor() const override { return fill_; }
    void SetFillColor(Color color) override { fill_ = color; }
    FillStyle GetFillStyle() const override { return fillStyle_; }
    void SetFillStyle(FillStyle style) override { fillStyle_ = style; }
    int DrawWidth() const override { return drawWidth_; }
    void SetDrawWidth(int pixels) override { drawWidth_ = pixels; }

    void Line(double x1, double y1, double x2, double y2, Color color) override;
    void Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) override;
    void Point(double x, double y, Color color) override;
    void Polygon(const std::vector<PointF>& points) override;
    void PaintPicture(const Picture& picture, double x, double y, double width,
                      double height) override;
    void SetPointer(PointerShape shape) override { pointer_ = shape; }
    PointerShape Pointer() const { return pointer_; }
    // Logged as "refresh x1,y1 x2,y2"; puts no ink.
    void Refresh(double x1, double y1, double x2, double y2) override;

    static constexpr double kTwipsPerPixel = 15;

  private:
    double pointsToUnits(double points) const;
    std::string fontDescription() const;

    double width_, height_;
    ScaleMode mode_;
    bool printer_;
    FontState font_;
    bool transparent_ = false;
    double x_ = 0, y_ = 0;
    Color fore_ = 0, fill_ = 0;
    FillStyle fillStyle_ = FillStyle::Transparent;
    int drawWidth_ = 1;
    PointerShape pointer_ = PointerShape::Default;
    std::vector<std::string> log_;
};

}  // namespace cartulo
