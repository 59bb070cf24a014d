#include "shell/menu_items.h"

#include <array>

namespace cartulo::shell {

namespace {

constexpr std::array kItems = {
    MenuItemInfo{MenuItem::ArchivoNuevo, Menu::Archivo, "&Nuevo...", "", false, false},
    MenuItemInfo{MenuItem::ArchivoAbrir, Menu::Archivo, "&Abrir...", "Ctrl+A", false, false},
    MenuItemInfo{MenuItem::ArchivoGuardarComo, Menu::Archivo, "Guardar &como...", "", false, true},
    MenuItemInfo{MenuItem::ArchivoGuardarTodo, Menu::Archivo, "&Guardar todo", "Ctrl+G", false,
                 false},
    MenuItemInfo{MenuItem::ArchivoCerrar, Menu::Archivo, "&Cerrar", "", false, true},
    MenuItemInfo{MenuItem::ArchivoInformacion, Menu::Archivo, "&Propiedades...", "", false, false},
    MenuItemInfo{MenuItem::ArchivoCompararCartulos, Menu::Archivo, "Comparar cartulos", "", false,
                 false},
    MenuItemInfo{MenuItem::ArchivoOpciones, Menu::Archivo, "&Opciones", "", false, true},
    MenuItemInfo{MenuItem::ArchivoEjecutarComando, Menu::Archivo, "Ejecutar comando...", "", true,
                 false},
    MenuItemInfo{MenuItem::ArchivoSalir, Menu::Archivo, "&Salir", "", false, true},

    MenuItemInfo{MenuItem::EdicionDeshacer, Menu::Edicion, "&Deshacer", "Ctrl+Z", false, false},
    MenuItemInfo{MenuItem::EdicionCortar, Menu::Edicion, "&Cortar", "Ctrl+X", false, true},
    MenuItemInfo{MenuItem::EdicionCopiar, Menu::Edicion, "C&opiar", "Ctrl+C", false, false},
    MenuItemInfo{MenuItem::EdicionPegar, Menu::Edicion, "&Pegar", "Ctrl+V", false, false},
    MenuItemInfo{MenuItem::EdicionEliminar, Menu::Edicion, "&Eliminar", "Supr", false, false},
    MenuItemInfo{MenuItem::EdicionCortarLinea, Menu::Edicion, "Cortar &línea", "Ctrl+Y", false,
                 false},
    MenuItemInfo{MenuItem::EdicionBuscarTexto, Menu::Edicion, "&Buscar texto", "Ctrl+T", false,
                 true},
    MenuItemInfo{MenuItem::EdicionSeleccionarTodo, Menu::Edicion, "Seleccionar &todo", "Ctrl+E",
                 false, false},
    MenuItemInfo{MenuItem::EdicionIdentar, Menu::Edicion, "&Identar", "Ctrl+L", false, true},
    MenuItemInfo{MenuItem::EdicionDesidentar, Menu::Edicion, "De&sidentar", "Ctrl+N", false, false},
    MenuItemInfo{MenuItem::EdicionInsertarFechaHora, Menu::Edicion, "Insertar fecha y hora", "",
                 false, true},
    MenuItemInfo{MenuItem::EdicionInsertarAbre, Menu::Edicion, "Insertar «", "Ctrl+I", false,
                 false},
    MenuItemInfo{MenuItem::EdicionInsertarCierra, Menu::Edicion, "Insertar »", "Ctrl+O", false,
                 false},
    MenuItemInfo{MenuItem::EdicionMostrarPortapapeles, Menu::Edicion, "&Mostrar portapapeles",
                 "Ctrl+P", false, true},

    MenuItemInfo{MenuItem::FichaNueva, Menu::Ficha, "&Nueva ficha", "F7", false, false},
    MenuItemInfo{MenuItem::FichaNuevaHermana, Menu::Ficha, "Nueva &hermana", "Mayús+F7", false,
                 false},
    MenuItemInfo{MenuItem::FichaBorrar, Menu::Ficha, "&Borrar ficha...", "", false, false},
    MenuItemInfo{MenuItem::FichaEntrada, Menu::Ficha, "&Editar entrada", "F2", false, true},
    MenuItemInfo{MenuItem::FichaHipertexto, Menu::Ficha, "&Hipertexto", "F8", false, false},
    MenuItemInfo{MenuItem::FichaEnlaces, Menu::Ficha, "En&laces a esta ficha", "F9", false, true},

    MenuItemInfo{MenuItem::CartuloPrincipal, Menu::Cartulo, "Ficha &principal", "", false, false},
    MenuItemInfo{MenuItem::CartuloMaestra, Menu::Cartulo, "Ficha &maestra", "", false, false},
    MenuItemInfo{MenuItem::CartuloIndice, Menu::Cartulo, "Índ&ice", "F6", false, true},
    MenuItemInfo{MenuItem::CartuloBuscar, Menu::Cartulo, "&Buscar...", "Ctrl+B", false, false},
    MenuItemInfo{MenuItem::CartuloBuscarGlobal, Menu::Cartulo, "B&úsqueda global", "F3", false,
                 false},
    MenuItemInfo{MenuItem::CartuloExportarSitio, Menu::Cartulo, "&Exportar como sitio web...", "",
                 false, true},

    MenuItemInfo{MenuItem::VentanaListaVentanas, Menu::Ventana, "&Lista de ventanas", "F12", false,
                 false},
    MenuItemInfo{MenuItem::VentanaCerrar, Menu::Ventana, "&Cerrar", "Ctrl+W", false, true},
    MenuItemInfo{MenuItem::VentanaCerrarFichas, Menu::Ventana, "Cerrar &fichas", "Mayús+F4", false,
                 false},
    MenuItemInfo{MenuItem::VentanaOrdenar, Menu::Ventana, "&Ordenar ventanas", "Mayús+F12", false,
                 true},
    MenuItemInfo{MenuItem::Ventana800x600, Menu::Ventana, "Poner a &800x600", "", true, true},
    MenuItemInfo{MenuItem::Ventana1024x600, Menu::Ventana, "Poner a 1024x&600", "", true, false},
    MenuItemInfo{MenuItem::Ventana1024x768, Menu::Ventana, "Poner a &1024x768", "", true, false},
    MenuItemInfo{MenuItem::VentanaPantallaCompleta, Menu::Ventana, "&Pantalla completa", "F11",
                 false, true},
    MenuItemInfo{MenuItem::VentanaVistaPrevia, Menu::Ventana, "Vista previa", "F5", false, false},
    MenuItemInfo{MenuItem::VentanaListaCartulos, Menu::Ventana, "Lista de cartulos", "Mayús+F6",
                 false, false},

    MenuItemInfo{MenuItem::AyudaAcercaDe, Menu::Ayuda, "&Acerca de Cartulo", "F1", false, false},
};

}  // namespace

std::span<const MenuItemInfo> MenuItems() {
    return kItems;
}

const MenuItemInfo& InfoOf(MenuItem item) {
    for (const MenuItemInfo& info : kItems) {
        if (info.item == item) return info;
    }
    return kItems.front();  // unreachable: every item is in the table
}

QString MenuCaption(Menu menu) {
    switch (menu) {
        case Menu::Archivo:
            return QStringLiteral("&Archivo");
        case Menu::Edicion:
            return QStringLiteral("&Edición");
        case Menu::Ficha:
            return QStringLiteral("&Ficha");
        case Menu::Cartulo:
            return QStringLiteral("C&artulo");
        case Menu::Ventana:
            return QStringLiteral("&Ventana");
        case Menu::Ayuda:
            return QStringLiteral("Ay&uda");
    }
    return {};
}

QString MenuObjectName(Menu menu) {
    switch (menu) {
        case Menu::Archivo:
            return QStringLiteral("mnuArchivo");
        case Menu::Edicion:
            return QStringLiteral("mnuEdicion");
        case Menu::Ficha:
            return QStringLiteral("mnuFicha");
        case Menu::Cartulo:
            return QStringLiteral("mnuCartulo");
        case Menu::Ventana:
            return QStringLiteral("mnuVentana");
        case Menu::Ayuda:
            return QStringLiteral("mnuAyuda");
    }
    return {};
}

QString ItemCaption(MenuItem item) {
    return QString::fromUtf8(InfoOf(item).caption);
}

}  // namespace cartulo::shell
