#!/usr/bin/env bash
# One check of an installation into a prefix of the build folder:
#   install_check.sh install|desktop|metainfo|man|mime|opens|remove PREFIX BUILD [MIME_TYPE_OF]
# Exits 77 (a skip for ctest) when the tool a check needs is missing.
set -euo pipefail
check=$1 prefix=$2 build=$3
need() { command -v "$1" >/dev/null || { echo "SKIP: falta $1 (paquete $2)"; exit 77; }; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $check in
install)
    rm -rf "$prefix"
    "${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null
    ;;
remove) rm -rf "$prefix" ;;
desktop)
    need desktop-file-validate desktop-file-utils
    desktop-file-validate "$prefix"/share/applications/*.desktop
    ;;
metainfo)
    need appstreamcli appstream
    appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
    ;;
man)
    need man man-db
    [ -f "$prefix/share/man/man1/ctu.1" ] || { echo "SKIP: sin páginas (falta help2man)"; exit 77; }
    for page in cartulo ctu; do
        # man --warnings prints groff's complaints and still succeeds.
        warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
        [ -z "$warnings" ] || { echo "$page.1: $warnings"; exit 1; }
    done
    ;;
mime)
    need update-mime-database shared-mime-info
    update-mime-database "$prefix/share/mime" 2>/dev/null
    # By name alone: a card file's header in a file of another name is not one.
    printf '00000\r\n00Prueba' >"$work/notas.ctu"
    cp "$work/notas.ctu" "$work/cabecera"
    mkdir "$work/home"
    types=$(XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$work/home" "$4" "$work/notas.ctu" "$work/cabecera")
    [ "$(sed -n 1p <<<"$types")" = application/x-cartulo ] &&
        [ "$(sed -n 2p <<<"$types")" != application/x-cartulo ] || { echo "tipos: $types"; exit 1; }
    ;;
opens)
    # The installed cartulo opens the file on its command line: a card made
    # there through the command channel and saved reaches the disk.
    export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state \
        XDG_RUNTIME_DIR=$work/run
    mkdir -p "$work/config" "$work/state" && mkdir -m 700 "$work/run"
    ctu=$prefix/bin/ctu
    "$ctu" new "$work/abierto.ctu" --title Abierto
    "$prefix/bin/cartulo" "$work/abierto.ctu" 2>"$work/cartulo.err" &
    pid=$!
    trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null || true; rm -rf "$work"' EXIT
    cards() { "$ctu" info "$work/abierto.ctu" --json | sed -n 's/.*"cards":\([0-9]*\).*/\1/p'; }
    # Lines of separate connections may be served before the file opens:
    # the pair is sent again until it has acted (a minute at most).
    for _ in $(seq 120); do
        if [ -S "$work/run/cartulo-$(id -u)" ]; then
            "$ctu" send nuevaficha >/dev/null && "$ctu" send guardar >/dev/null || true
            [ "$(cards)" -ge 2 ] 2>/dev/null && exit 0
        fi
        kill -0 $pid 2>/dev/null || break
        sleep 0.5
    done
    echo "el fichero no se abrió; fichas: $(cards)"
    cat "$work/cartulo.err"
    exit 1
    ;;
*) echo "comprobación desconocida: $check" >&2; exit 2 ;;
esac
