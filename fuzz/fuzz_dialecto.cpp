// The adaptation of statements to the embedded engine, and the removal of the table marker:
// any text goes through, and text inside quotes never changes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Comun.h"
#include "Dialecto.h"
#include "Sinonimos.h"

using namespace data;

namespace {

/// The apostrophe literals of a statement in order, found by the plain rules of the language
/// (comments, bracketed and double-quoted names skipped; a doubled delimiter stays inside).
/// Deliberately simple and separate from the adapter's own reading of the text.
std::vector<std::string> Literales(const std::string& s) {
    std::vector<std::string> r;
    size_t i = 0;
    auto hasta = [&](char cierre) {
        size_t j = i + 1;
        while (j < s.size() && !(s[j] == cierre && !(j + 1 < s.size() && s[j + 1] == cierre)))
            j += s[j] == cierre ? 2 : 1;
        return j;  // the closing delimiter, or s.size()
    };
    while (i < s.size()) {
        if (s.compare(i, 2, "--") == 0) {
            const size_t f = s.find('\n', i);
            i = f == std::string::npos ? s.size() : f;
        } else if (s.compare(i, 2, "/*") == 0) {
            const size_t f = s.find("*/", i + 2);
            i = f == std::string::npos ? s.size() : f + 2;
        } else if (s[i] == '[') {
            i = hasta(']') + 1;
        } else if (s[i] == '"') {
            i = hasta('"') + 1;
        } else if (s[i] == '\'') {
            const size_t j = hasta('\'');
            r.push_back(s.substr(i, j < s.size() ? j + 1 - i : std::string::npos));
            i = j + 1;
        } else {
            ++i;
        }
    }
    return r;
}

/// The texts without the empty ones: Oracle has no empty text, and its translation writes a
/// comparison with '' as IS NULL by rule.
std::vector<std::string> SinVacios(std::vector<std::string> v) {
    std::erase(v, "''");
    return v;
}

/// Whether `a` stands in `b` in the same order, other elements allowed between.
bool EnOrden(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    size_t j = 0;
    for (const auto& x : b)
        if (j < a.size() && x == a[j]) ++j;
    return j == a.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string sql(reinterpret_cast<const char*>(datos), largo);
    const auto antes = Literales(sql);
    for (const Dialecto d : {Dialecto::SqlServer, Dialecto::Sqlite, Dialecto::Oracle}) {
        const std::string adaptada = AdaptarSentencia(sql, d);
        // The Oracle translation adds texts of its own (date formats): the statement's texts
        // must all be there, unchanged and in order.
        const bool iguales = d == Dialecto::Oracle
                                 ? EnOrden(SinVacios(antes), SinVacios(Literales(adaptada)))
                                 : Literales(adaptada) == antes;
        fuzz::Exigir(iguales, d == Dialecto::Sqlite
                                  ? "la adaptacion a SQLite cambio un texto entre comillas"
                              : d == Dialecto::Oracle
                                  ? "la traduccion a Oracle cambio un texto entre comillas"
                                  : "el texto para el servidor cambio entre comillas");
    }
    const std::string sinMarca = QuitarMarcaFueraDeLiterales(sql, "@Admin_");
    fuzz::Exigir(Literales(sinMarca) == antes, "quitar la marca cambio un texto entre comillas");
    (void)TablaDeConsulta(sql);

    // The remembering translator answers what the plain translation answers, also for a text
    // whose form it learnt from another text with other values in its literals.
    std::string otra = sql;
    if (!antes.empty() && antes[0].size() >= 2) {
        const size_t donde = otra.find(antes[0]);
        otra.replace(donde, antes[0].size(), "'Otro valor'");
    }
    for (const bool admin : {false, true})
        for (const bool confidencial : {false, true}) {
            TraductorSinonimos traductor;
            const std::string* const textos[] = {&otra, &sql, &sql};
            std::string enSuLugar;
            for (const std::string* texto : textos) {
                const std::string esperada = TraducirSinonimos(*texto, admin, confidencial);
                fuzz::Exigir(traductor.Traducir(*texto, admin, confidencial) == esperada,
                             "la traduccion recordada difiere de la traduccion");
                enSuLugar = *texto;
                traductor.TraducirEn(enSuLugar, admin, confidencial);
                fuzz::Exigir(enSuLugar == esperada,
                             "la traduccion en su lugar difiere de la traduccion");
            }
        }
    return 0;
}
