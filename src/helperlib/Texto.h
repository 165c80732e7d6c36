#pragma once
// Text helpers shared by every layer. Texts are UTF-8; positions and lengths are counted in
// characters (code points), as the suite's programs count them, never in bytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace helperlib {

namespace texto {

/// UTF-8 to code points and back. Invalid bytes are taken one by one as Latin-1 characters,
/// so no input is ever lost or rejected.
std::u32string AUtf32(std::string_view s);
/// Decodes the character at `p` (p < fin) and advances `p` past it; a byte that does not start
/// a valid sequence is taken alone as a Latin-1 character.
char32_t LeerCaracterUtf8(const unsigned char*& p, const unsigned char* fin);
std::string AUtf8(std::u32string_view s);

/// Upper / lower case of one character: ASCII plus the Latin-1 letters (á é í ó ú ü ñ ...).
char32_t MayusculaDe(char32_t c);
char32_t MinusculaDe(char32_t c);

/// Whole-text upper and lower case, accents and Ñ included ("ñandú" -> "ÑANDÚ").
std::string Mayusculas(std::string_view s);
std::string Minusculas(std::string_view s);

/// Equality ignoring letter case (accented letters and Ñ included).
bool IgualesSinCaso(std::string_view a, std::string_view b);

/// Equality ignoring the case of ASCII letters only; any other byte must match exactly (safe
/// on a slice that cuts a multi-byte character).
bool IgualesAsciiSinCaso(std::string_view a, std::string_view b);

/// 1-based position of `buscado` in `s` from character `desde` (1-based), ignoring case;
/// 0 when absent (like the classic InStr with text comparison).
int PosicionSinCaso(std::string_view s, std::string_view buscado, int desde = 1);
/// The same, comparing exactly.
int Posicion(std::string_view s, std::string_view buscado, int desde = 1);
bool ContieneSinCaso(std::string_view s, std::string_view buscado);

/// Whether `s` holds `buscado` ignoring the case of ASCII letters, without copying. For an
/// ASCII `buscado` it answers as ContieneSinCaso does (no other letter folds to ASCII).
bool ContieneAsciiSinCaso(std::string_view s, std::string_view buscado);

/// Blanks (the space character only, as the classic Trim) removed at the ends.
std::string Recortar(std::string_view s);
std::string RecortarIzq(std::string_view s);
std::string RecortarDer(std::string_view s);

/// Space or tab: the blanks allowed around the fields of the INI file and the connection list.
bool EsBlanco(char32_t c);
/// `s` without spaces and tabs at the ends.
std::string_view SinBlancos(std::string_view s);
/// Space, tab, carriage return or line feed: the white space of statements and connection
/// strings.
bool EsEspacio(char32_t c);
/// `s` without spaces, tabs, carriage returns and line feeds at the ends.
std::string_view SinEspacios(std::string_view s);

/// Number of characters.
int Largo(std::string_view s);
/// First / last `n` characters, and `n` characters from 1-based `inicio` (n < 0: to the end).
std::string Izquierda(std::string_view s, int n);
std::string Derecha(std::string_view s, int n);
std::string Medio(std::string_view s, int inicio, int n = -1);

/// Every occurrence of `de` replaced by `por` (exact comparison; empty `de` changes nothing).
std::string Reemplazar(std::string_view s, std::string_view de, std::string_view por);
/// Every occurrence of `de` replaced by `por`, comparing without letter case.
std::string ReemplazarSinCaso(std::string_view s, std::string_view de, std::string_view por);

/// `n` blanks.
std::string Espacios(int n);

/// Apostrophes doubled, for a value placed between apostrophes in a statement.
std::string DuplicarApostrofes(std::string_view s);

}  // namespace texto

}  // namespace helperlib
