// "imprimir": the active card window's card, rendered as the preview shows
// it, on the printer the user chooses, page after page.
#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>

#include "platform/qt_surface.h"
#include "platform/text_codec.h"
#include "richtext/binding_resources.h"
#include "richtext/our_mc.h"
#include "richtext/page_printer.h"
#include "shell/about.h"
#include "shell/child_windows.h"
#include "shell/frm_main.h"
#include "shell/print_dialogs.h"

namespace cartulo::shell {

namespace {

// Where picture names resolve: the card file's folder, or the program's
// own for a file never saved (as in the preview).
std::string picturesFolder(const cCartulo& file) {
    if (std::string folder = file.GetBasePath(); !folder.empty()) return folder;
    if (const auto resources = ProgramResources(); resources && !resources->programFolder.empty()) {
        return resources->programFolder;
    }
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

}  // namespace

void frmMain::imprimir() {
    if (settings_ != nullptr && settings_->NoPrinting()) return;
    windows::ChildWindow* child = VentanaActiva();
    if (child == nullptr || child->Kind() != windows::ChildKind::Ficha) return;
    const std::shared_ptr<cCartulo> file = child->Cartulo();
    const std::optional<CardId> card = FichaDe(*child);
    if (!file || !card) return;
    // Taken now: the card as it was when the user asked.
    const std::string text = file->GetTxt(*card);
    const std::string folder = picturesFolder(*file);

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(platform::toQString(file->GetNtry(*card)));
    if (!printDialogs_->AskPrinter(printer)) return;
    // A painter of our own starts the job at once, so an empty card still
    // gives its blank page, and a printer that cannot start is known.
    QPainter painter;
    if (!painter.begin(&printer)) {
        dialogs_->MsgBoxPlus(QStringLiteral("No se pudo imprimir la ficha."), {},
                             support::msg::kExclamation, QString::fromUtf8(kProgramTitle));
        return;
    }
    CursorEspera(true);
    {
        platform::QtSurface surface(painter, ScaleMode::Twips);
        cOurMC mc;
        mc.SetBasePath(folder);
        mc.SetCtrl(&surface);
        PagePrinter(mc, [&surface] { return surface.NewPage(); }).Print(text);
        mc.SetCtrl(nullptr);
    }
    painter.end();
    CursorEspera(false);
}

}  // namespace cartulo::shell
