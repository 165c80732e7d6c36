#pragma once
// The run-time error of the program: number, description and source, as the classic run-time
// error object carries them. Every procedure that traps failures receives one of these.
#include <stdexcept>
#include <string>

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

class ErrorEjecucion : public std::runtime_error {
  public:
    ErrorEjecucion(long numero, std::string descripcion, std::string origen = "AsientosModelo",
                   std::string detalle = "")
        : std::runtime_error(descripcion),
          numero_(numero),
          descripcion_(std::move(descripcion)),
          origen_(std::move(origen)),
          detalle_(std::move(detalle)) {}

    long Numero() const noexcept { return numero_; }
    /// What the user is told.
    const std::string& Descripcion() const noexcept { return descripcion_; }
    const std::string& Origen() const noexcept { return origen_; }
    /// The database engine's own text when the description is the program's translation of
    /// it ("" otherwise): it belongs in the error log, not in front of the user.
    const std::string& Detalle() const noexcept { return detalle_; }

  private:
    long numero_;
    std::string descripcion_;
    std::string origen_;
    std::string detalle_;
};
