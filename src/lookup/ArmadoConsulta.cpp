#include "ArmadoConsulta.h"

#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace lookup {

namespace armado {

namespace {

bool EnBlanco(const std::string& s) { return texto::Recortar(s).empty(); }

struct ListaIncorporada {
    const char* nombre;
    const char* columnas;
    const char* busqueda;
};
constexpr ListaIncorporada kIncorporadas[] = {
    {"V_TA_Unidad", "Descripcion, IdUnidad", "IdUnidad"},
    {"V_TA_DEPOSITO", "Descripcion, Unidad, IdDeposito", "IdDeposito"},
    {"V_TA_STATUS", "Descripcion, Tipo, CodigoEstado", "CodigoEstado"},
};

bool Es(const std::string& a, const char* b) { return texto::IgualesSinCaso(a, b); }

}  // namespace

std::string EnvolverWhere(const std::string& where) {
    const std::string t = texto::Recortar(where);
    if (texto::Largo(t) > 1 && t.front() != '(') return " (" + where + ") ";
    return where;
}

int LimiteFilas(const std::string& valorConfiguracion) {
    int n = 0;
    try {
        n = NumeroDeTexto(valorConfiguracion);
    } catch (const ErrorEjecucion&) {
        n = 0;  // a number beyond range counts as no value
    }
    return n == 0 ? 1000 : n;
}

bool EsSentencia(const std::string& sql) { return texto::ContieneSinCaso(sql, "SELECT"); }

std::string SentenciaDelLlamador(const std::string& sql, const std::string& where) {
    std::string s = sql;
    if (texto::ContieneSinCaso(s, "V_MA_ARTICULOS"))
        s = ReemplazarTexto(s, "V_MA_ARTICULOS", "VT_MA_ARTICULOS");
    if (!EnBlanco(where)) {
        s += texto::ContieneSinCaso(where, "WHERE") ? where : " WHERE " + where;
    }
    return s;
}

std::optional<std::string> SentenciaGuardada(const RegistroConsulta& registro, int limite,
                                             const std::string& where, std::string& campoBusqueda) {
    std::string fuente = registro.Nombre;
    std::string columnas = ReemplazarCaracter(registro.Columnas, "|", ",");
    if (!columnas.empty() && columnas.front() == ',') columnas.erase(0, 1);
    if (!columnas.empty() && columnas.back() == ',') columnas.pop_back();
    if (EnBlanco(columnas)) columnas = "*";

    if (campoBusqueda.empty()) {
        const auto coma = columnas.find(',');
        if (coma == std::string::npos) return std::nullopt;
        campoBusqueda = columnas.substr(0, coma);
    }

    std::string condicion = registro.Filtro;
    if (EnBlanco(condicion)) condicion = where;
    if (EnBlanco(condicion)) {
        if (Es(fuente, "VT_PROVEEDORES") || Es(fuente, "VT_CLIENTES"))
            condicion = "Dada_De_Baja = 0";
        else if (Es(fuente, "V_MA_ARTICULOS"))
            condicion = "SUSPENDIDO = 0";
    }
    if (Es(fuente, "V_MA_ARTICULOS")) fuente = "VT_MA_ARTICULOS";

    return "SELECT TOP " + std::to_string(limite) + " " + columnas + " FROM " + fuente +
           "  with(nolock) " + (EnBlanco(condicion) ? "" : " WHERE ") + condicion + " ORDER BY " +
           campoBusqueda;
}

bool ColumnasIncorporadas(const std::string& nombre, std::string& columnas,
                          std::string& campoBusqueda) {
    for (const auto& l : kIncorporadas) {
        if (Es(nombre, l.nombre)) {
            columnas = l.columnas;
            campoBusqueda = l.busqueda;
            return true;
        }
    }
    return false;
}

std::string ColumnasGeneradas(const std::string& nombre, const std::vector<std::string>& campos,
                              std::string& campoBusqueda) {
    const bool tomaClaves = Es(nombre, "v_mv_mutuales") || Es(nombre, "V_MV_TROPA_STOCK");
    std::string columnas;
    bool primero = true;
    for (const auto& campo : campos) {
        const bool esClave = Es(campo, "ID") || Es(campo, "FECHAHORA_MODIFICACION") ||
                             Es(campo, "FECHAHORA_GRABACION");
        if (esClave && !tomaClaves) continue;
        const bool esDescriptivo =
            Es(campo, "DESCRIPCION") || Es(campo, "NOMBRE") || Es(campo, "DETALLE");
        if (esClave || esDescriptivo || primero) campoBusqueda = campo;
        primero = false;
        columnas = columnas.empty() ? campo : campo + "," + columnas;
    }
    return EnBlanco(columnas) ? " * " : columnas;
}

std::string SentenciaGenerada(const std::string& nombre, const std::string& columnas, int limite,
                              const std::string& where, const std::string& campoBusqueda) {
    const std::string condicion = " " + where;
    std::string s = "SELECT TOP " + std::to_string(limite) + " " + columnas + " FROM " + nombre +
                    (EnBlanco(condicion) ? "" : " WHERE ") + condicion;
    if (!EnBlanco(campoBusqueda)) s += " ORDER BY " + campoBusqueda;
    return s;
}

}  // namespace armado

}  // namespace lookup
