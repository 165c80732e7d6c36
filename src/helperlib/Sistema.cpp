#include "Sistema.h"

#include <sys/stat.h>
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

/// A folder that is this user's own: a real directory (not a link), owned by the user, that
/// nobody else may write to.
bool EsPropia(const fs::path& carpeta) {
    struct stat st {};
    return ::lstat(carpeta.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

/// The last resort for a writable folder: one of this user's own inside the system's temporary
/// folder ("asientos-modelo-<uid>", mode 0700), never the shared temporary folder itself, where
/// a file of another user with the same name would make every write fail. When that name is
/// taken by something that is not the user's own folder, a fresh private folder is made.
fs::path CarpetaTemporalPropia() {
    std::error_code ec;
    fs::path temporal = fs::temp_directory_path(ec);
    if (ec) temporal = "/tmp";
    const fs::path propia = temporal / ("asientos-modelo-" + std::to_string(::getuid()));
    ::mkdir(propia.c_str(), 0700);
    if (EsPropia(propia)) return propia;
    std::string plantilla = (temporal / "asientos-modelo-XXXXXX").string();
    if (::mkdtemp(plantilla.data())) return plantilla;
    return propia;  // nothing writable: the caller's write reports the failure
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
    return ConSeparador(CarpetaTemporalPropia().string());
}

bool AbrirConAsociacion(std::string_view documento, int /*mostrar*/) {
    return plataforma().AbrirDocumento(std::string(documento));
}

}  // namespace helperlib
