#pragma once
// The accounting-entry rules: the account check digit and the checks on accounts of the chart
// (MA_CUENTAS), entry numbers and voucher rules, and the fiscal-year and period checks. One
// instance per user; it queries through the data access object it is given.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "ErrorEjecucion.h"
#include "Fecha.h"
#include "Motor.h"
#include "Pasos.h"

namespace data {
class DB_Dll;
class Recordset;
}  // namespace data

namespace entryrules {

struct EntornoSubdiarios;

/// Asks the operator what to do about a failure in routine `rutina`; returns the answer code
/// (4 retry the step, 5 go on with the next step, anything else leave the routine).
using ReporteroRutina =
    std::function<int(const helperlib::ErrorEjecucion&, const std::string& rutina)>;

/// Column values of an account that ExisteCuentas hands back (Null stays nullopt).
struct DatosCuenta {
    data::ValorSql Tipo;         // Titulo: true for a heading account
    data::ValorSql NombreLeido;  // Descripcion
    data::ValorSql BiendeUso;    // BIENES
    data::ValorSql Ajustable;    // Ajuste
};

/// What the rules take from the session's start-up layer, which this library does not reach:
/// the application passes its configuration reader and voucher-number printer.
struct ServiciosSesion {
    /// One configuration value as the suite reads it: its text ("" for Null), a single blank
    /// " " when the key is missing.
    std::function<std::string(std::string_view clave)> Cfg;
    /// The printed voucher number of a branch, number and letter ("0001-00000123A").
    std::function<std::string(std::string_view sucursal, std::string_view numero,
                              std::string_view letra)>
        ArmarNroComprobante;
};

/// What EliminaCarNroAsiento gives back: a text, or a 32-bit number when asked for one.
using ValorAsiento = std::variant<std::string, int32_t>;

/// Outputs of ValidaComprobante besides its answer.
struct ComprobanteRegistrado {
    std::string Mensaje;       // why the voucher may not be used ("" when it may)
    std::string MesOP;         // operative month of the entry that carries it
    std::string NroAsiento;    // number of that entry
    std::string PeriodoModif;  // period of that entry
};

class Lbc_Asiento {
  public:
    /// `db` must outlive the object. The current period is read from the configuration key
    /// "PERIODO" through `servicios.Cfg`. Throws ErrorEjecucion 13 (type mismatch) naming the
    /// key when it is missing or not a whole number, 6 when it does not fit in 16 bits, 5 when
    /// a service is not given. `reportero` receives every trapped failure; when empty, failures
    /// are answered "leave" without showing anything.
    Lbc_Asiento(data::DB_Dll& db, entryrules::ServiciosSesion servicios,
                ReporteroRutina reportero = {});

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

    /// The class's current period (fiscal year number).
    int16_t PeriodoActual() const { return periodo_; }

    /// Voucher book found by the last DatosComprobante; 0 when none.
    int16_t gTalonario = 0;

    // ---- Entry numbers and vouchers ------------------------------------------------------
    // The formatting operations trap nothing: a text that is not a number or a date throws
    // ErrorEjecucion 13 (6 for a number out of range) to the caller.

    /// Month of `fecha` (a date text) as "00", "-", the entry number as "0000000": 03-0000045.
    static std::string FormatDisplayNroAsiento(int32_t NroAsiento, std::string_view fecha);
    /// The number part of a printed entry number (after the first "-"), as a number without
    /// padding: "03-0000045" -> "45".
    static std::string FormatNroAsiento(std::string_view Nro_Con_Formato);
    /// The printed form of a typed entry number: "030000045" and "03-45" give "03-0000045".
    /// With fewer than 3 characters once the "-" are removed, the text is returned unchanged.
    static std::string FMTNroAsiento(std::string_view NroAsiento);
    /// Month and number joined without padding ("03-0000045" -> "345"), split at `Char` ("-"
    /// when not given); a text without the separator stays as it is, "" stays "". `Tipo` 3 or
    /// 2 gives the value as a 32-bit number, any other `Tipo` (or none) as text.
    static entryrules::ValorAsiento EliminaCarNroAsiento(
        std::string_view QueAsiento, std::optional<int> Tipo = std::nullopt,
        std::optional<std::string_view> Char = std::nullopt);

