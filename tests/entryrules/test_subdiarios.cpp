// The auxiliary subledger generation on a database of its own: pairing of debit and credit
// lines, the choice of entries, the user's rows, the abort question and failed steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ReglasPrueba.h"
#include "Subdiarios.h"

using namespace helperlib;
using namespace entryrules;

using entryrules::EntornoSubdiarios;
using helperlib::LineaCartel;

namespace {

/// A notice that records what it is asked to do and reports a cancel on chosen calls of
/// CartelMostrar (1-based).
class CartelAnotado final : public helperlib::Cartel {
  public:
    std::vector<std::string> llamadas;
    std::vector<int> cancelarEn;
    int mostrados = 0;

    void CartelInicio(const std::string& titulo, bool permite) override {
        llamadas.push_back("Inicio " + titulo + (permite ? " +cancelar" : ""));
    }
    void CartelMostrar(bool& cancelado, const LineaCartel& l1, const LineaCartel& l2,
                       const LineaCartel&) override {
        ++mostrados;
        llamadas.push_back("Mostrar " + l1.Texto() + "|" + l2.Texto());
        cancelado = std::find(cancelarEn.begin(), cancelarEn.end(), mostrados) != cancelarEn.end();
    }
    void CartelCerrar() override { llamadas.push_back("Cerrar"); }
    void Siempre_Visible(bool v) override { llamadas.push_back(v ? "Encima" : "NoEncima"); }
};

class SubdiariosTest : public ::testing::Test {
  protected:
    SubdiariosTest() : base(false) {}
    void SetUp() override {
        base.Conectar(db);
        base.Ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2025')");
        base.Ejecutar(
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1.1.01', 'Caja'), "
            "('1.1.02', 'Banco'), ('2.1.01', 'Proveedores'), ('4.1.01', 'Ventas'), "
            "('2.1.04', 'IVA debito')");
    }

    /// One journal line of register type `tipo`.
    void Linea(int periodo, int mes, int numero, const std::string& fecha, const std::string& dh,
               const std::string& cuenta, const std::string& importe,
               const std::string& tipo = "VEN", const std::string& detalle = "det") {
        base.Ejecutar(
            "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG, "
            "FECHA, CUENTA, \"DEBE-HABER\", IMPORTE, DETALLE, TC, SUCURSAL, NUMERO, LETRA, "
            "CABIMPORTE) VALUES (" +
            std::to_string(periodo) + ", " + std::to_string(mes) + ", " + std::to_string(numero) +
            ", '" + tipo + "', '" + fecha + "', '" + cuenta + "', '" + dh + "', " + importe +
            ", '" + detalle + "', 'FC', '0001', '" + std::to_string(numero) + "', 'A', 999)");
    }

    void Generar(std::string desde = "01/01/2025", const std::string& hasta = "31/12/2025",
                 const std::string& tipo = "VEN") {
        Lbc_Asiento reglas(db, ServiciosDe(db), [&](const ErrorEjecucion& e, const std::string& r) {
            rutinas.push_back(r + ": " + e.Descripcion());
            if (respuestas.empty()) return respuesta::kAbortar;
            const int a = respuestas.front();
            respuestas.erase(respuestas.begin());
            return a;
        });
        reglas.GeneraAuxiliarSubdiarios(EntornoSubdiarios{"DEMO", cartel, {}}, desde, hasta, tipo);
        desdeDevuelta = desde;
    }

