// The smaller journal lookups on the demo database: their answers, the statements they send
// and what a failure leaves.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Recordset.h"
#include "ReglasPrueba.h"

using namespace data;

namespace {

class ConsultasDiarioTest : public ReglasPrueba {
  protected:
    void SetUp() override {
        ReglasPrueba::SetUp();
        // A summary line for the demo invoice: the journal has it, ordinary lines do not.
        base.Ejecutar(
            "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG, TC, "
            "SUCURSAL, NUMERO, LETRA, CABCUENTA, ESRESUMEN) VALUES (2025, 2, 9, 'VEN', 'RS', "
            "'0001', '00000001', 'A', '1.1.03.001', 1)");
    }

    /// The routines of the trapped failures.
    std::vector<std::string> Rutinas() const {
        std::vector<std::string> r;
        for (const auto& f : fallas) r.push_back(f.substr(0, f.find(':')));
        return r;
    }
};

std::string SiNo(bool b) { return b ? "sí" : "no"; }

TEST_F(ConsultasDiarioTest, RespuestasYSentencias) {
    const std::string fc =
        "TC = 'FC' AND SUCURSAL = '0001' AND NUMERO = '00001523' AND LETRA = 'A'";
    const std::optional<std::string> sinProveedor;
    const auto existe = [&](const char* tc, const char* nro, std::optional<std::string> prov) {
        return SiNo(reglas->ExisteEnMVAsientos(tc, "0001", nro, " A", prov));
    };
    const auto existe2 = [&](const char* tc, const char* nro, const char* asiento, const char* mes,
                             std::optional<std::string> prov) {
        return SiNo(
            reglas->ExisteEnMVAsientos2(tc, "0001", nro, "A", "VEN", asiento, mes, "2025", prov));
    };
    struct Caso {
        std::function<std::string()> llamada;
        std::string resultado;
        std::string sentencia;  // the last one sent ("": not looked at)
    };
    const std::vector<Caso> casos = {
        {[&] { return existe("FC ", "00001523", sinProveedor); }, "sí",
         "SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) WHERE " + fc},
        {[&] { return existe("FC", "00001523", "1.1.03.001"); }, "sí",
         "SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE " + fc + " AND CABCUENTA = '1.1.03.001'"},
        {[&] { return existe("FC", "00001523", "otro"); }, "no", ""},
        {[&] { return existe("F'C", "00001523", sinProveedor); }, "no",
         "SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) WHERE TC = 'F''C' AND SUCURSAL = '0001' AND "
         "NUMERO = '00001523' AND LETRA = 'A'"},
        {[&] { return existe2("FC", "00001523", "1", "1", sinProveedor); }, "sí",
         "SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) WHERE " + fc +
             " AND [NUMERO ASIENTO] = 1  AND MES_OPERATIVO = 1 AND (ESRESUMEN = 0)"},
        {[&] { return existe2("FC", "00001523", "1", "1", "1.1.03.001"); }, "sí",
         "SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE " + fc +
             " AND [NUMERO ASIENTO] = 1 AND MES_OPERATIVO = 1 AND Periodo = 2025 AND CABCUENTA "
             "= '1.1.03.001' AND (ESRESUMEN = 0)"},
        // The summary line carries its voucher, but is not an ordinary line of its entry.
        {[&] { return existe("RS", "00000001", sinProveedor); }, "sí", ""},
        {[&] { return existe2("RS", "00000001", "9", "2", sinProveedor); }, "no", ""},
        {[&] { return SiNo(reglas->AsientoResumenAnulado("COM", "01-2")); }, "sí",
         "SELECT * FROM MV_CONTROL_AS_RES WHERE SUBDIARIO='COM' AND ID=2 AND MONTH(FECHA_DESDE) "
         "= 1 AND PERIODO = 2025"},
        {[&] { return SiNo(reglas->AsientoResumenAnulado("VEN", "01-1")); }, "no", ""},
        {[&] { return reglas->UltimoIDBienDeUso(); }, "3",
         "SELECT MAX(CODIGO) AS [ELCODIGO] FROM MA_BIENES"},
        {[&] { return reglas->UltimoIDNovedadBienDeUso(" 1 "); }, "2",
         "SELECT MAX(ID) AS [ELID] FROM MA_BIENES_novedades WHERE CODIGO = 1"},
        {[&] { return reglas->UltimoIDNovedadBienDeUso("2"); }, "1", ""},
    };
    // Only the cancelled summary entry is announced.
    plataforma->Esperar("Este Asiento Resumen ya fue Contrasentado!!!");
    for (const Caso& c : casos) {
        enviadas.clear();
        EXPECT_EQ(c.llamada(), c.resultado) << c.sentencia;
        if (!c.sentencia.empty()) {
            EXPECT_EQ(enviadas.back(), c.sentencia);
        }
    }
    EXPECT_TRUE(fallas.empty());
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].estilo, estilo::kCritico);

    base.Ejecutar("DELETE FROM MA_BIENES");
    EXPECT_EQ(reglas->UltimoIDBienDeUso(), "1");
}

TEST_F(ConsultasDiarioTest, DatosAdicionalesQuedanAbiertosParaQuienPregunta) {
    Recordset rs;
    EXPECT_TRUE(reglas->ExisteDatosAdicionales(" 1.1.01.012 ", rs));
    ASSERT_EQ(rs.State(), 1);
    EXPECT_EQ(rs.Fields("Observaciones").Texto(), "Cuenta recaudadora");
    EXPECT_FALSE(reglas->ExisteDatosAdicionales("1.1.01.001", rs));
    EXPECT_EQ(rs.State(), 1);
    EXPECT_TRUE(rs.EOF());
}

TEST_F(ConsultasDiarioTest, UnaFallaSeInformaConElNombreDeLaRutinaYNoDaRespuesta) {
    struct Caso {
        std::function<std::string()> llamada;
        std::string rutina;
        std::string resultado;
        std::string avisoDatos;  // what the data layer tells before the rule traps it ("": none)
    };
    const std::vector<Caso> casos = {
        // Values meant as numbers never reach the statement as anything else.
        {[&] { return reglas->UltimoIDNovedadBienDeUso("1 OR 1=1"); }, "UltimoIdNovedadBienDeUso",
         "", ""},
        {[&] { return SiNo(reglas->AsientoResumenAnulado("VEN", "011")); }, "AsientoResumenAnulado",
         "no", ""},
        {[&] {
             return SiNo(reglas->ExisteEnMVAsientos2("FC", "0001", "00001523", "A", "VEN", "1;",
                                                     "1", "2025"));
         },
         "ExisteEnMVAsientos2", "no", ""},
        {[&] {
             base.Ejecutar("DROP TABLE MA_BIENES");
             return reglas->UltimoIDBienDeUso();
         },
         "UltimoIdBienDeUso", "", "no such table: MA_BIENES"},
        {[&] {
             base.Ejecutar("DROP TABLE MA_CUENTASADIC");
             Recordset rs;
             return SiNo(reglas->ExisteDatosAdicionales("1.1.01.012", rs));
         },
         "ExisteDatosAdicionales", "no", "no such table: MA_CUENTASADIC"},
    };
    for (const Caso& c : casos) {
        fallas.clear();
        // A failed reading is told first by the data layer; its default button (abort) hands
        // the failure on to the rule.
        if (!c.avisoDatos.empty()) plataforma->Esperar(c.avisoDatos, respuesta::kAbortar);
        EXPECT_EQ(c.llamada(), c.resultado) << c.rutina;
        EXPECT_EQ(Rutinas(), std::vector<std::string>{c.rutina});
    }
}

}  // namespace
