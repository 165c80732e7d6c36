// What the sheet, the account list and the account checks return on a generated database,
// against expectations worked out here from the generated data alone: the rows read through
// the row store must be exactly the rows the data calls for.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "../entryrules/BaseTemporal.h"
#include "FrmMa_Modelo.h"
#include "Lib_ClsCons3.h"
#include "Lib_FrmCons3.h"
#include "ModeloFilas.h"
#include "Planilla.h"
#include "PlataformaGuionada.h"
#include "Texto.h"
#include "VentanaPrueba.h"

using namespace helperlib;
using namespace data;
using namespace lookup;
using namespace editor;

namespace {

using Tabla = std::vector<std::vector<std::string>>;

struct Cuenta {
    std::string codigo, descripcion, dv;
};

/// A database whose templates are generated lines over the demo chart: codes with blanks
/// around them, codes missing from the chart, other register types, amounts of two and four
/// decimals, details with commas and quotes or none at all.
class BaseGenerada : public ::testing::Test {
  protected:
    BaseGenerada() {
        AplicacionDePrueba();
        for (const auto& f : base.Filas("SELECT CODIGO, DESCRIPCION, DV FROM MA_CUENTAS"))
            cuentas.push_back({f[0], f[1], f[2]});
        base.Ejecutar("DELETE FROM MA_MODELOS");
        std::mt19937 azar(14);
        std::string sql;
        for (int i = 0; i < 300; ++i) {
            const Cuenta& c = cuentas[azar() % cuentas.size()];
            const int clase = static_cast<int>(azar() % 10);
            const std::string nombre =
                "MODELO " + std::to_string(100 + static_cast<int>(azar() % 40));
            const std::string codigo = clase == 0   ? "9.9.99.999"
                                       : clase == 1 ? "  " + c.codigo + " "
                                                    : c.codigo;
            const std::string tipo = clase == 2 ? "VEN" : clase == 3 ? "    " : "";
            const long centavos = static_cast<long>(azar() % 10000000);
            const std::string importe = std::to_string(centavos / 100) + "." +
                                        std::to_string(100 + centavos % 100).substr(1) +
                                        (i % 2 ? "00" : "");
            const std::string detalle = i % 5 == 0 ? "" : "Linea " + std::to_string(i) + ", 'x'";
            sql +=
                "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE, "
                "tipo_reg, DETALLE) VALUES ('" +
                nombre + "', " + std::to_string(i) + ", '" + codigo + "', '" + (i % 3 ? "D" : "H") +
                "', '" + importe + "', '" + tipo + "', " +
                (detalle.empty() ? std::string("NULL")
                                 : "'" + texto::DuplicarApostrofes(detalle) + "'") +
                ");";
            lineas.push_back({nombre, std::to_string(i), codigo, i % 3 ? "D" : "H",
                              std::to_string(centavos / 100) + "." +
                                  std::to_string(100 + centavos % 100).substr(1),
                              tipo, detalle});
        }
        base.Ejecutar(sql);
        base.Conectar(db);
    }

    static std::string Recortado(const std::string& s) {
        const auto a = s.find_first_not_of(' ');
        return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(' ') - a + 1);
    }
    const Cuenta* Buscar(const std::string& codigo) const {
        for (const auto& c : cuentas)
            if (c.codigo == Recortado(codigo)) return &c;
        return nullptr;
    }

    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    DB_Dll db;
    std::vector<Cuenta> cuentas;
    Tabla lineas;  // name, sequence, account as stored, side, amount shown, type, detail
};

TEST_F(BaseGenerada, LaPlanillaMuestraCadaLineaConCuentaYSoloEsas) {
    Tabla esperadas;
    std::vector<std::pair<std::string, int>> orden;
    for (const auto& l : lineas) {
        const Cuenta* c = Buscar(l[2]);
        if (!c || !Recortado(l[5]).empty()) continue;
        esperadas.push_back({l[0], l[2], c->descripcion, c->dv, l[3], l[6], l[4]});
        orden.push_back({l[0], std::stoi(l[1])});
    }
    std::vector<size_t> indices(esperadas.size());
    for (size_t i = 0; i < indices.size(); ++i) indices[i] = i;
    std::sort(indices.begin(), indices.end(),
              [&](size_t a, size_t b) { return orden[a] < orden[b]; });
    Tabla ordenadas;
    for (size_t i : indices) ordenadas.push_back(esperadas[i]);
    ASSERT_GT(ordenadas.size(), 150u);

    TextosPlanilla vistos;
    MostrarPlanilla(FrmMa_Modelo::kSentenciaPlanilla, base.Cadena(), "Asientos Modelo", nullptr,
                    [&](VentanaPlanilla& v) { vistos = v.DatosVisibles(); });
    EXPECT_EQ(vistos.Filas, ordenadas);
    EXPECT_TRUE(plataforma->dialogos.empty());
}

TEST_F(BaseGenerada, LaListaYLasComprobacionesDevuelvenLasCuentasDelPlan) {
    // The list of a statement with no limit: every account, in code order.
    std::vector<std::string> codigos;
    for (const auto& c : cuentas) codigos.push_back(c.codigo);
    std::sort(codigos.begin(), codigos.end());
    startup::PreparacionConsultas prep;
    Lib_ClsCons3 driver(db, prep);
    driver.CarpetaAnchos = base.Carpeta();
    Tabla lista;
    driver.MostrarVentana = [&](Lib_FrmCons3& v) {
        for (int f = 0; f < v.Modelo->rowCount(); ++f)
            lista.push_back(
                {std::string(v.Modelo->Texto(f, 0)), std::string(v.Modelo->Texto(f, 1))});
    };
    std::string campo, where;
    driver.CampoDevuelto = "CODIGO";
    driver.ConsultaSearch("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO", nullptr, "",
                          campo, where);
    ASSERT_EQ(lista.size(), codigos.size());
    for (size_t i = 0; i < codigos.size(); ++i) {
        EXPECT_EQ(lista[i][0], codigos[i]);
        EXPECT_EQ(lista[i][1], Buscar(codigos[i])->descripcion);
    }

    // The checks of a confirmed account cell: found with blanks around the code, the
    // description and check digit of that account; a code missing from the chart is not found.
    for (const auto& l : lineas) {
        const Cuenta* c = Buscar(l[2]);
        EXPECT_EQ(db.ExisteEnTabla("MA_CUENTAS", Recortado(l[2]), "CODIGO"), c != nullptr) << l[2];
        const auto descripcion =
            db.DatosTabla("MA_CUENTAS", Recortado(l[2]), "DESCRIPCION", "CODIGO", 8, "", true);
        EXPECT_EQ(descripcion.value_or("?"), c ? c->descripcion : "") << l[2];
        const auto dv = db.DatosTabla("MA_CUENTAS", Recortado(l[2]), "DV", "CODIGO", 8, "", true);
        EXPECT_EQ(dv.value_or("?"), c ? c->dv : "") << l[2];
    }
    EXPECT_TRUE(plataforma->dialogos.empty());
}

}  // namespace
