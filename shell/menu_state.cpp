#include "shell/menu_state.h"

#include "windows/child_window.h"

namespace cartulo::shell {

bool ItemEnabled(MenuItem item, const ActiveWindowInfo& s) {
    const bool edit = s.permiteEdicion;
    switch (item) {
        case MenuItem::ArchivoGuardarTodo:
            return s.openFiles > 0;
        case MenuItem::ArchivoCompararCartulos:
            return s.openFiles >= 2;
        case MenuItem::ArchivoGuardarComo:
        case MenuItem::ArchivoCerrar:
        case MenuItem::ArchivoInformacion:
            return s.hasFile;

        case MenuItem::EdicionDeshacer:
        case MenuItem::EdicionSeleccionarTodo:
        case MenuItem::EdicionInsertarFechaHora:
        case MenuItem::EdicionInsertarAbre:
        case MenuItem::EdicionInsertarCierra:
            return edit;
        case MenuItem::EdicionCortar:
        case MenuItem::EdicionCopiar:
        case MenuItem::EdicionEliminar:
            return edit && s.seleccion;
        case MenuItem::EdicionPegar:
            return edit && s.clipboardText;
        case MenuItem::EdicionCortarLinea:
        case MenuItem::EdicionIdentar:
        case MenuItem::EdicionDesidentar:
            return s.multiLine;
        case MenuItem::EdicionBuscarTexto:
            return s.permiteBusqueda;

        case MenuItem::FichaNueva:
            return s.hasFile;
        case MenuItem::FichaNuevaHermana:
        case MenuItem::FichaEntrada:
            return s.isCard && !s.isMainCard;
        case MenuItem::FichaBorrar:
        case MenuItem::FichaHipertexto:
        case MenuItem::FichaEnlaces:
            return s.isCard;

        case MenuItem::CartuloPrincipal:
        case MenuItem::CartuloMaestra:
        case MenuItem::CartuloIndice:
        case MenuItem::CartuloBuscar:
        case MenuItem::CartuloExportarSitio:
            return s.hasFile;

        default:
            return true;
    }
}

void AskEditingFacts(windows::ChildWindow* child, ActiveWindowInfo& info) {
    info.permiteEdicion = info.permiteBusqueda = info.multiLine = info.seleccion = false;
    if (child == nullptr) return;
    info.permiteEdicion = child->Comando(QStringLiteral("PermiteEdicion")).toBool();
    info.permiteBusqueda = child->Comando(QStringLiteral("PermiteBusqueda")).toBool();
    if (info.permiteEdicion) {
        info.multiLine = child->Comando(QStringLiteral("MultiLine")).toBool();
        info.seleccion = !child->Comando(QStringLiteral("Seleccion")).toString().isEmpty();
    }
}

}  // namespace cartulo::shell
