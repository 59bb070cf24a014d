#include "windows/preview_size_grip.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace cartulo::windows {

PreviewSizeGrip::PreviewSizeGrip(QWidget* parent, QWidget* target)
    : QWidget(parent), target_(target != nullptr ? target : parent) {
    setCursor(Qt::SizeFDiagCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PreviewSizeGrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    // Three ridges across the corner, each a light line over a dark one.
    const int side = std::min(width(), height());
    const int step = std::max(3, side / 4);
    const int right = width() - 1, bottom = height() - 1;
    for (int i = 1; i <= 3; ++i) {
        const int d = i * step;
        p.setPen(pal.color(QPalette::Light));
        p.drawLine(right - d, bottom, right, bottom - d);
        p.setPen(pal.color(QPalette::Dark));
        p.drawLine(right - d + 1, bottom, right, bottom - d + 1);
        p.drawLine(right - d + 2, bottom, right, bottom - d + 2);
    }
}

void PreviewSizeGrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    dragging_ = true;
    from_ = event->globalPosition().toPoint();
    startSize_ = target_->size();
}

void PreviewSizeGrip::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint offset = event->globalPosition().toPoint() - from_;
    target_->resize(std::max(startSize_.width() + offset.x(), minimum_.width()),
                    std::max(startSize_.height() + offset.y(), minimum_.height()));
}

void PreviewSizeGrip::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace cartulo::windows
