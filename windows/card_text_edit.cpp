#include "windows/card_text_edit.h"

#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <memory>

#include "windows/card_text_rules.h"

namespace cartulo::windows {

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// What the editor would insert for this key, as its own key handling decides.
QString typedText(const QKeyEvent& event) {
    if (isEnter(event.key())) return QStringLiteral("\n");
    const QString text = event.text();
    if (text.isEmpty()) return {};
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrlOnly = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
    if (ctrlOnly) return {};
    if (!text.front().isPrint() && text.front() != u'\t') return {};
    return text;
}

}  // namespace

CardTextEdit::CardTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    static int editors = 0;
    number_ = ++editors;
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QString CardTextEdit::Texto() const {
    return SaltosComoLf(document()->toRawText());
}

void CardTextEdit::CambiarTexto(const QString& lf) {
    const QString now = Texto();
    const qsizetype shorter = std::min(now.size(), lf.size());
    qsizetype prefix = 0;
    while (prefix < shorter && now[prefix] == lf[prefix]) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           now[now.size() - 1 - suffix] == lf[lf.size() - 1 - suffix]) {
        ++suffix;
    }
    if (prefix == now.size() && prefix == lf.size()) return;
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(now.size() - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(lf.mid(prefix, lf.size() - prefix - suffix));
}

void CardTextEdit::Seleccionar(int start, int length) {
    QTextCursor cursor = textCursor();
    const int end = document()->characterCount() - 1;
    cursor.setPosition(std::clamp(start, 0, end));
    cursor.setPosition(std::clamp(start + length, 0, end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

std::pair<int, int> CardTextEdit::Seleccion() const {
    const QTextCursor cursor = textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

QString CardTextEdit::TextoSeleccionado() const {
    return SaltosComoLf(textCursor().selectedText());
}

bool CardTextEdit::Insertar(const QString& text, bool pasted) {
    if (isReadOnly()) return false;
    const std::optional<QString> accepted = offer(text, pasted);
    if (!accepted) return false;
    textCursor().insertText(*accepted);
    ensureCursorVisible();
    return true;
}

std::optional<QString> CardTextEdit::offer(const QString& text, bool pasted) const {
    const QString lf = SaltosComoLf(text);
    if (!filter_) return lf;
    return filter_(lf, pasted);
}

void CardTextEdit::keyPressEvent(QKeyEvent* event) {
    lastKey_ = event->key();
    const QString typed = isReadOnly() ? QString() : typedText(*event);
    if (typed.isEmpty()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const std::optional<QString> accepted = offer(typed, false);
    if (!accepted) return;
    if (*accepted != typed || (isEnter(event->key()) && event->modifiers() != Qt::NoModifier &&
                               event->modifiers() != Qt::KeypadModifier)) {
        // Shift+Enter would insert a line separator no card can hold: a
        // plain line break instead.
        textCursor().insertText(*accepted);
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CardTextEdit::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    if (isEnter(event->key()) && !event->isAutoRepeat() && isEnter(lastKey_) && !isReadOnly() &&
        enterReleased_) {
        enterReleased_();
    }
}

void CardTextEdit::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText() || isReadOnly()) return;
    const std::optional<QString> accepted = offer(source->text(), true);
    if (!accepted || accepted->isEmpty()) return;
    QMimeData plain;
    plain.setText(*accepted);
    QPlainTextEdit::insertFromMimeData(&plain);
}

QString CardTextEdit::FormatoOrigen() {
    return QStringLiteral("application/x-cartulo-editor");
}

QMimeData* CardTextEdit::createMimeDataFromSelection() const {
    // The editor's own mime data lists a fixed set of formats, so its
    // contents are copied into plain mime data that can carry the mark.
    const std::unique_ptr<QMimeData> own(QPlainTextEdit::createMimeDataFromSelection());
    auto* data = new QMimeData;
    if (own) {
        for (const QString& format : own->formats()) data->setData(format, own->data(format));
    }
    data->setData(FormatoOrigen(), QByteArray::number(number_));
    return data;
}

void CardTextEdit::dropEvent(QDropEvent* event) {
    const QString before = Texto();
    const QMimeData* mime = event->mimeData();
    const bool fromAnotherEditor = mime && mime->hasFormat(FormatoOrigen()) &&
                                   mime->data(FormatoOrigen()) != QByteArray::number(number_);
    QPlainTextEdit::dropEvent(event);
    // Nothing came in (the card refused it): text dragged from elsewhere must
    // stay where it was.
    if (Texto() == before) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    // Text dragged from another card window is copied, not moved: that window
    // may show this very text (a sister card), and deleting the dragged
    // selection there would take the dropped copy with it.
    if (fromAnotherEditor && event->dropAction() == Qt::MoveAction) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void CardTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (event->commitString().isEmpty() || isReadOnly()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const std::optional<QString> accepted = offer(event->commitString(), false);
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    // Refused, the text it would have replaced stays too.
    if (accepted) {
        filtered.setCommitString(*accepted, event->replacementStart(), event->replacementLength());
    }
    QPlainTextEdit::inputMethodEvent(&filtered);
    event->accept();
}

void CardTextEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        clickPosition_ = cursorForPosition(event->position().toPoint()).position();
        if (event->modifiers() == Qt::ControlModifier && ctrlClick_ && ctrlClick_(clickPosition_)) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::mousePressEvent(event);
}

void CardTextEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && doubleClick_) doubleClick_(clickPosition_);
}

}  // namespace cartulo::windows
