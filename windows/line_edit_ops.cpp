#include "windows/line_edit_ops.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <algorithm>

#include "windows/card_text_rules.h"

namespace cartulo::windows {

void CopiarAlPortapapeles(const QString& text) {
    if (text.isEmpty()) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

std::optional<QString> TextoDelPortapapeles() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) return std::nullopt;
    return data->text();
}

TextField LeerLinea(const QLineEdit& edit) {
    if (!edit.hasSelectedText()) return {edit.text(), edit.cursorPosition(), 0};
    return {edit.text(), edit.selectionStart(), edit.selectionLength()};
}

void EscribirLinea(QLineEdit& edit, const TextField& field) {
    const QString now = edit.text();
    if (now != field.text) {
        const qsizetype shorter = std::min(now.size(), field.text.size());
        qsizetype prefix = 0;
        while (prefix < shorter && now[prefix] == field.text[prefix]) ++prefix;
        qsizetype suffix = 0;
        while (suffix < shorter - prefix &&
               now[now.size() - 1 - suffix] == field.text[field.text.size() - 1 - suffix]) {
            ++suffix;
        }
        edit.setSelection(static_cast<int>(prefix), static_cast<int>(now.size() - suffix - prefix));
        edit.insert(field.text.mid(prefix, field.text.size() - suffix - prefix));
    }
    if (field.selLength > 0) {
        edit.setSelection(static_cast<int>(field.selStart), static_cast<int>(field.selLength));
    } else {
        edit.setCursorPosition(static_cast<int>(field.selStart));
    }
}

void InsertarEnLinea(QLineEdit& edit, const QString& text) {
    QString oneLine = SaltosComoLf(text);
    oneLine.replace(u'\n', u' ');
    edit.insert(oneLine);
}

void EliminarSeleccion(QLineEdit& edit) {
    if (edit.hasSelectedText()) edit.del();
}

}  // namespace cartulo::windows
