#include "shell/child_windows.h"

#include "shell/index_paint_notice.h"
#include "windows/frm_busqueda.h"
#include "windows/frm_ficha.h"
#include "windows/frm_indice.h"

namespace cartulo::shell {

namespace {
windows::frmFicha* asCard(windows::ChildWindow& window) {
    return dynamic_cast<windows::frmFicha*>(&window);
}
}  // namespace

windows::ChildWindow* NuevaVentanaFicha(windows::MainServices& main,
                                        const std::shared_ptr<cCartulo>& file, CardId id) {
    auto* window = new windows::frmFicha(main);
    window->Mostrar(file, id);
    return window;
}

windows::ChildWindow* NuevaVentanaIndice(windows::MainServices& main,
                                         const std::shared_ptr<cCartulo>& file) {
    auto* window = new windows::frmIndice(main);
    window->SetCartulo(file);
    AvisarAlPintarIndice(*window->lstIndice());
    return window;
}

windows::ChildWindow* NuevaVentanaBusqueda(windows::MainServices& main,
                                           const std::shared_ptr<cCartulo>& file,
                                           const QString& query) {
    auto* window = new windows::frmBusqueda(main);
    // The query first, so the file is searched only once.
    if (!query.isEmpty()) window->Buscar(query);
    window->SetCartulo(file);
    return window;
}

std::optional<CardId> FichaDe(windows::ChildWindow& window) {
    if (windows::frmFicha* card = asCard(window)) return card->ID();
    return std::nullopt;
}

void EditarEntrada(windows::ChildWindow& window) {
    if (windows::frmFicha* card = asCard(window)) card->EditarEntrada();
}

bool TerminarEdicionEntrada(windows::ChildWindow& window) {
    windows::frmFicha* card = asCard(window);
    return card == nullptr || card->TerminarEdicionEntrada();
}

void ActualizarTitulo(windows::ChildWindow& window) {
    if (windows::frmFicha* card = asCard(window)) {
        card->ActualizarTitulo();
    } else if (auto* index = dynamic_cast<windows::frmIndice*>(&window)) {
        index->ActualizarTitulo();
    } else if (auto* search = dynamic_cast<windows::frmBusqueda*>(&window)) {
        search->ActualizarTitulo();
    }
}

}  // namespace cartulo::shell
