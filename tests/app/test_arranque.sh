#!/usr/bin/env bash
# Start-up and save checks of the real editor program in a private X server (Xvfb), driven
# with xdotool:
#   1. a database that does not exist, and a server reached over ODBC that does not answer
#      (through the driver manager the program loads then), show the connection error box;
#      answering No ends the program with status 1 (no crash) and leaves no empty database
#      file behind;
#   2. on the demo database the editor window appears; a new template typed through the
#      keyboard (name, account, check digit, amount, F2) reaches MA_MODELOS; an existing
#      template loaded by name and saved again keeps its lines; an account picked with F5 from
#      the lookup list by part of its name is saved in a new template, twice in one session
#      (the second through the list window kept from the first); with the pointer passed over
#      the command bar, a click on Planilla opens the sheet, which Escape closes; Escape when
#      idle closes the program with status 0;
#   3. the auxiliary subledger generation run from the command line on the demo database
#      writes one row per line of the longer side of every entry, says so, and a second run
#      replaces the rows instead of adding to them.
# Usage: test_arranque.sh <asientos-modelo> <crear-base-demo>
# Exit status 0 when every check passes, 77 (skipped) when a needed tool is not installed;
# with CI=true a missing tool is a failure (1): the run must check what it claims to check.
set -u

# Absolute paths: the program is started from a working folder of its own.
programa=$(realpath "$1")
creador=$(realpath "$2")

for herramienta in Xvfb xdotool sqlite3; do
    if ! command -v "$herramienta" >/dev/null; then
        if [ "${CI:-}" = true ]; then
            echo "FALLA: falta $herramienta (make deps lo instala)"
            exit 1
        fi
        echo "OMITIDO: falta $herramienta (make deps lo instala)"
        exit 77
    fi
done

tmp=$(mktemp -d)
xvfb_pid=""
app_pid=""
fallos=0

limpiar() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap limpiar EXIT
# A timeout or Ctrl+C still ends the X server and the program.
trap "exit 1" TERM INT HUP

fallar() {
    echo "FALLO: $*" >&2
    fallos=$((fallos + 1))
}

ventanas_visibles() {
    local w
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        printf '  %s: "%s"\n' "$w" "$(xdotool getwindowname "$w" 2>/dev/null)"
    done
}

# A failure followed by the windows on screen, which tell what the program showed instead.
fallar_con_ventanas() {
    fallar "$@"
    ventanas_visibles >&2
}

# ---- The private X server ------------------------------------------------------------------
# -displayfd lets the server pick a free display and write its number once it accepts clients.
# Keys never repeat by themselves: on a loaded machine xdotool may be held up between pressing
# and releasing a key for longer than the usual repeat delay, and a Return or a digit typed
# twice sends the editor elsewhere.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ardelay 30000 3>"$tmp/display" \
    2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 200); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$tmp/display" ]; then
    echo "FALLO: Xvfb no arrancó" >&2
    cat "$tmp/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$tmp/display")"
for _ in $(seq 1 100); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done

# The program reads and writes its settings and logs under the user's folders: a private home.
export HOME="$tmp/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$HOME" "$tmp/trabajo"
mkdir -m 700 "$tmp/run"
export QT_QPA_PLATFORM=xcb

# ---- Helpers ------------------------------------------------------------------------------
iniciar() {  # iniciar <launch string>: starts the program in $tmp/trabajo
    (cd "$tmp/trabajo" && exec "$programa" "$1") >>"$tmp/programa.log" 2>&1 &
    app_pid=$!
}

# esperar_ventana <title pattern> [seconds]: prints the id of the visible window with that title.
esperar_ventana() {
    timeout "${2:-20}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1
}