    /// The user's rows in the order written: month-number, date, debit and credit columns.
    std::vector<std::string> Filas(const std::string& usuario = "DEMO") {
        std::vector<std::string> r;
        for (const auto& f : base.Filas(
                 "SELECT Mes_Operativo || '-' || \"numero asiento\", fecha, cuenta_D, "
                 "descripcion_D, importe_D, cuenta_H, descripcion_H, importe_H, Concepto FROM "
                 "AUX_SUBDIARIOS WHERE Usuario = '" +
                 usuario + "' ORDER BY ID")) {
            std::string t;
            for (const auto& v : f) t += (t.empty() ? "" : " ") + v;
            r.push_back(t);
        }
        return r;
    }

    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    DB_Dll db;
    CartelAnotado cartel;
    std::vector<std::string> rutinas;
    std::vector<int> respuestas;
    std::string desdeDevuelta;
};

TEST_F(SubdiariosTest, ParesDeDebeYHaberGuiadosPorLaListaMasLarga) {
    struct Caso {
        const char* nombre;
        std::vector<std::vector<std::string>> lineas;  // dh, account, amount, detail
        std::vector<std::string> filas;
    };
    const std::vector<Caso> casos = {
        {"3 debe y 1 haber: el haber sólo en la primera fila",
         {{"D", "1.1.02", "30", "d1"},
          {"D", "1.1.01", "10", "d2"},
          {"H", "4.1.01", "60", "h"},
          {"D", "2.1.04", "20", "d3"}},
         {"3-7 2025-03-05 10:30:00 1.1.01 Caja 10 4.1.01 Ventas 60 d2",
          "3-7 2025-03-05 10:30:00 1.1.02 Banco 30 <NULL> <NULL> <NULL> d1",
          "3-7 2025-03-05 10:30:00 2.1.04 IVA debito 20 <NULL> <NULL> <NULL> d3"}},
        {"1 debe y 2 haber: guía el haber, fecha del día",
         {{"D", "1.1.01", "100", "d"}, {"h", "4.1.01", "80", "h1"}, {"H", "2.1.04", "20", "h2"}},
         {"3-7 2025-03-05 00:00:00 1.1.01 Caja 100 2.1.04 IVA debito 20 h2",
          "3-7 2025-03-05 00:00:00 <NULL> <NULL> <NULL> 4.1.01 Ventas 80 h1"}},
        {"iguales: guía el debe; cuenta sin nombre en el plan",
         {{"D", "9.9.99", "5", "d"}, {"H", "1.1.01", "5", "h"}},
         {"3-7 2025-03-05 10:30:00 9.9.99  5 1.1.01 Caja 5 d"}},
        {"sólo haber",
         {{"H", "4.1.01", "5", "h"}},
         {"3-7 2025-03-05 00:00:00 <NULL> <NULL> <NULL> 4.1.01 Ventas 5 h"}},
    };
    for (const Caso& c : casos) {
        base.Ejecutar("DELETE FROM MV_ASIENTOS");
        for (const auto& l : c.lineas)
            Linea(2025, 3, 7, "2025-03-05 10:30:00", l[0], l[1], l[2], "VEN", l[3]);
        Generar();
        EXPECT_EQ(Filas(), c.filas) << c.nombre;
    }
    EXPECT_TRUE(rutinas.empty());
}

TEST_F(SubdiariosTest, AsientosDelTipoYDelRangoConTodasSusLineas) {
    Linea(2025, 1, 1, "1989-12-31 00:00:00", "D", "1.1.01", "1");  // before 1990
    Linea(2025, 1, 1, "1989-12-31 00:00:00", "H", "4.1.01", "1");
    Linea(2025, 1, 2, "1990-01-01 00:00:00", "D", "1.1.01", "2");  // first day: in
    Linea(2025, 1, 2, "2026-05-01 00:00:00", "H", "4.1.01", "2");  // same entry, out of range
    Linea(2024, 1, 2, "2026-05-01 00:00:00", "D", "1.1.02", "3");  // same number, other period
    Linea(2025, 1, 3, "2025-06-30 00:00:00", "D", "1.1.01", "4", "COM");   // other type
    Linea(2025, 2, 1, "2025-12-31 00:00:00", "D", "1.1.02", "5", "ven ");  // type: case, blanks
    Linea(2025, 2, 1, "2025-12-31 00:00:00", "H", "4.1.01", "5", "VEN");
    Generar("  ", "31/12/2025");
    EXPECT_EQ(desdeDevuelta, "01/01/1990");
    EXPECT_EQ(Filas(), (std::vector<std::string>{
                           "1-2 1990-01-01 00:00:00 1.1.01 Caja 2 4.1.01 Ventas 2 det",
                           "2-1 2025-12-31 00:00:00 1.1.02 Banco 5 4.1.01 Ventas 5 det"}));
    EXPECT_EQ(cartel.llamadas.front(), "Inicio Generando Reporte de Subdiarios +cancelar");
    EXPECT_EQ(cartel.llamadas[1], "Mostrar Generando el Reporte|0001-0000002");
    EXPECT_EQ(cartel.llamadas.back(), "Cerrar");
}

TEST_F(SubdiariosTest, SeReemplazanSoloLasFilasDelUsuario) {
    base.Ejecutar(
        "INSERT INTO AUX_SUBDIARIOS (Usuario, cuenta_D) VALUES ('DEMO', 'vieja'), "
        "(' demo ', 'vieja2'), ('JPEREZ', 'ajena')");
    // No entries of the type in the range: the user's old rows go, nothing is added and no
    // notice is shown.
    Generar("01/01/2025", "31/12/2025", "NADA");
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM AUX_SUBDIARIOS"), "1");
    EXPECT_EQ(Filas("JPEREZ").size(), 1u);
    EXPECT_TRUE(cartel.llamadas.empty());

    Linea(2025, 4, 1, "2025-04-01 00:00:00", "D", "1.1.01", "7");
    Generar();
    Generar();  // a second run replaces, never duplicates
    EXPECT_EQ(Filas().size(), 1u);
    EXPECT_EQ(Filas("JPEREZ").size(), 1u);
}

TEST_F(SubdiariosTest, MuchosAsientosCruzanLecturasYLotes) {
    // 450 entries in March and 3 in April, two debits and one credit each: the readings of
    // lines and the batches of rows meet every boundary.
    std::string valores;
    for (int mes : {3, 4})
        for (int n = 1; n <= (mes == 3 ? 450 : 3); ++n)
            for (const char* l : {"'D', '1.1.01', 1", "'D', '1.1.02', 2", "'H', '4.1.01', 3"})
                valores += std::string(valores.empty() ? "" : ", ") + "(2025, " +
                           std::to_string(mes) + ", " + std::to_string(n) +
                           ", 'VEN', '2025-03-01 00:00:00', " + l + ")";
    base.Ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG, FECHA, "
        "\"DEBE-HABER\", CUENTA, IMPORTE) VALUES " +
        valores);
    Generar();
    const auto filas = base.Filas(
        "SELECT Mes_Operativo, \"numero asiento\", cuenta_D, cuenta_H FROM AUX_SUBDIARIOS "
        "ORDER BY ID");
    ASSERT_EQ(filas.size(), 2u * 453u);
    for (size_t i = 0; i < filas.size(); ++i) {
        const size_t asiento = i / 2;
        const std::string mes = asiento < 450 ? "3" : "4";
        const std::string numero = std::to_string(asiento < 450 ? asiento + 1 : asiento - 449);
        EXPECT_EQ(filas[i], (std::vector<std::string>{mes, numero, i % 2 ? "1.1.02" : "1.1.01",
                                                      i % 2 ? "<NULL>" : "4.1.01"}))
            << "fila " << i;
    }
}

