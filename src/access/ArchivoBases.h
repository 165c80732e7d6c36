#pragma once
// The connection list BASES.TXT of the program's folder: one registered connection per line,
// five comma-separated fields (name shown in the list, database, login, encoded password,
// server as typed), lines ended by carriage return and line feed. No Qt here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace acceso {

/// One usable line of the connection list, with the password already decoded.
struct ConexionRegistrada {
    std::string Nombre;  ///< as read (unquoted fields are already free of outer blanks)
    std::string Base;
    std::string Usuario;
    std::string Clave;     ///< decoded
    std::string Servidor;  ///< as typed, possibly "srv1:1500"
};

/// The connection list's file name.
inline constexpr const char* kArchivoBases = "BASES.TXT";

/// Lines beyond this count are not read (the list's line counter is a 16-bit number).
inline constexpr int kMaxLineasBases = 32767;

/// Splits one line by the comma-separated field rules: a comma ends a field, a field in double
/// quotes may hold commas, blanks (space, tab) around unquoted fields and around the quotes are
/// dropped. Returns nullopt for a line whose quotes are not well formed (an unclosed quote, a
/// quote inside an unquoted field, text after a closing quote).
std::optional<std::vector<std::string>> PartirCampos(std::string_view linea);

/// The usable connection of a line: exactly five fields, first field not blank, password
/// decodable. nullopt for any other line (such lines are ignored, never fatal).
std::optional<ConexionRegistrada> LeerLineaBase(std::string_view linea);

/// The line written for a connection (without its line end): each field trimmed, the password
/// encoded with CodificarClave; a field holding a comma is written between double quotes.
/// Throws ErrorEjecucion(5) when a field holds a double quote or a line break, which the file
/// format cannot carry, or the password a control character, which reading would refuse.
std::string ArmarLineaBase(std::string_view nombre, std::string_view base, std::string_view usuario,
                           std::string_view clave, std::string_view servidor);

class ArchivoBases {
  public:
    /// `ruta` is the full path of the file.
    explicit ArchivoBases(std::string ruta);
    /// The file of the program's folder: NormalizarCarpeta(folder of the executable) +
    /// "BASES.TXT".
    static std::string RutaEnCarpetaPrograma();

    const std::string& Ruta() const { return ruta_; }
    /// True when the file can be opened for reading.
    bool Existe() const;
    /// The usable connections, in file order (at most kMaxLineasBases lines are read).
    /// A missing file gives an empty list. Throws ErrorEjecucion when the file exists but
    /// cannot be read.
    std::vector<ConexionRegistrada> Leer() const;
    /// The first usable connection whose name, trimmed, equals `nombre` trimmed (exact
    /// comparison, letter case counts); nullopt when none. Throws like Leer().
    std::optional<ConexionRegistrada> Buscar(std::string_view nombre) const;
    /// Appends one line (ArmarLineaBase + CR LF), creating the file when missing.
    /// Throws ErrorEjecucion(75) with a Spanish description naming the file when it cannot be
    /// opened or written; ErrorEjecucion(5) for a field the format cannot carry.
    void Agregar(std::string_view nombre, std::string_view base, std::string_view usuario,
                 std::string_view clave, std::string_view servidor) const;

  private:
    std::string ruta_;
};

}  // namespace acceso
