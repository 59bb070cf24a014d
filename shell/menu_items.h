// The items of the main window's menus: one identifier each, with the
// caption, the menu it belongs to, and whether it is shown only with the
// "debug" switch. Widgets are built from this table (main_menus.h).
#pragma once

#include <QString>
#include <span>

namespace cartulo::shell {

enum class Menu { Archivo, Edicion, Ficha, Cartulo, Ventana, Ayuda };

enum class MenuItem {
    // Archivo
    ArchivoNuevo,
    ArchivoAbrir,
    ArchivoGuardarComo,
    ArchivoGuardarTodo,
    ArchivoCerrar,
    ArchivoInformacion,
    ArchivoCompararCartulos,
    ArchivoOpciones,
    ArchivoEjecutarComando,
    ArchivoSalir,
    // Edición
    EdicionDeshacer,
    EdicionCortar,
    EdicionCopiar,
    EdicionPegar,
    EdicionEliminar,
    EdicionCortarLinea,
    EdicionBuscarTexto,
    EdicionSeleccionarTodo,
    EdicionIdentar,
    EdicionDesidentar,
    EdicionInsertarFechaHora,
    EdicionInsertarAbre,
    EdicionInsertarCierra,
    EdicionMostrarPortapapeles,
    // Ficha
    FichaNueva,
    FichaNuevaHermana,
    FichaBorrar,
    FichaEntrada,
    FichaHipertexto,
    FichaEnlaces,
    // Cartulo
    CartuloPrincipal,
    CartuloMaestra,
    CartuloIndice,
    CartuloBuscar,
    CartuloBuscarGlobal,
    CartuloExportarSitio,
    // Ventana
    VentanaListaVentanas,
    VentanaCerrar,
    VentanaCerrarFichas,
    VentanaOrdenar,
    Ventana800x600,
    Ventana1024x600,
    Ventana1024x768,
    VentanaPantallaCompleta,
    VentanaVistaPrevia,
    VentanaListaCartulos,
    // Ayuda
    AyudaAcercaDe,
};

struct MenuItemInfo {
    MenuItem item;
    Menu menu;
    const char* caption;   // UTF-8, with the "&" of its access key
    const char* shortcut;  // shown beside the caption; the keys are handled by shortcuts.h
    bool debugOnly;
    bool separatorBefore;
};

// Every item in menu order.
std::span<const MenuItemInfo> MenuItems();
const MenuItemInfo& InfoOf(MenuItem item);

// The menu's caption, with its access key: "&Archivo", "&Edición", ...
QString MenuCaption(Menu menu);
// The menu's control name: "mnuArchivo", "mnuEdicion", ...
QString MenuObjectName(Menu menu);
QString ItemCaption(MenuItem item);

}  // namespace cartulo::shell
