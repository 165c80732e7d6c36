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
    RegistrarErrorDatos(error, rutina, r, rutaRegistro);
    return r;
}

std::string MensajeRegistroDatos(const ErrorEjecucion& error) {
    std::string m = MensajeDeError(error.Numero(), error.Descripcion());
    const auto& detalle = error.Detalle();
    if (detalle && !detalle->TextoMotor.empty() && detalle->TextoMotor != error.Descripcion())
        m += " [" + detalle->TextoMotor + "]";
    return m;
}

void RegistrarErrorDatos(const ErrorEjecucion& error, const std::string& rutina, int respuesta,
                         const std::string& rutaRegistro) {
    try {
        const std::string ruta = rutaRegistro.empty() ? RutaRegistroPrograma() : rutaRegistro;
        AgregarLineaRegistro(ruta, LineaRegistroErrores(std::chrono::system_clock::now(), rutina,
                                                        MensajeRegistroDatos(error), respuesta));
    } catch (...) {
        // The log is a record, not a condition of going on: the answer still counts.
    }
}

void DB_Dll::RegistrarError(const ErrorEjecucion& error, const std::string& rutina, int respuesta) {
    RegistrarErrorDatos(error, rutina, respuesta, gLogErr);
}

int DB_Dll::TratamientoErrores(const ErrorEjecucion& CodErr, int Botones,
                               const std::string& Rutina) {
    return TratarErrorDatos(CodErr, Botones, Rutina, gLogErr);
}

}  // namespace data
