#pragma once
// The statements of the entry-numbering, voucher and fiscal-year rules, in the suite server's
// dialect. The rules build every statement here and nowhere else, so that the schema's indexes
// can be checked against exactly what runs. Text values are placed between apostrophes with
// their apostrophes doubled; numbers are written as numbers.
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

}  // namespace entryrules::sentencias
