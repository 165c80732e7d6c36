#pragma once
// The saved-query file ("consultas.kxw"): fixed records of 1202 bytes, each naming a lookup
// source, the columns it shows (separated by "|") and its filter. Texts are single-byte
// Windows-1252 and come back as UTF-8. A short last record (a truncated file) is ignored.
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

/// Length in bytes of one record of the saved-query file.
inline constexpr std::size_t kLargoRegistroConsulta = 1202;

struct RegistroConsulta {
    std::string Nombre;    ///< lookup name, also the source named after FROM
    std::string Columnas;  ///< column names separated by "|"
    std::string Filtro;    ///< SQL condition without WHERE; may be ""
};

/// Single-byte Windows-1252 text converted to UTF-8. The five bytes the code page leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their Latin-1 meaning, so nothing is lost.
std::string DeWindows1252(std::string_view bytes);

/// One field of a record: NUL and code-255 bytes removed, converted to UTF-8, blanks trimmed.
std::string CampoRegistroConsulta(std::string_view bytes);

/// Reads one record; nullopt when `registro` is shorter than a whole record.
std::optional<RegistroConsulta> LeerRegistroConsulta(std::string_view registro);

/// The first record whose name equals `nombre` (both trimmed, case ignored), reading whole
/// records from the start of `entrada`; nullopt when none matches. Never throws for bad data.
std::optional<RegistroConsulta> BuscarConsultaGuardada(std::istream& entrada,
                                                       std::string_view nombre);
/// The same over the file at `ruta` (opened read-only and closed before returning); nullopt
/// also when the file cannot be opened.
std::optional<RegistroConsulta> BuscarConsultaGuardada(const std::string& ruta,
                                                       std::string_view nombre);

/// UTF-8 text as single-byte Windows-1252; nullopt when a character has no byte there.
std::optional<std::string> AWindows1252(std::string_view utf8);

/// One 1202-byte record: bytes 0..99 blank, name at 100, columns at 200, filter at 700 (each
/// blank-padded), CR LF at 1200. Throws std::invalid_argument when a field does not fit its
/// place or holds a character Windows-1252 cannot carry.
std::string RegistroEnBytes(const RegistroConsulta& registro);

/// The readable source of the file: one lookup a line, "name ; columns ; filter" (the filter
/// may be left out; columns separated by "|"); blank lines and lines starting with "#" are
/// skipped. Throws std::invalid_argument naming the line when one has no name or no columns.
std::vector<RegistroConsulta> LeerFuenteConsultas(std::istream& entrada);

}  // namespace lookup
