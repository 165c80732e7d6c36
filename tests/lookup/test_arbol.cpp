// The tree's rules without widgets: where each builder hangs a row (ordered and unordered
// sources, codes without a shorter prefix, a family whose parent is missing, a repeated code)
// and the statement of a new database search.
#include <gtest/gtest.h>

#include <sstream>

#include "ArbolCodigos.h"
#include "LogicaArbol.h"
#include "Plataforma.h"

using namespace helperlib;
using namespace lookup;

namespace lookup {
namespace {

// Rows written "code" or "code<parent" (the family source's parent), separated by blanks.
std::vector<FilaArbol> Filas(const std::string& texto) {
    std::vector<FilaArbol> filas;
    std::istringstream in(texto);
    for (std::string f; in >> f;) {
        const auto menor = f.find('<');
        std::optional<std::string> pariente;
        if (menor != std::string::npos) pariente = f.substr(menor + 1);
        const std::string codigo = f.substr(0, menor);
        filas.push_back({codigo, "Desc " + codigo, pariente});
    }
    return filas;
}

// The tree in the order it is shown, each node written "code<parent code" ("" for the root).
std::string Mostrado(const ArbolCodigos& arbol) {
    std::string r;
    for (int n : arbol.EnOrden()) {
        if (n == ArbolCodigos::kRaiz) continue;
        EXPECT_EQ(arbol[n].texto, arbol.Codigo(n) + " - Desc " + arbol.Codigo(n));
        r += (r.empty() ? "" : " ") + arbol.Codigo(n) + "<" + arbol.Codigo(arbol[n].padre);
    }
    return r;
}

TEST(ArmadoArbol, CadaFilaCuelgaDeSuPadre) {
    const struct {
        const char* nombre;
        bool porPariente;
        const char* filas;
        std::vector<int> respuestas;  // answers to the reports, in order
        const char* mostrado;
        std::vector<long> reportes;  // error numbers reported
    } casos[] = {
        {"prefijos", false, "1 11 111 2", {}, "1< 11<1 111<11 2<", {}},
        {"largo sin prefijo mas corto", false, "1 11 305 3051", {}, "1< 11<1 305< 3051<305", {}},
        {"sin distinguir mayusculas", false, "b B1 bA", {}, "b< B1<b bA<b", {}},
        // A child read before its parent finds no prefix yet and lands under the root.
        {"sentencia desordenada", false, "111 1 11 2", {}, "111< 1< 11<1 2<", {}},
        {"codigo repetido ignorado",
         false,
         "1 1 11",
         {respuesta::kIgnorar},
         "1< 11<1",
         {kErrorClaveRepetida}},
        {"familias", true, "1 11<1 111<11 2", {}, "1< 11<1 111<11 2<", {}},
        {"familia sin padre ignorada va a la raiz",
         true,
         "1 35<3 351<35",
         {respuesta::kIgnorar},
         "1< 35< 351<35",
         {kErrorNodoNoEncontrado}},
        {"familia sin padre abandonada corta el armado",
         true,
         "1 35<3 4",
         {respuesta::kAbortar},
         "1<",
         {kErrorNodoNoEncontrado}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::vector<long> reportes;
        auto respuestas = c.respuestas;
        const Reportero reportero = [&](const ErrorEjecucion& e) {
            reportes.push_back(e.Numero());
            if (respuestas.empty()) return respuesta::kAbortar;
            const int r = respuestas.front();
            respuestas.erase(respuestas.begin());
            return r;
        };
        ArbolCodigos arbol;
        if (c.porPariente)
            ArmarPorPariente(arbol, Filas(c.filas), reportero);
        else
            ArmarPorPrefijo(arbol, Filas(c.filas), reportero);
        EXPECT_EQ(Mostrado(arbol), c.mostrado);
        EXPECT_EQ(reportes, c.reportes);
    }
}

TEST(BusquedaArbol, SentenciaDeF5) {
    const struct {
        const char* sql;
        const char* caja;
        const char* esperada;
    } casos[] = {
        {"SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO", "caja",
         "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS  where Descripcion like '%caja%' "
         "ORDER BY CODIGO"},
        {"SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE Nivel = 2", "O'Hara",
         "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE Nivel = 2 and Descripcion like "
         "'%O''Hara%' "},
    };
    for (const auto& c : casos) EXPECT_EQ(SentenciaBusquedaArbol(c.sql, c.caja), c.esperada);
}

}  // namespace
}  // namespace lookup
