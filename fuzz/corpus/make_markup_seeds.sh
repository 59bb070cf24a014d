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

# Formulas, embedded objects, frames and tables, past their limits too. The
# fuzz host answers an object's width by the first character of its
# parameters and its height by that of its body (see fuzz_size_text.cpp).
repeat() {
    local out='' i
    for ((i = 0; i < $1; i++)); do out+=$2; done
    printf '%s' "$out"
}
seed formulas '{C}a {FO:@frc[1,x]} b {FO:x^2} {FO:@sqr[@frc[a,b]]} {FO:@exp[2]}x{C} {FO:@mat[2,2,a,b,c,d]} {FO:@lim[@sym[229],i=1,n]} {FO:@frc[1} {FO:@xyz[1]} {FO:} {FO:@par[1,x,2]}\r\n{T:40}{FO:@dob[@int]}{T}'
seed formulas_many "$(repeat 14 '{FO:@frc[1,2]}x ')"
seed objects "{O:72,36,drawscript}0 0 move 20 10 box close 'rojo' fillcolor fill stroke{/O} {O:10,10,anfitrion,n}h{/O} {O:10,10,x,i}m{/O} {O:-5,-5,x,-}-{/O} {O:1e308,1e308,x,h}d1e30{/O} {O:9,9,x,bAAAA}bzzzz{/O} {O:9,9,throw}{/O} {O:9,9,throwany}{/O} {O:9,9,unset}{/O}{O:9,9,x}{/O} {O:9,9,again}{/O} {O:nan,inf,DrawScript}10 10 move 1 1 circle stroke{/O}"
seed objects_many "$(repeat 60 '{O:1,1,x,d3}d2{/O}')$(repeat 50 '{O:2,2,drawscript}0 0 move 1 1 line stroke{/O}')"
seed objects_broken '{O:10,10,drawscript}0 0 move 5 5 line stroke {O:1,1,x}a{O:2,2,y}b{/O} {/O} {O:} {O:1}{O:1,2,3,4,5,6}{/O}{O:10,10,x,d-1e40}dnan'
seed frames '{MI:20}{FR:10,200,0,0,rojo,1}marco {N}negrita{N} {FO:@frc[1,2]}{O:9,9,x,d5}d5{/O}{/FR}texto {FR:0,0,0,0}vac\xedo{/FR}{FR:-10,-10,5,40,azul,2}x{G:foto.png}{/FR}{FR:1,1,1,1,3d,1e9}y{/FR}{/FR}'
seed frames_nested "{FR:10,300,5,0,negro,1}a$(repeat 3 '{FR:5,-5,2,0,rojo,1}b')c$(repeat 4 '{/FR}')d"
seed frames_deep "$(repeat 300 '{FR:1}')x$(repeat 150 '{/FR}')"
seed tables '{TB:2,2,negro,1}a{!}b{-}c{!}d{\\}antes {TB:3,2,3d}{J:0}izq{!}{J:1}der{!}{N}{C}estilo{-}{G:foto.png}{!}\xabenlace\xbb{!}{L:x,texto}{\\} despu\xe9s\r\n{TB:2,1,negro,1}a{!}b{!}c{\\}{TB:2,2,16,2}\r\nl\xednea\r\notra{!}{B:boton.bmp,cmd}{-}{FO:@frc[1,2]}{!}{O:20,10,drawscript}0 0 move 20 10 line stroke{/O}{\\}'
seed tables_hostile '{TB:-3,-2,rojo,-5}a{!}b{\\}{TB:2,2,azul,2000000000}a{!}b{-}c{!}d{\\}{TB:2,2,3d,99999999}x{\\}{TB:1e308,nan,1e308,1e308}y{\\}{TB:3}{!}{-}{\\}{TB:}{\\}{TB:2,2}sin cerrar{!}'
seed table_25 "{TB:25,25,negro}$(for _ in $(seq 25); do repeat 24 'ab{!}'; printf 'ab{-}'; done){\\\\}"
seed table_slots "{TB:20,9,3d,2}$(repeat 20 '{FO:@frc[1,2]}{!}'){-}$(for _ in $(seq 7); do repeat 20 '{O:2,2,x,d1}{/O}{!}'; printf '{-}'; done)$(repeat 20 '{FR:1}c{/FR}{!}'){\\\\}"
