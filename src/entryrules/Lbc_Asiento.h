#pragma once
// The accounting-entry rules: the account check digit and the checks on accounts of the chart
// (MA_CUENTAS). One instance per user; it queries through the data access object it is given.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ErrorEjecucion.h"
#include "Motor.h"

class DB_Dll;

/// Asks the operator what to do about a failure in routine `rutina`; returns the answer code
/// (4 retry the step, 5 go on with the next step, anything else leave the routine).
using ReporteroRutina = std::function<int(const ErrorEjecucion&, const std::string& rutina)>;

/// Column values of an account that ExisteCuentas hands back (Null stays nullopt).
struct DatosCuenta {
    ValorSql Tipo;         // Titulo: true for a heading account
    ValorSql NombreLeido;  // Descripcion
    ValorSql BiendeUso;    // BIENES
    ValorSql Ajustable;    // Ajuste
};

class Lbc_Asiento {
  public:
    /// `db` must outlive the object. `reportero` receives every trapped failure of the account
    /// checks; when empty, failures are answered "leave" without showing anything.
    explicit Lbc_Asiento(DB_Dll& db, ReporteroRutina reportero = {});

    /// Check digit of an account code, 0..99: the digits weighted 9, 7, 5, 3, 1, 9, ... from the
    /// left (any other character weighs a zero digit), summed, and divided by ten while above
    /// 99. No database access. Throws ErrorEjecucion 6 (overflow) when the 16-bit sum would
    /// pass 32767, which only codes hundreds of characters long can reach.
    static int16_t CalculoDV(std::string_view cuenta);

    /// True when the account (trimmed, NUL characters removed) exists, is neither closed nor
    /// blocked, and is not a heading account. Failures go to the reporter as "CuentaImputable".
    bool CuentaImputable(const std::string& cuenta);

    /// True when an account with the trimmed code exists and is neither closed nor blocked.
    /// When `datos` is given and the account is usable, it receives the account's columns;
    /// otherwise it is left as it was. Failures go to the reporter as "ExisteCuentas".
    bool ExisteCuentas(const std::string& valorBuscado, DatosCuenta* datos = nullptr);

  private:
    int Reportar(const ErrorEjecucion& e, const char* rutina) const;

    DB_Dll& db_;
    ReporteroRutina reportero_;
};

/// Finds an account by its main code or by its alternative code (CodigoOpcional).
/// First searches by the alternative code when `porCodigoOpcional` is true, by the main code
/// otherwise, and then by the other one. On success `codigo` holds the account's main code and
/// `porCodigoOpcional` tells whether it was found by the alternative code. When `rs` is given
/// it is left open on the last query, positioned on the found row. Opens read-only and
/// forward-only when `soloLectura`, else dynamic and optimistic. Data-layer failures are handled
/// by the data layer; what escapes it reaches the caller.
bool BuscarCuenta(DB_Dll& db, std::string& codigo, class Recordset* rs, bool soloLectura,
                  bool& porCodigoOpcional);
