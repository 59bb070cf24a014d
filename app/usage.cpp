#include "app/usage.h"

namespace cartulo {

std::string_view UsageText() {
    return R"(Uso: cartulo [-debug] [FICHERO]

Cartulo guarda notas en ficheros de fichas (.ctu). Abre FICHERO en su ventana
principal, después de los ficheros que sus opciones abren al empezar.

Cada usuario tiene un solo Cartulo en marcha. Si ya hay uno, este le entrega
FICHERO (con su ruta absoluta), lo trae al frente y termina. Solo se abre el
primer FICHERO de la línea de órdenes: un gestor de archivos arranca un
cartulo por fichero, y cada uno se entrega así al que está en marcha.

Opciones:
  -debug     modo de depuración: los menús muestran «Ejecutar comando...» y los
             tamaños de ventana, se avisa de las órdenes desconocidas y no se
             guarda automáticamente
  --help     muestra esta ayuda y termina
  --version  muestra la versión y termina

Entorno:
  XDG_CONFIG_HOME  carpeta de las opciones, Vardane/Cartulo/Cartulo.ini dentro
                   de ella (~/.config si no está definida, está vacía o no es
                   una ruta absoluta)
  XDG_STATE_HOME   carpeta de las copias de recuperación de los cartulos con
                   cambios sin guardar, Vardane/Cartulo/recuperacion dentro de
                   ella (~/.local/state con la misma regla)
  XDG_RUNTIME_DIR  carpeta del canal de órdenes por el que se entregan los
                   ficheros y por el que "ctu send" envía órdenes

Los ficheros de ejemplo se instalan en share/cartulo/examples, dentro del prefijo
de instalación (/usr/share/cartulo/examples en el paquete Debian).
)";
}

std::optional<std::string> InformativeAnswer(int argc, const char* const* argv,
                                             std::string_view version) {
    if (argc != 2) return std::nullopt;
    const std::string_view argument = argv[1];
    if (argument == "--help") return std::string(UsageText());
    if (argument == "--version") return "cartulo " + std::string(version) + '\n';
    return std::nullopt;
}

}  // namespace cartulo
