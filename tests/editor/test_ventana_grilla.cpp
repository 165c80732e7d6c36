// The grid rules without widgets, on a demo database of the test's own: column layout, which
// cells may be edited, cell validation, totals, removal and insertion of lines, and where
// the keys move the cursor.
#include <gtest/gtest.h>

#include <functional>

#include "../entryrules/BaseTemporal.h"
#include "AlmacenModelos.h"
#include "Lbc_Asiento.h"
#include "LogicaGrilla.h"
#include "MatrizGrilla.h"
#include "PlataformaGuionada.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;
using namespace entryrules;
using namespace editor;

namespace {

class GrillaTest : public ::testing::Test {
  protected:
    GrillaTest() : almacen(db), grilla(almacen, db, matriz) {
        base.Conectar(db);
        grilla.MsFlex_Inicializa();
    }

    /// Lines 1..n of `cuentas` with debit amounts, VAT rates "1", "2", ... and no empty tail.
    void Lineas(const std::vector<std::string>& cuentas) {
        almacen.Lineas.Reiniciar(static_cast<int>(cuentas.size()) + 1);
        for (size_t i = 0; i < cuentas.size(); ++i) {
            LineaModelo& l = almacen.Lineas[static_cast<int>(i) + 1];
            l.Cuenta = cuentas[i];
            l.DV = std::to_string(Lbc_Asiento::CalculoDV(cuentas[i]));
            l.Debe = std::to_string(i + 1) + "0.00";
            l.AlicIVA = std::to_string(i + 1);
            grilla.MostrarLinea(static_cast<int>(i) + 1);
        }
    }

    bool Validar(int fila, const std::string& campo, std::string texto) {
        grilla.FilaActual = static_cast<int16_t>(fila);
        return grilla.ValidarCampo(texto, campo, true);
    }

    std::string Dv(const std::string& cuenta) {
        return base.Valor("SELECT DV FROM MA_CUENTAS WHERE CODIGO = '" + cuenta + "'");
    }

    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    DB_Dll db;
    AlmacenModelos almacen;
    MatrizGrilla matriz;
    LogicaGrilla grilla;
};

TEST_F(GrillaTest, LayoutWithCheckDigit) {
    const char* encabezados[] = {"Linea",           "Cuenta",          "Dv",       "Descripción",
                                 "Debe           ", "Haber          ", "Alic.IVA "};
    const int anchos[] = {600, 1400, 400, 4100, 1300, 1300, 700};
    ASSERT_EQ(matriz.Cols(), 7);
    EXPECT_EQ(matriz.Rows(), 20);
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(matriz.TextMatrix(0, c), encabezados[c]);
        EXPECT_EQ(matriz.ColWidth(c), anchos[c]) << c;
        const bool importe = c == 4 || c == 5;
        EXPECT_EQ(matriz.ColAlignment(c), importe ? 8 : 1);
    }
    EXPECT_EQ(matriz.TextMatrix(19, 0), "19");
    EXPECT_EQ(grilla.Brw_Propiedades(2).MaxLength, 3);
    EXPECT_TRUE(grilla.Columnas[2].Obligatoria);
    EXPECT_THROW(grilla.Brw_Propiedades(7), ErrorEjecucion);
}

TEST_F(GrillaTest, LayoutWithoutCheckDigitHidesDvAndWidensDescription) {
    for (const char* valor : {"NO", " "}) {
        grilla.LeerDigito = [valor] { return std::string(valor); };
        grilla.MsFlex_Inicializa();
        EXPECT_EQ(matriz.ColWidth(2), 0);
        EXPECT_EQ(matriz.ColWidth(3), 4600);
        EXPECT_EQ(grilla.Columnas[3].Ancho, 45);
        EXPECT_FALSE(grilla.Columnas[2].Obligatoria);
        Lineas({"1.1.01.001"});
        EXPECT_FALSE(grilla.Columnas[2].Habilitada);
        EXPECT_TRUE(grilla.Columnas[6].Habilitada) << "amounts open once there is an account";
    }
}

