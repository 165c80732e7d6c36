#include "PrimerInicio.h"

#include <filesystem>
#include <stdexcept>

#include "ArchivoBases.h"
#include "BaseDemo.h"
#include "ErrorEjecucion.h"
#include "LogicaAcceso.h"

namespace fs = std::filesystem;

namespace acceso {

std::string ServidorDemostracion(const helperlib::UbicacionArchivos& ubicacion) {
    std::string carpeta = ubicacion.CarpetaUsuario();
    if (carpeta.size() > 1 && carpeta.back() == '/') carpeta.pop_back();
    return "sqlite:" + carpeta;
}

std::optional<std::string> PrepararPrimerInicio(const helperlib::UbicacionArchivos& ubicacion,
                                                const std::optional<std::string>& carpetaScripts) {
    if (ubicacion.CarpetaUsuario().empty())
        throw helperlib::ErrorEjecucion(helperlib::errnum::kRutaNoEncontrada,
                                        "No se encontró la carpeta de datos del usuario");
    const std::string archivo = ubicacion.CarpetaUsuario() + kBaseDemostracion + ".sqlite";
    const std::string servidor = ServidorDemostracion(ubicacion);
    const std::string nombre = NombreConexion(kBaseDemostracion, servidor);
    std::error_code ec;
    if (fs::exists(archivo, ec) ||
        ArchivoBases(ubicacion.ParaLeer(kArchivoBases)).Buscar(nombre).has_value())
        return std::nullopt;

    if (!carpetaScripts)
        throw std::runtime_error(
            "No se encontraron junto al programa los scripts de la base de demostración "
            "(share/asientos-modelo/db/schema.sql)");
    fs::create_directories(ubicacion.CarpetaUsuario(), ec);
    data::CrearBaseDesdeScripts(archivo, *carpetaScripts, true);
    try {
        ArchivoBases(ubicacion.ParaEscribir(kArchivoBases))
            .Agregar(nombre, kBaseDemostracion, kBaseDemostracion, kBaseDemostracion, servidor);
    } catch (...) {
        fs::remove(archivo, ec);  // the next start tries again
        throw;
    }
    return nombre;
}

}  // namespace acceso
