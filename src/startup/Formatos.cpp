#include "Formatos.h"

#include <ctime>
#include <filesystem>
#include <fstream>

#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace startup {

std::string FormatoFecha() { return "dd/mm/yy"; }
std::string FormatoHora() { return "hh:mm"; }

std::string TextoFechaHora(std::chrono::system_clock::time_point momento) {
    const std::time_t t = std::chrono::system_clock::to_time_t(momento);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%d/%m/%y %H:%M", &local);
    return buf;
}

namespace {

// The leading numeric part of a text, as a sign and a whole number in decimal digits
// (rounded half away from zero), the way the classic Val reads it: blanks are skipped, digits
// and one decimal point are taken up to the first other character.
struct Entero {
    bool negativo = false;
    std::string digitos = "0";
};

std::string SumarUno(std::string d) {
    for (auto i = d.size(); i-- > 0;) {
        if (d[i] != '9') {
            ++d[i];
            return d;
        }
        d[i] = '0';
    }
    return "1" + d;
}

Entero ParteNumerica(std::string_view s) {
    Entero r;
    size_t i = 0;
    auto saltarBlancos = [&] {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    };
    saltarBlancos();
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) r.negativo = s[i++] == '-';
    std::string entero;
    bool redondeaArriba = false, enDecimales = false, primerDecimal = true;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ' ' || c == '\t') continue;
        if (c == '.' && !enDecimales) {
            enDecimales = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        if (!enDecimales) {
            entero += c;
        } else if (primerDecimal) {
            redondeaArriba = c >= '5';
            primerDecimal = false;
        }
    }
    const auto noCero = entero.find_first_not_of('0');
    entero = noCero == std::string::npos ? "0" : entero.substr(noCero);
    if (redondeaArriba) entero = SumarUno(entero);
    r.digitos = entero;
    if (entero == "0") r.negativo = false;
    return r;
}

std::string ConCeros(std::string_view s, size_t minimo) {
    const Entero n = ParteNumerica(s);
    std::string d = n.digitos;
    if (d.size() < minimo) d.insert(0, minimo - d.size(), '0');
    return n.negativo ? "-" + d : d;
}

}  // namespace

std::string ArmarNroComprobante(std::string_view sucursal, std::string_view numero,
                                std::string_view letra) {
    return ConCeros(sucursal, 4) + "-" + ConCeros(numero, 8) + LargoFijo(letra, 1);
}

int16_t FiltroMayusculas(bool soloMayusculas, int16_t codigoTecla) {
    static const std::u32string kConjunto =
        texto::AUtf32("0123456789.ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.abcdefghijklmnñopqrstuvwxyz");
    if (!soloMayusculas) return codigoTecla;
    if (codigoTecla < 0 || codigoTecla > 255) return codigoTecla;
    // Every character of the set has the same code in Windows-1252 and in Unicode.
    const auto c = static_cast<char32_t>(codigoTecla);
    if (kConjunto.find(c) == std::u32string::npos) return codigoTecla;
    return static_cast<int16_t>(texto::MayusculaDe(c));
}

bool ExisteArchivo(const std::string& ruta) {
    try {
        std::error_code ec;
        if (ruta.empty() || std::filesystem::is_directory(ruta, ec)) return false;
        std::ifstream f(ruta, std::ios::in | std::ios::binary);
        return f.is_open();
    } catch (...) {
        return false;
    }
}

}  // namespace startup
