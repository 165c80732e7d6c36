// INI settings files: any content is read without failing; a value written with EscribirIni
// reads back the same, and the other keys keep theirs.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "ArchivoIni.h"
#include "Comun.h"
#include "ErrorEjecucion.h"
#include "Texto.h"

using namespace helperlib;

namespace {

const std::string& Archivo() {
    static const std::string ruta =
        (std::filesystem::temp_directory_path() / ("fuzz_ini_" + std::to_string(getpid()) + ".ini"))
            .string();
    return ruta;
}

bool Simple(const std::string& s) {
    if (s.empty() || s.size() > 20) return false;
    for (const char c : s)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '_'))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string entrada(reinterpret_cast<const char*>(datos), largo);
    std::ofstream(Archivo(), std::ios::binary | std::ios::trunc) << entrada;
    // Section and key names taken from the first lines of the input, as a reader would ask.
    const auto lineas = fuzz::Partes(entrada, '\n');
    const std::string seccion = lineas.size() > 0 ? lineas[0].substr(0, 30) : "S";
    const std::string clave = lineas.size() > 1 ? lineas[1].substr(0, 30) : "K";
    (void)LeerIni(Archivo(), seccion, clave, "defecto");
    (void)LeerIni(Archivo(), "PUESTO|USUARIO", "FlatToolbars", "1");

    // Writing a key keeps what other keys read.
    if (!Simple(seccion) || !Simple(clave)) return 0;
    const std::string otra = LeerIni(Archivo(), "Iconos", "IconoDelSistema", "<no>");
    const std::string valor = "v" + std::to_string(largo);
    try {
        EscribirIni(Archivo(), seccion, clave, valor);
    } catch (const ErrorEjecucion&) {
        return 0;
    }
    fuzz::Exigir(LeerIni(Archivo(), seccion, clave, "<no>") == valor,
                 "un valor escrito se lee distinto");
    if (!texto::IgualesSinCaso(seccion, "Iconos") ||
        !texto::IgualesSinCaso(clave, "IconoDelSistema"))
        fuzz::Exigir(LeerIni(Archivo(), "Iconos", "IconoDelSistema", "<no>") == otra,
                     "escribir una clave cambio otra");
    return 0;
}
