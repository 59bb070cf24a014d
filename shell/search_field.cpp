#include "shell/search_field.h"

#include <QKeyEvent>

namespace cartulo::shell {

namespace {

const QString kPlaceholder = QStringLiteral("Buscar");

// The system's grey for text, told apart from the normal text colour even
// where a platform's palette gives both the same.
QColor greyText(const QPalette& palette) {
    const QColor grey = palette.color(QPalette::PlaceholderText);
    return grey != palette.color(QPalette::Text) ? grey : QColor(Qt::gray);
}

}  // namespace

CampoBuscar::CampoBuscar(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("txtBuscar"));
    setClearButtonEnabled(false);
    showPlaceholder(true);
}

void CampoBuscar::showPlaceholder(bool on) {
    placeholder_ = on;
    QPalette pal = palette();
    const QPalette normal = QPalette();
    pal.setColor(QPalette::Text, on ? greyText(normal) : normal.color(QPalette::Text));
    setPalette(pal);
    setText(on ? kPlaceholder : QString());
}

void CampoBuscar::Borrar() {
    if (hasFocus()) {
        if (placeholder_) showPlaceholder(false);
        clear();
    } else {
        showPlaceholder(true);
    }
}

void CampoBuscar::focusInEvent(QFocusEvent* event) {
    if (placeholder_) showPlaceholder(false);
    QLineEdit::focusInEvent(event);
}

void CampoBuscar::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!placeholder_ && text().isEmpty()) showPlaceholder(true);
}

void CampoBuscar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!TextoEscrito().isEmpty() && onEnter) onEnter(TextoEscrito());
            event->accept();
            return;
        case Qt::Key_Escape:
            Borrar();
            if (onEscape) onEscape();
            event->accept();
            return;
        default:
            QLineEdit::keyPressEvent(event);
    }
}

}  // namespace cartulo::shell
