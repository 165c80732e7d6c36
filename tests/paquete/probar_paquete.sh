#!/usr/bin/env bash
# The .deb as a user gets it: lintian finds no error in it; unpacked into a scratch root
# (dpkg -x) with the build folder moved out of the way, so nothing can be found through the
# build or the source tree, its demo database maker creates a database, the sqlite3 shell
# loads its extension, and the installed program (started through /usr/bin) loads a template
# of that database in its screenshot mode and writes the picture. A first start without
# launch parameters makes the user's demo database and registers it in the user's connection
# list; the connection registered there opens in the screenshot mode. Nothing is ever written
# into the installed files: the programs run as a user who cannot write there (nobody, when
# the check runs as root).
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
    chmod -R u+w "$tmp" 2>/dev/null
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
# The installed files belong to root, as dpkg leaves them; a user runs the programs.
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$tmp"
    chown -R nobody: "$HOME" "$tmp/datos" "$tmp/trabajo" "$XDG_RUNTIME_DIR"
    usuario=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
else
    chmod -R a-w "$raiz"
    usuario=()
fi
como_usuario() { "${usuario[@]}" "$@"; }
cd "$tmp/trabajo"

for prog in asientos-modelo crear-base-demo; do
    if como_usuario "$raiz/usr/bin/$prog" --help >"$tmp/ayuda.txt" 2>&1 && grep -q "^Uso: $prog" "$tmp/ayuda.txt"; then
        bien "$prog --help muestra el uso"
    else
        fallar "$prog --help: $(cat "$tmp/ayuda.txt")"
    fi
done

base="$tmp/datos/DEMO.sqlite"
if como_usuario "$raiz/usr/bin/crear-base-demo" "$base" >"$tmp/creador.log" 2>&1; then
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

parametros="@Server=sqlite:$tmp/datos;@DbName=DEMO;@Usuario=DEMO;@UsuarioLogeado=DEMO;"
# captura <picture> <launch string>: the installed program's screenshot mode with SUELDOS.
captura() {
    QT_QPA_PLATFORM=offscreen como_usuario timeout 60 "$raiz/usr/bin/asientos-modelo" \
        --captura "$1" --modelo SUELDOS "$2" >"$tmp/programa.log" 2>&1
    estado=$?
    [ "$estado" -eq 0 ] && file "$1" | grep -q "PNG image data"
}
if captura "$tmp/trabajo/captura.png" "$parametros"; then
    bien "el programa instalado guardó la captura con SUELDOS confirmado ($(file -b "$tmp/trabajo/captura.png"))"
else
    fallar "el programa instalado terminó con estado $estado sin captura: $(cat "$tmp/programa.log")"
fi

# ---- A user's first start without launch parameters -------------------------------------------
# The preparation happens before the connection is tried; the program then waits on the
# connection error box, which this check does not answer: it ends the program.
datos_usuario="$HOME/.local/share/asientos-modelo"
# Started without the function, so that the job is the program itself (setpriv becomes it):
# a function would run in a shell of its own, and ending that shell would leave the program.
QT_QPA_PLATFORM=offscreen "${usuario[@]}" "$raiz/usr/bin/asientos-modelo" >"$tmp/primero.log" 2>&1 &
primero=$!
for _ in $(seq 1 300); do
    [ -s "$datos_usuario/BASES.TXT" ] && break
    kill -0 "$primero" 2>/dev/null || break
    sleep 0.1
done
sleep 0.5
kill "$primero" 2>/dev/null
wait "$primero" 2>/dev/null
linea=$(head -n1 "$datos_usuario/BASES.TXT" 2>/dev/null | tr -d '\r')
servidor=${linea##*,}
if [ -s "$datos_usuario/DEMO.sqlite" ] && [ "$servidor" = "sqlite:$datos_usuario" ] &&
    [ "${linea%%,*}" = "DEMO / $(echo "$servidor" | tr '[:lower:]' '[:upper:]')" ]; then
    bien "el primer inicio creó la base del usuario y la registró: $linea"
else
    fallar "el primer inicio no dejó la base registrada en $datos_usuario:" \
        "$(ls -la "$datos_usuario" 2>&1)" "$linea" "$(cat "$tmp/primero.log")"
fi
if captura "$tmp/trabajo/captura-usuario.png" "@Server=$servidor;@DbName=DEMO;@UsuarioLogeado=DEMO;"; then
    bien "la conexión registrada abre el editor sobre la base del usuario"
else
    fallar "la conexión registrada no abrió el editor (estado $estado): $(cat "$tmp/programa.log")"
fi

despues=$(cd "$raiz" && find . -printf '%p %s %T@\n' | sort)
if [ "$antes" = "$despues" ]; then
    bien "nada se escribió entre los archivos instalados"
else
    fallar "cambió la instalación:" "$(diff <(echo "$antes") <(echo "$despues"))"
fi

echo "paquete: $pasaron passed, $fallaron failed"
[ "$fallaron" -eq 0 ]
