#include "LogicaArbol.h"

#include "DB_Dll.h"
#include "LogicaLista.h"
#include "Recordset.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace lookup {

const std::string kSentenciaFamilias =
    std::string("SELECT     TOP 100 PERCENT IdFamilia, Descripcion, ") +
    "(SELECT     TOP 1 idfamilia FROM @Admin_v_ta_familias a  " +
    " Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "
    "Len(LTrim(RTrim(b.IdFamilia)))) " +
    " ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' "
    "ORDER BY IdFamilia";

namespace {

bool Es(const std::string& campo, const char* nombre) {
    return texto::IgualesSinCaso(texto::Recortar(campo), nombre);
}

/// The value of `campo` of the row of `tabla` whose `campo` is the code; nullopt when none.
std::optional<std::string> Buscar(DB_Dll& db, const std::string& tabla, const std::string& campo,
                                  const std::string& codigo) {
    Recordset rs;
    if (!db.ExisteEnTabla(tabla, codigo, campo, &rs)) {
        if (rs.State() == 1) db.CierraRecordset(rs);
        return std::nullopt;
    }
    std::string valor = TextoDeValor(rs.Fields(campo));
    db.CierraRecordset(rs);
    return valor;
}

}  // namespace

bool EsArbolFamilias(const std::string& sql) {
    return texto::ContieneSinCaso(sql, "v_ta_familias");
}

std::string SentenciaBusquedaArbol(const std::string& sql, const std::string& textoCaja) {
    const auto [cabeza, cola] = lista::PartirSentencia(sql);
    const std::string union_ = texto::ContieneSinCaso(sql, "where") ? " and " : " where ";
    return cabeza + union_ + "Descripcion" + " like '%" + texto::DuplicarApostrofes(textoCaja) +
           "%' " + cola;
}

std::vector<FilaArbol> LeerFilasArbol(Recordset& rs, bool conPariente) {
    std::vector<FilaArbol> filas;
    filas.reserve(static_cast<std::size_t>(std::max(0L, rs.RecordCount())));
    for (; !rs.EOF(); rs.MoveNext()) {
        FilaArbol f{TextoDeValor(rs.Fields(0)), TextoDeValor(rs.Fields(1)), std::nullopt};
        if (conPariente) {
            const Campo& pariente = rs.Fields("relative");
            if (!pariente.EsNulo()) f.pariente = TextoDeValor(pariente);
        }
        filas.push_back(std::move(f));
    }
    return filas;
}

std::optional<std::string> ValorDeCodigo(DB_Dll& db, const std::string& campoDevuelto,
                                         const std::string& codigo) {
    std::optional<std::string> hallado;
    if (Es(campoDevuelto, "IDFAMILIA")) {
        hallado = Buscar(db, "@admin_V_TA_FAMILIAS", "IDFAMILIA", codigo);
    } else if (Es(campoDevuelto, "IDPOSICION")) {
        hallado = Buscar(db, "MA_POSICIONES", "IDPOSICION", codigo);
    } else if (Es(campoDevuelto, "CODIGO")) {
        hallado = Buscar(db, "TA_CCOSTO", "CODIGO", codigo);
        if (!hallado) hallado = Buscar(db, "MA_CUENTAS", "CODIGO", codigo);
    } else {
        return std::nullopt;
    }
    return hallado.value_or(std::string());
}

std::optional<std::string> ValorDeMarcado(DB_Dll& db, const std::string& campoDevuelto,
                                          const std::string& codigo) {
    if (Es(campoDevuelto, "IDFAMILIA") || Es(campoDevuelto, "CODIGO"))
        return texto::Recortar(codigo);
    if (Es(campoDevuelto, "IDPOSICION")) return Buscar(db, "MA_POSICIONES", "IDPOSICION", codigo);
    return std::nullopt;
}

}  // namespace lookup
