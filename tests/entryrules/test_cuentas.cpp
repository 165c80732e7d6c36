// Account checks against the demo chart of accounts: usable accounts, headings, closed and
// blocked accounts, and the lookup by main or alternative code.
#include <gtest/gtest.h>

#include "ReglasPrueba.h"

using namespace helperlib;
using namespace data;
using namespace entryrules;

namespace {

class CuentasTest : public ::testing::Test {
  protected:
    void SetUp() override { base.Conectar(db); }
    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    DB_Dll db;
};

TEST_F(CuentasTest, CuentaImputableSoloParaCuentasAbiertasDesbloqueadasYNoTitulo) {
    Lbc_Asiento reglas(db, ServiciosDe(db));
    EXPECT_TRUE(reglas.CuentaImputable("1.1.01.001"));
    EXPECT_TRUE(reglas.CuentaImputable("  1.1.01.001  "));
    EXPECT_TRUE(reglas.CuentaImputable(std::string("1.1.01.001") + '\0' + '\0'));
    EXPECT_FALSE(reglas.CuentaImputable("1.1.01"));      // heading, open and unblocked
    EXPECT_FALSE(reglas.CuentaImputable("1.1.01.016"));  // closed
    EXPECT_FALSE(reglas.CuentaImputable("1.1.01.017"));  // blocked
    EXPECT_FALSE(reglas.CuentaImputable("9.9.99.999"));  // does not exist
    EXPECT_FALSE(reglas.CuentaImputable("1.1'01"));      // an apostrophe is just a character
    EXPECT_TRUE(plataforma->dialogos.empty());
}

TEST_F(CuentasTest, ExisteCuentasDevuelveLasColumnasSoloDeCuentasUtilizables) {
    Lbc_Asiento reglas(db, ServiciosDe(db));
    DatosCuenta datos;
    ASSERT_TRUE(reglas.ExisteCuentas(" 1.2.01.001 ", &datos));
    EXPECT_EQ(datos.NombreLeido.value_or(""), base.Valor("SELECT DESCRIPCION FROM MA_CUENTAS "
                                                         "WHERE CODIGO = '1.2.01.001'"));
    EXPECT_EQ(datos.Tipo.value_or("?"), "0");
    EXPECT_EQ(datos.Ajustable.value_or("?"), "1");

    DatosCuenta intacta;
    intacta.NombreLeido = "sin tocar";
    EXPECT_FALSE(reglas.ExisteCuentas("1.1.01.016", &intacta));  // closed
    EXPECT_FALSE(reglas.ExisteCuentas("1.1.02.004", &intacta));  // blocked
    EXPECT_FALSE(reglas.ExisteCuentas("no existe", &intacta));
    EXPECT_EQ(intacta.NombreLeido.value_or(""), "sin tocar");

    // A heading exists (only CuentaImputable rejects headings).
    DatosCuenta titulo;
    EXPECT_TRUE(reglas.ExisteCuentas("1.1", &titulo));
    EXPECT_EQ(titulo.Tipo.value_or("?"), "1");
    EXPECT_TRUE(reglas.ExisteCuentas("1.1"));
}

TEST_F(CuentasTest, LosErroresVanAlReporteroConElNombreDeLaRutina) {
    std::vector<std::string> rutinas;
    Lbc_Asiento reglas(db, ServiciosDe(db), [&](const ErrorEjecucion&, const std::string& r) {
        rutinas.push_back(r);
        return respuesta::kIgnorar;
    });
    // Without the Titulo column the reading fails; ignoring it makes the result false.
    base.Ejecutar("ALTER TABLE MA_CUENTAS RENAME COLUMN Titulo TO EsTitulo");
    EXPECT_FALSE(reglas.CuentaImputable("1.1.01.001"));
    ASSERT_EQ(rutinas.size(), 1u);
    EXPECT_EQ(rutinas[0], "CuentaImputable");
    // ExisteCuentas reads Titulo only after the closed/blocked test: still true when ignored.
    EXPECT_TRUE(reglas.ExisteCuentas("1.1.01.001"));
    DatosCuenta datos;
    EXPECT_TRUE(reglas.ExisteCuentas("1.1.01.001", &datos));
    ASSERT_EQ(rutinas.size(), 2u);
    EXPECT_EQ(rutinas[1], "ExisteCuentas");
    // A failing closed/blocked test that is ignored ends with false.
    base.Ejecutar("ALTER TABLE MA_CUENTAS RENAME COLUMN BLOQUEO TO Bloq");
    EXPECT_FALSE(reglas.ExisteCuentas("1.1.01.001"));
}

TEST_F(CuentasTest, BuscarCuentaPorCodigoYPorCodigoOpcional) {
    std::string codigo = "1.1.01.010";
    bool porOpcional = false;
    EXPECT_TRUE(BuscarCuenta(db, codigo, nullptr, true, porOpcional));
    EXPECT_EQ(codigo, "1.1.01.010");
    EXPECT_FALSE(porOpcional);

    // Found only as an alternative code: replaced by the main code, flag raised.
    codigo = "BNA";
    Recordset rs;
    EXPECT_TRUE(BuscarCuenta(db, codigo, &rs, false, porOpcional));
    EXPECT_EQ(codigo, "1.1.01.010");
    EXPECT_TRUE(porOpcional);
    ASSERT_EQ(rs.State(), 1);
    EXPECT_EQ(rs.Fields("CodigoOpcional").Texto(), "BNA");

    // Asked by alternative code but given a main code: found by the second search, unchanged.
    codigo = "1.1.01.012";
    porOpcional = true;
    EXPECT_TRUE(BuscarCuenta(db, codigo, nullptr, true, porOpcional));
    EXPECT_EQ(codigo, "1.1.01.012");
    EXPECT_TRUE(porOpcional);

    codigo = "NADA";
    porOpcional = false;
    EXPECT_FALSE(BuscarCuenta(db, codigo, nullptr, true, porOpcional));
    EXPECT_EQ(codigo, "NADA");
    EXPECT_FALSE(porOpcional);

    // The alternative code ignores letter case as the server does.
    codigo = "visa";
    EXPECT_TRUE(BuscarCuenta(db, codigo, nullptr, true, porOpcional));
    EXPECT_EQ(codigo, "1.1.03.010");
}

TEST_F(CuentasTest, ElDigitoDelPlanCoincideConElCalculado) {
    // The chart stores each account's check digit; the rule must give the same one.
    const auto filas = base.Filas("SELECT CODIGO, DV FROM MA_CUENTAS WHERE DV IS NOT NULL");
    ASSERT_GT(filas.size(), 50u);
    for (const auto& f : filas)
        EXPECT_EQ(std::to_string(Lbc_Asiento::CalculoDV(f[0])), f[1]) << f[0];
}

}  // namespace
