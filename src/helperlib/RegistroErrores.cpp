#include "RegistroErrores.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>

#include "ErrorEjecucion.h"
#include "Plataforma.h"
#include "Texto.h"

namespace helperlib {

std::string MensajeDeError(long numero, const std::string& descripcion) {
    // Error numbers are 32-bit: provider codes such as 0x80004005 read as negative numbers.
    return "Ha ocurrido el Siguiente Error (" + std::to_string(static_cast<int32_t>(numero)) +
           ") " + texto::Recortar(descripcion);
}

std::string PalabraRespuesta(int r) {
    switch (r) {
        case respuesta::kReintentar:
            return "Reintentar";
        case respuesta::kIgnorar:
            return "Ignorar";
        case respuesta::kAbortar:
            return "Abortar";
        case respuesta::kCancelar:
            return "Cancelar";
        case respuesta::kSi:
            return "Sí";
        case respuesta::kNo:
            return "No";
        default:
            return "";
    }
}

std::string LineaRegistroErrores(std::chrono::system_clock::time_point momento,
                                 const std::string& rutina, const std::string& mensaje,
                                 int respuesta) {
    const std::time_t t = std::chrono::system_clock::to_time_t(momento);
    std::tm tm{};
    localtime_r(&t, &tm);
    char fecha[64];
    std::snprintf(fecha, sizeof fecha, "%02d-%02d-%04d %02d:%02d:%02d", tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    const std::string parteRutina = rutina.empty() ? std::string() : " - " + rutina;
    return std::string(fecha) + " Rutina: " + texto::Recortar(parteRutina) + " Mensaje " +
           texto::Recortar(mensaje) + " Respondió : " + PalabraRespuesta(respuesta);
}

void AgregarLineaRegistro(const std::string& ruta, const std::string& linea) {
    std::ofstream f(ruta, std::ios::app | std::ios::binary);
    if (!f) throw ErrorEjecucion(errnum::kRutaNoEncontrada, "No se puede abrir el archivo " + ruta);
    f << linea << "\r\n";
    f.flush();
    if (!f)
        throw ErrorEjecucion(errnum::kPermisoDenegado, "No se puede escribir el archivo " + ruta);
}

}  // namespace helperlib
