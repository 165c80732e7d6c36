#pragma once
// The run-time error of the program: number, description and source, as the classic run-time
// error object carries them, plus, for a database failure, the SQL state, the engine's native
// code and the statement. Every procedure that traps failures receives one of these.
#include <optional>
#include <stdexcept>
#include <string>

namespace helperlib {

/// Error numbers that the recovery logic keys on.
namespace errnum {
inline constexpr long kArgumentoInvalido = 5;        // invalid procedure call or argument
inline constexpr long kDesbordamiento = 6;           // overflow
inline constexpr long kTiposNoCoinciden = 13;        // type mismatch
inline constexpr long kArchivoNoEncontrado = 53;     // file not found
inline constexpr long kPermisoDenegado = 70;         // permission denied
inline constexpr long kRutaNoEncontrada = 76;        // path not found
inline constexpr long kElementoNoEncontrado = 3265;  // item not found in the collection
inline constexpr long kObjetoCerrado = 3704;     // operation not allowed when the object is closed
inline constexpr long kObjetoAbierto = 3705;     // operation not allowed when the object is open
inline constexpr long kConexionInvalida = 3709;  // the connection cannot be used
inline constexpr long kOperacionNoPermitida = 3219;  // operation not allowed in this context
inline constexpr long kEFail = static_cast<long>(0x80004005);
inline constexpr long kErroresEnComando = static_cast<long>(0x80040E14);
inline constexpr long kTablaInexistente = static_cast<long>(0x80040E37);
inline constexpr long kViolacionIntegridad = static_cast<long>(0x80040E2F);
}  // namespace errnum

/// What the database adds to a failure it reports.
struct DetalleBaseDatos {
    std::string EstadoSql;  ///< SQL state ("08S01", "22001", ...)
    long Nativo = 0;        ///< the suite server's native error (11 lost link, 8152 truncation...)
    std::string Sentencia;  ///< the statement that failed; "" when no statement was running
    /// The engine's own text when the description is the program's translation of it ("" when
    /// the description is the engine's text): it belongs in the error log, not before the user.
    std::string TextoMotor;
};

class ErrorEjecucion : public std::runtime_error {
  public:
    ErrorEjecucion(long numero, std::string descripcion, std::string origen = "AsientosModelo",
                   std::optional<DetalleBaseDatos> detalle = std::nullopt)
        : std::runtime_error(descripcion),
          numero_(numero),
          descripcion_(std::move(descripcion)),
          origen_(std::move(origen)),
          detalle_(std::move(detalle)) {}

    long Numero() const noexcept { return numero_; }
    const std::string& Descripcion() const noexcept { return descripcion_; }
    const std::string& Origen() const noexcept { return origen_; }
    /// The database's part of the failure; nullopt for failures that are not the database's.
    const std::optional<DetalleBaseDatos>& Detalle() const noexcept { return detalle_; }

  private:
    long numero_;
    std::string descripcion_;
    std::string origen_;
    std::optional<DetalleBaseDatos> detalle_;
};

}  // namespace helperlib
