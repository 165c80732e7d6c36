#include "Fecha.h"

#include <cstdio>
#include <vector>

#include "ErrorEjecucion.h"
#include "Texto.h"

namespace helperlib {

namespace {

// Splits on any of `separadores`; every piece must be 1..`maximo` digits.
bool PartesNumericas(std::string_view s, std::string_view separadores, size_t maximo,
                     std::vector<std::string_view>& partes) {
    partes.clear();
    size_t inicio = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i < s.size() && separadores.find(s[i]) == std::string_view::npos) {
            if (s[i] < '0' || s[i] > '9') return false;
            continue;
        }
        const auto parte = s.substr(inicio, i - inicio);
        if (parte.empty() || parte.size() > maximo) return false;
        partes.push_back(parte);
        inicio = i + 1;
    }
    return true;
}

int Numero(std::string_view digitos) {
    int n = 0;
    for (char c : digitos) n = n * 10 + (c - '0');
    return n;
}

}  // namespace

int DiasDelMes(int anio, int mes) {
    static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bisiesto = (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
    return mes == 2 && bisiesto ? 29 : dias[mes - 1];
}

std::optional<Fecha> LeerFecha(std::string_view original) {
    const std::string recortado = texto::Recortar(original);
    std::string_view t = recortado;
    std::string_view parteFecha = t, parteHora;
    if (const auto corte = t.find_first_of(" T"); corte != std::string_view::npos) {
        parteFecha = t.substr(0, corte);
        parteHora = t.substr(corte + 1);
        while (!parteHora.empty() && parteHora.front() == ' ') parteHora.remove_prefix(1);
        if (const auto punto = parteHora.find('.'); punto != std::string_view::npos)
            parteHora = parteHora.substr(0, punto);  // fractions of a second are dropped
    }

    std::vector<std::string_view> p;
    if (!PartesNumericas(parteFecha, "/-.", 4, p) || p.size() != 3) return std::nullopt;
    Fecha f;
    if (p[0].size() == 4) {  // yyyy-mm-dd
        if (p[1].size() > 2 || p[2].size() > 2) return std::nullopt;
        f.Anio = Numero(p[0]);
        f.Mes = Numero(p[1]);
        f.Dia = Numero(p[2]);
    } else {  // dd/mm/yy or dd/mm/yyyy
        if (p[0].size() > 2 || p[1].size() > 2 || (p[2].size() != 2 && p[2].size() != 4))
            return std::nullopt;
        f.Dia = Numero(p[0]);
        f.Mes = Numero(p[1]);
        f.Anio = Numero(p[2]);
        if (p[2].size() == 2) f.Anio += f.Anio < 30 ? 2000 : 1900;
    }
    if (f.Anio < 100 || f.Mes < 1 || f.Mes > 12 || f.Dia < 1 || f.Dia > DiasDelMes(f.Anio, f.Mes))
        return std::nullopt;

    if (!parteHora.empty()) {
        if (!PartesNumericas(parteHora, ":", 2, p) || p.size() < 2 || p.size() > 3)
            return std::nullopt;
        f.Hora = Numero(p[0]);
        f.Minuto = Numero(p[1]);
        f.Segundo = p.size() == 3 ? Numero(p[2]) : 0;
        if (f.Hora > 23 || f.Minuto > 59 || f.Segundo > 59) return std::nullopt;
    }
    return f;
}

Fecha FechaDeTexto(std::string_view texto) {
    if (auto f = LeerFecha(texto)) return *f;
    throw ErrorEjecucion(errnum::kTiposNoCoinciden,
                         "No coinciden los tipos: '" + std::string(texto) + "' no es una fecha");
}

std::string FormatoDiaMesAnio(const Fecha& f) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", f.Dia, f.Mes, f.Anio);
    return buf;
}

}  // namespace helperlib