    /// The next free entry number of operative month `Mes` in `Periodo` (the current period
    /// when not given) for the register type `Tipo_Reg` (trimmed; the ordinary register when
    /// empty or not given): the largest number used + 1, or 1. Failures go to the reporter as
    /// "UltimoNumeroAsiento"; leaving gives 0.
    int32_t UltimoNumeroAsiento(int Mes, std::optional<std::string_view> Tipo_Reg = std::nullopt,
                                std::optional<int> Periodo = std::nullopt);
    /// The voucher letter for a customer's VAT condition and the company's ("CONDIVA"): a
    /// registered company (1) bills "B" to conditions above 2 and "A" to the rest; any other
    /// company bills "C"; "Z" when "CONDIVA" is missing.
    std::string DeterminaLetra(std::string_view COND_IVA_CLIEN);
    /// Default branch ("0000") and last number used ("00000000") of letter `L` in the first
    /// voucher book of type `TC` for business unit `Uneg` (any unit when none has one, or when
    /// `Uneg` is empty); `L` is trimmed and gTalonario set. No book: `suc`, `Nro` and `L`
    /// become "" and gTalonario 0. A letter other than A, B, C, X, E, M, R changes nothing.
    /// Failures go to the reporter as "DatosComprobante".
    void DatosComprobante(std::string_view TC, std::string& suc, std::string& Nro, std::string& L,
                          std::string_view Uneg);
    /// True for voucher types entered as received (numbered outside): FCC, NDC, NCC, FPC and
    /// NCCP; false for FC, ND, NC, FP, NCFP, CBFP and PGFP, both without reading the database;
    /// any other type by its last letter having no numbering (last number and range all 0).
    /// Failures go to the reporter as "ComprobanteEntrada"; leaving gives false.
    bool ComprobanteEntrada(std::string_view TC);
    /// The duplicate-voucher check: true when no journal line carries the voucher (type, branch,
    /// `Numero`, letter, and `Cuenta` when not blank). When one does and the type keeps its
    /// numbering, `salida` tells where it is registered and the answer is false. When the type
    /// lets the number change, the next number is proposed: accepted, `Numero` takes it and it
    /// is checked in turn; refused, `Numero` returns to its value on entry, `salida.Mensaje` is
    /// "Comprobante duplicado" and the answer is false. A failure is shown with its description
    /// and gives false.
    bool ValidaComprobante(std::string_view TC, std::string_view Sucursal, std::string& Numero,
                           std::string_view letra, entryrules::ComprobanteRegistrado& salida,
                           std::string_view FechaAsto, std::string_view Cuenta);

    // ---- Fiscal years and periods ----------------------------------------------------------

    /// First and last date ("dd/mm/yyyy") of fiscal year `Periodo` (the current period when not
    /// given or empty; then given back filled). No such year: both "" and the operator is told
    /// how to create one. Failures reach the caller.
    void EjercicioRango(std::string& FhDesde, std::string& FhHasta,
                        std::optional<int>* Periodo = nullptr);
    /// True when neither date (texts) falls inside a fiscal year, limits included, other than
    /// year `lPeriodo` when given. A text that is not a date throws ErrorEjecucion 13.
    bool ValidaRangoFechaEjercicio(std::string_view Fecha_Desde, std::string_view Fecha_Hasta,
                                   std::optional<int> lPeriodo = std::nullopt);
    /// Whether the current period (first replaced by `Periodo` when that is not empty) is open
    /// for entries: false with `Mensaje` when no year exists (`lNoCreado` raised), when the year
    /// is closed or its results cancelled, or when the previous year is not closed. A period
    /// without a year is open. `lCierre` and `lCancelacion` receive the year's flags. Failures
    /// go to the reporter as "ValidaEstadoPeriodoActual"; leaving gives false.
    bool ValidaEstadoPeriodoActual(std::string& Mensaje, bool* lCierre = nullptr,
                                   bool* lCancelacion = nullptr, bool* lNoCreado = nullptr,
                                   std::string_view Periodo = {});
    /// Last date of the last fiscal year; nullopt (the empty date) when there is none. Failures
    /// go to the reporter as "FechaHastaUltimoPeriodo"; leaving gives nullopt.
    std::optional<helperlib::Fecha> FechaHastaUltimoPeriodo();
    /// Whether the latest year before `QueEjercicio` has its closing done (or its books
    /// closed); true when there is none. "-1" stands for the current period and is replaced by
    /// it. A text that is not a whole number throws ErrorEjecucion 13.
    bool EjercicioAnteriorCerrado(std::string& QueEjercicio);
    /// True when `Periodo` has journal lines dated on or outside the dates given (texts), the
    /// limits themselves included. Failures go to the reporter as "ExistenMovFueraPeriodo";
    /// leaving gives false.
    bool ExistenMovFueraPeriodo(int Periodo, std::string_view NFecha_Desde,
                                std::string_view NFecha_Hasta);
    /// Checks a typed date: empty, not a date, or outside the operative dates "FECHAOPERDESDE"
    /// .. "FECHAOPERHASTA" (limits included) raise `lhayError` with `Mensaje`; a valid date
    /// leaves both as they were. Operative dates that are not dates throw ErrorEjecucion 13.
    void FechaValidada(std::string_view Campo, std::string& Mensaje, bool& lhayError);
    /// Last day of month `Mes` of `Anio` (texts): 28 to 31. Throws ErrorEjecucion 13 when no
    /// day of that month is a date (a month that does not exist).
    static int16_t UltimoDiaMes(std::string_view Mes, std::string_view Anio);
    /// An adjustment entry of the current period: its date ("dd/mm/yyyy"), the period it
    /// adjusts up to and its number; "", "" and 0 when there is none. Failures reach the caller.
    void UltimoAjuste(std::string& fecha, std::string& Periodo, int32_t& NroAsiento);
    /// False when `fecha` (a date text) lies in a summary entry, not cancelled, generated for
    /// `Subdiario` in the current period. Failures reach the caller.
    bool ValidaFechaSubdiario(std::string_view fecha, std::string_view Subdiario);
    /// True when voucher type `TC` belongs to `Subdiario` (both trimmed, case ignored).
    /// Failures go to the reporter as "ValidaSubdiarioTC"; leaving gives false.
    bool ValidaSubdiarioTC(std::string_view Subdiario, std::string_view TC);
    /// True when voucher type `Tipo` (trimmed) belongs to some subledger. Failures go to the
    /// reporter as "ValidaTCRegistraciones"; leaving gives false.
    bool ValidaTCRegistraciones(std::string_view Tipo);

