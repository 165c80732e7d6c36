#!/usr/bin/env bash
# The .deb as a user gets it: lintian finds no error in it; unpacked into a scratch root
# (dpkg -x) with the build folder moved out of the way, so nothing can be found through the
# build or the source tree, its demo database maker creates a database, the sqlite3 shell
# loads its extension, and the installed program (started through /usr/bin) loads a template
# of that database in its screenshot mode and writes the picture, without writing anything
# into the installed files.
# Usage: probar_paquete.sh <build folder>   (after `make package`)
set -u

build=$(realpath "$1")
shopt -s nullglob
debs=("$build"/asientos-modelo_*.deb)
if [ "${#debs[@]}" -ne 1 ]; then
    echo "FALLO: se esperaba un paquete asientos-modelo_*.deb en $build (make package)" >&2
    exit 1
fi
deb=${debs[0]}

tmp=$(mktemp -d)
aparte="$build.aparte.$$"
restaurar() {
    if [ -d "$aparte" ] && [ ! -e "$build" ]; then mv "$aparte" "$build"; fi
    rm -rf "$tmp"
}
trap restaurar EXIT
trap "exit 1" TERM INT HUP

pasaron=0
fallaron=0
bien() { pasaron=$((pasaron + 1)); echo "bien: $*"; }
fallar() { fallaron=$((fallaron + 1)); echo "FALLO: $*" >&2; }

cp "$deb" "$tmp/"
paquete="$tmp/$(basename "$deb")"

# ---- The package as a file ------------------------------------------------------------------
echo "== $(basename "$deb"): $(stat -c %s "$paquete") bytes"
dpkg-deb --field "$paquete" Depends Recommends Suggests
echo "== Archivos:"
dpkg-deb -c "$paquete" | awk '{ printf "%10s  %s", $3, $6; for (i = 7; i <= NF; ++i) printf " %s", $i; print "" }'

if lintian --fail-on error "$paquete" >"$tmp/lintian.log" 2>&1; then
    bien "lintian no informa errores"
else
    fallar "lintian informa errores:"
    cat "$tmp/lintian.log" >&2
fi
[ -s "$tmp/lintian.log" ] && sed 's/^/  lintian: /' "$tmp/lintian.log"

# ---- Unpacked, with the build folder out of the way -------------------------------------------
if ! mv "$build" "$aparte"; then
    echo "FALLO: no se pudo apartar la carpeta de compilación $build" >&2
    exit 1
fi
raiz="$tmp/raiz"
dpkg -x "$paquete" "$raiz"
antes=$(cd "$raiz" && find . -printf '%p %s %T@\n' | sort)

unset ASIENTOS_DB_DIR ASIENTOS_SQLITE_EXT
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
mkdir -p "$HOME" "$tmp/datos" "$tmp/trabajo"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$tmp/trabajo"

for prog in asientos-modelo crear-base-demo; do
    if "$raiz/usr/bin/$prog" --help >"$tmp/ayuda.txt" 2>&1 && grep -q "^Uso: $prog" "$tmp/ayuda.txt"; then
        bien "$prog --help muestra el uso"
    else
        fallar "$prog --help: $(cat "$tmp/ayuda.txt")"
    fi
done

base="$tmp/datos/DEMO.sqlite"
if "$raiz/usr/bin/crear-base-demo" "$base" >"$tmp/creador.log" 2>&1; then
    bien "crear-base-demo instalado creó la base: $(cat "$tmp/creador.log")"
else
    fallar "crear-base-demo instalado: $(cat "$tmp/creador.log")"
fi

# The text columns use the suite's collation: only the installed extension lets the standard
# shell compare them (a template stored as "SUELDOS" found as 'sueldos').
extension="$raiz/usr/lib/asientos-modelo/sqlite/suite_sqlite"
lineas=$(sqlite3 -cmd ".load $extension" "$base" \
    "SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'sueldos'" 2>&1)
if [[ "$lineas" =~ ^[0-9]+$ ]] && [ "$lineas" -gt 0 ]; then
    bien "sqlite3 carga la extensión instalada ($lineas líneas del modelo SUELDOS)"
else
    fallar "sqlite3 con la extensión instalada: $lineas"
fi

captura="$tmp/captura.png"
parametros="@Server=sqlite:$tmp/datos;@DbName=DEMO;@Usuario=DEMO;@UsuarioLogeado=DEMO;"
QT_QPA_PLATFORM=offscreen timeout 60 "$raiz/usr/bin/asientos-modelo" --captura "$captura" \
    --modelo SUELDOS "$parametros" >"$tmp/programa.log" 2>&1
estado=$?
if [ "$estado" -eq 0 ] && file "$captura" | grep -q "PNG image data"; then
    bien "el programa instalado guardó la captura con SUELDOS confirmado ($(file -b "$captura"))"
else
    fallar "el programa instalado terminó con estado $estado sin captura: $(cat "$tmp/programa.log")"
fi

despues=$(cd "$raiz" && find . -printf '%p %s %T@\n' | sort)
if [ "$antes" = "$despues" ]; then
    bien "nada se escribió entre los archivos instalados"
else
    fallar "cambió la instalación:" "$(diff <(echo "$antes") <(echo "$despues"))"
fi

echo "paquete: $pasaron passed, $fallaron failed"
[ "$fallaron" -eq 0 ]
