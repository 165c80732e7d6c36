#pragma once
// The suite's confidentiality scheme: a non-administrator's statements read the restricted
// "SS_" views instead of the protected tables. Pure text work; the data access object feeds it
// the session's administrator and confidentiality flags.
#include <array>
#include <string>
#include <string_view>

namespace data {

/// A protected object and the restricted view a non-administrator reads instead.
struct ObjetoProtegido {
    std::string_view Objeto;
    std::string_view Vista;
};

/// The protected objects in the order their redirections are applied. The view of
/// AC_CUENTASDIARIO_CCOSTO is spelled "CUENTAS_DIARIO" as the suite created it.
inline constexpr std::array<ObjetoProtegido, 7> kObjetosProtegidos = {{
    {"MA_CUENTAS", "SS_MA_CUENTAS"},
    {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
    {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
    {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
    {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
    {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
    {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
}};

/// Written in front of a protected name, asks for the real table even for a non-administrator.
inline constexpr std::string_view kMarcaAdmin = "@Admin_";

/// The statement as the session may send it. An administrator's statement only loses the
/// "@Admin_" markers. For anyone else every protected name in a recognised context (" X ",
/// "(X ", " X.", "(X.", ",X." and, for MA_CUENTAS, "{X.") becomes its view, case ignored and
/// the surrounding characters kept; a statement on MV_ASIENTOS is redirected only with
/// `confidencialidad`, and one carrying "@Admin_" keeps MA_CUENTAS everywhere. Names inside
/// apostrophe literals are never touched, markers included. Never throws
/// for any input.
std::string TraducirSinonimos(const std::string& sql, bool esAdmin, bool confidencialidad);

}  // namespace data