TEST_F(SubdiariosTest, CancelarPreguntaYSiConservaLoEscrito) {
    for (int n = 1; n <= 3; ++n) {
        Linea(2025, 5, n, "2025-05-02 00:00:00", "D", "1.1.01", "1");
        Linea(2025, 5, n, "2025-05-02 00:00:00", "H", "4.1.01", "1");
    }
    struct Caso {
        const char* nombre;
        int respuesta;
        size_t filas;
        std::vector<std::string> llamadas;
    };
    const std::vector<Caso> casos = {
        {"sí: se detiene y confirma lo escrito",
         respuesta::kSi,
         1,
         {"Inicio Generando Reporte de Subdiarios +cancelar",
          "Mostrar Generando el Reporte|0005-0000001", "Mostrar Generando el Reporte|0005-0000002",
          "NoEncima", "Cerrar"}},
        {"no: un aviso nuevo y sigue",
         respuesta::kNo,
         3,
         {"Inicio Generando Reporte de Subdiarios +cancelar",
          "Mostrar Generando el Reporte|0005-0000001", "Mostrar Generando el Reporte|0005-0000002",
          "NoEncima", "Cerrar", "Inicio Generando Reporte de Subdiarios +cancelar",
          "Mostrar Generando el Reporte |0005-0000002", "Encima",
          "Mostrar Generando el Reporte|0005-0000003", "Cerrar"}},
    };
    for (const Caso& c : casos) {
        cartel = CartelAnotado{};
        cartel.cancelarEn = {2};
        plataforma->dialogos.clear();
        plataforma->respuestas = {c.respuesta};
        Generar();
        EXPECT_EQ(Filas().size(), c.filas) << c.nombre;
        EXPECT_EQ(cartel.llamadas, c.llamadas) << c.nombre;
        ASSERT_EQ(plataforma->dialogos.size(), 1u) << c.nombre;
        EXPECT_EQ(plataforma->dialogos[0].texto, "¿Realmente desea abortar el proceso?");
        EXPECT_EQ(plataforma->dialogos[0].estilo, estilo::kPregunta | estilo::kSiNo);
    }
}

