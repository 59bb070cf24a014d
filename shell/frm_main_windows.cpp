// The child windows of the main window: opening, finding, activating and
// forgetting them, and the services they call.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <algorithm>

#include "platform/text_codec.h"
#include "shell/card_messages.h"
#include "shell/child_windows.h"
#include "shell/command_bar.h"
#include "shell/frm_lista_cartulos.h"
#include "shell/frm_main.h"
#include "shell/main_menus.h"
#include "windows/frm_vista_previa.h"
#include "windows/shown_title.h"

namespace cartulo::shell {

QMdiSubWindow* frmMain::AnadeVentana(windows::ChildWindow& child) {
    QWidget* widget = child.Widget();
    const QSize inner = widget->size();  // the size the window gave itself
    QMdiSubWindow* sub = mdiArea_->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The frame grows around the window; it does not shrink it to a size hint.
    sub->resize(inner.grownBy(sub->contentsMargins()));
    hijas_.push_back(Hija{sub, sub, &child, child.Kind()});
    connect(sub, &QObject::destroyed, this, [this](QObject* gone) { olvidar(gone); });
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
    // Activation alone gives the keys to the frame's first control, often a
    // hidden one: what the user types next goes into the window's text.
    widget->setFocus();
    return sub;
}

windows::ChildWindow* frmMain::VentanaActiva() const {
    const Hija* hija = hijaDe(mdiArea_->currentSubWindow());
    return hija != nullptr ? hija->child : nullptr;
}

std::vector<windows::ChildWindow*> frmMain::Ventanas() const {
    std::vector<windows::ChildWindow*> result;
    for (const Hija& hija : hijas_) {
        if (hija.sub) result.push_back(hija.child);
    }
    return result;
}

const frmMain::Hija* frmMain::hijaDe(const QMdiSubWindow* sub) const {
    if (sub == nullptr) return nullptr;
    const auto found =
        std::find_if(hijas_.begin(), hijas_.end(), [sub](const Hija& h) { return h.sub == sub; });
    return found != hijas_.end() ? &*found : nullptr;
}

const frmMain::Hija* frmMain::hijaDe(const windows::ChildWindow* child) const {
    const auto found = std::find_if(hijas_.begin(), hijas_.end(),
                                    [child](const Hija& h) { return h.child == child; });
    return found != hijas_.end() ? &*found : nullptr;
}

const frmMain::Hija* frmMain::fichaAbierta(const cCartulo& file, CardId id) const {
    for (const Hija& hija : hijas_) {
        if (hija.kind != windows::ChildKind::Ficha || !hija.sub) continue;
        if (hija.child->Cartulo().get() == &file && FichaDe(*hija.child) == id) return &hija;
    }
    return nullptr;
}

void frmMain::activarHija(const Hija& hija) {
    if (!hija.sub) return;
    if (hija.sub->isMinimized()) hija.sub->showNormal();
    mdiArea_->setActiveSubWindow(hija.sub);
    if (QWidget* widget = hija.sub->widget()) widget->setFocus();
}

void frmMain::olvidar(const QObject* sub) {
    // By address: a QPointer is already null while its object is being destroyed.
    const auto gone =
        std::find_if(hijas_.begin(), hijas_.end(), [sub](const Hija& h) { return h.key == sub; });
    if (gone == hijas_.end()) return;
    const bool wasCard = gone->kind == windows::ChildKind::Ficha;
    hijas_.erase(gone);
    const bool cardsLeft = std::any_of(hijas_.begin(), hijas_.end(), [](const Hija& h) {
        return h.kind == windows::ChildKind::Ficha;
    });
    if (wasCard && !cardsLeft) cascada_.Reiniciar();
    if (hijas_.empty() && !destroying_) tmrFoco_.start();
}

void frmMain::VentanaCerrada(windows::ChildWindow& window) {
    if (const Hija* hija = hijaDe(&window)) olvidar(hija->key);
}

windows::ChildWindow* frmMain::MuestraFicha(const std::shared_ptr<cCartulo>& file, CardId id) {
    if (!file) return nullptr;
    if (const Hija* open = fichaAbierta(*file, id)) {
        activarHija(*open);
        open->child->Comando(QStringLiteral("Maximizar"));
        return open->child;
    }
    if (windows::ChildWindow* window = NuevaVentanaFicha(*this, file, id)) {
        AnadeVentana(*window);
        return window;
    }
    MensajeEstado(windows::ShownTitle(file->GetFileTitle()));
    return nullptr;
}

void frmMain::MuestraIndice(const std::shared_ptr<cCartulo>& file) {
    if (!file) return;
    for (const Hija& hija : hijas_) {
        if (hija.kind == windows::ChildKind::Indice && hija.sub && hija.child->Cartulo() == file) {
            activarHija(hija);
            return;
        }
    }
    if (windows::ChildWindow* window = NuevaVentanaIndice(*this, file)) {
        AnadeVentana(*window);
        return;
    }
    MensajeEstado(windows::ShownTitle(file->GetFileTitle()));
}

void frmMain::MuestraFichaPrincipal(const std::shared_ptr<cCartulo>& file) {
    if (file) MuestraFicha(file, file->GetMain());
}

void frmMain::MuestraFichaMaestra(const std::shared_ptr<cCartulo>& file) {
    if (!file) return;
    CardId id = file->SrchNtry(kMasterCardName);
    if (id == kNoCard) id = file->NewCard(kMasterCardName);
    if (id < 0) {
        dialogs_->ShowMessage(MensajeFichaNoCreada(NuevaClase::Maestra, id));
        return;
    }
    MuestraFicha(file, id);
}

void frmMain::MuestraListaCartulos() {
    for (const Hija& hija : hijas_) {
        if (hija.kind == windows::ChildKind::ListaCartulos && hija.sub) {
            activarHija(hija);
            return;
        }
    }
    AnadeVentana(*new frmListaCartulos(*this, registry_));
}

void frmMain::FichaActivada(const std::shared_ptr<cCartulo>& file, CardId id) {
    fichaActivaArchivo_ = file;
    fichaActivaId_ = id;
    if (vistaPrevia_) vistaPrevia_->Mostrar(file, id);
}

void frmMain::CerrarVentanasDe(const cCartulo& file) {
    std::vector<QPointer<QMdiSubWindow>> subs;
    for (const Hija& hija : hijas_) {
        // The list of open card files names the selected file, but lists them all.
        if (hija.kind == windows::ChildKind::ListaCartulos) continue;
        if (hija.child->Cartulo().get() == &file) subs.push_back(hija.sub);
    }
    for (const QPointer<QMdiSubWindow>& sub : subs) {
        // A window that refuses to close cannot stay on a file that is gone.
        if (sub && !sub->close() && sub) sub->deleteLater();
    }
}

bool frmMain::TerminarEdiciones(const cCartulo* file) {
    std::vector<QPointer<QMdiSubWindow>> cards;
    for (const Hija& hija : hijas_) {
        if (hija.kind != windows::ChildKind::Ficha || !hija.sub) continue;
        if (file == nullptr || hija.child->Cartulo().get() == file) cards.push_back(hija.sub);
    }
    // A refusal shows a box whose events may close windows: each is found again.
    for (const QPointer<QMdiSubWindow>& sub : cards) {
        const Hija* hija = sub ? hijaDe(sub.data()) : nullptr;
        if (hija == nullptr) continue;
        if (!TerminarEdicionEntrada(*hija->child)) {
            // Shown to the user; the window keeps the focus in its entry.
            if (sub && mdiArea_->activeSubWindow() != sub) mdiArea_->setActiveSubWindow(sub);
            return false;
        }
    }
    return true;
}

void frmMain::actualizarTitulos(const cCartulo& file) {
    for (const Hija& hija : hijas_) {
        if (hija.sub && hija.child->Cartulo().get() == &file) ActualizarTitulo(*hija.child);
    }
}

QPoint frmMain::PosicionCascada(const QSize& windowSize) {
    return cascada_.Siguiente(windowSize, AreaCliente());
}

QSize frmMain::AreaCliente() const {
    return mdiArea_->viewport()->size();
}

int frmMain::BordeAcoplado() const {
    // The index, and the list of open card files below it, stand at the left
    // of the preview while it is docked: it would cover them otherwise.
    const int edge = AreaCliente().width();
    if (!vistaPrevia_ || vistaPrevia_->isHidden()) return edge;
    const QRect preview = vistaPrevia_->geometry();
    const int margin = windows::frmVistaPrevia::kMargenPixeles;
    if (preview.x() + preview.width() + margin != edge) return edge;  // moved by hand
    return preview.x() - margin;
}

void frmMain::reacoplar() {
    for (windows::ChildWindow* child : Ventanas()) child->Reacoplar();
}

void frmMain::BarraAnadeComando(const QString& owner, int panel, const QString& caption,
                                const QString& word) {
    picBarra_->AnadeComando(owner, panel, caption, word);
}

void frmMain::BarraAnadeMenu(const QString& owner, int panel, const QString& caption,
                             const QString& menuName) {
    picBarra_->AnadeMenu(owner, panel, caption, menuName);
}

QWidget* frmMain::BarraObtienePanelCliente(int panel) {
    return picBarra_->PanelCliente(panel);
}

QMenu* frmMain::menuPorNombre(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    if (auto* menu = findChild<QMenu*>(name)) return menu;
    for (int i = 0; i < MenusPrincipales::kMenuCount; ++i) {
        QMenu* menu = menus_->MenuOf(static_cast<Menu>(i));
        if (menu->title().remove(u'&').compare(name, Qt::CaseInsensitive) == 0) return menu;
    }
    return nullptr;
}

void frmMain::BarraQuitarElementos(const QString& owner) {
    picBarra_->QuitarElementos(owner);
}

void frmMain::BarraLimpiar() {
    picBarra_->Limpiar();
}

}  // namespace cartulo::shell
