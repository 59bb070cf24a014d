#include "shell/program_style.h"

#include "shell/drawn_icons.h"

namespace cartulo::shell {

QIcon EstiloPrograma::standardIcon(StandardPixmap which, const QStyleOption* option,
                                   const QWidget* widget) const {
    switch (which) {
        case SP_ToolBarHorizontalExtensionButton:
            return IconoExtension(false);
        case SP_ToolBarVerticalExtensionButton:
            return IconoExtension(true);
        case SP_TitleBarMinButton:
            return IconoVentana(BotonVentana::Minimizar);
        case SP_TitleBarMaxButton:
            return IconoVentana(BotonVentana::Maximizar);
        case SP_TitleBarNormalButton:
            return IconoVentana(BotonVentana::Restaurar);
        case SP_TitleBarCloseButton:
            return IconoVentana(BotonVentana::Cerrar);
        case SP_TitleBarMenuButton:
            // A card window's menu button: the program's icon, as its title shows.
            return IconoHerramienta(9);
        default:
            return QProxyStyle::standardIcon(which, option, widget);
    }
}

}  // namespace cartulo::shell
