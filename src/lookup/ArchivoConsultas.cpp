#include "ArchivoConsultas.h"

#include <array>
#include <fstream>

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

}  // namespace lookup
