#!/usr/bin/env bash
# Pictures of the editor in each of the five skins, taken in a private X server (Xvfb):
# docs/piel-1-vista.png ... docs/piel-otro-office2007.png.
# Usage: tools/capturas_pieles.sh [BUILD]   (BUILD defaults to build; run `make demo-db` first)
set -eu

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$raiz/build}
programa=$build/bin/asientos-modelo
base=$build/demo
[ -x "$programa" ] || { echo "Falta $programa (make build)" >&2; exit 1; }
[ -f "$base/DEMO.sqlite" ] || { echo "Falta $base/DEMO.sqlite (make demo-db)" >&2; exit 1; }

tmp=$(mktemp -d)
xvfb_pid=""
limpiar() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap limpiar EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 200); do
    [ -s "$tmp/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$tmp/display")" QT_QPA_PLATFORM=xcb
export HOME="$tmp/home" USER=demo XDG_CONFIG_HOME="$tmp/home/.config" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_CONFIG_HOME/asientos-modelo" "$tmp/run"
chmod 700 "$tmp/run"

# Skin value -> picture name.
for par in 1:vista 2:winxp-luna 3:winxp-royale 4:itunes otro:office2007; do
    valor=${par%%:*}
    nombre=${par#*:}
    [ "$valor" = otro ] && valor=7
    printf '[DEMOStyles]\nStyles=%s\n' "$valor" >"$XDG_CONFIG_HOME/asientos-modelo/ld000pr.ini"
    salida=$raiz/docs/piel-${par%%:*}-$nombre.png
    "$programa" --captura "$salida" --modelo "LIQ. TARJETAS" \
        "@Server=sqlite:$base;@DbName=DEMO;@Usuario=DEMO;@UsuarioLogeado=DEMO;@Menu=1;@Caja=1;"
    echo "$salida"
done
