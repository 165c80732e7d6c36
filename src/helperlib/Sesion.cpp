#include "Sesion.h"

#include "Utilidades.h"

namespace {
std::string& Carpeta() {
    static std::string carpeta;  // the program runs on one thread
    return carpeta;
}
}  // namespace

void FijarCarpetaSesion(std::string_view carpeta) { Carpeta() = NormalizarCarpeta(carpeta); }

const std::string& CarpetaSesion() { return Carpeta(); }
