#pragma once
// The helper library's session object: it only remembers the program's folder that start-up
// hands it. Nothing in the program depends on any further effect.
#include <string>
#include <string_view>

/// Remembers `carpeta` (normalised to end with "/") for the rest of the process.
void FijarCarpetaSesion(std::string_view carpeta);
/// The folder last given to FijarCarpetaSesion, ending with "/"; "" before any call.
const std::string& CarpetaSesion();
