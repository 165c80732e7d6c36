#pragma once
// The suite's currency type: a 64-bit integer scaled by 10,000 (four exact decimals).
// Amounts never pass through floating point.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace helperlib {

class Moneda {
  public:
    static constexpr int64_t kEscala = 10000;

    constexpr Moneda() = default;
    /// The amount whose scaled (x 10,000) value is `crudo`.
    static constexpr Moneda DesdeCrudo(int64_t crudo) {
        Moneda m;
        m.crudo_ = crudo;
        return m;
    }
    /// A whole number of units. Throws ErrorEjecucion(6) when out of range.
    static Moneda DesdeEntero(int64_t unidades);

    /// Reads a decimal text: optional blanks, one sign, digits with "," or "." as the decimal
    /// separator (the last of them when both appear, the other then taken as grouping), and up
    /// to any number of decimals, rounded half away from zero to four. Returns nullopt when the
    /// text is not a number. Throws ErrorEjecucion(6, overflow) when it is a number beyond the
    /// currency range.
    static std::optional<Moneda> Leer(std::string_view texto);

    constexpr int64_t Crudo() const { return crudo_; }
    constexpr bool EsCero() const { return crudo_ == 0; }

    /// Fixed format with `decimales` decimals (0..4), "." as separator, no grouping, rounded
    /// half away from zero: the "#########0.00" format for decimales = 2.
    std::string Formato(int decimales = 2) const;
    /// Shortest text: no trailing zeros, no separator when whole ("12.5", "0", "-3").
    std::string TextoCorto() const;

    /// Rounded to `decimales` decimals, half away from zero.
    Moneda Redondeada(int decimales) const;

    /// Arithmetic raises ErrorEjecucion(6) on overflow, never wraps.
    Moneda operator+(Moneda o) const;
    Moneda operator-(Moneda o) const;
    Moneda operator-() const;
    Moneda& operator+=(Moneda o) { return *this = *this + o; }
    Moneda& operator-=(Moneda o) { return *this = *this - o; }
    constexpr auto operator<=>(const Moneda&) const = default;

  private:
    int64_t crudo_ = 0;
};

}  // namespace helperlib
