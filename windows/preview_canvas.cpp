#include "windows/preview_canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/qt_surface.h"
#include "windows/preview_clip_surface.h"

namespace cartulo::windows {

namespace {

constexpr double kInchesPerMeter = 1 / 0.0254;
// No bottom on a screen: the text is laid out to its end, so the Y returned
// is its true painted height, {VD:} shifts included. Lines off the image
// are not painted, and their layout is remembered from the last painting.
constexpr float kNoBottom = -1;

}  // namespace

PreviewCanvas::PreviewCanvas(double fontScale, QWidget* parent)
    : QWidget(parent), fontScale_(fontScale) {
    // Only the lines on the image are painted; the engine remembers the
    // layout of the others, so an edit lays out only what it changed.
    mc_.pMC().PaintOnlyVisible = true;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    // The pointer follows the zones without a button held.
    setMouseTracking(true);
}

PreviewCanvas::~PreviewCanvas() {
    mc_.SetCtrl(nullptr);
}

void PreviewCanvas::enlazar() {
    if (surface_) surface_->End();
    clip_.reset();
    surface_ = std::make_unique<platform::QtSurface>(image_);
    // The area's own font and colour become the engine's defaults.
    surface_->SetFontName("Arial");
    surface_->SetFontSize(12 * fontScale_);
    surface_->SetForeColor(Rgb(0, 0, 0));
    // The pressed look lands on the image outside any paint event: the
    // area shows it again, in logical pixels.
    surface_->SetRefreshHandler([this](const QRect& pixels) {
        const QRectF area(pixels.x() / ratio_, pixels.y() / ratio_, pixels.width() / ratio_,
                          pixels.height() / ratio_);
        update(area.toAlignedRect());
    });
    surface_->SetPointerWidget(this);
    clip_ = std::make_unique<PreviewClipSurface>(*surface_);
    mc_.SetCtrl(clip_.get(), cOurMC::Bind::PictureControl);
}

void PreviewCanvas::prepararImagen() {
    const qreal ratio = devicePixelRatioF();
    const int width = std::max(1, static_cast<int>(std::ceil(this->width() * ratio)));
    const int height = std::max(1, static_cast<int>(std::ceil(this->height() * ratio)));
    const bool sameRatio = surface_ && ratio == ratio_;
    // The image changes only with no painter open on it.
    if (surface_) surface_->End();
    if (image_.isNull() || image_.width() != width || image_.height() < height || ratio != ratio_) {
        // Kept taller when only the height shrank, so growing back needs
        // no painting.
        const int keep = image_.width() == width && ratio == ratio_ ? image_.height() : 0;
        image_ = QImage(width, std::max(height, keep), QImage::Format_RGB32);
        // Fonts are sized by the image's resolution: the screen's, in device pixels.
        const double dpi = logicalDpiY() * ratio;
        image_.setDotsPerMeterX(qRound(dpi * kInchesPerMeter));
        image_.setDotsPerMeterY(qRound(dpi * kInchesPerMeter));
    }
    // The surface keeps the image by reference and reads its size as it
    // goes; it is made anew only when the resolution changes, so the widths
    // it has measured survive a resize.
    if (!sameRatio) {
        ratio_ = ratio;
        enlazar();
    }
    image_.fill(Qt::white);
}

int PreviewCanvas::Pintar(std::string_view text, int top, int scroll) {
    prepararImagen();
    ++generation_;
    float y = static_cast<float>((top - scroll) * ratio_);
    // -1 would mean "from the top" to the engine.
    if (y == -1.0f) y = std::nextafter(y, 0.0f);
    const float end = mc_.DrawText(text, y, 0, 0, kNoBottom);
    surface_->End();
    // The zones start afresh; the next move finds the one under the pointer.
    surface_->SetPointer(PointerShape::Default);
    endPainted_ = end <= height() * ratio_;
    update();
    return static_cast<int>(std::ceil((end - y + top * ratio_) / ratio_));
}

void PreviewCanvas::PintarVisible(std::string_view text) {
    prepararImagen();
    ++generation_;
    mc_.DrawText(text, 0, 0, 0, static_cast<float>(height() * ratio_));
    surface_->End();
    surface_->SetPointer(PointerShape::Default);
    // One past the end when every line was painted.
    endPainted_ = mc_.GetTextPointer() > static_cast<std::int64_t>(mc_.GetText().size());
    update();
}

void PreviewCanvas::Limpiar() {
    prepararImagen();
    ++generation_;
    // Measuring nothing empties the last card's zones: none stays clickable.
    mc_.SizeText({}, 0, 0, 0, kNoBottom);
    surface_->SetPointer(PointerShape::Default);
    endPainted_ = true;
    update();
}

int PreviewCanvas::AltoPintado() const {
    if (image_.isNull()) return 0;
    return static_cast<int>(std::floor(image_.height() / ratio_));
}

void PreviewCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    const QRectF target(0, 0, image_.width() / ratio_, image_.height() / ratio_);
    painter.drawImage(target, image_);
    // Beyond the image (an area grown before its next painting): blank.
    const QRegion rest = QRegion(event->rect()) - QRegion(target.toAlignedRect());
    for (const QRect& r : rest) painter.fillRect(r, Qt::white);
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
    event->accept();
    const float x = enImagen(event->position().x()), y = enImagen(event->position().y());
    // The zone under the pointer, even if no move came before the press.
    mc_.MouseMove(static_cast<int>(event->buttons() & ~event->button()), x, y);
    mc_.MouseDown(static_cast<int>(event->button()), x, y);
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    mc_.MouseMove(static_cast<int>(event->buttons()), enImagen(event->position().x()),
                  enImagen(event->position().y()));
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    mc_.MouseUp(static_cast<int>(event->button()), enImagen(event->position().x()),
                enImagen(event->position().y()));
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is no new press: the first one
    // already followed the link or pressed the button.
    event->accept();
}

}  // namespace cartulo::windows
