// What the main window knows of its child windows (card, index, search
// windows and the list of open card files): they take commands, place
// themselves, set up the command bar when activated and name their file.
#pragma once

#include <QString>
#include <QVariant>
#include <memory>

#include "engine/cartulo.h"
#include "windows/argumentos.h"

class QWidget;

namespace cartulo::windows {

enum class ChildKind { Ficha, Indice, Busqueda, ListaCartulos, Otra };

class ChildWindow {
  public:
    virtual ~ChildWindow() = default;

    // Runs one command; the word is compared ignoring case. The result is
    // null unless the command sets one. Unknown words do nothing.
    virtual QVariant Comando(const QString& word, const Argumentos& args = {}) = 0;
    virtual void Colocar() = 0;
    // The edge docked windows stand against moved (the preview opened or
    // closed, the area was resized): a window still where Colocar put it
    // docks again; one the user moved stays.
    virtual void Reacoplar() {}
    // Called when the window becomes the active one.
    virtual void CrearBotones() = 0;
    // The window's card file; null for windows that have none.
    virtual std::shared_ptr<cCartulo> Cartulo() const = 0;
    virtual ChildKind Kind() const = 0;
    // The widget the main window puts in its MDI area.
    virtual QWidget* Widget() = 0;
};

}  // namespace cartulo::windows
