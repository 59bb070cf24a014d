// The card and index windows as the main window makes and drives them: the
// few operations it needs beyond the child-window protocol.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "engine/cartulo.h"
#include "windows/child_window.h"
#include "windows/main_services.h"

class QWidget;

namespace cartulo::shell {

// A new card window showing card `id` of `file`, not yet in the MDI area;
// its widget is owned by whoever takes it (the MDI area). Null when no
// window can be made.
windows::ChildWindow* NuevaVentanaFicha(windows::MainServices& main,
                                        const std::shared_ptr<cCartulo>& file, CardId id);
// A new index window of `file`, as above.
windows::ChildWindow* NuevaVentanaIndice(windows::MainServices& main,
                                         const std::shared_ptr<cCartulo>& file);

// A new search window of `file`, as above; a non-empty `query` runs at once
// with the term boxes hidden.
windows::ChildWindow* NuevaVentanaBusqueda(windows::MainServices& main,
                                           const std::shared_ptr<cCartulo>& file,
                                           const QString& query);

// The card a card window shows; nothing for other windows.
std::optional<CardId> FichaDe(windows::ChildWindow& window);
// A card window's "&Editar entrada".
void EditarEntrada(windows::ChildWindow& window);
// Commits the entry a card window is editing; false when it was refused.
// True for other windows and when nothing is being edited.
bool TerminarEdicionEntrada(windows::ChildWindow& window);
// Refreshes the caption after the file's title changed.
void ActualizarTitulo(windows::ChildWindow& window);

}  // namespace cartulo::shell
