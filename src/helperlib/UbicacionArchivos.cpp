#include "UbicacionArchivos.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "ErrorEjecucion.h"

namespace fs = std::filesystem;

namespace helperlib {

namespace {

std::string ConSeparador(std::string s) {
    if (!s.empty() && s.back() != '/') s.push_back('/');
    return s;
}

bool Existe(const std::string& ruta) {
    std::error_code ec;
    return fs::is_regular_file(ruta, ec);
}

// A folder of the system's installation: the distribution's packages own what is under /usr,
// add-on packages what is under /opt; neither is written by a program at run time.
bool DeLaInstalacion(const fs::path& carpeta) {
    for (const fs::path raiz : {"/usr", "/opt"}) {
        const auto rel = carpeta.lexically_relative(raiz);
        if (!rel.empty() && *rel.begin() != "..") return true;
    }
    return false;
}

}  // namespace

std::string CarpetaDatosUsuario() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute())
        return ConSeparador((fs::path(xdg) / "asientos-modelo").string());
    const char* home = std::getenv("HOME");
    if (home && *home)
        return ConSeparador((fs::path(home) / ".local" / "share" / "asientos-modelo").string());
    return {};
}

bool SePuedeEscribirEnCarpeta(std::string_view carpeta) {
    if (carpeta.empty()) return false;
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(fs::path(carpeta), ec);
    if (ec || DeLaInstalacion(real)) return false;
    return fs::is_directory(real, ec) && ::access(real.c_str(), W_OK | X_OK) == 0;
}

UbicacionArchivos::UbicacionArchivos(std::string carpetaPrograma, std::string carpetaUsuario,
                                     bool escribeEnPrograma)
    : programa_(ConSeparador(std::move(carpetaPrograma))),
      usuario_(ConSeparador(std::move(carpetaUsuario))),
      enPrograma_(escribeEnPrograma) {}

UbicacionArchivos UbicacionArchivos::Para(const std::string& carpetaPrograma) {
    return UbicacionArchivos(carpetaPrograma, CarpetaDatosUsuario(),
                             SePuedeEscribirEnCarpeta(carpetaPrograma));
}

std::string UbicacionArchivos::ParaLeer(std::string_view nombre) const {
    const std::string escrita = CarpetaEscritura() + std::string(nombre);
    if (Existe(escrita)) return escrita;
    const std::string& otra = enPrograma_ ? usuario_ : programa_;
    if (!otra.empty() && Existe(otra + std::string(nombre))) return otra + std::string(nombre);
    return escrita;
}

std::string UbicacionArchivos::ParaEscribir(std::string_view nombre) const {
    const std::string& carpeta = CarpetaEscritura();
    if (carpeta.empty())
        throw ErrorEjecucion(
            errnum::kRutaNoEncontrada,
            "No se encontró la carpeta de datos del usuario para escribir " + std::string(nombre));
    std::error_code ec;
    fs::create_directories(carpeta, ec);
    if (!fs::is_directory(carpeta, ec))
        throw ErrorEjecucion(errnum::kRutaNoEncontrada, "No se pudo crear la carpeta " + carpeta);
    const std::string destino = carpeta + std::string(nombre);
    const std::string origen = ParaLeer(nombre);
    if (origen != destino && Existe(origen) && !Existe(destino) &&
        !fs::copy_file(origen, destino, ec))
        throw ErrorEjecucion(errnum::kPermisoDenegado,
                             "No se pudo copiar " + origen + " a " + destino + ": " + ec.message());
    return destino;
}

}  // namespace helperlib