TEST_F(SubdiariosTest, UnaFilaQueFallaSeOmiteOSeDeshaceTodo) {
    for (int n = 1; n <= 3; ++n) {
        Linea(2025, 6, n, "2025-06-02 00:00:00", "D", n == 2 ? "1.1.02" : "1.1.01", "1");
        Linea(2025, 6, n, "2025-06-02 00:00:00", "H", "4.1.01", "1");
    }
    base.Ejecutar(
        "CREATE TRIGGER no_banco BEFORE INSERT ON AUX_SUBDIARIOS WHEN NEW.cuenta_D = '1.1.02' "
        "BEGIN SELECT RAISE(ABORT, 'cuenta rechazada'); END");
    struct Caso {
        const char* nombre;
        std::vector<int> respuestas;
        std::vector<std::string> cuentas;
    };
    const std::vector<Caso> casos = {
        {"ignorar omite sólo la fila que falla", {respuesta::kIgnorar}, {"1.1.01", "1.1.01"}},
        {"abandonar deshace también el borrado", {respuesta::kAbortar}, {"vieja"}},
        {"reintentar repite la fila", {respuesta::kReintentar, respuesta::kAbortar}, {"vieja"}},
    };
    for (const Caso& c : casos) {
        base.Ejecutar("DELETE FROM AUX_SUBDIARIOS");
        base.Ejecutar("INSERT INTO AUX_SUBDIARIOS (Usuario, cuenta_D) VALUES ('DEMO', 'vieja')");
        cartel = CartelAnotado{};
        rutinas.clear();
        respuestas = c.respuestas;
        Generar();
        std::vector<std::string> cuentas;
        for (const auto& f : base.Filas("SELECT cuenta_D FROM AUX_SUBDIARIOS ORDER BY ID"))
            cuentas.push_back(f[0]);
        EXPECT_EQ(cuentas, c.cuentas) << c.nombre;
        ASSERT_EQ(rutinas.size(), c.respuestas.size()) << c.nombre;
        EXPECT_NE(rutinas[0].find("GeneraAuxiliarSubdiarios: "), std::string::npos);
        EXPECT_NE(rutinas[0].find("cuenta rechazada"), std::string::npos) << rutinas[0];
        EXPECT_EQ(cartel.llamadas.back(), "Cerrar") << c.nombre;
    }
}

}  // namespace
