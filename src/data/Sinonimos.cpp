#include "Sinonimos.h"

#include <algorithm>
#include <vector>

#include "Dialecto.h"
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
/// as they were written.
template <class F>
std::string FueraDeLiterales(const std::string& sql, F f) {
    std::string r, tramo;
    size_t i = 0;
    while (i < sql.size()) {
        if (sql[i] != '\'') {
            const size_t fin = std::min(sql.find('\'', i), sql.size());
            tramo.append(sql, i, fin - i);
            i = fin;
            continue;
        }
        r += f(tramo);
        tramo.clear();
        size_t j = i + 1;  // the literal runs to its closing apostrophe ('' stays inside)
        while (j < sql.size()) {
            if (sql[j] == '\'' && (j + 1 >= sql.size() || sql[j + 1] != '\'')) break;
            j += sql[j] == '\'' ? 2 : 1;
        }
        j = std::min(j + 1, sql.size());
        r.append(sql, i, j - i);
        i = j;
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

}  // namespace data
