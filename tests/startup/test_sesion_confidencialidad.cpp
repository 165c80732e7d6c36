// The suite's confidentiality end to end on the demo database: after the session start-up, a
// restricted user's lookups read the restricted views (the journal only with confidentiality
// on), an administrator's read the tables.
#include <gtest/gtest.h>

#include "InicioSesion.h"
#include "Texto.h"
#include "test_sesion_base.h"

using namespace helperlib;
using namespace startup;

namespace {

class Confidencialidad : public ConBaseDemo {
  protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        // In this copy the restricted views hide one account and its journal lines, so that
        // the answer of a lookup tells which object it read.
        DB_Dll prep;
        Abrir(prep);
        Sql(prep, "DROP VIEW SS_MV_ASIENTOS");
        Sql(prep,
            "CREATE VIEW SS_MV_ASIENTOS AS SELECT * FROM MV_ASIENTOS WHERE CUENTA <> '4.1.01.001'");
        Sql(prep, "DROP VIEW SS_MA_CUENTAS");
        Sql(prep,
            "CREATE VIEW SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS WHERE CODIGO <> '4.1.01.001'");
    }

    void FijarConfidencialidad(const std::string& valor) {
        DB_Dll prep;
        Abrir(prep);
        Sql(prep, "UPDATE TA_CONFIGURACION SET VALOR = '" + valor +
                      "' WHERE CLAVE = 'SS_CONFIDENCIALIDAD'");
    }
};

struct CasoConfidencialidad {
    const char* usuario;
    const char* confidencialidad;
    bool diarioEnVista;
    bool planEnVista;
};

TEST_F(Confidencialidad, LaMismaBusquedaLeeLaVistaOLaTabla) {
    const CasoConfidencialidad casos[] = {
        {"DEMO", "SI", true, true},
        {"DEMO", "NO", false, true},
        {"ADMIN", "SI", false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.usuario) + " " + c.confidencialidad);
        sesion = ValoresSesion{};
        FijarConfidencialidad(c.confidencialidad);
        DB_Dll db;
        IniciarSesion(Conexion() + "@UsuarioLogeado=" + c.usuario + ";", db, sesion);
        ASSERT_TRUE(db.gOpenFlag);
        EXPECT_EQ(db.gConfidencialidad, std::string(c.confidencialidad) == "SI");
        std::vector<std::string> enviadas;
        db.gCnn.Observador = [&](const std::string& s) { enviadas.push_back(s); };

        const auto detalle = db.DatosTabla("MV_ASIENTOS", "4.1.01.001", "DETALLE", "CUENTA",
                                           tipodato::kTexto, "", true);
        EXPECT_EQ(detalle, c.diarioEnVista ? "" : "Venta según factura");
        ASSERT_FALSE(enviadas.empty());
        EXPECT_EQ(texto::ContieneSinCaso(enviadas.back(), "SS_MV_ASIENTOS"), c.diarioEnVista)
            << enviadas.back();

        const auto cuenta = db.DatosTabla("MA_CUENTAS", "4.1.01.001", "CODIGO", "CODIGO",
                                          tipodato::kTexto, "", true);
        EXPECT_EQ(cuenta, c.planEnVista ? "" : "4.1.01.001");
        EXPECT_EQ(texto::ContieneSinCaso(enviadas.back(), "SS_MA_CUENTAS"), c.planEnVista)
            << enviadas.back();
        EXPECT_TRUE(p->dialogos.empty());
    }
}

}  // namespace
