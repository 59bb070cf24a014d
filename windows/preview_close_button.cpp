#include "windows/preview_close_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace cartulo::windows {

PreviewCloseButton::PreviewCloseButton(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(QStringLiteral("Cerrar"));
}

void PreviewCloseButton::setPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    update();
}

void PreviewCloseButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPalette& pal = palette();
    p.setPen(pressed_ ? pal.color(QPalette::Dark) : pal.color(QPalette::Mid));
    p.setBrush(pressed_ ? pal.color(QPalette::Mid) : pal.color(QPalette::Button));
    p.drawRoundedRect(box, 2, 2);
    // The close box: two strokes crossing, a little lower and to the right
    // while pressed.
    const double side = std::min(width(), height());
    const double inset = side * 0.3;
    const double shift = pressed_ ? 1 : 0;
    QRectF cross(0, 0, side - 2 * inset, side - 2 * inset);
    cross.moveCenter(QPointF(width() / 2.0 + shift, height() / 2.0 + shift));
    QPen pen(pal.color(QPalette::ButtonText), std::max(1.5, side / 12.0));
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(cross.topLeft(), cross.bottomRight());
    p.drawLine(cross.bottomLeft(), cross.topRight());
}

void PreviewCloseButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        held_ = true;
        setPressed(true);
        return;
    }
    if (AlRatonPulsado) AlRatonPulsado(*event, mapToParent(event->position().toPoint()));
}

void PreviewCloseButton::mouseMoveEvent(QMouseEvent* event) {
    if (held_ && (event->buttons() & Qt::LeftButton)) {
        setPressed(rect().contains(event->position().toPoint()));
        return;
    }
    if (event->buttons() == Qt::NoButton && AlRatonMovido) {
        AlRatonMovido(*event, mapToParent(event->position().toPoint()));
    }
}

void PreviewCloseButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !held_) return;
    held_ = false;
    const bool click = pressed_;
    setPressed(false);
    if (click && AlPulsar) AlPulsar();
}

void PreviewCloseButton::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    held_ = false;
    pressed_ = false;
}

}  // namespace cartulo::windows