// A rebuild without reading the setting again leaves the grid as a rebuild makes it, whatever
// changed since the last one; a grid that nothing changed is not rebuilt before its view.
TEST_F(GrillaTest, RebuildingAgainRestoresTheGridWhateverChanged) {
    const auto foto = [&] {
        std::vector<std::string> v;
        for (int f = 0; f < matriz.Rows(); ++f)
            for (int c = 0; c < matriz.Cols(); ++c) v.push_back(matriz.TextMatrix(f, c));
        for (int c = 0; c < matriz.Cols(); ++c) {
            v.push_back(std::to_string(matriz.ColWidth(c)));
            v.push_back(std::to_string(matriz.ColAlignment(c)));
        }
        for (int n : {matriz.Rows(), matriz.Row(), matriz.Col(), matriz.TopRow(),
                      static_cast<int>(grilla.FilaActual)})
            v.push_back(std::to_string(n));
        for (const ColumnaGrilla& c : grilla.Columnas) v.push_back(c.Habilitada ? "1" : "0");
        return v;
    };
    const auto reconstruida = foto();
    const struct {
        const char* que;
        std::function<void()> cambiar;
    } casos[] = {
        {"nothing", [] {}},
        {"a cell", [&] { matriz.TextMatrix(3, 1, "X"); }},
        {"a line shown",
         [&] {
             Lineas({"1.1.01.001", "1.1.01.002"});
         }},
        {"rows added", [&] { matriz.Rows(25); }},
        {"a row removed", [&] { matriz.RemoveItem(4); }},
        {"a row inserted", [&] { matriz.AddItem(2); }},
        {"the current cell", [&] { matriz.Celda(2, 3); }},
        {"the first visible row", [&] { matriz.TopRow(5); }},
        {"a width", [&] { matriz.ColWidth(3, 100); }},
        {"an alignment", [&] { matriz.ColAlignment(1, alineacion::kDerechaAbajo); }},
        {"emptied", [&] { matriz.Clear(); }},
        {"the rules only",
         [&] {
             grilla.FilaActual = 4;
             grilla.Columnas[1].Habilitada = false;
             grilla.Columnas[5].Habilitada = true;
         }},
    };
    for (const auto& c : casos) {
        c.cambiar();
        int avisos = 0;
        matriz.Observador.CeldasCambiadas = [&](bool) { ++avisos; };
        matriz.Observador.Reiniciada = [&] { ++avisos; };
        grilla.MsFlex_Inicializa(false);
        matriz.Observador = {};
        EXPECT_EQ(foto(), reconstruida) << c.que;
        if (std::string(c.que) == "nothing") EXPECT_EQ(avisos, 0) << "an untouched grid";
    }
}

TEST_F(GrillaTest, DescriptionOnAccountOnlyWhenSettingIsNo) {
    grilla.LeerDigito = [] { return std::string(" "); };
    grilla.MsFlex_Inicializa();
    ASSERT_TRUE(Validar(1, "CUENTA", "1.1.01.001"));
    EXPECT_EQ(almacen.Lineas[1].Descripcion.Recortado(), "");
    grilla.LeerDigito = [] { return std::string("no"); };
    grilla.MsFlex_Inicializa();
    ASSERT_TRUE(Validar(2, "CUENTA", "1.1.01.002"));
    EXPECT_EQ(almacen.Lineas[2].Descripcion.Recortado(), "Caja Moneda Extranjera");
}

TEST_F(GrillaTest, EditableCellsFollowCheckDigitAndSides) {
    almacen.Lineas.Reiniciar(2);
    almacen.Lineas[1].Cuenta = "1.1.01.001";
    grilla.MostrarLinea(1);
    EXPECT_TRUE(grilla.Columnas[2].Habilitada);
    for (int c = 3; c <= 6; ++c) EXPECT_FALSE(grilla.Columnas[c].Habilitada) << c;

    almacen.Lineas[1].DV = "7";
    almacen.Lineas[1].Debe = "100";
    grilla.MostrarLinea(1);
    EXPECT_EQ(matriz.TextMatrix(1, 4), "100.00");
    EXPECT_TRUE(grilla.Columnas[4].Habilitada);
    EXPECT_FALSE(grilla.Columnas[5].Habilitada) << "credit closed by a positive debit";
    EXPECT_FALSE(grilla.Columnas[3].Habilitada);

    almacen.Lineas[1].Debe = "0";
    almacen.Lineas[1].Haber = "50";
    grilla.MostrarLinea(1);
    EXPECT_FALSE(grilla.Columnas[4].Habilitada) << "debit closed by a positive credit";
    EXPECT_TRUE(grilla.Columnas[5].Habilitada);

    grilla.MostrarLinea(5);  // beyond the lines: only the account column is touched
    EXPECT_TRUE(grilla.Columnas[1].Habilitada);
    EXPECT_EQ(matriz.TextMatrix(5, 1), "");
}

