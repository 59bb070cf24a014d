// The toolbar's and command bar's pictures, drawn by the program so they
// look the same on every desktop, whatever icon theme it has (or none).
#pragma once

#include <QIcon>

namespace cartulo::shell {

// The toolbar pictures by their number: 1 new card file, 2 open, 3 save,
// 4 copy, 5 cut, 6 paste, 7 undo, 8 search, 9 new card, 10 new sister,
// 11 print. Other numbers give an empty icon.
QIcon IconoHerramienta(int image);
QIcon IconoBuscar();
// The arrows of a menu or tool bar too narrow for its items.
QIcon IconoExtension(bool vertical);
// The buttons of a window's menu.
enum class BotonVentana { Minimizar, Maximizar, Restaurar, Cerrar };
QIcon IconoVentana(BotonVentana button);

}  // namespace cartulo::shell
