#include "ArchivoBases.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ErrorEjecucion.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace acceso {

namespace {

constexpr long kErrorAccesoArchivo = 75;  // path/file access error

/// A password field that carries the encoding mark but is not a valid encoding, or decodes to
/// control characters, cannot be trusted.
std::optional<std::string> Decodificar(const std::string& campo) {
    const std::string clave = DecodificarClave(campo);
    if (!campo.empty() && campo.front() == '~' && clave == campo) return std::nullopt;
    for (const char c : clave)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
    return clave;
}

/// The lines of a text with CR LF, LF or a lone CR as line ends.
std::vector<std::string> PartirLineas(const std::string& contenido) {
    std::vector<std::string> lineas;
    std::string actual;
    for (size_t i = 0; i < contenido.size(); ++i) {
        const char c = contenido[i];
        if (c == '\r' || c == '\n') {
            lineas.push_back(std::move(actual));
            actual.clear();
            if (c == '\r' && i + 1 < contenido.size() && contenido[i + 1] == '\n') ++i;
        } else {
            actual.push_back(c);
        }
    }
    if (!actual.empty()) lineas.push_back(std::move(actual));
    return lineas;
}

}  // namespace

std::optional<std::vector<std::string>> PartirCampos(std::string_view linea) {
    std::vector<std::string> campos;
    size_t i = 0;
    const size_t n = linea.size();
    while (true) {
        while (i < n && texto::EsBlanco(linea[i])) ++i;
        std::string campo;
        if (i < n && linea[i] == '"') {
            const size_t cierre = linea.find('"', i + 1);
            if (cierre == std::string_view::npos) return std::nullopt;
            campo = std::string(linea.substr(i + 1, cierre - i - 1));
            i = cierre + 1;
            while (i < n && texto::EsBlanco(linea[i])) ++i;
            if (i < n && linea[i] != ',') return std::nullopt;
        } else {
            const size_t coma = std::min(linea.find(',', i), n);
            const std::string_view crudo = linea.substr(i, coma - i);
            if (crudo.find('"') != std::string_view::npos) return std::nullopt;
            campo = std::string(texto::SinBlancos(crudo));
            i = coma;
        }
        campos.push_back(std::move(campo));
        if (i >= n) break;
        ++i;  // the comma
    }
    return campos;
}

std::optional<ConexionRegistrada> LeerLineaBase(std::string_view linea) {
    const auto campos = PartirCampos(linea);
    if (!campos || campos->size() != 5) return std::nullopt;
    if (texto::Recortar((*campos)[0]).empty()) return std::nullopt;
    const auto clave = Decodificar((*campos)[3]);
    if (!clave) return std::nullopt;
    return ConexionRegistrada{(*campos)[0], (*campos)[1], (*campos)[2], *clave, (*campos)[4]};
}

std::string ArmarLineaBase(std::string_view nombre, std::string_view base, std::string_view usuario,
                           std::string_view clave, std::string_view servidor) {
    // Reading drops a line whose password holds control characters (it cannot be trusted), so
    // such a password is refused here instead of being written and lost without a word.
    const std::string recortada = texto::Recortar(clave);
    for (const char c : recortada)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            throw ErrorEjecucion(errnum::kArgumentoInvalido,
                                 "La contraseña contiene caracteres de control (tabulaciones, "
                                 "saltos de línea u otros caracteres invisibles) y no puede "
                                 "guardarse en la lista de conexiones. Escríbala sin ellos.");
    const std::string codificada = CodificarClave(recortada);
    const std::string_view campos[] = {nombre, base, usuario, codificada, servidor};
    std::string linea;
    for (size_t i = 0; i < 5; ++i) {
        // Trimmed of the blanks reading drops (spaces and tabs), so that it reads back equal.
        const std::string valor(texto::SinBlancos(campos[i]));
        if (valor.find_first_of("\"\r\n") != std::string::npos)
            throw ErrorEjecucion(
                errnum::kArgumentoInvalido,
                "El valor \"" + valor + "\" no puede guardarse en la lista de conexiones");
        if (i > 0) linea += ",";
        linea += valor.find(',') != std::string::npos ? "\"" + valor + "\"" : valor;
    }
    return linea;
}

ArchivoBases::ArchivoBases(std::string ruta) : ruta_(std::move(ruta)) {}

std::string ArchivoBases::RutaEnCarpetaPrograma() { return CarpetaPrograma() + "BASES.TXT"; }

bool ArchivoBases::Existe() const {
    std::ifstream f(ruta_, std::ios::binary);
    return f.is_open();
}

std::vector<ConexionRegistrada> ArchivoBases::Leer() const {
    std::vector<ConexionRegistrada> conexiones;
    std::ifstream f(ruta_, std::ios::binary);
    if (!f.is_open()) return conexiones;
    std::ostringstream contenido;
    contenido << f.rdbuf();
    if (f.bad())
        throw ErrorEjecucion(kErrorAccesoArchivo,
                             "No se pudo leer el archivo de conexiones " + ruta_);
    int leidas = 0;
    for (const std::string& linea : PartirLineas(contenido.str())) {
        if (++leidas > kMaxLineasBases) break;
        if (auto c = LeerLineaBase(linea)) conexiones.push_back(std::move(*c));
    }
    return conexiones;
}

std::optional<ConexionRegistrada> ArchivoBases::Buscar(std::string_view nombre) const {
    const std::string buscado = texto::Recortar(nombre);
    for (auto& c : Leer())
        if (texto::Recortar(c.Nombre) == buscado) return c;
    return std::nullopt;
}

void ArchivoBases::Agregar(std::string_view nombre, std::string_view base, std::string_view usuario,
                           std::string_view clave, std::string_view servidor) const {
    const std::string linea = ArmarLineaBase(nombre, base, usuario, clave, servidor) + "\r\n";
    std::ofstream f(ruta_, std::ios::binary | std::ios::app);
    if (!f.is_open())
        throw ErrorEjecucion(kErrorAccesoArchivo, "No se puede escribir el archivo de conexiones " +
                                                      ruta_ + " (" + std::strerror(errno) + ")");
    f << linea;
    f.flush();
    if (!f)
        throw ErrorEjecucion(kErrorAccesoArchivo,
                             "No se pudo grabar la conexion en el archivo " + ruta_);
}

}  // namespace acceso
