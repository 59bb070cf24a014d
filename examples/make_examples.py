#!/usr/bin/env python3
"""Writes the example card files shipped in examples/.

Run it after changing a text here; the .ctu files it makes are committed,
so building never needs Python. Card files are Windows-1252 bytes with
CR LF line ends; each record is an entry and a text with length prefixes.
"""

import pathlib
import re
import struct
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent

# Tag names the card-text markup knows, colon included where the tag takes a
# value; a typo here would show as an error in the preview.
KNOWN_TAGS = {
    "N", "N:", "C", "C:", "U", "U:", "Q", "Q:", "F", "F:", "T", "T:", "J", "J:",
    "MI:", "MP:", "MD:", "MU:", "TA:", "HD:", "SP:", "VS:", "VD:", "ID:", "IU:",
    "SY:", "@", "G:", "GI:", "GD:", "B:", "H:", "S:", "L:", "P:", "FO:", "O:",
    "FR:", "W:", "TB:", "!", "-", "\\", "/O", "/FR", "*",
}


def sister(entry):
    """The text of a card that shares the text of the card `entry`, which
    must come earlier in the file."""
    return "@@" + entry


def check_markup(entry, text):
    """Catches the mistakes that would show as markup errors."""
    rest = re.sub(r"\{\*.*?\*\}", "", text, flags=re.S)
    for tag in re.findall(r"\{([^{}]*)\}", rest):
        name = "@" if tag.startswith("@") else tag.split(":", 1)[0] + (":" if ":" in tag else "")
        if name.upper() not in KNOWN_TAGS:
            sys.exit(f"{entry!r}: unknown tag {{{tag}}}")
    bare = re.sub(r"\{[^{}]*\}", "", rest)
    if "{" in bare or "}" in bare:
        sys.exit(f"{entry!r}: a brace that closes no tag")
    depth = 0
    for ch in bare:
        depth += {"«": 1, "»": -1}.get(ch, 0)
        if depth not in (0, 1):
            sys.exit(f"{entry!r}: unbalanced guillemets")
    if depth:
        sys.exit(f"{entry!r}: unclosed guillemet")


def number_field(value, width):
    field = str(value).ljust(width)
    if len(field) > width:
        sys.exit(f"{value} does not fit a field of {width}")
    return field


def card_file(cards):
    """`cards` is a list of (entry, text) in file order, the main card (entry
    "") first. Texts use "\\n" for line ends."""
    entries = {entry.upper() for entry, _ in cards}
    if len(entries) != len(cards):
        sys.exit("two cards share an entry")
    out = [number_field(len(cards) - 1, 5), "\r\n"]
    written = set()
    for entry, text in cards:
        text = text.replace("\n", "\r\n")
        if text.startswith("@@"):
            if text[2:].upper() not in written:
                sys.exit(f"{entry!r}: sister of a card not written before it")
        else:
            check_markup(entry, text)
        if len(entry) > 99 or len(text) > 99999:
            sys.exit(f"{entry!r}: too long for the file format")
        out += [number_field(len(entry), 2), entry, number_field(len(text), 5), text, "\r\n"]
        written.add(entry.upper())
    return "".join(out).encode("cp1252")


def la(tag):
    """A tag shown literally: braces written as the host's expressions."""
    return "{@:la}" + tag + "{@:lc}"


TITLE = "{T:14}{N}%s{N}{T}\n"

# A drawing script: a house with a sun, 72 x 48 points.
CASITA = ("8 2 move 5 5 circle 'naranja' fillcolor fill "
          "4 22 move 36 2 line 68 22 line close 'rojo_o' fillcolor fill stroke "
          "10 22 move 52 24 box 'amarillo' fillcolor fill stroke "
          "30 32 move 10 14 box 'azul_o' fillcolor fill stroke")


def shown(text):
    """Markup shown literally: every tag's braces written as expressions."""
    return re.sub(r"\{([^{}]*)\}", lambda tag: la(tag.group(1)), text)


MARCO = ("{Q:azul_o}{N}Esto es un marco.{N}{Q} Tiene sus márgenes y su estilo, y dentro "
         "cabe de todo: {C}cursiva{C}, colores y hasta fórmulas: {FO:@frc[1,3]}.")