    // ---- Auxiliary subledger and the smaller journal lookups (Subdiarios*.cpp) ----------

    /// Replaces the user's rows of AUX_SUBDIARIOS by one row per pair of a debit and a credit
    /// line of every entry of register type `TipoSub` dated from `Fecha_Desde` (blank: it
    /// becomes "01/01/1990") to `Fecha_Hasta`, in one transaction, showing the progress notice
    /// of `entorno`, whose cancel button offers to stop (rows written so far are kept). A
    /// failing step goes to the reporter as "GeneraAuxiliarSubdiarios": 4 repeats it, 5 goes
    /// on, anything else rolls everything back. The notice is closed on every way out.
    void GeneraAuxiliarSubdiarios(const entryrules::EntornoSubdiarios& entorno,
                                  std::string& Fecha_Desde, const std::string& Fecha_Hasta,
                                  const std::string& TipoSub, bool EsArchivoLegal = false);

    /// True (after telling the user) when the summary entry "month-number" of the subledger,
    /// in the current period, was cancelled (Anulado).
    bool AsientoResumenAnulado(const std::string& Subdiario,
                               const std::string& NroAsiento_ConFomato);
    /// True when a journal line carries the voucher (and, when given, the supplier account
    /// CABCUENTA). With `lrcsaux` the lines stay open in it for the caller.
    bool ExisteEnMVAsientos(const std::string& TC, const std::string& suc, const std::string& Nro,
                            const std::string& L,
                            const std::optional<std::string>& Proveedor = std::nullopt,
                            data::Recordset* lrcsaux = nullptr);
    /// The same restricted to one entry (number, operative month; with a supplier also the
    /// period) and to lines that are not summaries.
    bool ExisteEnMVAsientos2(const std::string& TC, const std::string& suc, const std::string& Nro,
                             const std::string& L, const std::string& Tipo_Reg,
                             const std::string& NroAsiento, const std::string& MesOP,
                             const std::string& Periodo,
                             const std::optional<std::string>& Proveedor = std::nullopt,
                             data::Recordset* lrcsaux = nullptr);
    /// Opens the extra data of the account into `LRsTmp` (closed first, left open) and tells
    /// whether there is any.
    bool ExisteDatosAdicionales(const std::string& Valor_Buscado, data::Recordset& LRsTmp);
    /// The next fixed-asset code: "1" when there is none yet; "" when the reading is left.
    std::string UltimoIDBienDeUso();
    /// The next event id of the asset: "1" when it has none yet; "" when the reading is left.
    std::string UltimoIDNovedadBienDeUso(const std::string& CodigoBien);

  private:
    int Reportar(const helperlib::ErrorEjecucion& e, const char* rutina) const;
    /// A step reporter that asks the operator about failures of `rutina`.
    helperlib::Reportero ReporteroDe(const char* rutina) const;
    /// Opens `sql` on the connection with a dynamic cursor and optimistic locking.
    void Abrir(std::string sql, data::Recordset& rs);
    /// One search of ValidaComprobante; true when a journal line carries the voucher.
    bool BuscarComprobante(std::optional<std::string_view> tipoReg, std::string_view codigo,
                           std::string_view sucursal, std::string_view numero,
                           std::string_view letra, std::optional<std::string_view> fecha,
                           std::string_view cuenta, data::Recordset& rs);

    data::DB_Dll& db_;
    entryrules::ServiciosSesion servicios_;
    ReporteroRutina reportero_;
    int16_t periodo_ = 0;
};

/// Finds an account by its main code or by its alternative code (CodigoOpcional).
/// First searches by the alternative code when `porCodigoOpcional` is true, by the main code
/// otherwise, and then by the other one. On success `codigo` holds the account's main code and
/// `porCodigoOpcional` tells whether it was found by the alternative code. When `rs` is given
/// it is left open on the last query, positioned on the found row. Opens read-only and
/// forward-only when `soloLectura`, else dynamic and optimistic. Data-layer failures are handled
/// by the data layer; what escapes it reaches the caller.
bool BuscarCuenta(data::DB_Dll& db, std::string& codigo, data::Recordset* rs, bool soloLectura,
                  bool& porCodigoOpcional);

}  // namespace entryrules
