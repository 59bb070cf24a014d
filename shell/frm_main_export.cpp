// "Exportar como sitio web...": the active card file published in a folder
// the user chooses, then offered to the browser.
#include <QDesktopServices>
#include <QDir>
#include <QProgressDialog>
#include <QUrl>

#include "export/site_export.h"
#include "shell/frm_main.h"

namespace cartulo::shell {

namespace {

const QString kTitle = QStringLiteral("Exportar como sitio web");
// Smaller files export in a blink: no progress bar for them.
constexpr int kCardsForProgress = 200;

}  // namespace

void frmMain::exportarSitio(const cCartulo& file) {
    const auto folder = fileDialogs_->AskFolder(QDir::homePath());
    if (!folder) return;
    exporting::ExportOptions options;
    options.folder = QDir::toNativeSeparators(*folder).toStdString();
    std::unique_ptr<QProgressDialog> progress;
    if (file.CardCount() > kCardsForProgress) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Exportando las fichas..."),
                                                     QStringLiteral("Cancelar"), 0,
                                                     file.CardCount(), this);
        progress->setWindowTitle(kTitle);
        progress->setWindowModality(Qt::WindowModal);
        options.progress = [&progress](int done, int total) {
            progress->setMaximum(total);
            progress->setValue(done);
            return !progress->wasCanceled();
        };
    }
    auto report = exporting::ExportCards(file, options);
    using Outcome = exporting::ExportReport::Outcome;
    if (report.outcome == Outcome::HoldsOtherFiles) {
        const auto answer = dialogs_->MsgBoxPlus(
            QStringLiteral("La carpeta ya tiene otros ficheros. ¿Exportar en ella sin borrarlos?"),
            QString::fromStdString(options.folder),
            support::msg::kYesNo | support::msg::kQuestion | support::msg::kDefaultButton2, kTitle);
        if (answer != support::MsgResult::Yes) return;
        options.force = true;
        report = exporting::ExportCards(file, options);
    }
    progress.reset();
    if (report.outcome == Outcome::Stopped) return;
    if (report.outcome != Outcome::Done) {
        dialogs_->MsgBoxPlus(QString::fromStdString(report.message), {},
                             support::msg::kOkOnly | support::msg::kCritical, kTitle);
        return;
    }
    QString detail;
    for (const std::string& line : report.lines) detail += QString::fromStdString(line) + u'\n';
    const auto open = dialogs_->MsgBoxPlus(
        QString::fromStdString(report.Summary()) +
            QStringLiteral("\n\n¿Abrir index.html en el navegador?"),
        detail.trimmed(), support::msg::kYesNo | support::msg::kInformation, kTitle);
    if (open == support::MsgResult::Yes)
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QDir(*folder).filePath(QStringLiteral("index.html"))));
}

}  // namespace cartulo::shell
