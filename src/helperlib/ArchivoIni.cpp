#include "ArchivoIni.h"

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "ErrorEjecucion.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"

namespace helperlib {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSubcarpeta = "asientos-modelo";

// One line of the file, classified.
struct Linea {
    enum Tipo { Otra, Seccion, Clave } tipo = Otra;
    std::string nombre;  // section or key name, trimmed
    std::string valor;   // key value, trimmed, enclosing quotes removed
};

Linea Clasificar(std::string_view cruda) {
    Linea l;
    std::string_view t = texto::SinBlancos(cruda);
    if (t.empty() || t.front() == ';') return l;
    if (t.front() == '[') {
        t.remove_prefix(1);
        if (const auto fin = t.rfind(']'); fin != std::string_view::npos) t = t.substr(0, fin);
        l.tipo = Linea::Seccion;
        l.nombre = texto::SinBlancos(t);
        return l;
    }
    const auto igual = t.find('=');
    if (igual == std::string_view::npos) return l;
    l.tipo = Linea::Clave;
    l.nombre = texto::SinBlancos(t.substr(0, igual));
    std::string_view v = texto::SinBlancos(t.substr(igual + 1));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    l.valor = v;
    return l;
}

// The file's lines without their line ends (every CR that ends a line goes, so a line reads the
// same before and after the file is written back); `crlf` tells whether the file used CR LF.
std::optional<std::vector<std::string>> LeerLineas(const fs::path& ruta, bool* crlf = nullptr) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) return std::nullopt;
    std::stringstream ss;
    ss << f.rdbuf();
    std::string todo = ss.str();
    if (f.bad()) return std::nullopt;
    if (todo.starts_with("\xEF\xBB\xBF")) todo.erase(0, 3);
    if (crlf) *crlf = todo.find("\r\n") != std::string::npos;
    std::vector<std::string> lineas;
    size_t inicio = 0;
    while (inicio < todo.size()) {
        size_t fin = todo.find('\n', inicio);
        if (fin == std::string::npos) fin = todo.size();
        std::string l = todo.substr(inicio, fin - inicio);
        while (!l.empty() && l.back() == '\r') l.pop_back();  // CR LF, and stray CRs before it
        lineas.push_back(std::move(l));
        inicio = fin + 1;
    }
    return lineas;
}

// Latin-1 bytes (files written by Windows programs) become UTF-8; UTF-8 stays as it is.
std::string ComoUtf8(std::string_view s) { return texto::AUtf8(texto::AUtf32(s)); }

bool EsNombreSolo(std::string_view archivo) {
    return archivo.find('/') == std::string_view::npos &&
           archivo.find('\\') == std::string_view::npos;
}

std::optional<fs::path> BuscarEnCarpeta(const fs::path& carpeta, const std::string& nombre) {
    std::error_code ec;
    if (carpeta.empty() || nombre.empty()) return std::nullopt;
    if (fs::is_regular_file(carpeta / nombre, ec)) return carpeta / nombre;
    // The folder's names as the system lists them: a path is built only for a name that
    // matches, not for every file of a large folder.
    const std::unique_ptr<DIR, int (*)(DIR*)> lista(opendir(carpeta.c_str()), closedir);
    if (!lista) return std::nullopt;
    std::vector<fs::path> candidatos;
    while (const dirent* entrada = readdir(lista.get())) {
        if (!texto::IgualesSinCaso(entrada->d_name, nombre)) continue;
        fs::path ruta = carpeta / entrada->d_name;
        if (fs::is_regular_file(ruta, ec)) candidatos.push_back(std::move(ruta));
    }
    if (candidatos.empty()) return std::nullopt;
    std::sort(candidatos.begin(), candidatos.end());  // the same choice every time
    return candidatos.front();
}

}  // namespace

std::string CarpetaConfiguracion() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute())
        return (fs::path(xdg) / kSubcarpeta).string() + "/";
    const char* home = std::getenv("HOME");
    if (home && *home) return (fs::path(home) / ".config" / kSubcarpeta).string() + "/";
    return {};
}

std::optional<std::string> UbicarIni(std::string_view archivo) {
    if (archivo.empty()) return std::nullopt;
    if (EsNombreSolo(archivo)) {
        const std::string nombre(archivo);
        for (const fs::path& carpeta :
             {fs::path(CarpetaPrograma()), fs::path(CarpetaConfiguracion())})
            if (auto r = BuscarEnCarpeta(carpeta, nombre)) return r->string();
        return std::nullopt;
    }
    const fs::path ruta(texto::Reemplazar(archivo, "\\", "/"));
    const fs::path carpeta = ruta.has_parent_path() ? ruta.parent_path() : fs::path(".");
    if (auto r = BuscarEnCarpeta(carpeta, ruta.filename().string())) return r->string();
    return std::nullopt;
}

