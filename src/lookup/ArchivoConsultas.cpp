#include "ArchivoConsultas.h"

#include <array>
#include <fstream>
#include <stdexcept>

#include "Texto.h"

using namespace helperlib;

namespace lookup {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; 0 marks the undefined ones.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string DeWindows1252(std::string_view bytes) {
    std::u32string u;
    u.reserve(bytes.size());
    for (unsigned char b : bytes) {
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F && kAltos[b - 0x80] != 0) c = kAltos[b - 0x80];
        u.push_back(c);
    }
    return texto::AUtf8(u);
}

std::string CampoRegistroConsulta(std::string_view bytes) {
    std::string limpio;
    limpio.reserve(bytes.size());
    for (char c : bytes) {
        if (c != '\0' && static_cast<unsigned char>(c) != 0xFF) limpio.push_back(c);
    }
    return texto::Recortar(DeWindows1252(limpio));
}

std::optional<RegistroConsulta> LeerRegistroConsulta(std::string_view registro) {
    if (registro.size() < kLargoRegistroConsulta) return std::nullopt;
    RegistroConsulta r;
    r.Nombre = CampoRegistroConsulta(registro.substr(100, 100));
    r.Columnas = CampoRegistroConsulta(registro.substr(200, 500));
    r.Filtro = CampoRegistroConsulta(registro.substr(700, 500));
    return r;
}

std::optional<RegistroConsulta> BuscarConsultaGuardada(std::istream& entrada,
                                                       std::string_view nombre) {
    const std::string buscado = texto::Recortar(nombre);
    std::string bloque(kLargoRegistroConsulta, '\0');
    while (entrada.read(bloque.data(), static_cast<std::streamsize>(bloque.size()))) {
        auto r = LeerRegistroConsulta(bloque);
        if (r && texto::IgualesSinCaso(r->Nombre, buscado)) return r;
    }
    return std::nullopt;  // a partial last record is never read
}

std::optional<RegistroConsulta> BuscarConsultaGuardada(const std::string& ruta,
                                                       std::string_view nombre) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) return std::nullopt;
    return BuscarConsultaGuardada(f, nombre);
}

std::optional<std::string> AWindows1252(std::string_view utf8) {
    std::string bytes;
    for (char32_t c : texto::AUtf32(utf8)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes.push_back(static_cast<char>(c));
            continue;
        }
        // The bytes 0x80..0x9F: the code page's own characters, or the five undefined ones,
        // which the reader takes as the Latin-1 control characters of the same number.
        std::size_t i = 0;
        while (i < kAltos.size() && kAltos[i] != c && !(kAltos[i] == 0 && c == 0x80 + i)) ++i;
        if (i == kAltos.size()) return std::nullopt;
        bytes.push_back(static_cast<char>(0x80 + i));
    }
    return bytes;
}

namespace {

void Colocar(std::string& registro, std::size_t desde, std::size_t largo, const std::string& texto,
             const char* campo) {
    const auto bytes = AWindows1252(texto);
    if (!bytes)
        throw std::invalid_argument(std::string(campo) + " \"" + texto +
                                    "\": caracteres que Windows-1252 no representa");
    if (bytes->size() > largo)
        throw std::invalid_argument(std::string(campo) + " \"" + texto + "\": más de " +
                                    std::to_string(largo) + " caracteres");
    registro.replace(desde, bytes->size(), *bytes);
}

}  // namespace

std::string RegistroEnBytes(const RegistroConsulta& registro) {
    std::string r(kLargoRegistroConsulta, ' ');
    Colocar(r, 100, 100, registro.Nombre, "Nombre");
    Colocar(r, 200, 500, registro.Columnas, "Columnas");
    Colocar(r, 700, 500, registro.Filtro, "Filtro");
    r[1200] = '\r';
    r[1201] = '\n';
    return r;
}

std::vector<RegistroConsulta> LeerFuenteConsultas(std::istream& entrada) {
    std::vector<RegistroConsulta> registros;
    std::string linea;
    for (int numero = 1; std::getline(entrada, linea); ++numero) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        const std::string recortada = texto::Recortar(linea);
        if (recortada.empty() || recortada[0] == '#') continue;
        const auto p1 = linea.find(';');
        const auto p2 = p1 == std::string::npos ? p1 : linea.find(';', p1 + 1);
        RegistroConsulta r;
        r.Nombre = texto::Recortar(linea.substr(0, p1));
        if (p1 != std::string::npos)
            r.Columnas = texto::Recortar(
                linea.substr(p1 + 1, p2 == std::string::npos ? std::string::npos : p2 - p1 - 1));
        if (p2 != std::string::npos) r.Filtro = texto::Recortar(linea.substr(p2 + 1));
        if (r.Nombre.empty() || r.Columnas.empty())
            throw std::invalid_argument("línea " + std::to_string(numero) +
                                        ": se espera \"nombre ; columnas ; filtro\"");
        registros.push_back(std::move(r));
    }
    return registros;
}

}  // namespace lookup
