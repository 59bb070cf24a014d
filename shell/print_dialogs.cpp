#include "shell/print_dialogs.h"

#include <QPrintDialog>
#include <QPrinter>

namespace cartulo::shell {

bool QtPrintDialogs::AskPrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool ScriptedPrintDialogs::AskPrinter(QPrinter& printer) {
    ++asked_;
    if (answers_.empty()) return false;
    const std::optional<QString> path = std::move(answers_.front());
    answers_.pop_front();
    if (!path) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Point);
    return true;
}

}  // namespace cartulo::shell
