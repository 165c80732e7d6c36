// The statements of the entry rules against the schema: each
// finds its tables and columns and reaches its rows through an index, never by reading a
// whole table of journal lines or vouchers.
#include "Dialecto.h"
#include "ReglasPrueba.h"
#include "SentenciasAsiento.h"

using namespace data;
using namespace entryrules;

namespace {

namespace s = entryrules::sentencias;

using SentenciasReglas = ReglasPrueba;

TEST_F(SentenciasReglas, CadaSentenciaUsaUnIndice) {
    const std::string fecha = "'2025-01-10 00:00:00'";
    const std::vector<std::string> sentencias = {
        s::UltimoNumeroAsiento(1, 2025, "VEN"),
        s::UltimoNumeroAsiento(2, 2025, ""),
        s::Talonarios("FC  ", "   1"),
        s::Talonarios("FC  ", std::nullopt),
        s::TipoComprobante("FCC "),
        s::ComprobanteUsado("VEN", "FC  ", "0001", "00001523", "A", fecha, "1.1.03.001"),
        s::ComprobanteUsado(std::nullopt, "FC  ", "0001", "00001523", "A", std::nullopt, ""),
        s::Ejercicio(2025),
        s::EjerciciosAnteriores(2025),
        s::MovimientosFueraPeriodo(2025, "'2025-01-01 00:00:00'", "'2025-12-31 00:00:00'"),
        s::UltimoAjuste(2025),
        s::ResumenesSubdiario("VEN", 2025),
        s::ComprobantesDeSubdiario("VEN"),
        s::SubdiarioDeComprobante("FC"),
        // The subledger generation and the smaller journal lookups.
        s::BorrarAuxiliarDeUsuario("DEMO"),
        s::AsientosDeSubdiario("VEN", "'1990-01-01 00:00:00'", "'2025-12-31 00:00:00'"),
        s::LineasDeAsientos("VEN"),
        s::NombresDeCuentas(3),
        s::LineasDeComprobante("FC", "0001", "00001523", "A", std::nullopt),
        s::LineasDeComprobante("FC", "0001", "00001523", "A", "1.1.03.001"),
        s::LineasDeComprobanteEnAsiento("FC", "0001", "00001523", "A", 1, 1, 2025, std::nullopt),
        s::LineasDeComprobanteEnAsiento("FC", "0001", "00001523", "A", 1, 1, 2025, "1.1.03.001"),
        s::ResumenDeSubdiario("VEN", 1, 1, 2025),
        s::DatosAdicionales("1.1.01.012"),
        s::UltimaNovedadDeBien(1),
        // The one-row lookups the duplicate check makes through the data layer.
        "SELECT TOP 1 * FROM MA_SUBDIARIOSCOMPROBANTES with(nolock)  WHERE TC ='FC' ",
        "SELECT TOP 1 * FROM TA_COMPROBANTES with(nolock)  WHERE CODIGO ='FC' ",
    };
    for (const std::string& original : sentencias) {
        const std::string sql = AdaptarSentencia(db.SS_TSinonimos(original), Dialecto::Sqlite);
        SCOPED_TRACE(original + "\n" + sql);
        std::string plan;
        ASSERT_NO_THROW(for (const auto& f
                             : base.Filas("EXPLAIN QUERY PLAN " + sql)) plan += f.back() + "\n");
        EXPECT_EQ(plan.find("SCAN"), std::string::npos) << plan;
        EXPECT_NE(plan.find("USING"), std::string::npos) << plan;
        EXPECT_NO_THROW(base.Filas(sql));
    }
    // The largest asset code is the table's own key: one row is read, without an index.
    for (const auto& f : base.Filas(std::string("EXPLAIN QUERY PLAN ") + s::kUltimoBien))
        EXPECT_EQ(f.back().find("SCAN"), std::string::npos) << f.back();
    // The years are read whole on purpose (a handful of rows), in key order without sorting.
    const auto plan = base.Filas(std::string("EXPLAIN QUERY PLAN ") + s::kEjercicios);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].back().find("TEMP B-TREE"), std::string::npos) << plan[0].back();
}

}  // namespace
