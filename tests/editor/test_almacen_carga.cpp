// Loading a template: header, option boxes and lines from MA_MODELOS into the working copy.
#include "AlmacenPrueba.h"
#include "Lbc_Asiento.h"

using namespace helperlib;
using namespace data;
using namespace entryrules;

namespace {

using CargaTest = AlmacenTest;

TEST_F(CargaTest, CargaEncabezadoCasillasYLineasEnOrdenDeSecuencia) {
    ASSERT_TRUE(ConfirmarNombre("SERVICIOS PÚBLICOS"));
    EXPECT_TRUE(almacen.ModeloExistente);
    EXPECT_EQ(almacen.NombreCargado, "SERVICIOS PÚBLICOS");
    EXPECT_EQ(almacen.TextoCampo("TC"), "FCC");
    EXPECT_EQ(almacen.TextoCampo("idMotivo"), "03");
    EXPECT_EQ(almacen.lblTC, "Factura de Compra");
    EXPECT_EQ(almacen.Casillas.chkCpte, 1);
    EXPECT_EQ(almacen.Casillas.chkModCuentas, 1);
    EXPECT_EQ(almacen.Casillas.chkAgrCuentas, 1);
    EXPECT_EQ(almacen.Casillas.chkAlMenu, 0);
    EXPECT_EQ(almacen.Casillas.chkLibroIva, 1);
    EXPECT_EQ(almacen.Casillas.chkLiqTarjetas, 0);

    // Rows are stored out of order; line k is the k-th by SECUENCIA, one empty element after.
    ASSERT_EQ(almacen.Lineas.Superior(), 5);
    const auto& l = almacen.Lineas;
    EXPECT_EQ(l[1].Cuenta.Texto(), "5.3.02.005     ");
    EXPECT_EQ(l[1].Debe, "85000.00");
    EXPECT_EQ(l[1].Haber, "");
    EXPECT_EQ(l[1].AlicIVA, "27");
    // The row written with a lower-case "d" is a debit.
    EXPECT_EQ(l[2].Cuenta.Recortado(), "5.3.02.006");
    EXPECT_EQ(l[2].Debe, "42000.00");
    EXPECT_EQ(l[2].Haber, "");
    EXPECT_EQ(l[3].Cuenta.Recortado(), "1.1.04.001");
    EXPECT_EQ(l[4].Cuenta.Recortado(), "2.1.05.005");
    EXPECT_EQ(l[4].Debe, "");
    EXPECT_EQ(l[4].Haber, "161290.00");
    EXPECT_EQ(l[4].DV.Texto(), std::to_string(Lbc_Asiento::CalculoDV("2.1.05.005")) + " ");
    EXPECT_EQ(l[4].Descripcion.Recortado(),
              base.Valor("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '2.1.05.005'"));
    EXPECT_EQ(l[4].Descripcion.Texto().size() - l[4].Descripcion.Recortado().size() +
                  texto::Largo(l[4].Descripcion.Recortado()),
              50u);
    EXPECT_TRUE(l[5].Cuenta.Recortado().empty());
    EXPECT_EQ(vista.lineasMostradas, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(plataforma->dialogos.empty());
}

TEST_F(CargaTest, LasLineasQuedanContiguasAunqueLaSecuenciaTengaHuecos) {
    // SUELDOS has SECUENCIA 1, 2, 3, 5, 6: the grid shows them in rows 1 to 5.
    ASSERT_TRUE(ConfirmarNombre("sueldos"));
    ASSERT_EQ(almacen.Lineas.Superior(), 6);
    EXPECT_EQ(almacen.Lineas[4].Cuenta.Recortado(), "2.1.03.010");
    EXPECT_EQ(almacen.Lineas[5].Cuenta.Recortado(), "2.1.03.011");
    EXPECT_EQ(almacen.Lineas[5].Haber, "600000.00");
    EXPECT_EQ(almacen.TextoCampo("idMotivo"), "");
}

TEST_F(CargaTest, FilasSinCuentaNoOcupanLinea) {
    base.Ejecutar(
        "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE) VALUES "
        "('HUECOS', 1, '1.1.01.001', 'D', 10), ('HUECOS', 2, NULL, 'D', 20), "
        "('HUECOS', 3, '   ', 'H', 30), ('HUECOS', 4, '', 'H', 40), "
        "('HUECOS', 5, '2.1.01.001', 'H', 10)");
    ASSERT_TRUE(ConfirmarNombre("HUECOS"));
    ASSERT_EQ(almacen.Lineas.Superior(), 3);
    EXPECT_EQ(almacen.Lineas[1].Cuenta.Recortado(), "1.1.01.001");
    EXPECT_EQ(almacen.Lineas[2].Cuenta.Recortado(), "2.1.01.001");
    EXPECT_EQ(almacen.Lineas[2].Haber, "10.00");
    EXPECT_EQ(vista.lineasMostradas, (std::vector<int>{1, 2}));
}

TEST_F(CargaTest, CasillasNulasOEnBlancoQuedanDesmarcadas) {
    base.Ejecutar(
        "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE, "
        "MODIFICATC, MODIFICACTAS, AGREGACTAS, Anclarenmenu, allibrodeiva, esliqtarjetas) "
        "VALUES ('BANDERAS', 1, '1.1.01.001', 'X', NULL, NULL, '  ', -1, 0, 2, 1)");
    ASSERT_TRUE(ConfirmarNombre("BANDERAS"));
    EXPECT_EQ(almacen.Casillas.chkCpte, 0);
    EXPECT_EQ(almacen.Casillas.chkModCuentas, 0);
    EXPECT_EQ(almacen.Casillas.chkAgrCuentas, 1);
    EXPECT_EQ(almacen.Casillas.chkAlMenu, 0);
    EXPECT_EQ(almacen.Casillas.chkLibroIva, 1);
    EXPECT_EQ(almacen.Casillas.chkLiqTarjetas, 1);
    // A side that is neither D nor H leaves both amounts empty.
    ASSERT_EQ(almacen.Lineas.Superior(), 2);
    EXPECT_EQ(almacen.Lineas[1].Debe, "");
    EXPECT_EQ(almacen.Lineas[1].Haber, "");
}

TEST_F(CargaTest, SinRegistroActualAsignarDatosSaleEnSilencio) {
    EXPECT_FALSE(ConfirmarNombre("NO EXISTE"));
    almacen.Lineas[0].Cuenta = "marca";
    almacen.AsignarDatos();  // the working recordset is empty
    EXPECT_TRUE(plataforma->dialogos.empty());
    EXPECT_EQ(almacen.Lineas.Superior(), 0);
    EXPECT_EQ(almacen.Lineas[0].Cuenta.Recortado(), "marca");

    // Loading a name without rows changes nothing either.
    almacen.Cargar_Modelo("TAMPOCO");
    EXPECT_EQ(almacen.Lineas.Superior(), 0);
    EXPECT_TRUE(vista.lineasMostradas.empty());
}

TEST_F(CargaTest, UnErrorDeCargaPreguntaConElNombreDelProcedimiento) {
    // An amount that is not a number cannot be shown: the operator is asked; ignoring it
    // skips that line and loading goes on.
    base.Ejecutar(
        "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE) VALUES "
        "('ROTO', 1, '1.1.01.001', 'D', 'diez'), ('ROTO', 2, '2.1.01.001', 'H', 10)");
    plataforma->Esperar("(13) No coinciden los tipos", respuesta::kIgnorar);
    ASSERT_TRUE(ConfirmarNombre("ROTO"));
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_NE(plataforma->dialogos[0].titulo.find("Cargar_Modelo"), std::string::npos);
    ASSERT_EQ(almacen.Lineas.Superior(), 2);
    EXPECT_EQ(almacen.Lineas[1].Cuenta.Recortado(), "2.1.01.001");

    // Answered with abort, loading stops at the failing row.
    plataforma->Esperar("(13) No coinciden los tipos", respuesta::kAbortar);
    ASSERT_TRUE(ConfirmarNombre("ROTO"));
    EXPECT_EQ(almacen.Lineas.Superior(), 1);
}

TEST_F(CargaTest, TextoFijoRellenaYCortaPorCaracteres) {
    LineaModelo l;
    EXPECT_EQ(l.Cuenta.Texto(), std::string(15, ' '));
    l.Cuenta = "1.1.01.001.0001.99";
    EXPECT_EQ(l.Cuenta.Texto(), "1.1.01.001.0001");
    l.Descripcion = "Camión";
    EXPECT_EQ(texto::Largo(l.Descripcion.Texto()), 50);
    EXPECT_EQ(l.Descripcion.Recortado(), "Camión");
    l.DV = "7";
    EXPECT_EQ(l.DV.Texto(), "7  ");
    EXPECT_EQ(FormatoImporte("150"), "150.00");
    EXPECT_EQ(FormatoImporte("1234567890.125"), "1234567890.13");
    EXPECT_EQ(FormatoImporte(""), "");
    EXPECT_THROW(FormatoImporte("x"), ErrorEjecucion);
    LineasModelo lineas;
    EXPECT_EQ(lineas.Superior(), 0);
    EXPECT_THROW(lineas[1], ErrorEjecucion);
}

}  // namespace