TEST_F(GrillaTest, AccountValidation) {
    // Alternative code replaced by the main code.
    std::string texto = "visa";
    grilla.FilaActual = 1;
    ASSERT_TRUE(grilla.ValidarCampo(texto, "CUENTA", true));
    EXPECT_EQ(texto, "1.1.03.010");
    EXPECT_EQ(almacen.Lineas[1].Cuenta.Recortado(), "1.1.03.010");
    EXPECT_TRUE(plataforma->dialogos.empty());

    // A heading and an unknown account are refused, and the line keeps what it had.
    for (const char* malo : {"1.1.01", "9.9.99.999"}) {
        plataforma->dialogos.clear();
        plataforma->Esperar("La cuenta ingresada no es imputable ");
        EXPECT_FALSE(Validar(1, "CUENTA", malo));
        EXPECT_TRUE(almacen.ErrorValidacion);
        ASSERT_EQ(plataforma->dialogos.size(), 1u);
        EXPECT_EQ(plataforma->dialogos[0].estilo, 48);
        EXPECT_EQ(plataforma->dialogos[0].titulo, "Aviso al Operador");
        EXPECT_EQ(almacen.Lineas[1].Cuenta.Recortado(), "1.1.03.010");
    }
}

TEST_F(GrillaTest, CheckDigitValidation) {
    ASSERT_TRUE(Validar(1, "CUENTA", "1.1.01.001"));
    const std::string dv = Dv("1.1.01.001");
    const std::string otro = dv == "1" ? "2" : "1";
    plataforma->Esperar("El digito verificador no es correcto, verifíquelo , por favor");
    EXPECT_FALSE(Validar(1, "DV", otro));
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(almacen.Lineas[1].DV.Recortado(), "") << "a wrong digit is not kept";
    EXPECT_FALSE(grilla.Columnas[4].Habilitada);

    EXPECT_TRUE(Validar(1, "DV", dv));
    EXPECT_EQ(almacen.Lineas[1].Descripcion.Recortado(), "Caja Moneda Nacional");
    EXPECT_EQ(matriz.TextMatrix(1, 3), "Caja Moneda Nacional");
    EXPECT_TRUE(grilla.Columnas[4].Habilitada);

    // Another account on the line drops the old digit and description.
    ASSERT_TRUE(Validar(1, "CUENTA", "1.1.01.002"));
    EXPECT_EQ(almacen.Lineas[1].DV.Recortado(), "");
    EXPECT_EQ(almacen.Lineas[1].Descripcion.Recortado(), "");
}

TEST_F(GrillaTest, RepeatedAccountNamesTheFirstLine) {
    ASSERT_TRUE(Validar(1, "CUENTA", "1.1.01.001"));
    ASSERT_TRUE(Validar(2, "CUENTA", "1.1.01.002"));
    plataforma->Esperar("La cuenta ya fue informada en la linea 1");
    ASSERT_TRUE(Validar(3, "CUENTA", "1.1.01.001"));
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].estilo, 64);
    EXPECT_EQ(plataforma->dialogos[0].titulo, "");
    EXPECT_FALSE(almacen.ErrorValidacion) << "a repeated account is only a warning";
    int linea = 0;
    EXPECT_FALSE(grilla.CuentaRepetida("1.1.01.002", linea));
    // Codes compare without letter case, as every comparison of the editor.
    almacen.Lineas[2].Cuenta = "7.x.01";
    almacen.Lineas[3].Cuenta = "7.X.01";
    EXPECT_TRUE(grilla.CuentaRepetida(" 7.X.01 ", linea));
    EXPECT_EQ(linea, 2);
}