MARCO_VISTO = shown(MARCO)

TABLA = ("{TB:2,4,azul_o,1}Planeta{!}Lunas{-}Tierra{!}1{-}Marte{!}2{-}"
         "Saturno{!}146{\\}")
TABLA_VISTA = shown(TABLA)

BIENVENIDA = [
    ("", "{J:2}{T:16}{N}{Q:azul_o}Mi primer cartulo{Q}{N}{T}\n"
     "{J}¡Bienvenido a {N}Cartulo{N}! Esto es un {C}cartulo{C}: una caja de fichas "
     "guardada en un solo archivo. Estás en su {N}ficha principal{N}, la primera que se "
     "abre; su primera línea es el título del cartulo.\n"
     "Las palabras entre comillas angulares son enlaces a otras fichas. Empieza por aquí:\n"
     "{MI:24}{MP:18}· «Qué es Cartulo»\n"
     "· «Fichas y entradas»\n"
     "· «Formato del texto» y «Colores»\n"
     "· «Enlaces»\n"
     "· «Hermanas»\n"
     "· «Plantillas» y «Campos»\n"
     "· «Búsqueda»\n"
     "· «Imágenes»\n"
     "· «Fórmulas», «Dibujos», «Marcos» y «Tablas»\n"
     "{MI:10}{MP:6}Y para jugar un poco: «Canción», «Año nuevo» y «Niño».\n"
     "{Q:gris_o}{C}Todo lo que ves aquí se puede editar: este cartulo es tuyo.{C}{Q}"),

    ("Qué es Cartulo", TITLE % "Qué es Cartulo" +
     "Cartulo es un fichero de fichas para el escritorio. Cada archivo {N}.ctu{N} es un "
     "{C}cartulo{C}: se abre entero en memoria y guarda hasta 5000 fichas.\n"
     "Puedes tener varios cartulos abiertos a la vez, escribir fichas y enlazarlas entre "
     "sí, buscar en uno o en todos, y comparar dos cartulos para pasar fichas de uno a "
     "otro.\n"
     "Los cambios se guardan solos cada minuto. Al guardar, Cartulo escribe primero una "
     "copia y después la pone en lugar del archivo: si algo falla a medias, el archivo "
     "anterior sigue intacto.\n"
     "Sigue con «Fichas y entradas»."),

    ("Fichas y entradas", TITLE % "Fichas y entradas" +
     "Cada ficha tiene una {N}entrada{N}, que es su nombre, y un texto. En un cartulo no "
     "puede haber dos fichas con la misma entrada.\n"
     "Las mayúsculas no cuentan: {C}Niño{C}, {C}NIÑO{C} y {C}niño{C} son la misma "
     "entrada. Los acentos sí cuentan: {C}Nino{C} sería una ficha distinta de «Niño».\n"
     "La {N}ficha principal{N} no tiene entrada; en el índice aparece como "
     "<Ficha principal>, siempre la primera.\n"
     "Una entrada que empieza por un espacio es una {N}ficha oculta{N}: las listas de "
     "fichas la dejan fuera salvo cuando piden verlas todas. Este cartulo tiene una; "
     "¿la encuentras?"),

    ("Formato del texto", TITLE % "Formato del texto" +
     "El texto se escribe tal cual, y las etiquetas entre llaves cambian el estilo desde "
     "donde están:\n"
     f"{la('N')} pone o quita la {{N}}negrita{{N}}, {la('C')} la {{C}}cursiva{{C}} "
     f"y {la('U')} el {{U}}subrayado{{U}}.\n"
     f"{la('T:16')} cambia el tamaño: {{T:16}}grande{{T}}; {la('T')} vuelve al normal.\n"
     f"{la('F:Times New Roman')} cambia la letra: {{F:Times New Roman}}así{{F}}; "
     f"{la('F')} vuelve a la de siempre.\n"
     f"{la('Q:rojo')} pinta el texto de {{Q:rojo}}rojo{{Q}} (más en «Colores»).\n"
     f"{la('J:2')} centra las líneas, {la('J:1')} las lleva a la derecha y {la('J')} "
     "las devuelve a la izquierda.\n"
     "{J:2}{C}Esta línea está centrada.{C}\n"
     f"{{J}}Subíndices y superíndices: H{{ID:2}}O, E = mc{{IU:2}}, con {la('ID:2')} y "
     f"{la('IU:2')}.\n"
     "Entre {@:la}* y *{@:lc} va un comentario, que no se ve."
     "{* como este *}\n"
     f"Una llave sola se escribe {la('@:la')}, y la de cerrar {la('@:lc')}."),

    ("Colores", TITLE % "Colores" +
     "Los colores se nombran en español: {Q:negro}negro{Q}, {Q:azul}azul{Q}, "
     "{Q:azul_o}azul_o{Q}, {Q:verde}verde{Q}, {Q:verde_o}verde_o{Q}, {Q:cian_o}cian_o{Q}, "
     "{Q:rojo}rojo{Q}, {Q:rojo_o}rojo_o{Q}, {Q:magenta}magenta{Q}, "
     "{Q:amarillo_o}amarillo_o{Q}, {Q:gris_o}gris_o{Q} y {Q:naranja}naranja{Q}. "
     "La {C}o{C} final quiere decir {C}oscuro{C}.\n"
     f"También valen números: {la('Q:12')} es el color 12 de la paleta "
     f"({{Q:12}}rojo{{Q}}); {la('Q:900')} da rojo, verde y azul con una cifra cada uno "
     f"({{Q:900}}rojo{{Q}}); y {la('Q:#FF8000')} lo da en hexadecimal "
     "({Q:#FF8000}naranja{Q}).\n"
     f"{la('Q')} vuelve al color normal."),

    ("Enlaces", TITLE % "Enlaces" +
     "Para enlazar con otra ficha, escribe su entrada entre comillas angulares: "
     "{@:ca}Hermanas{@:cc} se ve así: «Hermanas». Al pulsar el enlace se abre la ficha.\n"
     f"Si el enlace debe decir otra cosa, usa {la('L:entrada,texto')}. Por ejemplo "
     f"{la('L:Campos,los campos de una ficha')} se ve así: "
     "{L:Campos,los campos de una ficha}.\n"
     "En la ventana de una ficha, la palabra donde está el cursor también sirve de "
     "enlace: sobre la palabra Canción, lleva a la ficha «Canción»."),

    ("Hermanas", TITLE % "Hermanas" +
     "Varias entradas pueden compartir un mismo texto: son {N}fichas hermanas{N}. Este "
     "texto se abre como «Hermanas» y también como «Fichas hermanas»; lo que escribas en "
     "una lo verás en la otra.\n"
     "Si borras una de las hermanas, las demás conservan el texto.\n"
     "Otro ejemplo: «Año nuevo» y «Nochevieja»."),
    ("Fichas hermanas", sister("Hermanas")),

    ("Plantillas", TITLE % "Plantillas" +
     "Si el cartulo tiene una ficha con la entrada «Ficha maestra», su texto es la "
     "{N}plantilla{N} de las fichas nuevas: cada ficha que crees empieza con una copia.\n"
     "La ficha maestra de este cartulo trae los campos {C}Autor{C} y {C}Fecha{C}, listos "
     "para rellenar (ver «Campos»).\n"
     "¿Prefieres empezar en blanco? Deja vacía la ficha maestra, o bórrala."),
    ("Ficha maestra", "Autor: \nFecha: \n"),

    ("Campos", TITLE % "Campos" +
     "Un {N}campo{N} es una línea con un nombre, dos puntos, un espacio y un valor, como "
     "{C}Autor: Cartulo{C}.\n"
     "Los campos ordenan la información de las fichas, y Cartulo sabe leerlos y "
     "cambiarlos. La «Ficha maestra» pone dos en cada ficha nueva; la ficha «Canción» "
     "tiene tres: Autor, Fecha y Ritmo."),

    ("Búsqueda", TITLE % "Búsqueda" +
     "Hay tres maneras de encontrar una ficha:\n"
     "{MI:24}{MP:18}· En el {N}índice{N} (F6): escribe el principio de una entrada y la "
     "lista te lleva a ella, sin fijarse en mayúsculas ni acentos.\n"
     "· En la {N}búsqueda{N} de un cartulo, que mira dentro de los textos; de entrada "
     "busca palabras enteras y no distingue mayúsculas.\n"
     "· En la {N}búsqueda global{N}, que mira a la vez en todos los cartulos abiertos.\n"
     "{MI:10}{MP:6}Prueba a buscar la palabra {C}ficha{C}: sale en casi todas."),

    ("Canción", "Autor: Cartulo\nFecha: 1 de enero\nRitmo: lento\n" +
     TITLE % "Canción de las fichas" +
     "{C}Una ficha, dos fichas,\n"
     "tres fichas en el cajón;\n"
     "si una se llama Canción,\n"
     "la encuentro sin ton ni son.{C}"),

    ("Imágenes", TITLE % "Imágenes" +
     f"Una imagen se pone en el texto con {la('G:nombre')}; el nombre se busca junto al "
     "archivo del cartulo. Así se ve {G:ficha.png} la imagen ficha.png, que viaja con "
     "este cartulo, en mitad de una línea.\n"
     "Las imágenes se ven en la vista previa (F5)."),

    ("Fórmulas", TITLE % "Fórmulas" +
     f"Una fórmula va en su etiqueta, {la('FO:fórmula')}, en mitad del texto: "
     f"{la('FO:E=mc@exp[2]')} se ve así: {{FO:E=mc@exp[2]}}.\n"
     "Las letras salen en cursiva y lo demás derecho. Las figuras empiezan por {N}@{N}, "
     "seguida de su nombre y de sus partes entre corchetes, separadas por comas:\n"
     "{MI:24}{MP:18}· Una fracción, con {@:la}FO:@frc[a+b,2]{@:lc}: {FO:@frc[a+b,2]}\n"
     "· Una raíz, con {@:la}FO:@sqr[x@exp[2]+1]{@:lc}: {FO:@sqr[x@exp[2]+1]}\n"
     "· Una potencia, con {@:la}FO:2@exp[10]=1024{@:lc}: {FO:2@exp[10]=1024}\n"
     "· Una suma, con {@:la}FO:@lim[@sym[229],i=1,n]i@exp[2]{@:lc}: "
     "{FO:@lim[@sym[229],i=1,n]i@exp[2]}\n"
     "{MI:10}{MP:6}{@:la}@sym[229]{@:lc} es la letra 229 de la fuente Symbol, la sigma "
     "mayúscula; con {@:la}@sym[112]{@:lc} sale {FO:@sym[112]}.\n"
     "Una fórmula mal escrita no se dibuja: si no la ves, cuenta los corchetes y las "
     "comas."),

    ("Dibujos", TITLE % "Dibujos" +
     f"Un dibujo pequeño se escribe entre {la('O:ancho,alto,drawscript')} y {la('/O')}; "
     "el ancho y el alto van en puntos, y en medio van las órdenes del dibujo:\n"
     f"{{J:2}}{{O:72,48,drawscript}}{CASITA}{{/O}}\n"
     "{J}Primero se escriben los números y después la orden que los usa. Las distancias "
     "van en puntos, desde la esquina de arriba a la izquierda del dibujo: {C}move{C} "
     "va a un punto, {C}line{C} traza una línea hasta otro, {C}box{C} añade un "
     "rectángulo y {C}circle{C} una elipse; {C}fillcolor{C} elige el relleno, {C}fill{C} "
     "rellena y {C}stroke{C} dibuja el contorno. Los colores van entre comillas.\n"
     "Esta casita se ha dibujado así:\n"
     f"{{C}}{la('O:72,48,drawscript')}{CASITA}{la('/O')}{{C}}"),

    ("Marcos", TITLE % "Marcos" +
     "Un {N}marco{N} es un recuadro con su propio texto, escrito entre "
     f"{la('FR:izquierda,derecha,arriba,alto,color,borde')} y {la('/FR')}.\n"
     "Izquierda y derecha dicen dónde empieza y dónde acaba el marco, en puntos desde el "
     "margen izquierdo; arriba lo baja desde el principio de la línea, y con alto 0 el "
     "marco mide lo que necesite su texto. Si tiene color y el borde no es 0, lleva un "
     "borde de ese color. El texto de dentro empieza siempre con la letra normal.\n"
     "El marco no ocupa sitio en la línea: para que el texto de debajo no se le eche "
     f"encima, {la('VS:80')} guarda un hueco de 80 puntos de alto.\n"
     f"{{FR:20,300,6,0,azul_o,1}}{MARCO}{{/FR}}{{VS:80}}\n"
     "Este marco se ha escrito así:\n"
     f"{{C}}{la('FR:20,300,6,0,azul_o,1')}{MARCO_VISTO}{la('/FR')}{la('VS:80')}{{C}}"),

    ("Tablas", TITLE % "Tablas" +
     f"Una tabla empieza con {la('TB:columnas,filas,color,borde')} y acaba con "
     f"{la(chr(92))}. Dentro, {la('!')} pasa a la celda siguiente y {la('-')} a la "
     "fila siguiente. Caben hasta 20 columnas y 20 filas.\n"
     "Sin color, la tabla no tiene bordes; el borde es su grosor en píxeles (3 si no se "
     "pone nada), y el color {C}3d{C} da un borde en relieve. Cada celda lleva una sola "
     "cosa: un texto, una imagen, un enlace (que en una tabla no se puede pulsar), una "
     f"fórmula o un dibujo. Va centrada, o a la izquierda si empieza con {la('J:0')}.\n"
     f"{TABLA}\n"
     "Esta tabla se ha escrito así:\n"
     f"{{C}}{TABLA_VISTA}{{C}}\n"
     "Y esta otra tiene el borde en relieve y fórmulas en sus celdas:\n"
     "{TB:2,3,3d}{J:0}Un medio{!}{FO:@frc[1,2]}{-}{J:0}Raíz de dos{!}{FO:@sqr[2]}{-}"
     "{J:0}Pi{!}{FO:@sym[112]}{\\}\n"),

    ("Año nuevo", TITLE % "Año nuevo" +
     "Esta ficha tiene dos entradas, «Año nuevo» y «Nochevieja»: son hermanas y "
     "comparten el texto.\n"
     "{J:2}{T:14}{Q:rojo_o}¡Feliz año nuevo!{Q}{T}\n"
     "{J}Doce uvas, doce campanadas y un cartulo nuevo para llenarlo de fichas."),
    ("Nochevieja", sister("Año nuevo")),

    ("Niño", TITLE % "Niño" +
     "Esta ficha se abre igual con {C}Niño{C}, {C}NIÑO{C} o {C}niño{C}, porque en las "
     "entradas no cuentan las mayúsculas. {C}Nino{C}, sin la tilde de la ñ, sería otra "
     "entrada.\n"
     "En el índice, en cambio, basta con teclear {C}nino{C}: allí no cuentan ni las "
     "mayúsculas ni los acentos."),

    (" Nota oculta", "{N}¡La encontraste!{N}\n"
     "Esta es una ficha oculta: su entrada empieza por un espacio. Sirve para notas que "
     "no quieres ver siempre en la lista.\n"
     "Vuelve a «Fichas y entradas»."),
]


def png(width, height, pixel):
    """A truecolour PNG; pixel(x, y) gives (r, g, b)."""
    rows = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y))
                    for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def index_card(x, y):
    """A little index card: cream, a blue frame, a red top rule, grey lines."""
    w, h = 72, 48
    if x in (0, w - 1) or y in (0, h - 1):
        return (40, 70, 140)
    if y in (11, 12):
        return (200, 40, 40)
    if y > 12 and (y - 12) % 7 == 0 and 5 <= x < w - 5:
        return (150, 170, 200)
    return (252, 246, 224)


def main():
    (HERE / "Bienvenida.ctu").write_bytes(card_file(BIENVENIDA))
    (HERE / "ficha.png").write_bytes(png(72, 48, index_card))


if __name__ == "__main__":
    main()
