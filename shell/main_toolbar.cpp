#include "shell/main_toolbar.h"

#include <QAction>
#include <QToolBar>
#include <array>

#include "shell/drawn_icons.h"

namespace cartulo::shell {

namespace {

constexpr std::array kButtons = {
    ToolButtonInfo{"NuevoCartulo", "Nuevo cartulo", 1, true},
    ToolButtonInfo{"Abrir", "Abrir", 2, false},
    ToolButtonInfo{"Guardar", "Guardar", 3, false},
    ToolButtonInfo{"Imprimir", "Imprimir", 11, false},
    ToolButtonInfo{"Copiar", "Copiar", 4, true},
    ToolButtonInfo{"Cortar", "Cortar", 5, false},
    ToolButtonInfo{"Pegar", "Pegar", 6, false},
    ToolButtonInfo{"Deshacer", "Deshacer", 7, false},
    ToolButtonInfo{"Buscar", "Buscar", 8, true},
    ToolButtonInfo{"NuevaFicha", "Nueva ficha", 9, true},
    ToolButtonInfo{"NuevaHermana", "Nueva hermana", 10, false},
};

}  // namespace

std::span<const ToolButtonInfo> ToolButtons() {
    return kButtons;
}

void LlenarBarraHerramientas(QToolBar& toolbar, std::function<void(const QString&)> onClick) {
    toolbar.clear();
    for (const ToolButtonInfo& info : kButtons) {
        if (info.separatorBefore && !toolbar.actions().isEmpty()) toolbar.addSeparator();
        const QString key = QString::fromLatin1(info.key);
        QAction* action =
            toolbar.addAction(IconoHerramienta(info.image), QString::fromUtf8(info.text));
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf8(info.text));
        action->setStatusTip(QString::fromUtf8(info.text));
        QObject::connect(action, &QAction::triggered, &toolbar, [onClick, key] { onClick(key); });
    }
}

}  // namespace cartulo::shell
