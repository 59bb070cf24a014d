// The main window's command vocabulary and its keyboard shortcuts.
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "shell/about.h"
#include "shell/argument_number.h"
#include "shell/child_windows.h"
#include "shell/command_bar.h"
#include "shell/frm_main.h"
#include "shell/main_menus.h"
#include "shell/search_field.h"
#include "shell/shortcuts.h"
#include "windows/frm_busqueda_global.h"

namespace cartulo::shell {

namespace {

// The menu panels "abrirmenu" counts, from "Organizar" (0) to "Ventana" (4).
constexpr int kLastMenuNumber = 4;

// A number argument in [low, high], whether it came as a number or as text.
std::optional<int> numberIn(const QVariant& value, int low, int high) {
    return ArgumentNumber(value.toString().toStdString(), low, high);
}

}  // namespace

QVariant frmMain::Comando(const QString& word, const windows::Argumentos& args) {
    const QString w = word.toLower();
    if (w == u"abrir") {
        if (args.HasArgument()) {
            files_->Abrir(args.Text(), true);
        } else {
            files_->AbrirConDialogo();
        }
    } else if (w == u"abrirmenu") {
        abrirMenu(args.At(1));
    } else if (w == u"activar") {
        activar();
    } else if (w == u"borrarbusqueda") {
        picBarra_->Buscador()->Borrar();
    } else if (w == u"buscar") {
        buscar(args.Text());
    } else if (w == u"buscarglobal") {
        if (args.HasArgument()) {
            buscarGlobal(args.Text());
        } else if (const QString typed = picBarra_->Buscador()->TextoEscrito(); !typed.isEmpty()) {
            buscarGlobal(typed);
        } else {
            picBarra_->Buscador()->setFocus();
        }
    } else if (w == u"copiar") {
        comandoHija(QStringLiteral("Copiar"));
    } else if (w == u"cortar") {
        comandoHija(QStringLiteral("Cortar"));
    } else if (w == u"deshacer") {
        comandoHija(QStringLiteral("Deshacer"));
    } else if (w == u"guardar") {
        files_->GuardarTodo(true);
    } else if (w == u"imprimir") {
        imprimir();
    } else if (w == u"nuevaficha") {
        EjecutarSiHabilitado(MenuItem::FichaNueva);
    } else if (w == u"nuevahermana") {
        EjecutarSiHabilitado(MenuItem::FichaNuevaHermana);
    } else if (w == u"nuevocartulo") {
        if (args.HasArgument()) {
            files_->Nuevo(args.Text());
        } else {
            files_->NuevoConPregunta();
        }
    } else if (w == u"pegar") {
        comandoHija(QStringLiteral("Pegar"));
    } else {
        windows::ComandoNoReconocido(*this, QStringLiteral("frmMain"),
                                     QString::fromUtf8(kProgramTitle), word);
    }
    return {};
}

void frmMain::activar() {
    if (isMinimized()) setWindowState(estadoPrevio_ & ~Qt::WindowMinimized);
    if (!isVisible()) show();
    raise();
    activateWindow();
}

void frmMain::buscar(const QString& text) {
    refrescarMenu(Menu::Cartulo);
    if (!menus_->Action(MenuItem::CartuloBuscar)->isEnabled()) return;
    windows::ChildWindow* active = VentanaActiva();
    const std::shared_ptr<cCartulo> file = active != nullptr ? active->Cartulo() : nullptr;
    if (!file) return;
    // One search window per file: an open one only takes the focus.
    for (const Hija& hija : hijas_) {
        if (hija.kind == windows::ChildKind::Busqueda && hija.sub &&
            hija.child->Cartulo() == file) {
            activarHija(hija);
            return;
        }
    }
    if (windows::ChildWindow* window = NuevaVentanaBusqueda(*this, file, text))
        AnadeVentana(*window);
}

// A pop-up of its own under the command bar's search field; it deletes
// itself when it closes, and a new search makes a new one.
void frmMain::buscarGlobal(const QString& text) {
    auto* popup = new windows::frmBusquedaGlobal(
        *this, registry_,
        [this](int key, Qt::KeyboardModifiers modifiers) {
            if (!FindShortcut(key, modifiers)) return false;
            // Run once the pop-up's key handler has returned: a shortcut may
            // open a new pop-up, whose search lets this one be deleted.
            QMetaObject::invokeMethod(
                this, [this, key, modifiers] { KeyDown(key, modifiers); }, Qt::QueuedConnection);
            return true;
        },
        this);
    const QWidget* field = picBarra_->Buscador();
    const int width = std::max(field->width(), qRound(320 * scale_));
    popup->resize(width, qRound(360 * scale_));
    popup->move(field->mapToGlobal(QPoint(0, field->height())));
    popup->Mostrar(text);
}

void frmMain::abrirMenu(const QVariant& number) {
    if (const auto n = numberIn(number, 0, kLastMenuNumber)) picBarra_->AbrirMenu(*n);
}

void frmMain::enfocarHijaActiva() {
    if (QMdiSubWindow* sub = mdiArea_->currentSubWindow()) {
        if (sub->widget() != nullptr) sub->widget()->setFocus();
    }
}

// --- keyboard ---

bool frmMain::KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const std::optional<Shortcut> shortcut = FindShortcut(key, modifiers);
    if (!shortcut) return false;
    switch (shortcut->kind) {
        case Shortcut::Kind::Item:
            EjecutarSiHabilitado(shortcut->item);
            break;
        case Shortcut::Kind::DeferredCommand:
            if (shortcut->onlyWhenItem) {
                refrescarMenu(InfoOf(*shortcut->onlyWhenItem).menu);
                if (!menus_->Action(*shortcut->onlyWhenItem)->isEnabled()) break;
            }
            ComandoEspera(shortcut->word, shortcut->argument
                                              ? windows::Argumentos(QVariant(*shortcut->argument))
                                              : windows::Argumentos());
            break;
        case Shortcut::Kind::ToggleMenuBar:
            menuBar()->setHidden(!menuBar()->isHidden());
            break;
    }
    return true;
}

bool frmMain::esDestinoDeTeclas(QObject* watched) const {
    // Keys of this window and its child windows only: not those of a
    // dialog, nor those a menu that is open is taking.
    if (!watched->isWidgetType()) return false;
    if (QApplication::activePopupWidget() != nullptr) return false;
    return static_cast<QWidget*>(watched)->window() == this;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize && watched == mdiArea_->viewport()) {
        colocarVistaPrevia();
        reacoplar();
        return false;
    }
    if (type == QEvent::KeyRelease) {
        menuBarKey_ = nullptr;
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    if (!esDestinoDeTeclas(watched)) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<Shortcut> shortcut = FindShortcut(key->key(), key->modifiers());
    if (!shortcut) return false;
    if (type == QEvent::ShortcutOverride) {
        // Ours wins over any other binding: the key comes as a key press.
        event->accept();
        return true;
    }
    const bool menuBarKey = shortcut->kind == Shortcut::Kind::ToggleMenuBar;
    // A key not consumed travels on to the parents of its widget: it is
    // handled only the first time it passes.
    if (menuBarKey && menuBarKey_ == event) return false;
    KeyDown(key->key(), key->modifiers());
    if (!menuBarKey) return true;
    const bool consumed = menuBar()->isHidden();
    menuBarKey_ = consumed ? nullptr : event;
    return consumed;
}

}  // namespace cartulo::shell