TEST_F(GrillaTest, CreditOverDebitEmptiesTheDebitAndTotalsFollow) {
    Lineas({"1.1.01.001"});
    almacen.Lineas[1].Debe = "100.00";
    EXPECT_TRUE(Validar(1, "HABER", "150"));
    EXPECT_TRUE(ValorNumerico(almacen.Lineas[1].Debe).EsCero());
    EXPECT_EQ(almacen.Lineas[1].Haber, "150.00");
    EXPECT_EQ(grilla.TotalDebe, "0.00");
    EXPECT_EQ(grilla.TotalHaber, "150.00");

    // A debit of 100 on line 1 and a credit of 50 on line 2 need not balance.
    Lineas({"1.1.01.001", "1.1.01.002"});
    EXPECT_TRUE(Validar(1, "DEBE", "100"));
    EXPECT_TRUE(Validar(2, "HABER", "50"));
    EXPECT_EQ(grilla.TotalDebe, "100.00");
    EXPECT_EQ(grilla.TotalHaber, "50.00");
}

TEST_F(GrillaTest, AmountsThatAreNoNumberAreRefused) {
    Lineas({"1.1.01.001"});
    struct Caso {
        const char* campo;
        const char* texto;
        const char* mensaje;
    } casos[] = {
        {"DEBE", "12a", "El importe ingresado no es un número válido"},
        {"HABER", "--5", "El importe ingresado no es un número válido"},
        {"DEBE", "99999999999999999999", "El importe ingresado excede el máximo permitido"},
        // More digits than the embedded database keeps: refused, never saved as another amount.
        {"DEBE", "12345678901234.56", mensaje_grilla::kImporteNoExacto},
        {"HABER", "-98765432109876.54", mensaje_grilla::kImporteNoExacto},
        {"ALICIVA", "x", "La alícuota de IVA ingresada no es un número válido"},
    };
    for (const auto& c : casos) {
        plataforma->dialogos.clear();
        plataforma->Esperar(c.mensaje);
        EXPECT_FALSE(Validar(1, c.campo, c.texto)) << c.texto;
        ASSERT_EQ(plataforma->dialogos.size(), 1u);
        EXPECT_EQ(almacen.Lineas[1].Debe, "10.00") << "the amount stays as it was";
        EXPECT_EQ(almacen.Lineas[1].AlicIVA, "1");
    }
    // Fifteen digits once rounded to the two decimals kept: accepted as shown.
    EXPECT_TRUE(Validar(1, "DEBE", "1234567890123.456"));
    EXPECT_EQ(almacen.Lineas[1].Debe, "1234567890123.46");
}

TEST_F(GrillaTest, CreditAndDebitBothEmptyIsAnError) {
    almacen.Lineas.Reiniciar(2);
    almacen.Lineas[1].Cuenta = "1.1.01.001";
    plataforma->Esperar("Debe informar un valor al Debe o al Haber");
    EXPECT_FALSE(Validar(1, "HABER", ""));
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
}

TEST_F(GrillaTest, EmptyingAnAccountMovesTheFollowingLinesUpWithoutCopies) {
    Lineas({"1.1.01.001", "1.1.01.002", "1.1.01.003", "1.1.01.004", "1.1.01.005"});
    EXPECT_TRUE(Validar(3, "CUENTA", ""));
    EXPECT_EQ(almacen.Lineas[3].Cuenta.Recortado(), "1.1.01.004");
    EXPECT_EQ(almacen.Lineas[3].AlicIVA, "4");
    EXPECT_EQ(almacen.Lineas[4].Cuenta.Recortado(), "1.1.01.005");
    EXPECT_EQ(almacen.Lineas[4].AlicIVA, "5");
    EXPECT_EQ(almacen.Lineas[5].Cuenta.Recortado(), "") << "the last line is not left twice";
    EXPECT_EQ(matriz.TextMatrix(3, 1), "1.1.01.004");
    EXPECT_EQ(matriz.TextMatrix(5, 1), "");
    EXPECT_EQ(grilla.TotalDebe, "120.00");
}

TEST_F(GrillaTest, DeleteLineMovesTheRestUpAndRenumbers) {
    Lineas({"1.1.01.001", "1.1.01.002", "1.1.01.003", "1.1.01.004", "1.1.01.005"});
    const int filas = matriz.Rows();
    grilla.FilaActual = 3;
    grilla.BorrarLinea();
    EXPECT_EQ(almacen.Lineas.Superior(), 4);
    EXPECT_EQ(almacen.Lineas[3].Cuenta.Recortado(), "1.1.01.004");
    EXPECT_EQ(almacen.Lineas[4].Cuenta.Recortado(), "1.1.01.005");
    EXPECT_EQ(matriz.Rows(), filas - 1);
    EXPECT_EQ(matriz.TextMatrix(3, 1), "1.1.01.004");
    EXPECT_EQ(matriz.TextMatrix(3, 0), "3");
    EXPECT_EQ(matriz.TextMatrix(4, 0), "4");
}

