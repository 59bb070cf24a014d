#include "shell/file_dialogs.h"

#include <QFileDialog>

namespace cartulo::shell {

namespace {
const QString kFilter = QStringLiteral("Cartulos (*.ctu);;Todos los archivos (*)");

std::optional<QString> takeFrom(std::deque<std::optional<QString>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}
}  // namespace

std::optional<QString> QtFileDialogs::AskOpen(const QString& initialName) {
    const QString path =
        QFileDialog::getOpenFileName(parent_, QStringLiteral("Abrir"), initialName, kFilter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtFileDialogs::AskSave(const QString& initialName) {
    const QString path =
        QFileDialog::getSaveFileName(parent_, QStringLiteral("Guardar como"), initialName, kFilter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> ScriptedFileDialogs::AskOpen(const QString& initialName) {
    openProposals_.push_back(initialName);
    return takeFrom(opens_);
}

std::optional<QString> ScriptedFileDialogs::AskSave(const QString& initialName) {
    saveProposals_.push_back(initialName);
    return takeFrom(saves_);
}

}  // namespace cartulo::shell
