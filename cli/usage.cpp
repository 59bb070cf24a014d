#include "cli/usage.h"

namespace ctu {

std::string_view usageText() {
    return R"(Uso:
  ctu info FICHERO [--json]            título y número de fichas
  ctu list FICHERO [--json]            todas las fichas, en el orden de la lista
  ctu show FICHERO ENTRADA [--json]    el texto de una ficha (con --json, también
                                       su identificador y sus hermanas)
  ctu new FICHERO [--title TÍTULO]     crea un fichero de fichas
  ctu add FICHERO ENTRADA [--text TEXTO | --text-file F]
                                       añade una ficha (sin texto, recibe el de la
                                       ficha maestra)
  ctu alias FICHERO ENTRADA NUEVA      una hermana de ENTRADA llamada NUEVA
  ctu rename FICHERO ENTRADA NUEVA     cambia la entrada de una ficha
  ctu set FICHERO ENTRADA (--text TEXTO | --text-file F)
                                       cambia el texto de una ficha
  ctu delete FICHERO ENTRADA           borra una ficha

La ficha principal se nombra con "" o con " <Ficha principal>".
Con --text-file, F puede ser "-" (la entrada estándar).
Tras "--" ningún argumento se toma por opción (para entradas que empiezan por "-").

Códigos de salida: 0 bien; 1 uso incorrecto; 2 no se puede leer o escribir un
fichero; 3 no existe la ficha; 4 operación rechazada.
)";
}

}  // namespace ctu
