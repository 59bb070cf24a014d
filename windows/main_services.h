// The main window's services that child windows call. The shell implements
// this; windows depend only on the interface, never on the shell.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QVariant>
#include <memory>

#include "engine/cartulo.h"
#include "windows/argumentos.h"

class QWidget;

namespace cartulo {
class LinkTable;
}

namespace cartulo::support {
class UserDialogs;
}

namespace cartulo::windows {

class ChildWindow;
class SpellService;

class MainServices {
  public:
    virtual ~MainServices() = default;

    // Shows the card in its window: reuses the open one (which is given the
    // focus and told "Maximizar") or opens a new one. Returns that window,
    // or null when none could open.
    virtual ChildWindow* MuestraFicha(const std::shared_ptr<cCartulo>& file, CardId id) = 0;
    virtual void MuestraIndice(const std::shared_ptr<cCartulo>& file) = 0;
    // A card window became active (the preview follows it).
    virtual void FichaActivada(const std::shared_ptr<cCartulo>& file, CardId id) = 0;
    // A child window is closing.
    virtual void VentanaCerrada(ChildWindow& window) = 0;
    // The links between the cards of `file`: one table per open file, built
    // on the first call and kept up to date while the file is open. Null
    // when the main window keeps none.
    virtual std::shared_ptr<LinkTable> Enlaces(const std::shared_ptr<cCartulo>& /*file*/) {
        return nullptr;
    }

    // The main window's own command dispatch, now or after the current event.
    virtual QVariant Comando(const QString& word, const Argumentos& args = {}) = 0;
    virtual void ComandoEspera(const QString& word, const Argumentos& args = {}) = 0;

    // Where the next card window goes, in pixels of the MDI area, for a
    // window of the given outer size (cascade rule); advances the cascade.
    virtual QPoint PosicionCascada(const QSize& windowSize) = 0;
    // The inner size of the area that holds the child windows.
    virtual QSize AreaCliente() const = 0;
    // The right edge, in pixels of the MDI area, that windows docked at the
    // right stand against: the client width, or left of the docked preview.
    virtual int BordeAcoplado() const { return AreaCliente().width(); }

    // Command bar: elements are marked with the kind of window that owns
    // them; the main window's own are marked "frmMain".
    virtual void BarraAnadeComando(const QString& owner, int panel, const QString& caption,
                                   const QString& word) = 0;
    // An element that opens the menu named `menuName` (a menu's object
    // name, or the caption of one of the main window's menus).
    virtual void BarraAnadeMenu(const QString& /*owner*/, int /*panel*/, const QString& /*caption*/,
                                const QString& /*menuName*/) {}
    // The inner area of a panel, where a window may put widgets of its own;
    // null when there is no such panel.
    virtual QWidget* BarraObtienePanelCliente(int /*panel*/) { return nullptr; }
    virtual void BarraQuitarElementos(const QString& owner) = 0;
    // Removes every element not marked "frmMain".
    virtual void BarraLimpiar() = 0;

    // A short notice in the status bar (cleared by the next one).
    virtual void MensajeEstado(const QString& text) = 0;
    virtual support::UserDialogs& Dialogos() = 0;
    // The "debug" switch was given.
    virtual bool Depuracion() const = 0;
    virtual float EscalaPantalla() const = 0;
    // The spelling dictionary the card windows share; null checks nothing.
    virtual SpellService* Ortografia() { return nullptr; }
    // Whether card windows colour their markup ("Colorear las marcas").
    virtual bool ColorearMarcas() const { return true; }
};

// The message for a word outside a window's vocabulary, shown only in debug
// mode: "Comando no reconocido: " + window name + "." + word + " .".
void ComandoNoReconocido(MainServices& services, const QString& windowName, const QString& caption,
                         const QString& word);

}  // namespace cartulo::windows
