#include "shell/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include "support/user_dialogs.h"

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

std::optional<QString> QtFileDialogs::AskFolder(const QString& initialFolder) {
    const QString path = QFileDialog::getExistingDirectory(
        parent_, QStringLiteral("Exportar como sitio web"), initialFolder);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

QString ConSufijoCtu(const QString& path) {
    // The rule of QFileDialog::setDefaultSuffix, so both agree on the name.
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(u'.')) return path;
    return path + QStringLiteral(".ctu");
}

std::optional<QString> DestinoGuardar(const QString& chosen, support::UserDialogs& dialogs) {
    if (chosen.isEmpty()) return std::nullopt;
    const QString target = ConSufijoCtu(chosen);
    const QFileInfo info(target);
    if (!info.exists() && !info.isSymLink()) return target;
    const auto answer = dialogs.ShowMessage(
        {.text = QStringLiteral("Ya existe ") + info.fileName() + QStringLiteral("."),
         .detail = QStringLiteral("¿Desea reemplazarlo?"),
         .flags = support::msg::kYesNo + support::msg::kExclamation + support::msg::kDefaultButton2,
         .title = QStringLiteral("Guardar como"),
         .extra = {}});
    if (answer != support::MsgResult::Yes) return std::nullopt;
    return target;
}

std::optional<QString> QtFileDialogs::AskSave(const QString& initialName) {
    QFileDialog dialog(parent_, QStringLiteral("Guardar como"), initialName, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("ctu"));
    // A native dialog would ask about the name typed, before the suffix;
    // the question is asked below, about the name that will be written.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return DestinoGuardar(dialog.selectedFiles().value(0), dialogs_);
}

std::optional<QString> ScriptedFileDialogs::AskOpen(const QString& initialName) {
    openProposals_.push_back(initialName);
    return takeFrom(opens_);
}

std::optional<QString> ScriptedFileDialogs::AskSave(const QString& initialName) {
    saveProposals_.push_back(initialName);
    return takeFrom(saves_);
}

std::optional<QString> ScriptedFileDialogs::AskFolder(const QString&) {
    return takeFrom(folders_);
}

}  // namespace cartulo::shell
