#pragma once
// The connection's error collection: one entry per error the engine reported for the last
// failing operation (SQL state, native error, number, description), as callers read it.
#include <string>
#include <vector>

namespace data {

struct ErrorAdo {
    std::string EstadoSql;    // SQLSTATE, e.g. "08S01"
    long Nativo = 0;          // the engine's native error, mapped to the suite server's numbers
    long Numero = 0;          // the provider error number (e.g. 0x80040E14)
    std::string Descripcion;  // what the user is told
    std::string Origen;       // provider name shown as the error's source
    /// The engine's own text when Descripcion is the program's Spanish explanation of a
    /// common failure (full disk, read-only, file gone, locked, damaged); "" otherwise.
    std::string TextoMotor;
};

class ColeccionErrores {
  public:
    int Count() const { return static_cast<int>(errores_.size()); }
    const ErrorAdo& Item(int i) const { return errores_.at(static_cast<size_t>(i)); }
    void Clear() { errores_.clear(); }
    void Agregar(ErrorAdo e) { errores_.push_back(std::move(e)); }
    bool Vacia() const { return errores_.empty(); }

  private:
    std::vector<ErrorAdo> errores_;
};

}  // namespace data
