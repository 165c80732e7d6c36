#pragma once
// Small text, number, date, folder and password helpers used by every layer, plus the helper
// library's own error dialog and busy indicator. Texts are UTF-8 and lengths count characters.
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "ErrorEjecucion.h"
#include "Moneda.h"
#include "Pasos.h"

namespace helperlib {

/// Text of exactly `largo` characters: cut on the right, or padded with blanks on the right.
/// `largo` <= 0 gives "".
std::string LargoFijo(std::string_view texto, int largo);

/// The amount a text holds: blanks around it, one leading sign, "," or "." as the decimal
/// separator (see Moneda::Leer). A text that is not a number (also "" and blanks) gives 0.
/// Throws ErrorEjecucion(6) when the text is a number beyond the currency range.
Moneda ValorNumerico(std::string_view texto);

/// The whole number a text holds, read as ValorNumerico reads it and then rounded to the
/// nearest whole number, halves away from zero ("2,5" -> 3, "-2.5" -> -3). A text that is not
/// a number gives 0. Throws ErrorEjecucion(6) when the result does not fit in 32 bits.
int32_t NumeroDeTexto(std::string_view texto);

/// True when the text is empty or holds only blanks (space, tab, carriage return, line feed).
bool EsTextoVacio(std::string_view texto);

/// A value as text; Null (an empty optional) gives "". Accepts texts, optional texts, whole
/// numbers, amounts (shortest form) and any field type whose Value() returns an optional text
/// (the data layer's Campo), so this library needs no knowledge of the data layer.
std::string TextoDeValor(const std::optional<std::string>& valor);
std::string TextoDeValor(std::string_view valor);
std::string TextoDeValor(const char* valor);
std::string TextoDeValor(const std::string& valor);
std::string TextoDeValor(Moneda valor);
template <std::integral T>
requires(!std::same_as<T, bool> && !std::same_as<T, char>) std::string TextoDeValor(T valor) {
    return std::to_string(valor);
}
template <class C>
requires requires(const C& c) {
    { c.Value() } -> std::convertible_to<const std::optional<std::string>&>;
}
std::string TextoDeValor(const C& campo) {
    return TextoDeValor(static_cast<const std::optional<std::string>&>(campo.Value()));
}

/// Number of words: runs of characters other than blanks (space, tab, CR, LF).
int ContarPalabras(std::string_view texto);

/// The text with every occurrence of each given character removed. Each argument names the
/// characters to remove (usually one; an argument of several characters removes each of them;
/// empty arguments remove nothing). A NUL is passed as std::string(1, '\0').
std::string QuitarCaracter(std::string_view texto, std::string_view c1, std::string_view c2 = {},
                           std::string_view c3 = {});

/// Every occurrence of `de` replaced by `por`, comparing exactly (`de` empty: unchanged).
std::string ReemplazarCaracter(std::string_view texto, std::string_view de, std::string_view por);
/// Every occurrence of `de` replaced by `por`, ignoring letter case as the suite's names are
/// compared ("v_ma_articulos" is found by "V_MA_ARTICULOS").
std::string ReemplazarTexto(std::string_view texto, std::string_view de, std::string_view por);

/// With a width: the text brought to exactly `ancho` characters, blank-padded on the right or
/// cut on the right (as LargoFijo); an empty text therefore gives `ancho` blanks. Without a
/// width (nullopt or < 0): the text unchanged, as a cell text.
std::string AjustarAncho(std::string_view texto, std::optional<int> ancho = std::nullopt);

/// Date literal for a Jet statement, "#mm/dd/yyyy#" (with " hh:mm:ss" before the closing "#"
/// when the text carries a time). Reads "dd/mm/yyyy", "dd/mm/yy" (00-29 -> 20xx, 30-99 ->
/// 19xx), "-" or "." instead of "/", and "yyyy-mm-dd"; a time "hh:mm[:ss]" may follow after a
/// blank or "T". Throws ErrorEjecucion(13) when the text is not a valid date.
std::string FechaSQL(std::string_view texto);

/// The folder ending with the path separator. The suite's texts write "\"; on this platform the
/// separator is "/", so every "\" becomes "/" and one "/" is added when missing.
/// An empty folder stays "" (a path built on it stays relative instead of becoming the root).
std::string NormalizarCarpeta(std::string_view carpeta);

/// Reversible password encoding for the connection list: "~" followed by upper-case hex of the
/// bytes after a keyed transform. The result never contains a comma, a double quote, a blank or
/// a line break, so it survives a comma-separated file whose fields are trimmed. "" gives "".
std::string CodificarClave(std::string_view clave);
/// Inverse of CodificarClave. A text that is not an encoding (for instance a password written in
/// clear by hand) is returned unchanged.
std::string DecodificarClave(std::string_view codificada);

/// The helper library's error dialog: a message box with Abort/Retry/Ignore and the critical
/// icon (style 18), titled "Error en <rutina>" ("Error" without a routine), whose text carries
/// the error number and description. Returns 4 (retry), 5 (ignore) or 3 (abort; also for a box
/// closed any other way). It does not write the error log: the operator dialog does that.
int MostrarErrorConOpciones(const ErrorEjecucion& error, std::string_view rutina);
/// A step reporter (for EjecutarPasos) that asks through MostrarErrorConOpciones.
Reportero ReporteroConOpciones(std::string rutina);

/// Busy indicator (wait cursor) on or off, through the platform.
void IndicadorOcupado(bool encendido);

/// Busy indicator on for the lifetime of the object; switched off in the destructor.
class Ocupado {
  public:
    Ocupado() { IndicadorOcupado(true); }
    ~Ocupado() noexcept;
    Ocupado(const Ocupado&) = delete;
    Ocupado& operator=(const Ocupado&) = delete;
};

}  // namespace helperlib
