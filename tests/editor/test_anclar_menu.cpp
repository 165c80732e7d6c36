// Menu anchoring against real TA_MENU and TA_TAREAS rows: parent and entry creation, numbering,
// the card-settlement process line, rewriting an existing entry, and removal.
#include <gtest/gtest.h>

#include "../entryrules/BaseTemporal.h"
#include "AnclarEnMenu.h"
#include "PlataformaGuionada.h"
#include "Texto.h"

using namespace helperlib;
using namespace editor;

namespace {

class AnclarTest : public ::testing::Test {
  protected:
    AnclarTest() { base.Conectar(db); }

    bool Anclar(const std::string& nombre, bool alMenu, bool liq = false,
                const std::string& usuario = "DEMO") {
        return AnclarEnMenu(db, DatosAnclaje{nombre, alMenu, liq, usuario},
                            [this](const ErrorEjecucion& e) {
                                fallas.push_back(e.Descripcion());
                                return respuesta::kAbortar;
                            });
    }
    std::string Contar(const std::string& desde_donde) {
        return base.Valor("SELECT COUNT(*) FROM " + desde_donde);
    }
    /// Leaves the menu without the group row and without any template entry.
    void MenuVacio() {
        base.Ejecutar(
            "DELETE FROM TA_MENU WHERE CLAVE LIKE 'D95%'; "
            "DELETE FROM TA_TAREAS WHERE TAREA LIKE 'D95%'");
    }

    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    DB_Dll db;
    std::vector<std::string> fallas;  // what reached the reporter
};

TEST_F(AnclarTest, ElPrimerModeloCreaLaEntradaPadreYAmbasTareas) {
    MenuVacio();
    Anclar("PAGOS", true);
    const auto padre = base.Filas(
        "SELECT MENU, TITULO, NOMBRE, IMAGEN, PROCESO, HABILITADO FROM TA_MENU "
        "WHERE CLAVE = 'D9541'");
    ASSERT_EQ(padre.size(), 1u);
    EXPECT_EQ(padre[0], (std::vector<std::string>{"OMNI", "D95", "Asientos Modelo (Carga)",
                                                  "Utilidades", "", "1"}));
    const auto hijo = base.Filas(
        "SELECT MENU, TITULO, CLAVE, IMAGEN, PROCESO, HABILITADO FROM TA_MENU WHERE NOMBRE = "
        "'PAGOS'");
    ASSERT_EQ(hijo.size(), 1u);
    EXPECT_EQ(hijo[0], (std::vector<std::string>{"OMNI", "D9541", "D954101", "Utilidades",
                                                 "shell:Mv_asientos @PARAMETROADICIONAL= "
                                                 "MODELO_PAGOS",
                                                 "1"}));
    EXPECT_EQ(base.Filas("SELECT USUARIO, SISTEMA, TAREA FROM TA_TAREAS WHERE TAREA LIKE 'D95%' "
                         "ORDER BY TAREA"),
              (std::vector<std::vector<std::string>>{{"DEMO", "LD000PR", "D9541"},
                                                     {"DEMO", "LD000PR", "D954101"}}));
    EXPECT_TRUE(plataforma->dialogos.empty());
}

TEST_F(AnclarTest, LineaDeProcesoDeUnModeloDeLiquidacionDeTarjetas) {
    EXPECT_EQ(ProcesoDeModelo("PAGOS", true),
              "shell:Mv_asientos @PARAMETROADICIONAL= MODELO_PAGOS_**EsLiqTarjetas**");
    Anclar("PAGOS", true, true);
    EXPECT_EQ(base.Valor("SELECT PROCESO FROM TA_MENU WHERE NOMBRE = 'PAGOS'"),
              "shell:Mv_asientos @PARAMETROADICIONAL= MODELO_PAGOS_**EsLiqTarjetas**");
}

TEST_F(AnclarTest, NumeraDesdeLaClaveMasAlta) {
    // The demo menu holds D954101 (ALQUILERES): the next entry is 02.
    Anclar("SUELDOS", true);
    EXPECT_EQ(base.Valor("SELECT CLAVE FROM TA_MENU WHERE NOMBRE = 'SUELDOS'"), "D954102");
    // After a hand-made 07 the next one is 08, and freed numbers below are not reused.
    base.Ejecutar(
        "INSERT INTO TA_MENU (MENU, TITULO, CLAVE, NOMBRE, IMAGEN, PROCESO, "
        "HABILITADO) VALUES ('OMNI', 'D9541', 'D954107', 'SIETE', 'Utilidades', '', 1)");
    Anclar("OCHO", true);
    EXPECT_EQ(base.Valor("SELECT CLAVE FROM TA_MENU WHERE NOMBRE = 'OCHO'"), "D954108");
    EXPECT_EQ(Contar("TA_TAREAS WHERE USUARIO = 'DEMO' AND TAREA = 'D954108'"), "1");
    // The parent existed: it is not added again.
    EXPECT_EQ(Contar("TA_MENU WHERE CLAVE = 'D9541'"), "1");
}

TEST_F(AnclarTest, ConSoloElGrupoEmpiezaEnUnoSinCrearElPadre) {
    base.Ejecutar("DELETE FROM TA_MENU WHERE CLAVE LIKE 'D9541%'");
    Anclar("PAGOS", true);
    EXPECT_EQ(base.Valor("SELECT CLAVE FROM TA_MENU WHERE NOMBRE = 'PAGOS'"), "D954101");
    EXPECT_EQ(Contar("TA_MENU WHERE CLAVE = 'D9541'"), "0");
}

TEST_F(AnclarTest, RegrabarUnModeloAncladoReescribeSuProceso) {
    const std::string tareasAntes = Contar("TA_TAREAS");
    Anclar("alquileres", true, true);  // the caption is compared without letter case
    EXPECT_EQ(Contar("TA_MENU WHERE TITULO = 'D9541'"), "1");
    EXPECT_EQ(base.Valor("SELECT PROCESO FROM TA_MENU WHERE CLAVE = 'D954101'"),
              "shell:Mv_asientos @PARAMETROADICIONAL= MODELO_alquileres_**EsLiqTarjetas**");
    EXPECT_EQ(Contar("TA_TAREAS"), tareasAntes);
}

TEST_F(AnclarTest, LaTareaNoSeDuplicaYSeConcedeAOtroUsuario) {
    MenuVacio();
    Anclar("PAGOS", true);
    Anclar("PAGOS", true);
    EXPECT_EQ(Contar("TA_TAREAS WHERE TAREA = 'D954101'"), "1");
    Anclar("COBROS", true, false, "JPEREZ");
    EXPECT_EQ(Contar("TA_TAREAS WHERE USUARIO = 'JPEREZ' AND TAREA LIKE 'D9541%'"), "1");
    EXPECT_EQ(Contar("TA_TAREAS WHERE USUARIO = 'JPEREZ' AND TAREA = 'D954102'"), "1");
}

TEST_F(AnclarTest, QuitarElUltimoModeloQuitaElPadreYSusTareas) {
    Anclar("ALQUILERES", false);
    EXPECT_EQ(Contar("TA_MENU WHERE CLAVE LIKE 'D9541%'"), "0");
    EXPECT_EQ(Contar("TA_TAREAS WHERE TAREA LIKE 'D9541%'"), "0");
    // The rest of the menu stays.
    EXPECT_EQ(Contar("TA_MENU WHERE CLAVE = 'D95'"), "1");
    EXPECT_EQ(Contar("TA_TAREAS WHERE TAREA = 'D95'"), "3");
    EXPECT_TRUE(plataforma->dialogos.empty());
}

TEST_F(AnclarTest, QuitarUnoDeVariosDejaElPadre) {
    Anclar("SUELDOS", true);
    Anclar("ALQUILERES", false);
    EXPECT_EQ(Contar("TA_MENU WHERE CLAVE = 'D9541'"), "1");
    EXPECT_EQ(Contar("TA_MENU WHERE NOMBRE = 'ALQUILERES'"), "0");
    EXPECT_EQ(Contar("TA_TAREAS WHERE TAREA = 'D954101'"), "0");  // for every user
    EXPECT_EQ(Contar("TA_TAREAS WHERE TAREA = 'D954102'"), "1");
}

TEST_F(AnclarTest, GrabarUnModeloNoAncladoNoBorraUnPadreAjeno) {
    // The suite's menu holds the parent without entries; a template that never had an entry
    // must not take it away.
    base.Ejecutar("DELETE FROM TA_MENU WHERE CLAVE = 'D954101'");
    Anclar("SUELDOS", false);
    EXPECT_EQ(Contar("TA_MENU WHERE CLAVE = 'D9541'"), "1");
    EXPECT_EQ(Contar("TA_TAREAS WHERE TAREA = 'D9541'"), "2");
}

TEST_F(AnclarTest, UnNombreConApostrofeSeAnclaYSeQuita) {
    Anclar("D'ALESSANDRO", true);
    EXPECT_TRUE(plataforma->dialogos.empty()) << plataforma->dialogos[0].texto;
    EXPECT_EQ(base.Valor("SELECT PROCESO FROM TA_MENU WHERE CLAVE = 'D954102'"),
              "shell:Mv_asientos @PARAMETROADICIONAL= MODELO_D'ALESSANDRO");
    Anclar("D'ALESSANDRO", true, true);
    EXPECT_EQ(Contar("TA_MENU WHERE NOMBRE = 'D''ALESSANDRO'"), "1");
    Anclar("D'ALESSANDRO", false);
    EXPECT_EQ(Contar("TA_MENU WHERE NOMBRE = 'D''ALESSANDRO'"), "0");
    EXPECT_EQ(Contar("TA_TAREAS WHERE TAREA = 'D954102'"), "0");
    EXPECT_EQ(Contar("TA_MENU WHERE CLAVE = 'D9541'"), "1");  // ALQUILERES is still there
    EXPECT_TRUE(plataforma->dialogos.empty());
}

TEST_F(AnclarTest, UnaSentenciaRechazadaEsFallaDeSuPasoYElProcedimientoSeDetiene) {
    MenuVacio();
    // The entry insert is refused: the step fails through the reporter (the save rolls the
    // whole template back) and no task is granted for an entry that does not exist.
    base.Ejecutar(
        "CREATE TRIGGER sin_entradas BEFORE INSERT ON TA_MENU WHEN NEW.TITULO = "
        "'D9541' BEGIN SELECT RAISE(ABORT, 'menu cerrado'); END;");
    EXPECT_FALSE(Anclar("PAGOS", true));
    ASSERT_EQ(fallas.size(), 1u);
    EXPECT_NE(fallas[0].find("menu cerrado"), std::string::npos);
    EXPECT_TRUE(plataforma->dialogos.empty());
    EXPECT_EQ(Contar("TA_TAREAS WHERE TAREA = 'D954101'"), "0");
}

}  // namespace
