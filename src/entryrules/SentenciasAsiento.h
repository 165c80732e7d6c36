#pragma once
// The statements of the entry-numbering, voucher and fiscal-year rules, in the suite server's
// dialect. The rules build every statement here and nowhere else, so that the schema's indexes
// can be checked against exactly what runs. Text values are placed between apostrophes with
// their apostrophes doubled; numbers are written as numbers.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace entryrules::sentencias {

/// Fiscal years in order.
inline constexpr const char* kEjercicios = "SELECT * FROM MV_EJERCICIOS ORDER BY PERIODO";
/// The register type of the ordinary journal besides the empty one: the character of code 255
/// (in this program's UTF-8) followed by "RS".
inline constexpr const char* kRegistroComun = "\xC3\xBFRS";

/// Largest entry number of a month, period and register type; without `tipoReg` (empty), of
/// the ordinary register.
std::string UltimoNumeroAsiento(int mes, int periodo, std::string_view tipoReg);
/// Voucher books of a voucher type (width 4), of one business unit (width 4) when given.
std::string Talonarios(std::string_view codigo, std::optional<std::string_view> unidad);
/// The voucher type row (code of width 4).
std::string TipoComprobante(std::string_view codigo);
/// The first journal line carrying a voucher. `tipoReg` and `fecha` (a date literal for the
/// connected engine) add their conditions when given; `cuenta` adds the account condition when
/// it is not blank.
std::string ComprobanteUsado(std::optional<std::string_view> tipoReg, std::string_view codigo,
                             std::string_view sucursal, std::string_view numero,
                             std::string_view letra, std::optional<std::string_view> fecha,
                             std::string_view cuenta);
/// One fiscal year.
std::string Ejercicio(int periodo);
/// The fiscal years before `periodo`, in order.
std::string EjerciciosAnteriores(int periodo);
/// Journal lines of a period dated on or outside its limits (date literals of the engine).
std::string MovimientosFueraPeriodo(int periodo, std::string_view desde, std::string_view hasta);
/// An adjustment entry of the period.
std::string UltimoAjuste(int periodo);
/// Summary entries generated for a subledger in a period.
std::string ResumenesSubdiario(std::string_view subdiario, int periodo);
/// Voucher types of a subledger.
std::string ComprobantesDeSubdiario(std::string_view subdiario);
/// Whether a voucher type belongs to some subledger.
std::string SubdiarioDeComprobante(std::string_view tc);

// ---- Auxiliary subledger and the smaller journal lookups --------------------------------------

/// The user's rows of the subledger work table (`usuario` trimmed by the caller).
std::string BorrarAuxiliarDeUsuario(std::string_view usuario);
/// The entries (period, month, number) of a register type dated between two date literals of
/// the connected engine, in month and number order.
std::string AsientosDeSubdiario(std::string_view tipoReg, std::string_view desde,
                                std::string_view hasta);
/// The debit and credit lines of a register type's entries of one operative month within a
/// range of entry numbers (parameters: month, first number, last number), each entry's lines
/// by side and account.
std::string LineasDeAsientos(std::string_view tipoReg);
/// Code and name of `cuentas` accounts (one parameter each).
std::string NombresDeCuentas(size_t cuentas);
/// Inserts `filas` rows into the subledger work table (kValoresFilaAuxiliar parameters each).
std::string InsercionAuxiliar(size_t filas);
inline constexpr size_t kValoresFilaAuxiliar = 17;
/// Journal lines carrying a voucher (and, when given, a supplier account).
std::string LineasDeComprobante(std::string_view tc, std::string_view sucursal,
                                std::string_view numero, std::string_view letra,
                                std::optional<std::string_view> proveedor);
/// The ordinary lines of one entry carrying a voucher; with a supplier also of one period.
std::string LineasDeComprobanteEnAsiento(std::string_view tc, std::string_view sucursal,
                                         std::string_view numero, std::string_view letra,
                                         int32_t nroAsiento, int32_t mes, int32_t periodo,
                                         std::optional<std::string_view> proveedor);
/// A summary entry of a subledger by id, month of its first date and period.
std::string ResumenDeSubdiario(std::string_view subdiario, int32_t id, int32_t mes, int periodo);
/// The extra data of an account.
std::string DatosAdicionales(std::string_view codigo);
/// The largest fixed-asset code.
inline constexpr const char* kUltimoBien = "SELECT MAX(CODIGO) AS [ELCODIGO] FROM MA_BIENES";
/// The largest event id of a fixed asset.
std::string UltimaNovedadDeBien(int32_t codigo);

}  // namespace entryrules::sentencias
