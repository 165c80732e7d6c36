// The ODBC driver manager is mapped from the first ODBC connection on, never for the embedded
// engine. This program's other tests use no ODBC connection, so the process starts without it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "Conexion.h"
#include "ErrorEjecucion.h"
#include "OdbcDiferido.h"
#include "VariableEntorno.h"
#include "test_motor_base.h"

using namespace helperlib;
using namespace data;

namespace {

TEST(OdbcDiferido, ElGestorSeCargaConLaPrimeraConexionOdbc) {
    BaseTemporal base{kEsquemaPrueba};
    // A driver name no driver manager knows: the attempt reaches the driver manager, which
    // answers with its own diagnostic.
    VariableEntorno driver("ASIENTOS_ODBC_DRIVER", "Controlador Que No Existe");
    struct Paso {
        const char* que;
        std::function<void(Conexion&)> hacer;
        bool cargado;           // the driver manager is mapped afterwards
        const char* respuesta;  // in the connection's diagnostic afterwards ("" none)
    };
    const Paso pasos[] = {
        {"nada abierto todavía", [](Conexion&) {}, false, ""},
        {"la base incorporada", [&](Conexion& cn) { cn.Open(base.Cadena()); }, false, ""},
        {"un servidor por ODBC",
         [](Conexion& cn) {
             cn.Open("PROVIDER=SQLOLEDB;Server=127.0.0.1;Database =EMP;UId=EMP;Pwd=EMP;");
         },
         true, "[unixODBC][Driver Manager]"},
    };
    for (const Paso& p : pasos) {
        SCOPED_TRACE(p.que);
        Conexion cn;
        std::optional<long> error;
        try {
            p.hacer(cn);
        } catch (const ErrorEjecucion& e) {
            error = e.Numero();
        }
        EXPECT_EQ(OdbcCargado(), p.cargado);
        if (std::string(p.respuesta).empty()) {
            EXPECT_FALSE(error.has_value());
            EXPECT_TRUE(cn.Errors().Vacia());
        } else {
            // The driver manager's own answer came back through the calls that load it.
            EXPECT_TRUE(error.has_value());
            ASSERT_GE(cn.Errors().Count(), 1);
            EXPECT_NE(cn.Errors().Item(0).Descripcion.find(p.respuesta), std::string::npos)
                << cn.Errors().Item(0).Descripcion;
        }
    }
}

}  // namespace
