#!/usr/bin/env bash
# Writes the seed inputs of fuzz_markup and fuzz_size_text: card texts, one
# shape each. Bytes are Windows-1252; paragraphs end in CR LF. The seeds of
# fuzz_size_text begin with the byte that chooses the surface.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p markup size_text

seed() {
    local name=$1 text=$2
    printf '%b' "$text" >"markup/$name"
    # Pixels on a screen; points on a printer, cut at a page bottom.
    { printf '\000'; printf '%b' "$text"; } >"size_text/$name"
    { printf '\045'; printf '%b' "$text"; } >"size_text/${name}_page"
}

seed styles '{N}Negrita{N} {C}cursiva{C} {U}subrayado{U} {F:Arial}{T:14}grande{T}{F}\r\nOtro p\xe1rrafo.'
seed colors '{Q:rojo}rojo{Q} {Q:#FF8000}a{Q:naranja}b{Q:123}c{Q:123456}d{Q:15}e{Q:actual}{Q:defecto}{Q:1234}'
seed margins '{MI:20}{MP:40}{MD:10}{MU:12}{J:0}izq {J:1}der {J:2}centro {J:3}justificado\r\n{TA:100}a{HD:10}b{SP:3}c{VS:30}d{VD:5}e'
seed links '\xabEnlace\xbb y \xabotro enlace\xbb {L:Destino,texto} {P:ayuda,arg} \xabsin cerrar'
seed pictures '{G:foto.png} {GI:izq.bmp,4} {GD:der.bmp,0} {B:boton.bmp,cmd} {S:sonido.wav} {W:fondo.bmp,1}{W:rojo}'
seed symbols '{SY:abg} x{ID:2} y{IU:3} {@:la}x{@:lc} {@:ca}{@:cc} {@hoy}'
seed blocks '{TB:1,2}a{!}b{-}c{!}d{\\}\r\n{FR:0,0,100}marco{/FR} {O:tipo,p}cuerpo{/O} {FO:x^2}'
seed nesting '{FR:a}{TB:1}{O:x}{/FR}{\\}{/O}{FR:b}{FR:c}{/FR}{\\}'
seed broken '{N {T:1e308} {MI:-99999} {T:0} {XY:} {* comentario *} {} }} {{ \xab\xbb\xbb'
