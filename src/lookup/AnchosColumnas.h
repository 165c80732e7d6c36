#pragma once
// The column-width file "CONSULTASLEN.KXW": one line per list source, two quoted texts
// separated by a comma — the source name and its column widths in twips, each followed by "|".
// Saving rewrites the file through "CONSULTASLEN.AUX", keeping every other source's line.
#include <optional>
#include <string>
#include <vector>

namespace lookup {

namespace anchos {

inline constexpr const char* kArchivo = "CONSULTASLEN.KXW";
inline constexpr const char* kAuxiliar = "CONSULTASLEN.AUX";

/// The name a source is stored under ("Stk_ma_articulos" is kept as "VT_MA_ARTICULOS").
std::string NombreGuardado(const std::string& fuente);

/// One line of the file (without the line end): "fuente","w1|w2|...|".
std::string ArmarLinea(const std::string& fuente, const std::vector<int>& anchos);

/// The two texts of a line; nullopt when the line does not hold two quoted texts.
struct LineaAnchos {
    std::string Fuente;
    std::string Anchos;
};
std::optional<LineaAnchos> LeerLinea(const std::string& linea);

/// The widths of a "w1|w2|" text; parts that are not numbers give 0.
std::vector<int> LeerAnchos(const std::string& lista);

/// The saved widths of `fuente` (case ignored) in the file `ruta`; nullopt when the file or the
/// line is missing. Malformed lines are skipped. Never throws.
std::optional<std::vector<int>> AnchosGuardados(const std::string& ruta, const std::string& fuente);

/// Replaces the line of `fuente` in the file of the folder `carpeta` (created when missing) by
/// one with `anchos`, keeping the other lines in their order. Throws ErrorEjecucion when a file
/// cannot be written or renamed.
void GrabarAnchos(const std::string& carpeta, const std::string& fuente,
                  const std::vector<int>& anchos);

}  // namespace anchos

}  // namespace lookup
