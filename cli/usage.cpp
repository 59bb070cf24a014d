#include "cli/usage.h"

namespace ctu {

std::string_view usageText() {
    return R"(Uso:
  ctu info FICHERO [--json]            título, ruta, etiqueta, fichas, hermanas,
                                       tamaño estimado, capacidad usada y versión
  ctu list FICHERO [--json]            todas las fichas, en el orden de la lista
  ctu show FICHERO ENTRADA [--json]    el texto de una ficha (con --json, también
                                       su identificador y sus hermanas)
  ctu search FICHERO CONSULTA [--json]
                                       las fichas que cumplen la consulta, en el
                                       orden de la lista
  ctu search --global CONSULTA FICHERO... [--json]
                                       la búsqueda global: las fichas de cada
                                       fichero cuyo texto o entrada tiene la
                                       palabra (una consulta con "," o ":" va tal
                                       cual), agrupadas por fichero
  ctu links FICHERO ENTRADA [--json]   los enlaces de una ficha, en orden, cada
                                       uno con la ficha a la que lleva, o con
                                       (no existe)
  ctu backlinks FICHERO ENTRADA [--json]
                                       las fichas que enlazan con una ficha
  ctu lint FICHERO [--json] [--orphans] [--strict]
                                       los errores de marcado y los enlaces rotos
                                       (con su posición en el texto, desde 1) de
                                       cada ficha, una línea "entrada: error" por
                                       error (con --json, solo las fichas con
                                       alguno); con --orphans, también las fichas
                                       con las que ninguna otra enlaza (salvo la
                                       principal); con --strict, termina con 5 si
                                       hay errores de marcado o enlaces rotos
  ctu new FICHERO [--title TÍTULO]     crea un fichero de fichas
  ctu add FICHERO ENTRADA [--text TEXTO | --text-file F]
                                       añade una ficha (sin texto, recibe el de la
                                       ficha maestra)
  ctu alias FICHERO ENTRADA NUEVA      una hermana de ENTRADA llamada NUEVA
  ctu rename FICHERO ENTRADA NUEVA     cambia la entrada de una ficha
  ctu set FICHERO ENTRADA (--text TEXTO | --text-file F)
                                       cambia el texto de una ficha
  ctu delete FICHERO ENTRADA           borra una ficha
  ctu render FICHERO ENTRADA --out PNG [--width PÍXELES]
                                       pinta una ficha en una imagen PNG del ancho
                                       dado (800 por defecto) y tan alta como su
                                       texto; las imágenes que nombra se buscan en
                                       la carpeta del fichero
  ctu formula FÓRMULA (--out PNG | --check)
                                       compone una fórmula en una imagen PNG
                                       ajustada, o solo comprueba si es correcta
  ctu draw GUION (--out PNG | --check) [--width PÍXELES --height PÍXELES]
                                       pinta un guion de dibujo en una imagen PNG
                                       blanca (200 x 200 por defecto); con --check
                                       solo lo ejecuta y dice su error, sin escribir
  ctu send ORDEN                       envía una orden al cartulo en marcha

La ficha principal se nombra con "" o con " <Ficha principal>".
Con --text-file, F puede ser "-" (la entrada estándar).
Las opciones empiezan por "--"; un argumento con un solo "-" delante es una
entrada o una consulta (ctu search FICHERO -perro). Tras "--" ningún argumento
se toma por opción (para los que empiezan por "--").
CONSULTA usa el lenguaje de búsqueda: palabras separadas por comas (casa,perro),
-palabra, ntry:palabra, campo:palabra, t:texto literal, s:n,término1,término2 y
k:campo:palabra,... Mayúsculas y minúsculas dan igual; los acentos, no.
Un término de la consulta con un carácter que un fichero de fichas no puede
guardar no se encuentra en ninguna ficha: "→" no encuentra nada y "-→", todas.

Un enlace es «entrada» o {L:entrada,texto} en el texto de una ficha (también
en las celdas de una tabla y en los marcos); lleva a la ficha de esa entrada,
sin distinguir mayúsculas, como al pulsarlo en el programa.

Códigos de salida: 0 bien (también una búsqueda sin resultados y un lint que
encuentra errores); 1 uso incorrecto; 2 no se puede leer o escribir un fichero;
3 no existe la ficha; 4 operación rechazada; 5 lint --strict encontró errores
de marcado o enlaces rotos.
)";
}

}  // namespace ctu
