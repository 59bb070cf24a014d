#include "shell/command_bar_button.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPainterPath>

namespace cartulo::shell {

namespace {
constexpr int kPaddingX = 10;
constexpr int kArrowRoom = 12;
constexpr qreal kRadius = 4.0;
}  // namespace

BotonBarra::BotonBarra(const QString& caption, bool opensMenu, QWidget* parent)
    : QAbstractButton(parent), opensMenu_(opensMenu) {
    setText(caption);
    setToolTip(caption);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void BotonBarra::SetMenuOpen(bool open) {
    menuOpen_ = open;
    update();
}

QSize BotonBarra::sizeHint() const {
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(text()) + 2 * kPaddingX +
                      (opensMenu_ ? kArrowRoom : 0) + (icon().isNull() ? 0 : 20);
    return {width, metrics.height() + 10};
}

void BotonBarra::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void BotonBarra::leaveEvent(QEvent* event) {
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void BotonBarra::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1.5, 3.5, -1.5, -3.5);
    const QPalette& pal = palette();
    if (isDown() || menuOpen_ || hover_) {
        QColor fill = pal.color(QPalette::Highlight);
        fill.setAlpha(isDown() || menuOpen_ ? 70 : 38);
        QColor border = pal.color(QPalette::Highlight);
        border.setAlpha(110);
        QPainterPath path;
        path.addRoundedRect(box, kRadius, kRadius);
        painter.fillPath(path, fill);
        painter.setPen(QPen(border, 1.0));
        painter.drawPath(path);
    }
    QRect textArea = rect().adjusted(kPaddingX, 0, -kPaddingX - (opensMenu_ ? kArrowRoom : 0), 0);
    if (!icon().isNull()) {
        const QSize size(16, 16);
        const QPoint at(textArea.left(), (height() - size.height()) / 2);
        painter.drawPixmap(at, icon().pixmap(size, isEnabled() ? QIcon::Normal : QIcon::Disabled));
        textArea.setLeft(textArea.left() + 20);
    }
    painter.setPen(
        pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, text());
    if (opensMenu_) {
        const qreal cx = width() - kPaddingX - kArrowRoom / 2.0 + 2;
        const qreal cy = height() / 2.0 + 1;
        QPainterPath arrow;
        arrow.moveTo(cx - 3.5, cy - 2);
        arrow.lineTo(cx, cy + 2);
        arrow.lineTo(cx + 3.5, cy - 2);
        painter.setPen(
            QPen(pal.color(QPalette::ButtonText), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(arrow);
    }
}

}  // namespace cartulo::shell
