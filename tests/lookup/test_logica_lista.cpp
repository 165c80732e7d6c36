// The list window's rules that need no widget: source names, the F5 statement (with the
// apostrophe of a typed value doubled), prefix search, stock levels, quantity texts and the
// maintenance program of each source.
#include <gtest/gtest.h>

#include "LogicaLista.h"

using namespace lookup;

namespace {

TEST(NombreFuente, PalabraTrasFrom) {
    EXPECT_EQ(lista::NombreFuente("SELECT TOP 5 a,b FROM MA_CUENTAS  with(nolock)  ORDER BY a"),
              "MA_CUENTAS");
    EXPECT_EQ(lista::NombreFuente("select nombre from ma_modelos"), "ma_modelos");
    EXPECT_EQ(lista::NombreFuente("SELECT 1"), "");
}

TEST(SentenciaNuevaBusqueda, LikeAntesDelOrdenYLuegoAnd) {
    std::string caja = "caja chica";
    std::string s = lista::SentenciaNuevaBusqueda(
        "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY DESCRIPCION ", "DESCRIPCION", caja,
        true);
    EXPECT_EQ(s,
              "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS  where DESCRIPCION like "
              "'%caja%chica%' ORDER BY DESCRIPCION ");
    std::string caja2 = "1";
    s = lista::SentenciaNuevaBusqueda(s, "CODIGO", caja2, true);
    EXPECT_EQ(s,
              "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS  where DESCRIPCION like "
              "'%caja%chica%'  and CODIGO like '%1%' ORDER BY DESCRIPCION ");
}

TEST(SentenciaNuevaBusqueda, PrefijoConAsteriscoGroupByYArticulos) {
    std::string caja = "1*2";
    std::string s = lista::SentenciaNuevaBusqueda("SELECT NOMBRE FROM MA_MODELOS  GROUP BY NOMBRE ",
                                                  "NOMBRE", caja, false);
    EXPECT_EQ(caja, "1%2");
    EXPECT_EQ(s, "SELECT NOMBRE FROM MA_MODELOS   where NOMBRE like '1%2%' GROUP BY NOMBRE ");
    std::string caja2 = "x";
    s = lista::SentenciaNuevaBusqueda("select * from v_ma_articulos where a=1 ", "Stock", caja2,
                                      false);
    EXPECT_EQ(s, "select * from v_ma_articulos where a=1  and v_ma_articulos.Stock like 'x%' ");
}

TEST(SentenciaNuevaBusqueda, ApostrofeDuplicadoNoRompeLaSentencia) {
    std::string caja = "O'HARA";
    EXPECT_EQ(lista::SentenciaNuevaBusqueda("SELECT a FROM t", "a", caja, false),
              "SELECT a FROM t where a like 'O''HARA%' ");
    std::string caja2 = "x' or '1'='1";
    EXPECT_EQ(lista::SentenciaNuevaBusqueda("SELECT a FROM t", "a", caja2, true),
              "SELECT a FROM t where a like '%x''%or%''1''=''1%' ");
}

TEST(BuscarPrefijo, PrimeraFilaSinCasoRecortada) {
    std::vector<std::string> v = {"Zeta", " abaco", "ABC", "ab"};
    EXPECT_EQ(lista::BuscarPrefijo(v, "AB "), 2);
    EXPECT_EQ(lista::BuscarPrefijo(v, "abc"), 3);
    EXPECT_EQ(lista::BuscarPrefijo(v, "q"), 0);
    EXPECT_EQ(lista::BuscarPrefijo({"Ñandú"}, "ñAN"), 1);
}

TEST(NivelStock, CuatroNiveles) {
    EXPECT_EQ(lista::NivelStock("0", "5"), 1);
    EXPECT_EQ(lista::NivelStock("10", "15.5"), 2);
    EXPECT_EQ(lista::NivelStock("10", "3"), 3);
    EXPECT_EQ(lista::NivelStock("10", "10"), 4);
    EXPECT_EQ(lista::NivelStock("0", "0"), 4);
    EXPECT_EQ(lista::NivelStock("", "x"), 4);
}

TEST(Cantidades, FormatosDeLasTeclas) {
    EXPECT_EQ(lista::CantidadIngresada("3,5"), "3.50");
    EXPECT_EQ(lista::CantidadSumada("2.00", 1), "3.0");
    EXPECT_EQ(lista::CantidadSumada("", 1), "1.0");
    EXPECT_EQ(lista::CantidadSumada("1.5", -1), "0.5");
    EXPECT_EQ(lista::CantidadSumada("1.0", -1), "0.00");
}

TEST(ProgramaNuevo, SegunLaFuente) {
    EXPECT_EQ(lista::ProgramaNuevo("v_ta_unidad"),
              (std::pair<std::string, std::string>{"SHELL:V_TA_TABLAS", "v_ta_unidad"}));
    EXPECT_EQ(lista::ProgramaNuevo("VT_PROVEEDORES").second, "0");
    EXPECT_EQ(lista::ProgramaNuevo("VT_CLIENTES").second, "1");
    EXPECT_EQ(lista::ProgramaNuevo("vt_ma_articulos").first, "SHELL:V_MA_ARTICULOS");
    EXPECT_EQ(lista::ProgramaNuevo("MA_CUENTAS"),
              (std::pair<std::string, std::string>{"SHELL:V_TA_TABLAS", "MA_CUENTAS"}));
}

TEST(AnchoEnCaracteres, TopeMonedaYArroba10) {
    EXPECT_EQ(lista::AnchoEnCaracteres(200, 200, false, ""), 60);
    EXPECT_EQ(lista::AnchoEnCaracteres(6, 8, false, ""), 12);
    EXPECT_EQ(lista::AnchoEnCaracteres(200, 15, false, "@10"), 25);
    EXPECT_EQ(lista::AnchoEnCaracteres(200, 15, true, "@10"), 15);
    EXPECT_EQ(lista::TamanoDeclarado("VARCHAR(200)"), 200);
    EXPECT_EQ(lista::TamanoDeclarado("INTEGER"), 0);
}

}  // namespace
