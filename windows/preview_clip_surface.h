// A surface that passes everything on to another one but drops the ink that
// would land wholly above or below it. The engine already leaves lines off
// the image unpainted; this catches the ink of the lines it must paint
// wherever they are (backgrounds, side pictures, frames, {VD:}), so nothing
// off the image reaches Qt. Pens still move as if the ink had been put,
// so what does show is exactly what the inner surface would have shown.
#pragma once

#include <vector>

#include "platform/surface.h"

namespace cartulo::windows {

class PreviewClipSurface : public Surface {
  public:
    // `inner` is not owned and must outlive this surface.
    explicit PreviewClipSurface(Surface& inner) : inner_(inner) {}

    Surface& Inner() const { return inner_; }
    // Prints and shapes left out since the counter was last reset.
    int Dropped() const { return dropped_; }
    void ResetDropped() { dropped_ = 0; }

    ScaleMode GetScaleMode() const override { return inner_.GetScaleMode(); }
    void SetScaleMode(ScaleMode mode) override { inner_.SetScaleMode(mode); }
    double ScaleWidth() const override { return inner_.ScaleWidth(); }
    double ScaleHeight() const override { return inner_.ScaleHeight(); }
    double TwipsPerPixelX() const override { return inner_.TwipsPerPixelX(); }
    double TwipsPerPixelY() const override { return inner_.TwipsPerPixelY(); }
    bool IsPrinter() const override { return inner_.IsPrinter(); }

    const FontState& Font() const override { return inner_.Font(); }
    bool SetFontName(std::string_view name) override { return inner_.SetFontName(name); }
    bool SetFontSize(double points) override { return inner_.SetFontSize(points); }
    void SetFontBold(bool on) override { inner_.SetFontBold(on); }
    void SetFontItalic(bool on) override { inner_.SetFontItalic(on); }
    void SetFontUnderline(bool on) override { inner_.SetFontUnderline(on); }
    void SetFontStrikethrough(bool on) override { inner_.SetFontStrikethrough(on); }
    void SetFontCharset(int charset) override { inner_.SetFontCharset(charset); }
    void SetFontTransparent(bool on) override { inner_.SetFontTransparent(on); }
    TextMetrics GetTextMetrics() const override { return inner_.GetTextMetrics(); }

    double TextWidth(std::string_view text) const override { return inner_.TextWidth(text); }
    double TextHeight(std::string_view text) const override { return inner_.TextHeight(text); }
    void Print(std::string_view text) override;

    double CurrentX() const override { return inner_.CurrentX(); }
    double CurrentY() const override { return inner_.CurrentY(); }
    void SetCurrentX(double x) override { inner_.SetCurrentX(x); }
    void SetCurrentY(double y) override { inner_.SetCurrentY(y); }
    Color ForeColor() const override { return inner_.ForeColor(); }
    void SetForeColor(Color color) override { inner_.SetForeColor(color); }
    Color FillColor() const override { return inner_.FillColor(); }
    void SetFillColor(Color color) override { inner_.SetFillColor(color); }
    FillStyle GetFillStyle() const override { return inner_.GetFillStyle(); }
    void SetFillStyle(FillStyle style) override { inner_.SetFillStyle(style); }
    int DrawWidth() const override { return inner_.DrawWidth(); }
    void SetDrawWidth(int pixels) override { inner_.SetDrawWidth(pixels); }

    void Line(double x1, double y1, double x2, double y2, Color color) override;
    void Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) override;
    void Point(double x, double y, Color color) override;
    void Polygon(const std::vector<PointF>& points) override;
    void PaintPicture(const Picture& picture, double x, double y, double width,
                      double height) override;
    void SetPointer(PointerShape shape) override { inner_.SetPointer(shape); }
    void Refresh(double x1, double y1, double x2, double y2) override {
        inner_.Refresh(x1, y1, x2, y2);
    }

  private:
    // Whether ink spanning top..bottom (either order) may touch the surface,
    // with a margin for pen widths, italics and descenders.
    bool mayShow(double top, double bottom, double margin) const;
    // The pen's width in scale units.
    double penMargin() const;

    Surface& inner_;
    int dropped_ = 0;
};

}  // namespace cartulo::windows
