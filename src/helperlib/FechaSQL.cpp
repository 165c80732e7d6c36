// The Jet date literal: dates typed or stored as "dd/mm/yyyy" (the suite's order) or
// "yyyy-mm-dd" (the embedded database's order) become "#mm/dd/yyyy#", the order Jet expects.
#include <cstdio>
#include <vector>

#include "Texto.h"
#include "Utilidades.h"

namespace {

[[noreturn]] void NoEsFecha(std::string_view texto) {
    throw ErrorEjecucion(errnum::kTiposNoCoinciden,
                         "No coinciden los tipos: '" + std::string(texto) + "' no es una fecha");
}

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

int DiasDelMes(int anio, int mes) {
    static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bisiesto = (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
    return mes == 2 && bisiesto ? 29 : dias[mes - 1];
}

}  // namespace

std::string FechaSQL(std::string_view original) {
    const std::string texto = texto::Recortar(original);
    std::string_view t = texto;
    std::string_view parteFecha = t, parteHora;
    if (const auto corte = t.find_first_of(" T"); corte != std::string_view::npos) {
        parteFecha = t.substr(0, corte);
        parteHora = t.substr(corte + 1);
        while (!parteHora.empty() && parteHora.front() == ' ') parteHora.remove_prefix(1);
        if (const auto punto = parteHora.find('.'); punto != std::string_view::npos)
            parteHora = parteHora.substr(0, punto);  // fractions of a second are dropped
    }

    std::vector<std::string_view> p;
    if (!PartesNumericas(parteFecha, "/-.", 4, p) || p.size() != 3) NoEsFecha(original);
    int dia, mes, anio;
    if (p[0].size() == 4) {  // yyyy-mm-dd
        anio = Numero(p[0]);
        mes = Numero(p[1]);
        dia = Numero(p[2]);
        if (p[1].size() > 2 || p[2].size() > 2) NoEsFecha(original);
    } else {  // dd/mm/yy or dd/mm/yyyy
        if (p[0].size() > 2 || p[1].size() > 2 || (p[2].size() != 2 && p[2].size() != 4))
            NoEsFecha(original);
        dia = Numero(p[0]);
        mes = Numero(p[1]);
        anio = Numero(p[2]);
        if (p[2].size() == 2) anio += anio < 30 ? 2000 : 1900;
    }
    if (anio < 100 || mes < 1 || mes > 12 || dia < 1 || dia > DiasDelMes(anio, mes))
        NoEsFecha(original);

    int h = 0, m = 0, s = 0;
    if (!parteHora.empty()) {
        if (!PartesNumericas(parteHora, ":", 2, p) || p.size() < 2 || p.size() > 3)
            NoEsFecha(original);
        h = Numero(p[0]);
        m = Numero(p[1]);
        s = p.size() == 3 ? Numero(p[2]) : 0;
        if (h > 23 || m > 59 || s > 59) NoEsFecha(original);
    }

    char buf[40];
    if (h == 0 && m == 0 && s == 0)
        std::snprintf(buf, sizeof buf, "#%02d/%02d/%04d#", mes, dia, anio);
    else
        std::snprintf(buf, sizeof buf, "#%02d/%02d/%04d %02d:%02d:%02d#", mes, dia, anio, h, m, s);
    return buf;
}