TEST_F(GrillaTest, DeleteNeverBreaksTheLines) {
    // Row 1 without account: nothing.
    grilla.FilaActual = 1;
    grilla.BorrarLinea();
    EXPECT_EQ(almacen.Lineas.Cantidad(), 1);

    Lineas({"1.1.01.001", "1.1.01.002"});
    // A row beyond the lines, and the header row: nothing happens.
    for (int fila : {0, 3, 15, 40}) {
        grilla.FilaActual = static_cast<int16_t>(fila);
        EXPECT_NO_THROW(grilla.BorrarLinea()) << fila;
        EXPECT_EQ(almacen.Lineas.Superior(), 2) << fila;
    }
    // Down to the last line, on a grid of one data row.
    matriz.Rows(2);
    grilla.FilaActual = 1;
    EXPECT_NO_THROW(grilla.BorrarLinea());
    EXPECT_NO_THROW(grilla.BorrarLinea());
    EXPECT_GE(almacen.Lineas.Cantidad(), 1);
    EXPECT_EQ(matriz.Rows(), 2);
    EXPECT_EQ(matriz.TextMatrix(1, 1), "");
}

TEST_F(GrillaTest, InsertAddsAnEmptyLineBelowTheCurrentOne) {
    Lineas({"1.1.01.001", "1.1.01.002", "1.1.01.003"});
    const int filas = matriz.Rows();
    grilla.FilaActual = 1;
    grilla.InsertarLinea();
    EXPECT_EQ(almacen.Lineas[1].Cuenta.Recortado(), "1.1.01.001");
    EXPECT_EQ(almacen.Lineas[2].Cuenta.Recortado(), "");
    EXPECT_EQ(almacen.Lineas[3].Cuenta.Recortado(), "1.1.01.002");
    EXPECT_EQ(almacen.Lineas[4].Cuenta.Recortado(), "1.1.01.003");
    EXPECT_EQ(matriz.Rows(), filas + 1);
    EXPECT_EQ(matriz.TextMatrix(2, 1), "");
    EXPECT_EQ(matriz.TextMatrix(3, 1), "1.1.01.002");
    EXPECT_EQ(matriz.TextMatrix(2, 0), "2");
    EXPECT_EQ(matriz.TextMatrix(3, 0), "3");

    // Beyond the lines: the copy grows first.
    grilla.FilaActual = 12;
    EXPECT_NO_THROW(grilla.InsertarLinea());
    EXPECT_EQ(almacen.Lineas.Superior(), 13);
    EXPECT_EQ(almacen.Lineas[4].Cuenta.Recortado(), "1.1.01.003");
}

TEST_F(GrillaTest, EnterMovesToTheNextEditableCellOrRow) {
    matriz.EnterCell = [&] { grilla.EntrarCelda(); };
    Lineas({"1.1.01.001"});
    matriz.Celda(1, 1);
    grilla.MoverEnter();
    EXPECT_EQ(matriz.Col(), 2);
    grilla.MoverEnter();
    EXPECT_EQ(matriz.Col(), 4);
    grilla.MoverEnter();  // credit closed by the debit
    EXPECT_EQ(matriz.Col(), 6);
    grilla.MoverEnter();
    EXPECT_EQ(matriz.Row(), 2);
    EXPECT_EQ(matriz.Col(), 1);

    // Last editable column of the last row: a new row, its account cell.
    const int filas = matriz.Rows();
    matriz.Celda(filas - 1, 6);
    grilla.MoverEnter();
    EXPECT_EQ(matriz.Rows(), filas + 1);
    EXPECT_EQ(matriz.Row(), filas);
    EXPECT_EQ(matriz.Col(), 1);
    EXPECT_EQ(matriz.TextMatrix(filas, 0), std::to_string(filas));

    matriz.Celda(1, 1);
    grilla.MoverArriba();
    EXPECT_EQ(matriz.Row(), 1) << "never into the header row";
}

