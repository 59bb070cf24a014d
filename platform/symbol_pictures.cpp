#include "platform/symbol_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace cartulo::platform {

namespace {

// A loudspeaker with two sound waves; pressed, it sits on a sunken tile and
// shifts by a pixel, as a pressed button does. Both are opaque: the normal
// one, painted over the pressed one on release, must cover its tile.
QImage drawSpeaker(int side, bool pressed) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = side / 16.0;
    if (pressed) {
        p.fillRect(QRectF(0, 0, side, side), QColor(200, 200, 200));
        p.setPen(QPen(QColor(128, 128, 128), 1));
        p.drawLine(QPointF(0.5, 0.5), QPointF(side - 0.5, 0.5));
        p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, side - 0.5));
        p.translate(s, s);
    }
    QPainterPath body;
    body.moveTo(2 * s, 6 * s);
    body.lineTo(5 * s, 6 * s);
    body.lineTo(9 * s, 2.5 * s);
    body.lineTo(9 * s, 13.5 * s);
    body.lineTo(5 * s, 10 * s);
    body.lineTo(2 * s, 10 * s);
    body.closeSubpath();
    p.setPen(QPen(QColor(20, 20, 20), std::max(1.0, s)));
    p.setBrush(QColor(60, 60, 60));
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 160), std::max(1.0, 1.2 * s), Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(7 * s, 5 * s, 5 * s, 6 * s), -50 * 16, 100 * 16);
    p.drawArc(QRectF(6.5 * s, 2.5 * s, 8 * s, 11 * s), -50 * 16, 100 * 16);
    return image;
}

}  // namespace

SymbolPictures MakeSymbolPictures(int side) {
    side = std::clamp(side, 8, 256);
    return {std::make_shared<QtPicture>(drawSpeaker(side, false)),
            std::make_shared<QtPicture>(drawSpeaker(side, true))};
}

}  // namespace cartulo::platform
