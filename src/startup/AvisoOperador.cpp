#include "AvisoOperador.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "Plataforma.h"
#include "RegistroErrores.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace startup {

namespace {

/// An environment variable; names are looked up as written and in upper case, as the
/// variables of the suite's home platform do not distinguish case.
std::string VariableEntorno(const std::string& nombre) {
    if (const char* v = std::getenv(nombre.c_str()); v && *v) return v;
    if (const char* v = std::getenv(texto::Mayusculas(nombre).c_str()); v && *v) return v;
    return {};
}

/// A folder the user can always write to.
std::string CarpetaAlternativa() {
    std::error_code ec;
    const auto carpeta = std::filesystem::temp_directory_path(ec);
    return ec ? std::string() : carpeta.string();
}

/// Creates the log when absent; the error when it cannot be opened for appending.
std::optional<ErrorEjecucion> PrepararArchivo(const std::string& ruta) {
    std::ofstream f(ruta, std::ios::app | std::ios::binary);
    if (f) return std::nullopt;
    return ErrorEjecucion(errnum::kRutaNoEncontrada, "No se puede abrir el archivo " + ruta);
}

}  // namespace

std::string CarpetaRegistroOperador() {
    std::string carpeta;
    if (!VariableEntorno("temp").empty()) carpeta = texto::Recortar(VariableEntorno("tmp"));
    if (carpeta.empty()) carpeta = CarpetaAlternativa();
    return NormalizarCarpeta(carpeta);
}

std::string RutaRegistroOperador() { return CarpetaRegistroOperador() + "KXERR.LOG"; }

int AvisoOperador(const ErrorEjecucion& error, int botones, const std::string& rutina) {
    const std::string ruta = RutaRegistroOperador();
    const auto fallaArchivo = PrepararArchivo(ruta);
    if (error.Numero() == 0) {
        if (fallaArchivo) throw *fallaArchivo;
        return 0;
    }
    const std::string mensaje = MensajeDeError(error.Numero(), error.Descripcion());
    const std::string parteRutina = rutina.empty() ? std::string() : " - " + rutina;
    const std::string titulo = error.Origen() + parteRutina + " Aviso al operador!!! ";
    const int r = plataforma().MsgBox(mensaje, botones, titulo);
    if (fallaArchivo) throw *fallaArchivo;
    AgregarLineaRegistro(
        ruta, LineaRegistroErrores(std::chrono::system_clock::now(), rutina, mensaje, r));
    return r;
}

}  // namespace startup
