#include "Sistema.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "Plataforma.h"
#include "Utilidades.h"

namespace helperlib {

namespace fs = std::filesystem;

namespace {

bool Escribible(const fs::path& carpeta) {
    std::error_code ec;
    fs::create_directories(carpeta, ec);
    return fs::is_directory(carpeta, ec) && ::access(carpeta.c_str(), W_OK | X_OK) == 0;
}

std::string ConSeparador(std::string s) {
    if (s.empty() || s.back() != '/') s.push_back('/');
    return s;
}

}  // namespace

std::string NombreMaquina() { return plataforma().NombreMaquina(); }

std::string UsuarioSistema() { return plataforma().UsuarioSistema(); }

std::string CarpetaPrograma() {
    const std::string exe = plataforma().RutaEjecutable();
    if (exe.empty()) return {};
    return NormalizarCarpeta(std::filesystem::path(exe).parent_path().string());
}

std::string NombreEjecutable() {
    return std::filesystem::path(plataforma().RutaEjecutable()).stem().string();
}

std::string CarpetaAlternativa() {
    fs::path cache;
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute())
        cache = fs::path(xdg) / "asientos-modelo";
    else if (home && *home)
        cache = fs::path(home) / ".cache" / "asientos-modelo";
    if (!cache.empty() && Escribible(cache)) return ConSeparador(cache.string());
    std::error_code ec;
    const fs::path temporal = fs::temp_directory_path(ec);
    return ConSeparador(ec ? std::string("/tmp") : temporal.string());
}

bool AbrirConAsociacion(std::string_view documento, int /*mostrar*/) {
    return plataforma().AbrirDocumento(std::string(documento));
}

}  // namespace helperlib
