#pragma once
// The entry rules on a database of their own, wired to the start-up layer's real configuration
// reader and voucher-number printer, with every statement sent and every trapped failure kept.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BaseTemporal.h"
#include "Configuracion.h"
#include "Formatos.h"
#include "Lbc_Asiento.h"
#include "PlataformaGuionada.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace entryrules;

/// What the application gives the rules.
inline entryrules::ServiciosSesion ServiciosDe(DB_Dll& db) {
    return {[&db](std::string_view clave) { return Cfg(db, clave); },
            [](std::string_view s, std::string_view n, std::string_view l) {
                return ArmarNroComprobante(s, n, l);
            }};
}

class ReglasPrueba : public ::testing::Test {
  protected:
    void SetUp() override {
        base.Conectar(db);
        db.gCnn.Observador = [this](const std::string& s) { enviadas.push_back(s); };
        Crear();
    }
    /// A fresh rules object (the current period is read again).
    void Crear() {
        reglas = std::make_unique<Lbc_Asiento>(
            db, ServiciosDe(db), [this](const ErrorEjecucion& e, const std::string& r) {
                fallas.push_back(r + ": " + e.Descripcion());
                return respuesta::kAbortar;
            });
    }

    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    DB_Dll db;
    std::unique_ptr<Lbc_Asiento> reglas;
    std::vector<std::string> enviadas;  // statements as the program wrote them
    std::vector<std::string> fallas;    // "<routine>: <description>" of each trapped failure
};