TEST_F(GrillaTest, TotalsAreExact) {
    almacen.Lineas.Reiniciar(1001);
    for (int i = 1; i <= 1000; ++i) {
        almacen.Lineas[i].Cuenta = "1.1.01.001";
        (i % 2 ? almacen.Lineas[i].Debe : almacen.Lineas[i].Haber) = "0.10";
    }
    almacen.Lineas[1].Debe = "922337203685.47";
    Moneda d, h;
    grilla.CalcularTotales(d, h);
    EXPECT_EQ(grilla.TotalDebe, "922337203735.37");
    EXPECT_EQ(grilla.TotalHaber, "50.00");
    EXPECT_EQ(almacen.Lineas[2].Debe, "0") << "the other side of an amount reads 0";
}

TEST_F(GrillaTest, CellTextOfACommittedAmount) {
    EXPECT_EQ(LogicaGrilla::TextoDeCelda(4, "1234,5", true), "1234.50");
    EXPECT_EQ(LogicaGrilla::TextoDeCelda(5, "0", true), "");
    EXPECT_EQ(LogicaGrilla::TextoDeCelda(5, "0", false), "0.00");
    EXPECT_EQ(LogicaGrilla::TextoDeCelda(4, "abc", true), "abc");
    EXPECT_EQ(LogicaGrilla::TextoDeCelda(1, "0", true), "0");
}

TEST(MatrizGrillaTest, MovesRaiseLeaveThenEnterAndRefuseBadCells) {
    MatrizGrilla m;
    m.Cols(3);
    m.Rows(4);
    std::string orden;
    m.LeaveCell = [&] { orden += "L" + std::to_string(m.Row()); };
    m.EnterCell = [&] { orden += "E" + std::to_string(m.Row()); };
    m.Row(2);
    m.Row(2);
    EXPECT_EQ(orden, "L0E2");
    try {
        m.Row(9);
        FAIL() << "row 9 does not exist";
    } catch (const ErrorEjecucion& e) {
        EXPECT_EQ(e.Numero(), 381);
    }
    EXPECT_EQ(m.Row(), 2);
    m.TextMatrix(3, 2, "x");
    m.RemoveItem(1);
    EXPECT_EQ(m.TextMatrix(2, 2), "x");
    m.RemoveItem(1);
    EXPECT_THROW(m.RemoveItem(1), ErrorEjecucion) << "the last data row stays";
    m.AddItem(1);
    EXPECT_EQ(m.Rows(), 3);
    EXPECT_EQ(m.TextMatrix(2, 2), "x");
}

/// Writes what the matrix tells its observer into `oido`: c<row><col> a cell, +<from><to> rows
/// added, -<from><to> rows removed, R a reset, @<row><col> the current cell.
void Escuchar(MatrizGrilla& m, std::string& oido) {
    auto& o = m.Observador;
    o.CeldaCambiada = [&](int f, int c) { oido += "c" + std::to_string(f) + std::to_string(c); };
    o.FilasAgregadas = [&](int d, int h) { oido += "+" + std::to_string(d) + std::to_string(h); };
    o.FilasQuitadas = [&](int d, int h) { oido += "-" + std::to_string(d) + std::to_string(h); };
    o.Reiniciada = [&] { oido += "R"; };
    o.CeldaActual = [&](int f, int c) { oido += "@" + std::to_string(f) + std::to_string(c); };
}

TEST(MatrizGrillaTest, TheObserverHearsOfEachChangeOnceAndOfABatchOnlyAtItsEnd) {
    MatrizGrilla m;
    m.Cols(3);
    m.Rows(4);
    std::string oido;
    Escuchar(m, oido);
    m.LeaveCell = [&] { oido += "L"; };
    m.EnterCell = [&] { oido += "E"; };
    const struct {
        const char* que;
        std::function<void()> hacer;
        const char* oido;
        int filas;
    } casos[] = {
        {"grow", [&] { m.Rows(7); }, "+46", 7},
        {"same size", [&] { m.Rows(7); }, "", 7},
        {"shrink", [&] { m.Rows(5); }, "-56", 5},
        {"insert", [&] { m.AddItem(2); }, "+22", 6},
        {"remove", [&] { m.RemoveItem(3); }, "-33", 5},
        {"cell", [&] { m.TextMatrix(1, 2, "x"); }, "c12", 5},
        {"same text", [&] { m.TextMatrix(1, 2, "x"); }, "", 5},
        {"move", [&] { m.Celda(2, 1); }, "L@21E", 5},
        {"batch",
         [&] {
             MatrizGrilla::Lote lote(m);
             m.Rows(9);
             m.ColWidth(1, 100);
             m.TextMatrix(8, 2, "y");
             {
                 MatrizGrilla::Lote dentro(m);
                 m.AddItem(1);
             }
             m.Celda(3, 2);
         },
         "LER", 10},
        {"empty batch", [&] { MatrizGrilla::Lote lote(m); }, "", 10},
    };
    for (const auto& c : casos) {
        oido.clear();
        c.hacer();
        EXPECT_EQ(oido, c.oido) << c.que;
        EXPECT_EQ(m.Rows(), c.filas) << c.que;
    }
    EXPECT_EQ(m.TextMatrix(9, 2), "y") << "the batch's changes are all made";
}

