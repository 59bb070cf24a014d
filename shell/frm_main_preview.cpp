// The preview ("Vista previa"): at most one, a panel over the right edge of
// the area that holds the child windows, following the active card window.
#include <QApplication>
#include <QMdiArea>

#include "shell/child_windows.h"
#include "shell/frm_main.h"
#include "windows/frm_vista_previa.h"

namespace cartulo::shell {

windows::frmVistaPrevia* frmMain::VistaPrevia() const {
    return vistaPrevia_.data();
}

void frmMain::abrirVistaPrevia() {
    if (vistaPrevia_) {
        vistaPrevia_->Activar();
        return;
    }
    // A child of the MDI area beside its viewport, not inside it: the child
    // windows, raised when activated and moved when the area scrolls, never
    // cover or carry it. The viewport sits at the area's origin, so Colocar
    // places it by the viewport's size (AreaCliente) in these coordinates.
    auto* preview = new windows::frmVistaPrevia(*this, clock_, mdiArea_, &registry_);
    preview->setObjectName(QStringLiteral("frmVistaPrevia"));
    vistaPrevia_ = preview;
    connect(preview, &windows::frmVistaPrevia::cerrada, this,
            [this, preview] { vistaPreviaCerrada(preview); });
    preview->Colocar();

    windows::ChildWindow* child = VentanaActiva();
    const std::shared_ptr<cCartulo> file = child != nullptr ? child->Cartulo() : nullptr;
    const std::optional<CardId> card = child != nullptr ? FichaDe(*child) : std::nullopt;
    if (file && card) {
        preview->Mostrar(file, *card);
    } else {
        preview->Vaciar();
    }
    preview->Activar();
    reacoplar();
}

void frmMain::colocarVistaPrevia() {
    if (!vistaPrevia_) return;
    // Docked again at the new edge; rolled up it stays rolled up.
    const bool rolledUp = vistaPrevia_->Minimizada();
    vistaPrevia_->Colocar();
    if (rolledUp) vistaPrevia_->SetMinimizada(true);
}

void frmMain::vistaPreviaCerrada(windows::frmVistaPrevia* preview) {
    const QWidget* focus = QApplication::focusWidget();
    const bool hadFocus = focus != nullptr && (focus == preview || preview->isAncestorOf(focus));
    if (vistaPrevia_ == preview) vistaPrevia_ = nullptr;
    reacoplar();
    // It is still inside its close event.
    preview->deleteLater();
    // The keys go back to the window the user works in.
    if (hadFocus) {
        QMetaObject::invokeMethod(
            this, [this] { enfocarHijaActiva(); }, Qt::QueuedConnection);
    }
}

}  // namespace cartulo::shell
