// SQL literals from values and the decorations of object names (owner, brackets, a connect
// suffix, a file name). Nothing here touches the database.
#include <algorithm>
#include <array>

#include "DB_Dll.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace data {

namespace {

constexpr std::array<long, 6> kFechas = {7, 133, 134, 135, 137, 64};
constexpr std::array<long, 7> kTextos = {8, 129, 130, 200, 201, 202, 203};
constexpr std::array<long, 12> kNumericos = {2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 21, 131};

template <size_t N>
bool En(const std::array<long, N>& grupo, long codigo) {
    return std::find(grupo.begin(), grupo.end(), codigo) != grupo.end();
}

/// A type code given as text: its number, or nullopt when the text is not a whole number
/// (a classifier then answers false).
std::optional<long> CodigoDeTexto(std::string_view t) {
    const std::string s = texto::Recortar(t);
    if (s.empty()) return std::nullopt;
    size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (i == s.size()) return std::nullopt;
    for (size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') return std::nullopt;
    if (s.size() - i > 9) return std::nullopt;
    return std::stol(s);
}

template <class F>
bool Clasificar(std::string_view t, F f) {
    const auto c = CodigoDeTexto(t);
    return c && f(*c);
}

}  // namespace

bool DB_Dll::adodate(long Qtype) { return En(kFechas, Qtype); }
bool DB_Dll::adodate(std::string_view Qtype) {
    return Clasificar(Qtype, [](long c) { return adodate(c); });
}
bool DB_Dll::ADOText(long Qtype) { return En(kTextos, Qtype); }
bool DB_Dll::ADOText(std::string_view Qtype) {
    return Clasificar(Qtype, [](long c) { return ADOText(c); });
}
bool DB_Dll::ADONumeric(long Qtype) { return En(kNumericos, Qtype); }
bool DB_Dll::ADONumeric(std::string_view Qtype) {
    return Clasificar(Qtype, [](long c) { return ADONumeric(c); });
}
bool DB_Dll::ADOCurrency(long Qtype) { return Qtype == 6; }
bool DB_Dll::ADOCurrency(std::string_view Qtype) {
    return Clasificar(Qtype, [](long c) { return ADOCurrency(c); });
}
bool DB_Dll::ADOBoolean(long Qtype) { return Qtype == 11; }
bool DB_Dll::ADOBoolean(std::string_view Qtype) {
    return Clasificar(Qtype, [](long c) { return ADOBoolean(c); });
}
std::string DB_Dll::ADOComilla(long Qtype) { return adodate(Qtype) || ADOText(Qtype) ? "'" : ""; }
std::string DB_Dll::ADOComilla(std::string_view Qtype) {
    return adodate(Qtype) || ADOText(Qtype) ? "'" : "";
}

std::string DB_Dll::SQLValue(const std::optional<std::string>& Valor, const std::string& Tipo) {
    if (Tipo == "@") {
        // Numbers go with "." as decimal separator whatever the system writes.
        const std::string numero = ValorNumerico(Valor.value_or("0")).TextoCorto();
        return texto::Reemplazar(numero, ",", ".");
    }
    if (!Valor) return "NULL";
    if (Tipo == "'") return "'" + *Valor + "'";
    return *Valor;
}

std::string DB_Dll::SQLValue2(const std::optional<std::string>& Valor, const std::string& Tipo) {
    return SQLValue(Valor, Tipo);
}

std::string DB_Dll::AddBrackets(const std::string& rObjName) {
    if (texto::Posicion(rObjName, " ") > 0 && texto::Izquierda(rObjName, 1) != "[")
        return "[" + rObjName + "]";
    return rObjName;
}

std::string DB_Dll::StripBrackets(const std::string& rsObjName) {
    if (texto::Izquierda(rsObjName, 1) != "[") return rsObjName;
    const int largo = texto::Largo(rsObjName);
    return largo < 2 ? std::string() : texto::Medio(rsObjName, 2, largo - 2);
}

std::string DB_Dll::StripOwner(std::string& rsTblName) {
    const int punto = texto::Posicion(rsTblName, ".");
    if (punto > 0) rsTblName = texto::Medio(rsTblName, punto + 1);
    return rsTblName;
}

std::string DB_Dll::StripConnect(const std::string& rsTblName) {
    const int flecha = texto::Posicion(rsTblName, "->");
    if (flecha == 0) return rsTblName;
    if (flecha < 2)
        throw ErrorEjecucion(errnum::kArgumentoInvalido,
                             "Llamada a procedimiento o argumento no válido");
    return texto::Izquierda(rsTblName, flecha - 2);
}

std::string DB_Dll::stSTF(std::string& rsName, bool rnPart) {
    const int primero = texto::Posicion(rsName, ".");
    if (primero == 0) return rsName;
    if (texto::Posicion(rsName, ".", primero + 1) == 0)
        return rnPart ? texto::Medio(rsName, primero + 1) : texto::Izquierda(rsName, primero - 1);
    return StripOwner(rsName);
}

std::string DB_Dll::StripFileName(const std::string& rsFileName) {
    // Both separators count: paths on this platform use "/", the suite's texts "\".
    const auto corte = rsFileName.find_last_of("\\/");
    return corte == std::string::npos ? std::string() : rsFileName.substr(0, corte);
}

}  // namespace data
