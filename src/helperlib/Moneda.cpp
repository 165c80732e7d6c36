#include "Moneda.h"

#include <limits>

#include "ErrorEjecucion.h"

namespace helperlib {

namespace {
[[noreturn]] void Desborde() { throw ErrorEjecucion(errnum::kDesbordamiento, "Desbordamiento"); }

int64_t Potencia10(int n) {
    int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}
}  // namespace

Moneda Moneda::DesdeEntero(int64_t unidades) {
    int64_t r;
    if (__builtin_mul_overflow(unidades, kEscala, &r)) Desborde();
    return DesdeCrudo(r);
}

std::optional<Moneda> Moneda::Leer(std::string_view t) {
    size_t i = 0, n = t.size();
    auto blanco = [](char c) { return c == ' ' || c == '\t'; };
    while (i < n && blanco(t[i])) ++i;
    while (n > i && blanco(t[n - 1])) --n;
    if (i == n) return std::nullopt;
    bool negativo = false;
    if (t[i] == '+' || t[i] == '-') {
        negativo = t[i] == '-';
        ++i;
        while (i < n && blanco(t[i])) ++i;
    }
    // The decimal separator is the last "," or "." of the text; the other kind groups thousands.
    size_t sep = std::string_view::npos;
    for (size_t k = n; k > i; --k)
        if (t[k - 1] == ',' || t[k - 1] == '.') {
            sep = k - 1;
            break;
        }
    char agrupador = 0;
    if (sep != std::string_view::npos) agrupador = t[sep] == ',' ? '.' : ',';
    // A separator kind that appears twice before the decimal one is grouping; the same kind as
    // the decimal one appearing again means the text is not a number ("1.2.3").
    unsigned __int128 entero = 0;
    int digitos = 0;
    for (size_t k = i; k < (sep == std::string_view::npos ? n : sep); ++k) {
        char c = t[k];
        if (c >= '0' && c <= '9') {
            entero = entero * 10 + static_cast<unsigned>(c - '0');
            if (entero > static_cast<unsigned __int128>(std::numeric_limits<int64_t>::max()))
                Desborde();
            ++digitos;
        } else if (c == agrupador && digitos > 0) {
            continue;
        } else {
            return std::nullopt;
        }
    }
    int64_t frac = 0;
    int decimales = 0;
    bool redondearArriba = false;
    if (sep != std::string_view::npos) {
        for (size_t k = sep + 1; k < n; ++k) {
            char c = t[k];
            if (c < '0' || c > '9') return std::nullopt;
            ++digitos;
            if (decimales < 4) {
                frac = frac * 10 + (c - '0');
                ++decimales;
            } else if (decimales == 4) {
                redondearArriba = c >= '5';
                ++decimales;
            }
        }
        frac *= Potencia10(4 - std::min(decimales, 4));
    }
    if (digitos == 0) return std::nullopt;
    unsigned __int128 total =
        entero * kEscala + static_cast<unsigned>(frac) + (redondearArriba ? 1 : 0);
    const auto limite = static_cast<unsigned __int128>(std::numeric_limits<int64_t>::max());
    if (total > limite + (negativo ? 1 : 0)) Desborde();
    int64_t valor = negativo ? static_cast<int64_t>(-static_cast<__int128>(total))
                             : static_cast<int64_t>(total);
    return DesdeCrudo(valor);
}

Moneda Moneda::Redondeada(int decimales) const {
    if (decimales >= 4) return *this;
    if (decimales < 0) decimales = 0;
    const int64_t paso = Potencia10(4 - decimales);
    const int64_t resto = crudo_ % paso;
    int64_t base = crudo_ - resto;
    if (resto * 2 >= paso) {
        if (__builtin_add_overflow(base, paso, &base)) Desborde();
    } else if (resto * 2 <= -paso) {
        if (__builtin_sub_overflow(base, paso, &base)) Desborde();
    }
    return DesdeCrudo(base);
}

std::string Moneda::Formato(int decimales) const {
    if (decimales < 0) decimales = 0;
    if (decimales > 4) decimales = 4;
    const int64_t r = Redondeada(decimales).crudo_;
    const bool negativo = r < 0;
    const unsigned __int128 abs = negativo
                                      ? static_cast<unsigned __int128>(-static_cast<__int128>(r))
                                      : static_cast<unsigned __int128>(r);
    const auto entero = static_cast<uint64_t>(abs / kEscala);
    const auto frac = static_cast<uint64_t>(abs % kEscala);
    std::string s = std::to_string(entero);
    if (decimales > 0) {
        std::string f = std::to_string(frac + kEscala).substr(1);  // four digits
        s += "." + f.substr(0, static_cast<size_t>(decimales));
    }
    if (negativo && r != 0) s.insert(s.begin(), '-');
    return s;
}

std::string Moneda::TextoCorto() const {
    std::string s = Formato(4);
    auto punto = s.find('.');
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.size() == punto + 1) s.pop_back();
    return s;
}

Moneda Moneda::operator+(Moneda o) const {
    int64_t r;
    if (__builtin_add_overflow(crudo_, o.crudo_, &r)) Desborde();
    return DesdeCrudo(r);
}

Moneda Moneda::operator-(Moneda o) const {
    int64_t r;
    if (__builtin_sub_overflow(crudo_, o.crudo_, &r)) Desborde();
    return DesdeCrudo(r);
}

Moneda Moneda::operator-() const {
    if (crudo_ == std::numeric_limits<int64_t>::min()) Desborde();
    return DesdeCrudo(-crudo_);
}

}  // namespace helperlib
