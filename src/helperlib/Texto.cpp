#include "Texto.h"

#include <algorithm>
#include <vector>

namespace helperlib {

namespace texto {

char32_t LeerCaracterUtf8(const unsigned char*& p, const unsigned char* fin) {
    const unsigned char b0 = *p;
    int extra = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++p;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++p;  // stray byte: keep it as Latin-1
        return b0;
    }
    if (fin - p <= extra) {
        ++p;
        return b0;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((p[k] & 0xC0) != 0x80) {
            ++p;
            return b0;
        }
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    p += extra + 1;
    return cp;
}

std::u32string AUtf32(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    auto p = reinterpret_cast<const unsigned char*>(s.data());
    const auto fin = p + s.size();
    while (p < fin) out.push_back(LeerCaracterUtf8(p, fin));
    return out;
}

std::string AUtf8(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

char32_t MayusculaDe(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 32;
    // Latin-1 lower-case letters à..þ except ÷ map 0x20 down; ÿ maps to Ÿ.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    return c;
}

char32_t MinusculaDe(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c == 0x178) return 0xFF;
    return c;
}

namespace {
bool EsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
}  // namespace

std::string Mayusculas(std::string_view s) {
    if (EsAscii(s)) {
        std::string out(s);
        for (auto& c : out)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        return out;
    }
    auto u = AUtf32(s);
    for (auto& c : u) c = MayusculaDe(c);
    return AUtf8(u);
}

std::string Minusculas(std::string_view s) {
    if (EsAscii(s)) {
        std::string out(s);
        for (auto& c : out)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        return out;
    }
    auto u = AUtf32(s);
    for (auto& c : u) c = MinusculaDe(c);
    return AUtf8(u);
}

bool IgualesAsciiSinCaso(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool IgualesSinCaso(std::string_view a, std::string_view b) {
    // One pass over the common length while both texts are ASCII. Every character up to an
    // ASCII difference is ASCII in both, so their capitals differ there as well; and when the
    // shorter text ends equal to the longer one's start, the longer one's capitals have more
    // characters. Only a non-ASCII byte needs the full conversion.
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80) return Mayusculas(a) == Mayusculas(b);
        if (x == y) continue;
        const auto mx = (x >= 'a' && x <= 'z') ? x - 32 : x;
        const auto my = (y >= 'a' && y <= 'z') ? y - 32 : y;
        if (mx != my) return false;
    }
    return a.size() == b.size();
}

namespace {
int PosicionEn(const std::u32string& s, const std::u32string& b, int desde) {
    if (desde < 1) desde = 1;
    if (b.empty()) return desde <= static_cast<int>(s.size()) + 1 ? desde : 0;
    if (static_cast<size_t>(desde - 1) > s.size()) return 0;
    auto p = s.find(b, static_cast<size_t>(desde - 1));
    return p == std::u32string::npos ? 0 : static_cast<int>(p) + 1;
}
}  // namespace

int PosicionSinCaso(std::string_view s, std::string_view buscado, int desde) {
    return PosicionEn(AUtf32(Mayusculas(s)), AUtf32(Mayusculas(buscado)), desde);
}

int Posicion(std::string_view s, std::string_view buscado, int desde) {
    return PosicionEn(AUtf32(s), AUtf32(buscado), desde);
}

bool ContieneSinCaso(std::string_view s, std::string_view buscado) {
    return Mayusculas(s).find(Mayusculas(buscado)) != std::string::npos;
}

namespace {
/// Byte position of `buscado` in `s` from `desde`, ignoring the case of ASCII letters; npos
/// when absent.
size_t PosicionAsciiSinCaso(std::string_view s, std::string_view buscado, size_t desde) {
    if (buscado.empty()) return desde <= s.size() ? desde : std::string_view::npos;
    const auto minuscula = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    const char primera = minuscula(buscado[0]);
    for (size_t i = desde; i + buscado.size() <= s.size(); ++i)
        if (minuscula(s[i]) == primera && IgualesAsciiSinCaso(s.substr(i, buscado.size()), buscado))
            return i;
    return std::string_view::npos;
}
}  // namespace

bool ContieneAsciiSinCaso(std::string_view s, std::string_view buscado) {
    return PosicionAsciiSinCaso(s, buscado, 0) != std::string_view::npos;
}

std::string RecortarIzq(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return std::string(s.substr(i));
}

std::string RecortarDer(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return std::string(s.substr(0, n));
}

std::string Recortar(std::string_view s) {
    size_t desde = 0, hasta = s.size();
    while (hasta > 0 && s[hasta - 1] == ' ') --hasta;
    while (desde < hasta && s[desde] == ' ') ++desde;
    return std::string(s.substr(desde, hasta - desde));
}

bool EsBlanco(char32_t c) { return c == U' ' || c == U'\t'; }

std::string_view SinBlancos(std::string_view s) {
    while (!s.empty() && EsBlanco(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && EsBlanco(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool EsEspacio(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n'; }

std::string_view SinEspacios(std::string_view s) {
    while (!s.empty() && EsEspacio(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && EsEspacio(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

int Largo(std::string_view s) {
    if (EsAscii(s)) return static_cast<int>(s.size());
    int n = 0;  // characters as AUtf32 reads them, without making the wide text
    auto p = reinterpret_cast<const unsigned char*>(s.data());
    for (const auto fin = p + s.size(); p < fin; ++n) LeerCaracterUtf8(p, fin);
    return n;
}

std::string Izquierda(std::string_view s, int n) {
    if (n <= 0) return {};
    if (EsAscii(s)) return std::string(s.substr(0, static_cast<size_t>(n)));
    auto u = AUtf32(s);
    if (static_cast<size_t>(n) >= u.size()) return std::string(s);
    return AUtf8(u.substr(0, static_cast<size_t>(n)));
}

std::string Derecha(std::string_view s, int n) {
    if (n <= 0) return {};
    auto u = AUtf32(s);
    if (static_cast<size_t>(n) >= u.size()) return std::string(s);
    return AUtf8(u.substr(u.size() - static_cast<size_t>(n)));
}

std::string Medio(std::string_view s, int inicio, int n) {
    if (inicio < 1) inicio = 1;
    auto u = AUtf32(s);
    if (static_cast<size_t>(inicio - 1) >= u.size()) return {};
    auto resto = u.substr(static_cast<size_t>(inicio - 1));
    if (n >= 0 && static_cast<size_t>(n) < resto.size()) resto.resize(static_cast<size_t>(n));
    return AUtf8(resto);
}

std::string Reemplazar(std::string_view s, std::string_view de, std::string_view por) {
    if (de.empty()) return std::string(s);
    std::string out;
    size_t i = 0;
    while (true) {
        auto p = s.find(de, i);
        if (p == std::string_view::npos) break;
        out.append(s.substr(i, p - i));
        out.append(por);
        i = p + de.size();
    }
    out.append(s.substr(i));
    return out;
}

std::string ReemplazarSinCaso(std::string_view s, std::string_view de, std::string_view por) {
    if (de.empty()) return std::string(s);
    if (EsAscii(s) && EsAscii(de)) {  // the common case, byte for byte without conversions
        std::string out;
        out.reserve(s.size());
        size_t i = 0;
        for (size_t p; (p = PosicionAsciiSinCaso(s, de, i)) != std::string_view::npos;
             i = p + de.size())
            out.append(s.substr(i, p - i)).append(por);
        return out.append(s.substr(i));
    }
    // Matched by characters, case-blind; the bytes between matches are copied as they stand
    // (an invalid byte is matched as its Latin-1 character but never rewritten), so a text
    // without the searched one comes back unchanged.
    std::u32string um;
    std::vector<size_t> inicio;  // byte offset where each character of `s` starts
    const auto* base = reinterpret_cast<const unsigned char*>(s.data());
    for (const unsigned char *c = base, *fin = base + s.size(); c < fin;) {
        inicio.push_back(static_cast<size_t>(c - base));
        um.push_back(MayusculaDe(LeerCaracterUtf8(c, fin)));
    }
    inicio.push_back(s.size());
    auto d = AUtf32(de);
    for (auto& c : d) c = MayusculaDe(c);
    std::string out;
    size_t i = 0;
    for (size_t p; (p = um.find(d, i)) != std::u32string::npos; i = p + d.size())
        out.append(s.substr(inicio[i], inicio[p] - inicio[i])).append(por);
    return out.append(s.substr(inicio[i]));
}

std::string Espacios(int n) {
    return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string();
}

std::string DuplicarApostrofes(std::string_view s) { return Reemplazar(s, "'", "''"); }

}  // namespace texto

}  // namespace helperlib
