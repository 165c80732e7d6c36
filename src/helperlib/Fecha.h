#pragma once
// Calendar dates as the suite writes them: typed or configured as "dd/mm/yyyy" (or "dd/mm/yy"),
// stored by the databases as "yyyy-mm-dd hh:mm:ss". One reader for every form, so that a date
// read from a box, from the configuration or from a column compares and prints the same way.
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace helperlib {

/// A date with an optional time of day (midnight when the text carried none).
struct Fecha {
    int Anio = 0;
    int Mes = 0;
    int Dia = 0;
    int Hora = 0;
    int Minuto = 0;
    int Segundo = 0;
    auto operator<=>(const Fecha&) const = default;
};

/// Days of `mes` (1..12) in `anio`, leap years included.
int DiasDelMes(int anio, int mes);

/// The date a text holds: "dd/mm/yyyy", "dd/mm/yy" (00-29 -> 20xx, 30-99 -> 19xx), "-" or "."
/// instead of "/", or "yyyy-mm-dd"; a time "hh:mm[:ss]" may follow after a blank or "T"
/// (fractions of a second are dropped). Blanks around the text are ignored. nullopt when the
/// text is not a valid calendar date (31/02/2024, 13th month, letters, "").
std::optional<Fecha> LeerFecha(std::string_view texto);

/// The same, for a text that must be a date: throws ErrorEjecucion 13 (type mismatch) naming
/// the text when it is not one.
Fecha FechaDeTexto(std::string_view texto);

/// "dd/mm/yyyy" (the time is not written).
std::string FormatoDiaMesAnio(const Fecha& f);

}  // namespace helperlib