IniLeido::IniLeido(std::string_view archivo) {
    const auto ruta = UbicarIni(archivo);
    if (!ruta) return;
    const auto lineas = LeerLineas(*ruta);
    if (!lineas) return;
    ruta_ = ruta;
    for (const auto& cruda : *lineas) {
        Linea l = Clasificar(ComoUtf8(cruda));
        if (l.tipo == Linea::Otra) continue;
        entradas_.push_back({l.tipo == Linea::Seccion, std::move(l.nombre), std::move(l.valor)});
    }
}

std::string IniLeido::Valor(std::string_view seccion, std::string_view clave,
                            std::string_view defecto) const {
    const std::string_view buscada = texto::SinBlancos(seccion);
    const std::string_view claveBuscada = texto::SinBlancos(clave);
    bool dentro = false;
    for (const Entrada& e : entradas_) {
        if (e.seccion)
            dentro = texto::IgualesSinCaso(e.nombre, buscada);
        else if (dentro && texto::IgualesSinCaso(e.nombre, claveBuscada))
            return e.valor;
    }
    return std::string(defecto);
}

std::string LeerIni(std::string_view archivo, std::string_view seccion, std::string_view clave,
                    std::string_view defecto) {
    return IniLeido(archivo).Valor(seccion, clave, defecto);
}

namespace {

void SinSaltos(std::string_view s) {
    if (s.find_first_of("\r\n") != std::string_view::npos)
        throw ErrorEjecucion(errnum::kArgumentoInvalido,
                             "Un valor de archivo INI no puede contener saltos de línea");
}

fs::path DestinoEscritura(std::string_view archivo) {
    if (auto r = UbicarIni(archivo)) return *r;
    if (!EsNombreSolo(archivo)) return fs::path(texto::Reemplazar(archivo, "\\", "/"));
    const std::string carpeta = CarpetaConfiguracion();
    if (carpeta.empty())
        throw ErrorEjecucion(errnum::kRutaNoEncontrada,
                             "No se encontró la carpeta de configuración del usuario");
    return fs::path(carpeta) / std::string(archivo);
}

// Where the key line goes: replaces `clave`'s line, or is inserted after the section's last
// non-empty line, or a new section is appended.
void PonerClave(std::vector<std::string>& lineas, std::string_view seccion, std::string_view clave,
                const std::string& nueva) {
    std::optional<size_t> ultimaDeSeccion;
    bool dentro = false, seccionVista = false;
    for (size_t i = 0; i < lineas.size(); ++i) {
        const Linea l = Clasificar(ComoUtf8(lineas[i]));
        if (l.tipo == Linea::Seccion) {
            if (dentro) break;  // the first matching section ended: only it counts
            dentro = texto::IgualesSinCaso(l.nombre, seccion);
            if (dentro) {
                seccionVista = true;
                ultimaDeSeccion = i;
            }
            continue;
        }
        if (!dentro) continue;
        if (l.tipo == Linea::Clave && texto::IgualesSinCaso(l.nombre, clave)) {
            lineas[i] = nueva;
            return;
        }
        if (!texto::SinBlancos(lineas[i]).empty()) ultimaDeSeccion = i;
    }
    if (seccionVista) {
        lineas.insert(lineas.begin() + static_cast<std::ptrdiff_t>(*ultimaDeSeccion + 1), nueva);
        return;
    }
    if (!lineas.empty() && !texto::SinBlancos(lineas.back()).empty()) lineas.emplace_back();
    lineas.push_back("[" + std::string(seccion) + "]");
    lineas.push_back(nueva);
}

}  // namespace

void EscribirIni(std::string_view archivo, std::string_view seccion, std::string_view clave,
                 std::string_view valor) {
    SinSaltos(seccion);
    SinSaltos(clave);
    SinSaltos(valor);
    const fs::path ruta = DestinoEscritura(archivo);
    bool crlf = true;  // new files get the suite's line ends
    std::vector<std::string> lineas;
    std::error_code ec;
    if (fs::exists(ruta, ec)) {
        auto leidas = LeerLineas(ruta, &crlf);
        if (!leidas)
            throw ErrorEjecucion(errnum::kPermisoDenegado, "No se pudo leer " + ruta.string());
        lineas = std::move(*leidas);
    } else if (ruta.has_parent_path()) {
        fs::create_directories(ruta.parent_path(), ec);
    }
    PonerClave(lineas, texto::SinBlancos(seccion), texto::SinBlancos(clave),
               std::string(texto::SinBlancos(clave)) + "=" + std::string(valor));

    // Written beside the file and renamed over it, so a failed write never leaves half a file.
    const fs::path temporal = ruta.string() + ".tmp";
    {
        std::ofstream f(temporal, std::ios::binary | std::ios::trunc);
        for (const auto& l : lineas) f << l << (crlf ? "\r\n" : "\n");
        f.flush();
        if (!f) {
            fs::remove(temporal, ec);
            throw ErrorEjecucion(errnum::kPermisoDenegado, "No se pudo escribir " + ruta.string());
        }
    }
    fs::rename(temporal, ruta, ec);
    if (ec) {
        fs::remove(temporal, ec);
        throw ErrorEjecucion(errnum::kPermisoDenegado, "No se pudo escribir " + ruta.string());
    }
}

}  // namespace helperlib
