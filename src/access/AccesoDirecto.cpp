#include "AccesoDirecto.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ErrorEjecucion.h"
#include "Lanzador.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"

using namespace helperlib;
using namespace startup;

namespace acceso {

namespace {

constexpr long kErrorAccesoArchivo = 75;

/// A value of a desktop entry: backslash, line breaks and tabs escaped.
std::string EscaparValor(const std::string& s) {
    std::string r;
    for (const char c : s) {
        switch (c) {
            case '\\':
                r += "\\\\";
                break;
            case '\n':
                r += "\\n";
                break;
            case '\r':
                r += "\\r";
                break;
            case '\t':
                r += "\\t";
                break;
            default:
                r += c;
        }
    }
    return r;
}

/// The program path as one quoted argument of the Exec key: inside the quotes the characters
/// ", `, $ and the backslash take a backslash, and % is doubled (field codes); then the value
/// escaping applies.
std::string ArgumentoExec(const std::string& ruta) {
    std::string q = "\"";
    for (const char c : ruta) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') q += '\\';
        if (c == '%') q += '%';
        q += c;
    }
    q += "\"";
    return EscaparValor(q);
}

}  // namespace

std::string CarpetaEscritorio() {
    if (const char* xdg = std::getenv("XDG_DESKTOP_DIR"); xdg && *xdg) return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return (std::filesystem::path(home) / "Desktop").string();
    return "";
}

std::string ContenidoAccesoDirecto(const std::string& nombre, const std::string& rutaPrograma) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Version=1.0\n"
           "Name=" +
           EscaparValor(nombre) +
           "\n"
           "Exec=" +
           ArgumentoExec(rutaPrograma) +
           "\n"
           "Icon=" +
           EscaparValor(rutaPrograma) +
           "\n"
           "Terminal=false\n";
}

std::string CrearAccesoDirecto() {
    const std::string nombre = texto::Recortar(NombreEjecutable());
    const std::string carpeta = CarpetaEscritorio();
    if (carpeta.empty() || nombre.empty())
        throw ErrorEjecucion(kErrorAccesoArchivo,
                             "No se encontro la carpeta del escritorio del usuario");
    const std::filesystem::path archivo = std::filesystem::path(carpeta) / (nombre + ".desktop");
    std::error_code ec;
    std::filesystem::create_directories(carpeta, ec);
    {
        std::ofstream f(archivo, std::ios::binary | std::ios::trunc);
        if (f.is_open()) {
            f << ContenidoAccesoDirecto(nombre, plataforma().RutaEjecutable());
            f.flush();
        }
        if (!f.is_open() || !f)
            throw ErrorEjecucion(kErrorAccesoArchivo,
                                 "No se pudo crear el acceso directo " + archivo.string());
    }
    // Desktops start only entries marked executable by their owner.
    std::filesystem::permissions(archivo,
                                 std::filesystem::perms::owner_exec |
                                     std::filesystem::perms::group_exec |
                                     std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add, ec);
    return archivo.string();
}

}  // namespace acceso
