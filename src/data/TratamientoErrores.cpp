#include "TratamientoErrores.h"

#include <chrono>
#include <filesystem>

#include "DB_Dll.h"
#include "Plataforma.h"
#include "RegistroErrores.h"
#include "Sistema.h"
#include "UbicacionArchivos.h"
#include "Utilidades.h"

using namespace helperlib;

namespace data {

std::string RutaRegistroPrograma() {
    return UbicacionArchivos::Para(CarpetaPrograma()).ParaEscribir("KXERR.LOG");
}

int TratarErrorDatos(const ErrorEjecucion& error, int botones, const std::string& rutina,
                     const std::string& rutaRegistro) {
    if (error.Numero() == 0) return 0;
    const std::string mensaje = MensajeDeError(error.Numero(), error.Descripcion());
    const std::string parteRutina = rutina.empty() ? std::string() : " - " + rutina;
    const std::string titulo = error.Origen() + parteRutina + " Aviso al operador!!! - 5 ";
    const int r = plataforma().MsgBox(mensaje, botones, titulo);
    try {
        const std::string ruta = rutaRegistro.empty() ? RutaRegistroPrograma() : rutaRegistro;
        AgregarLineaRegistro(
            ruta, LineaRegistroErrores(std::chrono::system_clock::now(), rutina, mensaje, r));
    } catch (...) {
        // The log is a record, not a condition of going on: the answer still counts.
    }
    return r;
}

int DB_Dll::TratamientoErrores(const ErrorEjecucion& CodErr, int Botones,
                               const std::string& Rutina) {
    return TratarErrorDatos(CodErr, Botones, Rutina, gLogErr);
}

}  // namespace data
