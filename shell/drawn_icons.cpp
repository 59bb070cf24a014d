#include "shell/drawn_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace cartulo::shell {

namespace {

constexpr int kSize = 24;
constexpr qreal kPixelRatio = 2.0;

const QColor kInk(0x3b, 0x4a, 0x5a);
const QColor kPaper(0xfd, 0xfd, 0xfb);
const QColor kCard(0xff, 0xf4, 0xd6);
const QColor kFolder(0xf2, 0xb8, 0x4b);
const QColor kBlue(0x3f, 0x7c, 0xc4);
const QColor kGreen(0x2f, 0x9e, 0x57);
const QColor kRed(0xc8, 0x4b, 0x3c);

QPen ink(qreal width = 1.4) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(static_cast<int>(kSize * kPixelRatio), static_cast<int>(kSize * kPixelRatio));
    pixmap.setDevicePixelRatio(kPixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void page(QPainter& p, QRectF r, const QColor& fill) {
    const qreal fold = 5;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(ink());
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void lines(QPainter& p, QRectF r, int count) {
    p.setPen(QPen(kInk.lighter(170), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + 8 + i * 3.2;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void plus(QPainter& p, QPointF c) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(c, 5.2, 5.2);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - 2.6, c.y()), QPointF(c.x() + 2.6, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 2.6), QPointF(c.x(), c.y() + 2.6));
}

void card(QPainter& p, QRectF r) {
    p.setPen(ink());
    p.setBrush(kCard);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setPen(QPen(kRed, 1.2));
    p.drawLine(QPointF(r.left() + 1, r.top() + 4.5), QPointF(r.right() - 1, r.top() + 4.5));
    p.setPen(QPen(kInk.lighter(170), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (qreal y = r.top() + 8; y < r.bottom() - 1.5; y += 3) {
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
    }
}

void magnifier(QPainter& p, QPointF c, qreal radius) {
    p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(0xe3, 0xef, 0xfb));
    p.drawEllipse(c, radius, radius);
    p.drawLine(c + QPointF(radius * 0.72, radius * 0.72), c + QPointF(radius * 1.9, radius * 1.9));
}

void newFile(QPainter& p) {
    page(p, QRectF(4.5, 2.5, 13, 18), kPaper);
    lines(p, QRectF(4.5, 2.5, 13, 18), 3);
    plus(p, QPointF(17, 17));
}

void open(QPainter& p) {
    QPainterPath back;
    back.moveTo(2.5, 6.5);
    back.lineTo(8.5, 6.5);
    back.lineTo(10.5, 8.5);
    back.lineTo(19.5, 8.5);
    back.lineTo(19.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.setPen(ink());
    p.setBrush(kFolder.darker(115));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6.0, 11.5);
    front.lineTo(22.0, 11.5);
    front.lineTo(19.5, 19.5);
    front.closeSubpath();
    p.setBrush(kFolder);
    p.drawPath(front);
}

void save(QPainter& p) {
    const QRectF body(3.5, 3.5, 17, 17);
    p.setPen(ink());
    p.setBrush(kBlue);
    p.drawRoundedRect(body, 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3.5, 10, 6.5));
    p.setBrush(QColor(0xdd, 0xe6, 0xf0));
    p.drawRect(QRectF(6.5, 13, 11, 7.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(13.5, 4.8, 2, 4));
}

void print(QPainter& p) {
    page(p, QRectF(7, 2.5, 10, 8), kPaper);
    p.setPen(ink());
    p.setBrush(QColor(0xc9, 0xd2, 0xdc));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(18.5, 12.5), 1.1, 1.1);
}

void copy(QPainter& p) {
    page(p, QRectF(3.5, 2.5, 11, 14), kPaper);
    page(p, QRectF(9.5, 7.5, 11, 14), kPaper);
    lines(p, QRectF(9.5, 7.5, 11, 14), 2);
}

void cut(QPainter& p) {
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 3), QPointF(15.5, 15));
    p.drawLine(QPointF(17, 3), QPointF(8.5, 15));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kRed, 1.8));
    p.drawEllipse(QPointF(7, 18), 3, 3);
    p.drawEllipse(QPointF(17, 18), 3, 3);
}

void paste(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(0xc8, 0x9b, 0x62));
    p.drawRoundedRect(QRectF(3.5, 4.5, 14, 17), 2, 2);
    p.setBrush(QColor(0xd9, 0xdf, 0xe6));
    p.drawRoundedRect(QRectF(7.5, 2.5, 6, 4), 1, 1);
    page(p, QRectF(10.5, 9.5, 10, 12), kPaper);
    lines(p, QRectF(10.5, 7.5, 10, 12), 2);
}

void undo(QPainter& p) {
    QPainterPath arc;
    arc.moveTo(6, 11);
    arc.cubicTo(9, 5.5, 19, 5.5, 19.5, 13);
    arc.cubicTo(19.5, 17, 16.5, 19.5, 13, 19.5);
    p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(3, 6.5);
    head.lineTo(9.5, 12.5);
    head.lineTo(3, 13.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPath(head);
}

void newCard(QPainter& p) {
    card(p, QRectF(2.5, 4.5, 16, 12));
    plus(p, QPointF(17, 17));
}

void newSister(QPainter& p) {
    card(p, QRectF(2.5, 2.5, 15, 11));
    card(p, QRectF(6.5, 7.5, 15, 11));
    plus(p, QPointF(17.5, 18));
}

}  // namespace

QIcon IconoHerramienta(int image) {
    switch (image) {
        case 1:
            return drawn(newFile);
        case 2:
            return drawn(open);
        case 3:
            return drawn(save);
        case 4:
            return drawn(copy);
        case 5:
            return drawn(cut);
        case 6:
            return drawn(paste);
        case 7:
            return drawn(undo);
        case 8:
            return IconoBuscar();
        case 9:
            return drawn(newCard);
        case 10:
            return drawn(newSister);
        case 11:
            return drawn(print);
        default:
            return {};
    }
}

QIcon IconoBuscar() {
    return drawn([](QPainter& p) { magnifier(p, QPointF(10, 10), 5.5); });
}

QIcon IconoExtension(bool vertical) {
    return drawn([vertical](QPainter& p) {
        // Two chevrons pointing where the hidden buttons are.
        if (vertical) {
            p.translate(kSize, 0);
            p.rotate(90);
        }
        p.setPen(ink(1.6));
        for (const qreal x : {8.0, 13.0}) {
            p.drawPolyline(QPolygonF({QPointF(x, 8), QPointF(x + 4, 12), QPointF(x, 16)}));
        }
    });
}

QIcon IconoVentana(BotonVentana button) {
    return drawn([button](QPainter& p) {
        p.setPen(ink(1.6));
        p.setBrush(Qt::NoBrush);
        switch (button) {
            case BotonVentana::Minimizar:
                p.drawLine(QPointF(7, 17), QPointF(17, 17));
                break;
            case BotonVentana::Maximizar:
                p.drawRect(QRectF(6.5, 6.5, 11, 11));
                break;
            case BotonVentana::Restaurar:
                p.drawRect(QRectF(5.5, 9.5, 9, 9));
                p.drawPolyline(QPolygonF({QPointF(9.5, 9.5), QPointF(9.5, 5.5), QPointF(18.5, 5.5),
                                          QPointF(18.5, 14.5), QPointF(14.5, 14.5)}));
                break;
            case BotonVentana::Cerrar:
                p.drawLine(QPointF(7, 7), QPointF(17, 17));
                p.drawLine(QPointF(17, 7), QPointF(7, 17));
                break;
        }
    });
}

}  // namespace cartulo::shell
