#pragma once
// The suite's confidentiality scheme: a non-administrator's statements read the restricted
// "SS_" views instead of the protected tables. Pure text work; the data access object feeds it
// the session's administrator and confidentiality flags.
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

/// TraducirSinonimos with its work remembered: a text that differs from an earlier one only in
/// its literals' values (a key typed by a user) is answered from the translation of their
/// common form with its own literals set back in, and any other text translated before is
/// answered from memory. What is remembered belongs to one pair of session flags: asking with
/// other flags starts afresh. The answers are always those of TraducirSinonimos.
class TraductorSinonimos {
  public:
    std::string Traducir(const std::string& sql, bool esAdmin, bool confidencialidad);
    /// Traducir with the translation put in `sql` itself (its buffer is kept for the next one).
    void TraducirEn(std::string& sql, bool esAdmin, bool confidencialidad);

  private:
    /// Starts afresh when the session flags are not those of what is remembered.
    void Flags(bool esAdmin, bool confidencialidad);
    /// The translation through the form of `sql`; false (nothing done) when the form cannot
    /// stand for the text: no literal, an apostrophe outside the literals (in a quoted name or
    /// a comment, where the translation would see a literal the cut does not), or a literal
    /// holding a name the translation looks for in the whole text.
    bool PorForma(const std::string& sql, std::string& traducida);

    static constexpr size_t kGuardadas = 64;  // beyond it a store starts afresh
    bool esAdmin_ = false;
    bool confidencialidad_ = false;
    std::unordered_map<std::string, std::string> textos_;  // text -> translation
    // form (parts joined by NUL) -> the translation's parts between the literals
    std::unordered_map<std::string, std::vector<std::string>> formas_;
    std::vector<std::string> partes_, valores_;  // the last cut, kept for their buffers
    std::string traducida_;                      // TraducirEn's buffer
    std::string clave_;                          // and its form's key
};

}  // namespace data