# ventana_cerrada <title pattern> [seconds]: succeeds once no visible window has that title.
ventana_cerrada() {
    local fin=$((SECONDS + ${2:-10}))
    while [ $SECONDS -lt $fin ]; do
        [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
        sleep 0.2
    done
    return 1
}

# esperar_fin [seconds]: waits for the program to end; sets $estado to its exit status.
esperar_fin() {
    local fin=$((SECONDS + ${1:-20}))
    while kill -0 "$app_pid" 2>/dev/null && [ $SECONDS -lt $fin ]; do sleep 0.2; done
    if kill -0 "$app_pid" 2>/dev/null; then
        estado=""
        return 1
    fi
    wait "$app_pid"
    estado=$?
    app_pid=""
    return 0
}

terminar_programa() {  # ends a program left running after a failed check
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
        app_pid=""
    fi
}

enfocar() {  # gives the X input focus to a window (there is no window manager)
    xdotool windowfocus --sync "$1" 2>/dev/null
}

sin_core() {
    if compgen -G "$tmp/trabajo/core*" >/dev/null; then
        fallar "$1: el programa dejó un volcado de memoria (core)"
        rm -f "$tmp"/trabajo/core*
    fi
}

parametros() {  # parametros <folder> <database>
    echo "@Server=sqlite:$1;@DbName=$2;@Usuario=DEMO;@UsuarioLogeado=DEMO;"
}

# ---- 1. A database that cannot be opened ------------------------------------------------------
# caso1 <case> <launch parameters> [folder that must stay empty] [libraries mapped at the box]
caso1() {
    local caso="$1" w
    iniciar "$2"
    w=$(esperar_ventana "Error de Conexion a Base de Datos")
    if [ -z "$w" ]; then
        fallar_con_ventanas "$caso: no apareció el aviso \" Error de Conexion a Base de Datos\"; ventanas:"
        terminar_programa
        return
    fi
    [ "$(xdotool getwindowname "$w")" = " Error de Conexion a Base de Datos" ] ||
        fallar "$caso: título del aviso \"$(xdotool getwindowname "$w")\""
    local biblioteca
    for biblioteca in ${4:-}; do
        grep -q "$biblioteca" "/proc/$app_pid/maps" ||
            fallar "$caso: con el aviso a la vista, el programa no tiene cargada $biblioteca"
    done
    # The box may be shown before it takes keys: repeat the mnemonic of "&No" until it goes.
    local intento
    for intento in $(seq 1 10); do
        enfocar "$w"
        xdotool key n
        esperar_fin 2 && break
    done
    if [ -n "$app_pid" ]; then
        fallar_con_ventanas "$caso: el programa sigue abierto después de responder No"
        terminar_programa
        return
    fi
    if [ "$estado" -gt 128 ]; then
        fallar "$caso: el programa terminó por la señal $((estado - 128))"
    elif [ "$estado" -ne 1 ]; then
        fallar "$caso: estado de salida $estado, se esperaba 1"
    fi
    sin_core "$caso"
    [ -z "${3:-}" ] || [ -z "$(ls -A "$3")" ] ||
        fallar "$caso: quedaron archivos en la carpeta de la base: $(ls -A "$3")"
}

# ---- 2. The demo database: save round trips and close -----------------------------------------
base="$tmp/demo/DEMO.sqlite"

# Template lines as "NOMBRE<TAB>CUENTA<TAB>DEBE-HABER<TAB>IMPORTE<TAB>DETALLE", sorted. The
# name is compared here rather than in SQL: text columns use the suite's own collation. The
# detail has no column in the editor; saving a loaded template again must keep it.
lineas_de() {
    sqlite3 -separator $'\t' "$base" \
        "SELECT NOMBRE, CUENTA, \"DEBE-HABER\", printf('%.2f', IMPORTE), ifnull(DETALLE, '') FROM MA_MODELOS" |
        awk -F'\t' -v n="$1" '$1 == n' | sort
}

sellos_de() {  # the modification stamps of a template's lines, one a line
    sqlite3 -separator $'\t' "$base" "SELECT NOMBRE, fechahora_modificacion FROM MA_MODELOS" |
        awk -F'\t' -v n="$1" '$1 == n { print $2 }'
}

# esperar_regrabado <name> <old stamp> [seconds]: polls until every line of the template
# carries a modification stamp other than the old one.
esperar_regrabado() {
    local fin=$((SECONDS + ${3:-20})) sellos
    while [ $SECONDS -lt $fin ]; do
        sellos=$(sellos_de "$1")
        if [ -n "$sellos" ] && ! printf '%s\n' "$sellos" | grep -qxF -e "$2" -e ""; then
            return 0
        fi
        sleep 0.3
    done
    return 1
}

# esperar_lineas <name> <expected lines> [seconds]: polls the database until they match.
esperar_lineas() {
    local fin=$((SECONDS + ${3:-20}))
    while [ $SECONDS -lt $fin ]; do
        [ "$(lineas_de "$1")" = "$2" ] && return 0
        sleep 0.3
    done
    return 1
}

# Brings the keyboard to the name field and proves it takes keys: F3 (Nuevo) focuses the
# empty name, Return on it must show the "Aviso al Operador" box, which Return dismisses.
preparar_nombre() {
    local w=$1 aviso intento
    for intento in $(seq 1 10); do
        enfocar "$w"
        xdotool key F3 Return
        aviso=$(esperar_ventana "^Aviso al Operador$" 2)
        [ -n "$aviso" ] && break
    done
    [ -n "$aviso" ] || return 1
    for intento in $(seq 1 10); do
        enfocar "$aviso"
        xdotool key Return
        ventana_cerrada "^Aviso al Operador$" 2 && break
    done
    ventana_cerrada "^Aviso al Operador$" 1 || return 1
    enfocar "$w"
}

# A postable account whose name (letters and blanks only) no other account name starts with,
# once its last letter is dropped: "part of the name<TAB>code<TAB>check digit".
cuenta_por_nombre() {
    sqlite3 -separator $'\t' "$base" "SELECT lower(substr(a.DESCRIPCION, 1, length(a.DESCRIPCION) - 1)),
        a.CODIGO, a.DV FROM MA_CUENTAS a WHERE a.Titulo = 0 AND a.DADA_DE_BAJA = 0 AND a.BLOQUEO = 0
        AND a.DESCRIPCION NOT GLOB '*[^A-Za-z ]*' AND length(a.DESCRIPCION) > 5 AND NOT EXISTS
        (SELECT 1 FROM MA_CUENTAS b WHERE b.ID <> a.ID AND upper(substr(b.DESCRIPCION, 1,
        length(a.DESCRIPCION) - 1)) = upper(substr(a.DESCRIPCION, 1, length(a.DESCRIPCION) - 1)))
        LIMIT 1"
}

caso_consulta() {
    local caso="consulta de cuentas (F5, $2)" w=$1 nombre=$2 parte cuenta dv lista
    IFS=$'\t' read -r parte cuenta dv < <(cuenta_por_nombre)
    if [ -z "$parte" ]; then
        fallar "$caso: ninguna cuenta imputable tiene un nombre que se pueda buscar"
        return
    fi
    enfocar "$w"
    xdotool type --delay 20 "$nombre"
    xdotool key Return F5
    lista=$(esperar_ventana "^Consulta\.\.\.$" 20)
    if [ -z "$lista" ]; then
        fallar_con_ventanas "$caso: F5 en la celda de la cuenta no abrió la lista \"Consulta...\"; ventanas:"
        return
    fi
    enfocar "$lista"
    xdotool type --delay 40 "$parte"
    xdotool key Return
    if ! ventana_cerrada "^Consulta\.\.\.$" 10; then
        fallar_con_ventanas "$caso: Return no aceptó la cuenta elegida; ventanas:"
        return
    fi
    enfocar "$w"
    xdotool type --delay 20 "$dv"
    xdotool key Return
    xdotool type --delay 20 "99.5"
    xdotool key Return F2
    if ! esperar_lineas "$nombre" "$(printf '%s\t%s\tD\t99.50\t' "$nombre" "$cuenta")"; then
        fallar_con_ventanas "$caso: buscando \"$parte\" se esperaba la cuenta $cuenta; en MA_MODELOS:" \
            "$(lineas_de "$nombre")"
    fi
}

# The command bar with the mouse: the pointer passes over the buttons (each is painted under
# the pointer, and pressed, in the skin's look), and a click on Planilla opens the sheet of every
# template's lines, which Escape closes.
caso_barra() {
    local caso="barra de comandos con el ratón" w=$1 x hoja
    enfocar "$w"
    for x in $(seq 20 20 400); do
        xdotool mousemove --window "$w" "$x" 40
        sleep 0.02
    done
    # Planilla, the fifth button: Nuevo, Borrar, Reporte, Consultar, Planilla.
    xdotool mousemove --window "$w" 309 40 click 1
    hoja=$(esperar_ventana "^Asientos Modelo$" 20)
    if [ -z "$hoja" ]; then
        fallar_con_ventanas "$caso: un clic en Planilla no abrió la planilla \"Asientos Modelo\"; ventanas:"
        return
    fi
    enfocar "$hoja"
    xdotool key Escape
    if ! ventana_cerrada "^Asientos Modelo$" 10; then
        fallar_con_ventanas "$caso: Escape no cerró la planilla; ventanas:"
    fi
    xdotool mousemove --window "$w" 400 300  # off the bar
}

caso2() {
    local caso="base de demostración" w cuenta dv nombre="PRUEBA DE TECLADO" antes sello
    mkdir -p "$tmp/demo"
    if ! "$creador" "$base" >"$tmp/creador.log" 2>&1; then
        fallar "$caso: crear-base-demo falló: $(cat "$tmp/creador.log")"
        return
    fi
    IFS='|' read -r cuenta dv < <(sqlite3 "$base" \
        "SELECT CODIGO, DV FROM MA_CUENTAS WHERE Titulo=0 AND DADA_DE_BAJA=0 AND BLOQUEO=0 LIMIT 1")
    if [ -z "$cuenta" ] || [ -z "$dv" ]; then
        fallar "$caso: la base de demostración no tiene una cuenta imputable"
        return
    fi
    antes=$(lineas_de SUELDOS)
    sello=$(sellos_de SUELDOS | sort -u)
    if [ "$(printf '%s\n' "$antes" | grep -c .)" -lt 2 ]; then
        fallar "$caso: el modelo SUELDOS de la base de demostración no tiene líneas"
        return
    fi

    iniciar "$(parametros "$tmp/demo" DEMO)"
    w=$(esperar_ventana "^Asientos Modelo de Registraciones Directas$" 30)
    if [ -z "$w" ]; then
        fallar_con_ventanas "$caso: no apareció la ventana \"Asientos Modelo de Registraciones Directas\"; ventanas:"
        terminar_programa
        return
    fi
    if ! preparar_nombre "$w"; then
        fallar_con_ventanas "$caso: el campo Nombre no responde al teclado; ventanas:"
        terminar_programa
        return
    fi

    # A new template with one line: account, check digit, debit amount; F2 saves it.
    xdotool type --delay 20 "$nombre"
    xdotool key Return
    xdotool type --delay 20 "$cuenta"
    xdotool key Return
    xdotool type --delay 20 "$dv"
    xdotool key Return
    xdotool type --delay 20 "1234.56"
    xdotool key Return F2
    if ! esperar_lineas "$nombre" "$(printf '%s\t%s\tD\t1234.56\t' "$nombre" "$cuenta")"; then
        fallar_con_ventanas "$caso: el modelo nuevo no se grabó como se tipeó; en MA_MODELOS:" \
            "$(lineas_de "$nombre")"
    fi

    # An existing template: loading it by name and saving it again keeps all its lines.
    enfocar "$w"
    xdotool type --delay 20 "SUELDOS"
    xdotool key Return F2
    # The save stamps every line it writes with its modification time: wait for that first,
    # so the comparison is made on the rewritten lines.
    if ! esperar_regrabado SUELDOS "$sello"; then
        fallar_con_ventanas "$caso: SUELDOS no se volvió a grabar con F2; sellos:" "$(sellos_de SUELDOS)"
    elif ! esperar_lineas SUELDOS "$antes" 1; then
        fallar_con_ventanas "$caso: SUELDOS cambió al cargarlo y grabarlo de nuevo; antes:" \
            "$antes" "después:" "$(lineas_de SUELDOS)"
    fi

    # An account picked from the lookup list: F5 on the account cell opens the list on the
    # shipped saved query (searched on the name), part of the name typed in lower case selects
    # the account, Return accepts it; check digit and amount are typed and F2 saves. The second
    # template does it again in the same session, through the list window kept from the first
    # search, reset for the second (what the reset restores is checked in the lookup tests).
    caso_consulta "$w" "PRUEBA DE CONSULTA"
    caso_consulta "$w" "SEGUNDA CONSULTA"
    caso_barra "$w"

    # Idle again: Escape is Cerrar, which ends the program with status 0.
    enfocar "$w"
    xdotool key Escape
    if ! esperar_fin 20; then
        fallar_con_ventanas "$caso: Escape con la ventana en reposo no cerró el programa; ventanas:"
        terminar_programa
        return
    fi
    if [ "$estado" -gt 128 ]; then
        fallar "$caso: el programa terminó por la señal $((estado - 128))"
    elif [ "$estado" -ne 0 ]; then
        fallar "$caso: estado de salida $estado al cerrar, se esperaba 0"
    fi
    sin_core "$caso"
}

# ---- 3. The auxiliary subledger from the command line --------------------------------------------
caso3() {
    local caso="generación de subdiarios" esperado vez
    if [ ! -f "$base" ]; then
        fallar "$caso: no hay base de demostración"
        return
    fi
    # Entries of type VEN dated in 2025; each gives as many rows as its longer side has lines.
    esperado=$(sqlite3 -separator $'\t' "$base" \
        "SELECT PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG, \"DEBE-HABER\", FECHA FROM MV_ASIENTOS" |
        awk -F'\t' '
            toupper($4) == "VEN" && $6 >= "2025-01-01" && $6 <= "2025-12-31 00:00:00" { e[$1 " " $2 " " $3] = 1 }
            toupper($4) == "VEN" { n[$1 " " $2 " " $3 " " toupper($5)]++ }
            END { t = 0; for (k in e) { d = n[k " D"]; h = n[k " H"]; t += (d >= h ? d : h) } print t }')
    if [ "$esperado" -eq 0 ]; then
        fallar "$caso: la base de demostración no tiene asientos VEN de 2025"
        return
    fi
    for vez in 1 2; do
        (cd "$tmp/trabajo" &&
            exec "$programa" --subdiarios 01/01/2025 31/12/2025 VEN "$(parametros "$tmp/demo" DEMO)") \
            >"$tmp/subdiarios.log" 2>&1 &
        app_pid=$!
        if ! esperar_fin 60; then
            fallar_con_ventanas "$caso: la generación no terminó; ventanas:"
            terminar_programa
            return
        fi
        [ "$estado" -eq 0 ] || fallar "$caso: estado de salida $estado (vez $vez)"
        grep -qxF "AUX_SUBDIARIOS: $esperado filas de DEMO (tipo VEN, 01/01/2025 a 31/12/2025)" \
            "$tmp/subdiarios.log" ||
            fallar "$caso: se esperaban $esperado filas (vez $vez); salida: $(cat "$tmp/subdiarios.log")"
    done
    local filas
    filas=$(sqlite3 "$base" "SELECT count(*) FROM AUX_SUBDIARIOS NOT INDEXED")
    [ "$filas" = "$esperado" ] || fallar "$caso: la tabla tiene $filas filas, se esperaban $esperado"
    sin_core "$caso"
}

mkdir -p "$tmp/vacia"
caso1 "base inexistente" "$(parametros "$tmp/vacia" NOEXISTE)" "$tmp/vacia"
# A server reached over ODBC that does not answer: the same box, the same end; the driver
# manager, loaded at that first connection, and the server's driver are in the program then.
caso1 "servidor ODBC que no responde" \
    "@Server=127.0.0.1:1;@DbName=NOEXISTE;@Usuario=DEMO;@UsuarioLogeado=DEMO;" "" \
    "libodbc.so libtdsodbc"
caso2
caso3

if [ "$fallos" -ne 0 ]; then
    echo "Salida del programa:" >&2
    cat "$tmp/programa.log" >&2
    echo "$fallos comprobaciones fallaron" >&2
    exit 1
fi
echo "Todas las comprobaciones pasaron"
