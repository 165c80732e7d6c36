// The smaller lookups on journal lines, summary entries, account extra data and fixed assets.
// Each traps its failures and reports them under its own routine name: 4 repeats the step,
// 5 goes on with the next one, anything else leaves with false (or no text). A reading whose
// opening failed fails in turn (the recordset is closed), so it is reported and never taken
// for an empty answer.
#include "DB_Dll.h"
#include "Lbc_Asiento.h"
#include "NumerosTexto.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Recordset.h"
#include "SentenciasAsiento.h"
#include "Texto.h"
#include "Utilidades.h"
#include "ValorCampo.h"

using namespace helperlib;
using namespace data;

namespace entryrules {

namespace {

namespace s = entryrules::sentencias;

/// Opens `sql` read-only into the caller's recordset when given (left open for it), else into
/// a local one; true when it has rows. Failures go to `reportero`; leaving gives false.
bool HayLineas(DB_Dll& db, std::string sql, Recordset* lrcsaux, const Reportero& reportero) {
    Recordset propio;
    Recordset& rs = lrcsaux ? *lrcsaux : propio;
    bool hay = false;
    EjecutarPasos(
        {[&] { db.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance, bloqueo::kSoloLectura); },
         [&] { hay = !rs.BOF(); }},
        reportero);
    if (!lrcsaux) db.CierraRecordset(propio);
    return hay;
}

}  // namespace

bool Lbc_Asiento::AsientoResumenAnulado(const std::string& Subdiario,
                                        const std::string& NroAsiento_ConFomato) {
    bool anulado = false;
    std::string sql;
    Recordset rs;
    EjecutarPasos(
        {[&] {
             const int guion = texto::Posicion(NroAsiento_ConFomato, "-");
             if (guion == 0)
                 throw ErrorEjecucion(errnum::kArgumentoInvalido,
                                      "Llamada a procedimiento o argumento no válido: '" +
                                          NroAsiento_ConFomato + "' no es mes-número");
             const int32_t mes = entryrules::EnteroDeTexto(
                 texto::Izquierda(NroAsiento_ConFomato, guion - 1), "el mes del asiento resumen");
             const int32_t id = entryrules::EnteroDeTexto(
                 texto::Medio(NroAsiento_ConFomato, guion + 1), "el número del asiento resumen");
             sql = s::ResumenDeSubdiario(Subdiario, id, mes, periodo_);
         },
         [&] { Abrir(sql, rs); },
         [&] {
             if (!rs.BOF() && ValorBooleano(rs.Fields("Anulado").Value())) {
                 plataforma().MsgBox("Este Asiento Resumen ya fue Contrasentado!!!",
                                     estilo::kCritico, "");
                 anulado = true;
             }
         }},
        ReporteroDe("AsientoResumenAnulado"));
    db_.CierraRecordset(rs);
    return anulado;
}

bool Lbc_Asiento::ExisteEnMVAsientos(const std::string& TC, const std::string& suc,
                                     const std::string& Nro, const std::string& L,
                                     const std::optional<std::string>& Proveedor,
                                     Recordset* lrcsaux) {
    return HayLineas(db_, s::LineasDeComprobante(TC, suc, Nro, L, Proveedor), lrcsaux,
                     ReporteroDe("ExisteEnMVAsientos"));
}

bool Lbc_Asiento::ExisteEnMVAsientos2(
    const std::string& TC, const std::string& suc, const std::string& Nro, const std::string& L,
    const std::string& /*Tipo_Reg*/, const std::string& NroAsiento, const std::string& MesOP,
    const std::string& Periodo, const std::optional<std::string>& Proveedor, Recordset* lrcsaux) {
    // The register type is taken for the classic signature; the statement has never
    // restricted it.
    const Reportero reportero = ReporteroDe("ExisteEnMVAsientos2");
    std::string sql;
    if (!EjecutarPaso(
            [&] {
                using entryrules::EnteroDeTexto;
                const int32_t periodo =
                    Proveedor ? EnteroDeTexto(Periodo, "el período del asiento") : 0;
                sql = s::LineasDeComprobanteEnAsiento(
                    TC, suc, Nro, L, EnteroDeTexto(NroAsiento, "el número de asiento"),
                    EnteroDeTexto(MesOP, "el mes operativo"), periodo, Proveedor);
            },
            reportero))
        return false;
    return HayLineas(db_, sql, lrcsaux, reportero);
}

bool Lbc_Asiento::ExisteDatosAdicionales(const std::string& Valor_Buscado, Recordset& LRsTmp) {
    bool hay = false;
    EjecutarPasos({[&] { db_.CierraRecordset(LRsTmp); },
                   [&] {
                       std::string sql = s::DatosAdicionales(Valor_Buscado);
                       db_.AbrirRecordset(sql, LRsTmp, nullptr, cursor::kSoloAvance,
                                          bloqueo::kSoloLectura);
                   },
                   [&] { hay = !LRsTmp.BOF(); }},
                  ReporteroDe("ExisteDatosAdicionales"));
    return hay;
}

namespace {

/// The largest value of a one-row MAX query plus one, as text; "1" for no row or Null; ""
/// when the reading is left.
std::string Siguiente(const std::function<void(Recordset&)>& abrir, const char* columna,
                      const Reportero& reportero, DB_Dll& db) {
    std::string resultado;
    Recordset rs;
    EjecutarPasos({[&] { abrir(rs); },
                   [&] {
                       if (rs.BOF() || rs.Fields(columna).EsNulo()) {
                           resultado = "1";
                           return;
                       }
                       const Moneda mayor = ValorNumerico(rs.Fields(columna).Texto());
                       resultado = texto::Recortar((mayor + Moneda::DesdeEntero(1)).TextoCorto());
                   }},
                  reportero);
    db.CierraRecordset(rs);
    return resultado;
}

}  // namespace

std::string Lbc_Asiento::UltimoIDBienDeUso() {
    return Siguiente([&](Recordset& rs) { Abrir(s::kUltimoBien, rs); }, "ELCODIGO",
                     ReporteroDe("UltimoIdBienDeUso"), db_);
}

std::string Lbc_Asiento::UltimoIDNovedadBienDeUso(const std::string& CodigoBien) {
    const Reportero reportero = ReporteroDe("UltimoIdNovedadBienDeUso");
    std::string sql;
    if (!EjecutarPaso(
            [&] {
                sql = s::UltimaNovedadDeBien(
                    entryrules::EnteroDeTexto(CodigoBien, "el código del bien"));
            },
            reportero))
        return {};
    return Siguiente([&](Recordset& rs) { Abrir(sql, rs); }, "ELID", reportero, db_);
}

}  // namespace entryrules
