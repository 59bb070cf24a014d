#include "windows/global_hit_list.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/text_codec.h"
#include "windows/shown_title.h"

namespace cartulo::windows {

GlobalHitList::GlobalHitList(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("lstRes"));
    viewport()->setObjectName(QStringLiteral("picLista"));
    verticalScrollBar()->setObjectName(QStringLiteral("scrScroll"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

int GlobalHitList::AltoFila() const {
    return fontMetrics().height() + 4;
}

int GlobalHitList::sangria() const {
    return fontMetrics().horizontalAdvance(QLatin1Char('M')) * 2;
}

int GlobalHitList::TamanoPagina() const {
    return std::max(1, viewport()->height() / AltoFila());
}

void GlobalHitList::Llenar(std::vector<HitRow> rows) {
    rows_ = std::move(rows);
    selected_ = -1;
    actualizarBarra();
    viewport()->update();
}

void GlobalHitList::Seleccionar(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    selected_ = row;
    mostrar(row);
    viewport()->update();
}

void GlobalHitList::actualizarBarra() {
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, static_cast<int>(rows_.size()) - TamanoPagina()));
    bar->setPageStep(TamanoPagina());
    bar->setSingleStep(1);
}

void GlobalHitList::mostrar(int row) {
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value()) {
        bar->setValue(row);
    } else if (row >= bar->value() + TamanoPagina()) {
        bar->setValue(row - TamanoPagina() + 1);
    }
}

void GlobalHitList::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    actualizarBarra();
}

// lstRes_PaintRow for every visible row.
void GlobalHitList::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int h = AltoFila();
    const int width = viewport()->width();
    const int first = verticalScrollBar()->value();
    const int margin = 4;
    for (int row = first, y = 0; row < static_cast<int>(rows_.size()) && y < viewport()->height();
         ++row, y += h) {
        const HitRow& r = rows_[static_cast<std::size_t>(row)];
        const QRect line(0, y, width, h);
        const bool selected = row == selected_;
        if (selected) p.fillRect(line, palette().highlight());
        p.setPen(selected ? palette().highlightedText().color() : palette().text().color());
        const int x = margin + (r.kind == HitRowKind::Hit ? sangria() : 0);
        const QString text =
            r.kind == HitRowKind::Header ? ShownTitle(r.text) : platform::toQString(r.text);
        QFont font = p.font();
        font.setBold(r.kind == HitRowKind::Header);
        p.setFont(font);
        p.drawText(QRect(x, y, width - x, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        if (r.kind == HitRowKind::Header) {
            const int end = x + QFontMetrics(font).horizontalAdvance(text) + margin;
            p.setPen(palette().mid().color());
            p.drawLine(end, y + h / 2, width - margin, y + h / 2);
        }
    }
}

void GlobalHitList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        Seleccionar(NextHit(rows_, selected_, key == Qt::Key_Down ? 1 : -1));
    } else if (plain && (key == Qt::Key_PageDown || key == Qt::Key_PageUp)) {
        Seleccionar(PageHit(rows_, selected_, key == Qt::Key_PageDown ? 1 : -1, TamanoPagina()));
    } else if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (onAbrir) onAbrir();
    } else if (plain && key == Qt::Key_Escape) {
        if (onCerrar) onCerrar();
    } else if (!onOtraTecla || !onOtraTecla(key, event->modifiers())) {
        event->ignore();
        return;
    }
    event->accept();
}

void GlobalHitList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int row =
        verticalScrollBar()->value() + static_cast<int>(event->position().y()) / AltoFila();
    if (row >= static_cast<int>(rows_.size()) ||
        rows_[static_cast<std::size_t>(row)].kind != HitRowKind::Hit) {
        return;  // a header or a message does nothing
    }
    Seleccionar(row);
    if (onAbrir) onAbrir();
}

void GlobalHitList::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    if (onFocoPerdido) onFocoPerdido();
}

}  // namespace cartulo::windows
