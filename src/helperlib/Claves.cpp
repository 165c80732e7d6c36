// Password encoding for the connection list. The list is a comma-separated text file whose
// fields are trimmed when written, so the encoded form is restricted to "~" and the hex digits:
// no comma, quote, blank or line break can appear. The keyed transform only keeps a password
// from being read at a glance; it is not encryption.
#include <cstdint>

#include "Utilidades.h"

namespace helperlib {

namespace {

constexpr std::string_view kClave = "Asientos Modelo - Registraciones Directas";
constexpr char kMarca = '~';
constexpr char kHex[] = "0123456789ABCDEF";

uint8_t Mascara(size_t i) {
    return static_cast<uint8_t>(static_cast<uint8_t>(kClave[i % kClave.size()]) ^
                                static_cast<uint8_t>(i * 37 + 11));
}

int ValorHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string CodificarClave(std::string_view clave) {
    if (clave.empty()) return {};
    std::string out(1, kMarca);
    out.reserve(1 + 2 * clave.size());
    for (size_t i = 0; i < clave.size(); ++i) {
        const auto b = static_cast<uint8_t>(static_cast<uint8_t>(clave[i]) ^ Mascara(i));
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 0x0F]);
    }
    return out;
}

std::string DecodificarClave(std::string_view codificada) {
    if (codificada.empty() || codificada.front() != kMarca || codificada.size() % 2 == 0)
        return std::string(codificada);
    const std::string_view hex = codificada.substr(1);
    std::string out;
    out.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int alto = ValorHex(hex[i]), bajo = ValorHex(hex[i + 1]);
        if (alto < 0 || bajo < 0) return std::string(codificada);
        out.push_back(static_cast<char>(static_cast<uint8_t>(alto << 4 | bajo) ^ Mascara(i / 2)));
    }
    return out;
}

}  // namespace helperlib
