#pragma once
// Which skin a user gets. The suite keeps one appearance value per operating-system user in
// "ld000pr.ini" (section: the user name in capitals followed by "Styles", key "Styles"); the
// same value chooses the window skin and the command toolbar's icon strip.
#include <cstdint>
#include <string>
#include <string_view>

namespace startup {

/// A skin: its file (or folder) relative to the program's folder, written with "\" as the
/// suite writes it, and the settings file passed with it ("" when none).
struct ArchivoPiel {
    std::string Piel;
    std::string Ajustes;
};

/// The appearance value of the current operating-system user as text (default "1" when the
/// file, the section or the key is missing). Never throws for a missing file.
std::string ValorEstiloUsuario();

/// The skin number of an appearance value: its numeric value as a 16-bit integer; a text that
/// is no number gives 0. A number outside the 16-bit range also gives 0 (the "any other value"
/// skin) instead of wrapping round onto one of the numbered skins.
std::int16_t NumeroDeEstilo(std::string_view valor);

/// The skin of a skin number: 1 "Styles\Vista.cjstyles", 2 "Styles\WinXP.Luna.cjstyles",
/// 3 "Styles\WinXP.Royale.cjstyles", 4 the folder "Styles\iTunes" with "Normalitunes.ini",
/// any other number "Styles\Office2007.cjstyles".
ArchivoPiel ArchivoDePiel(int numero);

/// Full path of a skin file relative to `carpetaPrograma` (which ends with a separator), with
/// the suite's "\" separators turned into "/".
std::string RutaEnPrograma(std::string_view carpetaPrograma, std::string_view relativa);

}  // namespace startup
