#include "Sinonimos.h"

#include <algorithm>
#include <vector>

#include "Dialecto.h"
#include "LexicoSql.h"
#include "Texto.h"

using namespace helperlib;

namespace data {
namespace {

/// The characters that may stand before and after a protected name for it to be recognised.
struct Contexto {
    char antes;
    char despues;
};
constexpr Contexto kContextos[] = {{' ', ' '}, {'(', ' '}, {' ', '.'}, {'(', '.'}, {',', '.'}};
constexpr Contexto kContextoLlave = {'{', '.'};  // ODBC escapes over the chart of accounts

/// Applies `f` to the parts of `sql` outside apostrophe literals: values typed by users stay
/// as they were written. Literals are told as the statement's lexer tells them, so an
/// apostrophe inside a quoted name, a bracketed name or a comment opens no literal.
template <class F>
std::string FueraDeLiterales(const std::string& sql, F f) {
    std::string r, tramo;
    for (const Token& t : Tokenizar(sql)) {
        if (t.tipo != TipoToken::Literal) {
            tramo += t.texto;
            continue;
        }
        r += f(tramo);
        tramo.clear();
        r += t.texto;
    }
    return r + f(tramo);
}

/// Every `contexto` occurrence of `objeto` replaced by the same context around `vista`.
std::string Redirigir(const std::string& sql, std::string_view objeto, std::string_view vista,
                      bool conLlave) {
    // Most statements name none or one of the protected objects: the others are passed over
    // without the case-blind rewriting of the whole text.
    if (!texto::ContieneAsciiSinCaso(sql, objeto)) return sql;
    return FueraDeLiterales(sql, [&](const std::string& tramo) {
        std::string r = tramo;
        std::vector<Contexto> contextos(std::begin(kContextos), std::end(kContextos));
        if (conLlave) contextos.push_back(kContextoLlave);
        for (const Contexto& c : contextos) {
            const std::string de = c.antes + std::string(objeto) + c.despues;
            if (!texto::ContieneAsciiSinCaso(r, de)) continue;
            const std::string por = c.antes + std::string(vista) + c.despues;
            // A replacement's trailing character may start the next context ("( X  X ").
            std::string anterior;
            do {
                anterior = r;
                r = texto::ReemplazarSinCaso(r, de, por);
            } while (r != anterior);
        }
        return r;
    });
}

/// The markers go from object names only: a value such as a template named "@admin_x" keeps
/// its text.
std::string QuitarMarcas(const std::string& sql) {
    return QuitarMarcaFueraDeLiterales(sql, kMarcaAdmin);
}

}  // namespace

std::string TraducirSinonimos(const std::string& sql, bool esAdmin, bool confidencialidad) {
    if (esAdmin) return QuitarMarcas(sql);
    if (texto::ContieneAsciiSinCaso(sql, "MV_ASIENTOS") && !confidencialidad)
        return QuitarMarcas(sql);
    const ObjetoProtegido& cuentas = kObjetosProtegidos[0];
    std::string r = Redirigir(sql, cuentas.Objeto, cuentas.Vista, true);
    if (ContieneFueraDeLiterales(r, kMarcaAdmin)) {
        // The marker on the chart of accounts cancels its redirection in the whole statement
        // (its names, never its values).
        r = FueraDeLiterales(r, [&](const std::string& tramo) {
            const std::string t = texto::ReemplazarSinCaso(
                tramo, std::string(kMarcaAdmin) + std::string(cuentas.Objeto), cuentas.Objeto);
            return texto::ReemplazarSinCaso(t, cuentas.Vista, cuentas.Objeto);
        });
    }
    for (size_t k = 1; k < kObjetosProtegidos.size(); ++k)
        r = Redirigir(r, kObjetosProtegidos[k].Objeto, kObjetosProtegidos[k].Vista, false);
    return QuitarMarcas(r);
}

void TraductorSinonimos::TraducirEn(std::string& sql, bool esAdmin, bool confidencialidad) {
    Flags(esAdmin, confidencialidad);
    if (PorForma(sql, traducida_)) {
        sql.swap(traducida_);
        return;
    }
    sql = Traducir(sql, esAdmin, confidencialidad);
}

void TraductorSinonimos::Flags(bool esAdmin, bool confidencialidad) {
    if (esAdmin != esAdmin_ || confidencialidad != confidencialidad_) {
        textos_.clear();
        formas_.clear();
        esAdmin_ = esAdmin;
        confidencialidad_ = confidencialidad;
    }
}

std::string TraductorSinonimos::Traducir(const std::string& sql, bool esAdmin,
                                         bool confidencialidad) {
    Flags(esAdmin, confidencialidad);
    // A text with literals goes through its form: remembering the text itself would keep one
    // entry per key typed. The others are remembered whole.
    std::string traducida;
    if (PorForma(sql, traducida)) return traducida;
    if (auto it = textos_.find(sql); it != textos_.end()) return it->second;
    traducida = TraducirSinonimos(sql, esAdmin, confidencialidad);
    if (textos_.size() >= kGuardadas) textos_.clear();
    textos_.emplace(sql, traducida);
    return traducida;
}

bool TraductorSinonimos::PorForma(const std::string& sql, std::string& traducida) {
    if (!CortarLiterales(sql, partes_, valores_)) return false;
    for (const std::string& parte : partes_)
        if (parte.find('\'') != std::string::npos) return false;
    // The journal's redirection is decided on the whole text, literals included.
    for (const std::string& valor : valores_)
        if (texto::ContieneAsciiSinCaso(valor, "MV_ASIENTOS")) return false;
    std::string& clave = clave_;  // the parts joined by NUL, which no statement text holds
    clave = partes_[0];
    for (size_t k = 1; k < partes_.size(); ++k) (clave += '\0') += partes_[k];
    auto it = formas_.find(clave);
    if (it == formas_.end()) {
        // The translation never looks inside a literal: the form with empty literals is
        // translated once, and its parts hold for every text of the form, provided every
        // literal came through, in order.
        std::string forma = partes_[0];
        for (size_t k = 1; k < partes_.size(); ++k) (forma += "''") += partes_[k];
        const std::string hecha = TraducirSinonimos(forma, esAdmin_, confidencialidad_);
        std::vector<std::string> partesHechas, valoresHechos;
        bool sirve = CortarLiterales(hecha, partesHechas, valoresHechos) &&
                     valoresHechos.size() == valores_.size();
        for (const std::string& v : valoresHechos) sirve = sirve && v.empty();
        if (!sirve) partesHechas.clear();  // remembered as a form that cannot stand for its texts
        if (formas_.size() >= kGuardadas) formas_.clear();
        it = formas_.emplace(clave, std::move(partesHechas)).first;
    }
    const std::vector<std::string>& partes = it->second;
    if (partes.empty()) return false;
    CoserLiterales(partes, valores_, traducida);
    return true;
}

}  // namespace data
