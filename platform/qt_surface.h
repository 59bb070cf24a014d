// The drawing surface on Qt: a QPainter on a QImage, a widget in its paint
// event, or a printer page.
//
// Scale units convert to the device's pixels through its logical resolution
// (a 96-dpi image has 15 twips per pixel, a 1200-dpi printer 1.2). The User
// scale mode counts in pixels. Fonts are resolved by fontconfig; the names
// the cards use (Arial, Times New Roman, Tahoma, Courier New) fall back
// explicitly to their metric-compatible free fonts, and the Symbol font's
// codes are drawn as the Unicode characters they stand for.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/qt_font_cache.h"
#include "platform/surface.h"

class QImage;
class QPaintDevice;
class QPainter;
class QWidget;

namespace cartulo::platform {

class QtSurface : public Surface {
  public:
    // Paints on `device` with a painter of its own, opened by the first
    // operation that puts ink on it and closed by End() or the destructor.
    // A surface that only measures never opens one, so a widget can be
    // measured outside its paint event and a printer starts no job. On a
    // widget, ink is taken only inside its paint event, and the surface is
    // ended (or destroyed) before that event returns.
    explicit QtSurface(QPaintDevice& device, ScaleMode mode = ScaleMode::Pixels);
    // Paints with a painter that is already active (a paint event, a
    // printout of several pages). Its state is restored on destruction; the
    // host leaves it alone while the surface is in use. An inactive painter
    // gives a surface that measures as a 96-dpi image and paints nothing.
    explicit QtSurface(QPainter& painter, ScaleMode mode = ScaleMode::Pixels);
    ~QtSurface() override;
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    // Ends the surface's own painter, so the image can be used; painting
    // again opens a new one. Does nothing to a borrowed painter.
    void End();
    // On a printer: ends the page and starts the next one.
    bool NewPage();

    // A widget that shows a backing image keeps a surface on that image,
    // names itself with SetPointerWidget (below) and sets this handler:
    // Refresh then ends the surface's painter, so the image holds the ink,
    // and hands the handler the image's pixels to show again (the widget
    // calls update() with them). Without a handler Refresh only ends the
    // painter.
    using RefreshHandler = std::function<void(const QRect& devicePixels)>;
    void SetRefreshHandler(RefreshHandler handler) { refresh_ = std::move(handler); }

    // The widget that shows this surface when the device is not a widget
    // itself (a backing image): SetPointer shapes its pointer. Naming one
    // gives it the current shape at once; null forgets it. Not owned: a
    // widget destroyed meanwhile is forgotten.
    void SetPointerWidget(QWidget* widget);
    QWidget* PointerWidget() const;

    // Background of text printed while font transparency is off [white].
    Color BackColor() const { return back_; }
    void SetBackColor(Color color) { back_ = color; }
    PointerShape Pointer() const { return pointer_; }
    QPaintDevice& Device() const { return *device_; }
    // The Qt font that text is measured and drawn in.
    const QFont& QtFont() const;
    // Text widths held by the cache all surfaces share.
    static std::size_t CachedWidths() { return QtFontCache::Instance().TextCount(); }

    ScaleMode GetScaleMode() const override { return mode_; }
    void SetScaleMode(ScaleMode mode) override;
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double TwipsPerPixelX() const override { return tppX_; }
    double TwipsPerPixelY() const override { return tppY_; }
    bool IsPrinter() const override { return printer_; }

    const FontState& Font() const override { return font_; }
    bool SetFontName(std::string_view name) override;
    bool SetFontSize(double points) override;
    void SetFontBold(bool on) override;
    void SetFontItalic(bool on) override;
    void SetFontUnderline(bool on) override;
    void SetFontStrikethrough(bool on) override;
    void SetFontCharset(int charset) override;
    void SetFontTransparent(bool on) override { transparent_ = on; }
    bool FontTransparent() const { return transparent_; }
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
    void SetDrawWidth(int pixels) override;

    void Line(double x1, double y1, double x2, double y2, Color color) override;
    void Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) override;
    void Point(double x, double y, Color color) override;
    void Polygon(const std::vector<PointF>& points) override;
    void PaintPicture(const Picture& picture, double x, double y, double width,
                      double height) override;
    void SetPointer(PointerShape shape) override;
    void Refresh(double x1, double y1, double x2, double y2) override;

    static constexpr double kMaxFontSize = 2000;  // points
    static constexpr std::size_t kMaxFontName = 31;
    // Widths kept (by every surface together) before the cache starts
    // afresh, and the longest text kept.
    static constexpr std::size_t kWidthCacheEntries = QtFontCache::kMaxTexts;
    static constexpr std::size_t kWidthCacheTextBytes = QtFontCache::kMaxTextBytes;

  private:
    void init(ScaleMode mode);
    // The widget whose pointer SetPointer shapes, if any.
    QWidget* pointerTarget() const;
    static void applyPointer(QWidget& widget, PointerShape shape);
    QPainter* painter();
    void fontChanged();
    void resolveFont() const;
    bool symbolText() const;
    QString displayText(std::string_view text) const;
    // The text's entry in the cache; null for a text too long to keep.
    QtFontCache::Text* cachedText(std::string_view text) const;
    double widthInPixels(std::string_view text) const;
    double unitsPerPixelX() const;
    double unitsPerPixelY() const;
    double toPixelsX(double units) const { return units / unitsPerPixelX(); }
    double toPixelsY(double units) const { return units / unitsPerPixelY(); }

    QPaintDevice* device_;
    std::unique_ptr<QPainter> ownPainter_;
    QPainter* borrowed_ = nullptr;
    std::unique_ptr<QImage> fallback_;  // the device when a borrowed painter was inactive
    bool dropInk_ = false;
    bool printer_ = false;
    double tppX_ = 15, tppY_ = 15;
    ScaleMode mode_ = ScaleMode::Pixels;

    FontState font_;
    bool transparent_ = false;
    double x_ = 0, y_ = 0;
    Color fore_ = 0, fill_ = 0, back_ = 0xFFFFFF;
    FillStyle fillStyle_ = FillStyle::Transparent;
    int drawWidth_ = 1;
    PointerShape pointer_ = PointerShape::Default;
    QPointer<QWidget> pointerWidget_;
    RefreshHandler refresh_;

    // Derived from font_ on first use after a change, or after the cache
    // started afresh.
    mutable bool fontDirty_ = true;
    mutable QFont qfont_;
    mutable std::string fontKey_;  // the device's kind and resolution, then the font
    std::size_t deviceKeyLength_ = 0;
    mutable QtFontCache::Font* fontEntry_ = nullptr;
    mutable std::uint64_t fontGeneration_ = 0;
    struct RecentFont {
        FontState state;
        QtFontCache::Font* font = nullptr;
        std::uint64_t generation = 0;
    };
    mutable std::array<RecentFont, 4> recentFonts_;
    mutable std::size_t nextRecent_ = 0;
    // What the painter was last given, so that it is not given it again.
    const QtFontCache::Font* painterFont_ = nullptr;
    std::uint64_t painterGeneration_ = 0;
    std::optional<Color> painterPen_;
};

}  // namespace cartulo::platform
