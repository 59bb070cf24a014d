// The preview's output area: card text laid out and painted by the host
// binding into a backing image, which paint events only copy to the screen.
// The image is in device pixels (its resolution follows the screen's), so
// text is as sharp as the screen allows. Only the lines on the image are
// painted, and the engine lays out again only the paragraphs an edit
// changed: a keystroke in a long card costs what it changed and what shows.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string_view>

#include "richtext/our_mc.h"

namespace cartulo::platform {
class QtSurface;
}

namespace cartulo::windows {

class PreviewClipSurface;

class PreviewCanvas : public QWidget {
  public:
    // `fontScale` grows the default font (Arial 12) by the display scale.
    explicit PreviewCanvas(double fontScale = 1.0, QWidget* parent = nullptr);
    ~PreviewCanvas() override;

    cOurMC& Renderer() { return mc_; }
    const cOurMC& Renderer() const { return mc_; }

    // Paints `text` with its first line `top` pixels below the area's top
    // once the text is scrolled up by `scroll` pixels (logical pixels).
    // Returns the height of the whole text as painted ({VD:} shifts
    // included), top gap included, in logical pixels.
    int Pintar(std::string_view text, int top, int scroll);
    // Paints `text` from the area's top with its height as the bottom limit:
    // layout stops at the last line that fits, so a text of any length costs
    // one areaful. For an area without a scroll bar.
    void PintarVisible(std::string_view text);
    // Leaves the area blank.
    void Limpiar();

    // The backing image, in device pixels.
    const QImage& Imagen() const { return image_; }
    // How many logical pixels of height the image covers: a lower area
    // shows part of it and needs no new painting.
    int AltoPintado() const;
    // Whether the text's end shows in the area after the last Pintar.
    bool FinalPintado() const { return endPainted_; }
    // Bumped by every Pintar and Limpiar.
    std::uint64_t Generacion() const { return generation_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    // The text's hot zones; the mouse never reaches the window behind.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // Sizes the image to the area (keeping a taller one of the same width)
    // and binds a surface on it; the image is blank afterwards.
    void prepararImagen();
    void enlazar();
    // A point of the area in the surface's units (device pixels).
    float enImagen(qreal logical) const { return static_cast<float>(logical * ratio_); }

    const double fontScale_;
    qreal ratio_ = 1;
    // Declared in this order so the binding goes first and the image last.
    QImage image_;
    std::unique_ptr<platform::QtSurface> surface_;
    std::unique_ptr<PreviewClipSurface> clip_;
    cOurMC mc_;
    bool endPainted_ = false;
    std::uint64_t generation_ = 0;
};

}  // namespace cartulo::windows