TEST(MatrizGrillaTest, ABatchThatKeepsTheShapeTellsOfRowsCellsAndCurrentCellWithoutAReset) {
    MatrizGrilla m;
    m.Cols(3);
    m.Rows(10);
    m.TextMatrix(0, 1, "Cuenta");
    m.TextMatrix(4, 2, "x");
    std::string oido;
    Escuchar(m, oido);
    m.Observador.CeldasCambiadas = [&](bool encabezados) { oido += encabezados ? "T1" : "T0"; };
    const struct {
        const char* que;
        std::function<void()> hacer;
        const char* oido;
        int filas;
    } casos[] = {
        {"sizes, widths and alignments already held",
         [&] {
             m.Cols(3);
             m.Rows(10);
             m.ColWidth(1, m.ColWidth(1));
             m.ColAlignment(2, m.ColAlignment(2));
         },
         "", 10},
        {"a grid rebuilt as it was (headers set again)",
         [&] {
             MatrizGrilla::Lote lote(m);
             m.Clear();
             m.Cols(3);
             m.Rows(10);
             m.TextMatrix(0, 1, "Cuenta");
             m.TextMatrix(4, 2, "x");
         },
         "T0", 10},
        {"fewer rows, new texts, another header, a move",
         [&] {
             MatrizGrilla::Lote lote(m);
             m.Clear();
             m.TextMatrix(0, 1, "Linea");
             m.Rows(6);
             m.TextMatrix(2, 2, "z");
             m.Celda(2, 2);
         },
         "-69T1@22", 6},
        {"rows inserted and removed inside, as many at the end",
         [&] {
             MatrizGrilla::Lote lote(m);
             m.AddItem(1);
             m.RemoveItem(5);
         },
         "T0", 6},
        {"more rows",
         [&] {
             MatrizGrilla::Lote lote(m);
             m.Rows(8);
         },
         "+67T0", 8},
        {"a width changed inside",
         [&] {
             MatrizGrilla::Lote lote(m);
             m.Rows(9);
             m.ColWidth(2, 50);
         },
         "R", 9},
        {"cleared outside a batch", [&] { m.Clear(); }, "T1", 9},
        {"nothing left to clear", [&] { m.Clear(); }, "", 9},
    };
    for (const auto& c : casos) {
        oido.clear();
        c.hacer();
        EXPECT_EQ(oido, c.oido) << c.que;
        EXPECT_EQ(m.Rows(), c.filas) << c.que;
    }
}

TEST_F(GrillaTest, ARebuildThatKeepsTheSettingReadsItOnlyWhenNeverRead) {
    int lecturas = 0;
    std::string valor = "NO";
    grilla.LeerDigito = [&] {
        ++lecturas;
        return valor;
    };
    grilla.MsFlex_Inicializa();
    valor = "SI";  // changed after the reset: lines cleared for a template keep the layout
    grilla.MsFlex_Inicializa(false);
    EXPECT_EQ(lecturas, 1);
    EXPECT_EQ(matriz.ColWidth(2), 0);
    grilla.MsFlex_Inicializa();  // the next reset takes the new value
    EXPECT_EQ(lecturas, 2);
    EXPECT_EQ(matriz.ColWidth(2), 400);

    LogicaGrilla nueva(almacen, db, matriz);
    nueva.LeerDigito = grilla.LeerDigito;
    nueva.MsFlex_Inicializa(false);  // nothing read before: read now
    EXPECT_EQ(lecturas, 3);
    EXPECT_TRUE(nueva.UsaDigito());
}

}  // namespace
