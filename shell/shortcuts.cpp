#include "shell/shortcuts.h"

#include <vector>

namespace cartulo::shell {

namespace {

enum Mods : int { kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

struct Row {
    int key;
    int mods;
    Shortcut shortcut;
};

Shortcut item(MenuItem i) {
    return Shortcut{Shortcut::Kind::Item, i, {}, {}, {}};
}
Shortcut deferred(const char* word, std::optional<int> argument = {},
                  std::optional<MenuItem> onlyWhen = {}) {
    return Shortcut{Shortcut::Kind::DeferredCommand, MenuItem::AyudaAcercaDe,
                    QString::fromLatin1(word), argument, onlyWhen};
}

const std::vector<Row>& table() {
    static const std::vector<Row> rows = {
        Row{Qt::Key_F1, kNone, item(MenuItem::AyudaAcercaDe)},
        Row{Qt::Key_F2, kNone, item(MenuItem::FichaEntrada)},
        Row{Qt::Key_F3, kNone, item(MenuItem::CartuloBuscarGlobal)},
        Row{Qt::Key_F4, kShift, item(MenuItem::VentanaCerrarFichas)},
        Row{Qt::Key_F5, kNone, item(MenuItem::VentanaVistaPrevia)},
        Row{Qt::Key_F6, kNone, item(MenuItem::CartuloIndice)},
        Row{Qt::Key_F6, kShift, item(MenuItem::VentanaListaCartulos)},
        Row{Qt::Key_F7, kNone, item(MenuItem::FichaNueva)},
        Row{Qt::Key_F7, kShift, item(MenuItem::FichaNuevaHermana)},
        Row{Qt::Key_F8, kNone, item(MenuItem::FichaHipertexto)},
        Row{Qt::Key_F9, kNone, item(MenuItem::FichaEnlaces)},
        Row{Qt::Key_F10, kNone, Shortcut{Shortcut::Kind::ToggleMenuBar, {}, {}, {}, {}}},
        Row{Qt::Key_F11, kNone, item(MenuItem::VentanaPantallaCompleta)},
        Row{Qt::Key_F12, kNone, item(MenuItem::VentanaListaVentanas)},
        Row{Qt::Key_F12, kShift, item(MenuItem::VentanaOrdenar)},
        Row{Qt::Key_A, kCtrl, deferred("Abrir")},
        Row{Qt::Key_B, kCtrl, item(MenuItem::CartuloBuscar)},
        Row{Qt::Key_E, kCtrl, item(MenuItem::EdicionSeleccionarTodo)},
        Row{Qt::Key_G, kCtrl, deferred("Guardar", {}, MenuItem::ArchivoGuardarTodo)},
        Row{Qt::Key_I, kCtrl, item(MenuItem::EdicionInsertarAbre)},
        Row{Qt::Key_O, kCtrl, item(MenuItem::EdicionInsertarCierra)},
        Row{Qt::Key_P, kCtrl, item(MenuItem::EdicionMostrarPortapapeles)},
        Row{Qt::Key_L, kCtrl, item(MenuItem::EdicionIdentar)},
        Row{Qt::Key_N, kCtrl, item(MenuItem::EdicionDesidentar)},
        Row{Qt::Key_T, kCtrl, item(MenuItem::EdicionBuscarTexto)},
        Row{Qt::Key_W, kCtrl, item(MenuItem::VentanaCerrar)},
        Row{Qt::Key_Y, kCtrl, item(MenuItem::EdicionCortarLinea)},
        Row{Qt::Key_A, kAlt, deferred("AbrirMenu", 0)},
        Row{Qt::Key_O, kAlt, deferred("AbrirMenu", 0)},
        Row{Qt::Key_E, kAlt, deferred("AbrirMenu", 1)},
        Row{Qt::Key_F, kAlt, deferred("AbrirMenu", 2)},
        Row{Qt::Key_G, kAlt, deferred("AbrirMenu", 3)},
        Row{Qt::Key_N, kAlt, deferred("AbrirMenu", 4)},
        Row{Qt::Key_V, kAlt, deferred("AbrirMenu", 4)},
    };
    return rows;
}

int modsOf(Qt::KeyboardModifiers modifiers) {
    int m = kNone;
    if (modifiers & Qt::ShiftModifier) m |= kShift;
    if (modifiers & Qt::ControlModifier) m |= kCtrl;
    if (modifiers & Qt::AltModifier) m |= kAlt;
    if (modifiers & Qt::MetaModifier) m |= 8;  // matches no row
    return m;
}

}  // namespace

std::optional<Shortcut> FindShortcut(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_unknown) return std::nullopt;
    const int mods = modsOf(modifiers);
    for (const Row& row : table()) {
        if (row.key == key && row.mods == mods) return row.shortcut;
    }
    return std::nullopt;
}

}  // namespace cartulo::shell
