// Fiscal years and periods on the demo database (2024 closed with results cancelled, 2025
// open; journal lines of 2025 dated 10/01, 15/01 and 05/02; a January summary entry of VEN and
// a cancelled one of COM).
#include "ReglasPrueba.h"

namespace {

using Ejercicios = ReglasPrueba;

TEST(UltimoDiaMes, AniosBisiestosYMesesInexistentes) {
    for (const auto& [mes, anio, dia] :
         {std::tuple<const char*, const char*, int>{"02", "2024", 29},
          {"02", "2023", 28},
          {"2", "1900", 28},
          {"02", "2000", 29},
          {"04", "2025", 30},
          {"12", "25", 31}})
        EXPECT_EQ(Lbc_Asiento::UltimoDiaMes(mes, anio), dia) << mes << "/" << anio;
    EXPECT_THROW(Lbc_Asiento::UltimoDiaMes("13", "2025"), ErrorEjecucion);
}

TEST_F(Ejercicios, RangoYUltimaFechaDeLosEjercicios) {
    std::string desde, hasta;
    std::optional<int> periodo;  // the current one, given back
    reglas->EjercicioRango(desde, hasta, &periodo);
    EXPECT_EQ(desde + " " + hasta + " " + std::to_string(periodo.value_or(0)),
              "01/01/2025 31/12/2025 2025");
    periodo = 2030;
    plataforma->Esperar("No se han creado Ejercicios!!!\rPara");
    reglas->EjercicioRango(desde, hasta, &periodo);
    EXPECT_EQ(desde + hasta, "");
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].texto.rfind("No se han creado Ejercicios!!!\rPara", 0), 0u);

    EXPECT_EQ(reglas->FechaHastaUltimoPeriodo(), (helperlib::Fecha{2025, 12, 31}));
    base.Ejecutar("DELETE FROM MV_EJERCICIOS");
    EXPECT_EQ(reglas->FechaHastaUltimoPeriodo(), std::nullopt);
    EXPECT_TRUE(fallas.empty());
}

TEST_F(Ejercicios, ValidaRangoFechaEjercicioConYSinElPropio) {
    struct Caso {
        const char* desde;
        const char* hasta;
        std::optional<int> propio;
        bool esperado;
    };
    for (const Caso& c : {Caso{"01/01/2025", "31/12/2025", {}, false},
                          {"01/01/2025", "31/12/2025", 2025, true},
                          {"01/01/2026", "31/12/2026", {}, true},
                          {"15/06/2025", "31/12/2026", 2024, false},
                          {"01/01/2026", "31/12/2024", 2025, false},  // the last date collides
                          {"31/12/2023", "2026-01-01", {}, true}})
        EXPECT_EQ(reglas->ValidaRangoFechaEjercicio(c.desde, c.hasta, c.propio), c.esperado)
            << c.desde << " " << c.hasta << " " << c.propio.value_or(0);
    EXPECT_THROW(reglas->ValidaRangoFechaEjercicio("31/02/2025", "01/03/2025"), ErrorEjecucion);
}

TEST_F(Ejercicios, ValidaEstadoPeriodoActualYEjercicioAnterior) {
    struct Caso {
        const char* preparacion;  // applied to the demo years
        const char* periodo;
        bool abierto;
        const char* mensaje;
        const char* banderas;  // lCierre, lCancelacion, lNoCreado
        bool anteriorCerrado;  // EjercicioAnteriorCerrado of the same period
    };
    const Caso casos[] = {
        {"", "2025", true, "", "000", true},
        {"", "2024", false,
         "El Periodo tiene realizado el Cierre y la Cancelacion de saldos de cuentas de resultados",
         "110", true},
        {"UPDATE MV_EJERCICIOS SET Cancelacion = 0", "2024", false,
         "El Periodo tiene realizado el Cierre de libros contables ", "100", true},
        {"UPDATE MV_EJERCICIOS SET Cerrado = 0", "2024", false,
         "El Periodo tiene realizada la Cancelacion de saldos de cuentas de resultados", "010",
         true},
        // Only the books closed count here; the closing alone is enough for the other check.
        {"UPDATE MV_EJERCICIOS SET Cerrado = 0", "2025", false,
         "El Periodo anterior (2024) no tiene realizado el cierre", "000", true},
        {"UPDATE MV_EJERCICIOS SET Cerrado = 0, Cierre = 0", "2025", false,
         "El Periodo anterior (2024) no tiene realizado el cierre", "000", false},
        {"UPDATE MV_EJERCICIOS SET Cerrado = 0, Cancelacion = 0", "2024", true, "", "000", true},
        {"", "2030", true, "", "000", false},  // a period without a year
        {"DELETE FROM MV_EJERCICIOS", "2025", false,
         "No se han creado Ejercicios!!!\rPara crear un Ejercicio debe hacerlo desde la "
         "configuración del sistema",
         "001", true}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.preparacion) + " / " + c.periodo);
        base.Ejecutar(
            "DELETE FROM MV_EJERCICIOS; INSERT INTO MV_EJERCICIOS VALUES "
            "(2024, '2024-01-01 00:00:00', '2024-12-31 00:00:00', 1, 1, 1), "
            "(2025, '2025-01-01 00:00:00', '2025-12-31 00:00:00', 0, 0, 0);");
        base.Ejecutar(c.preparacion);
        std::string mensaje;
        bool b[3] = {false, false, false};
        EXPECT_EQ(reglas->ValidaEstadoPeriodoActual(mensaje, &b[0], &b[1], &b[2], c.periodo),
                  c.abierto);
        EXPECT_EQ(mensaje, c.mensaje);
        const std::string banderas = {char('0' + b[0]), char('0' + b[1]), char('0' + b[2])};
        EXPECT_EQ(banderas, c.banderas);
        EXPECT_EQ(reglas->PeriodoActual(), std::stoi(c.periodo));  // replaced by the argument
        std::string ejercicio = "-1";                              // the current period
        EXPECT_EQ(reglas->EjercicioAnteriorCerrado(ejercicio), c.anteriorCerrado);
        EXPECT_EQ(ejercicio, c.periodo);
    }
    EXPECT_TRUE(fallas.empty());
}

TEST_F(Ejercicios, ExistenMovFueraPeriodoCuentaLosLimites) {
    for (const auto& [periodo, desde, hasta, esperado] :
         {std::tuple<int, const char*, const char*, bool>{2025, "01/01/2025", "31/12/2025", false},
          {2025, "10/01/2025", "31/12/2025", true},
          {2025, "01/01/2025", "05/02/2025", true},
          {2025, "11/01/2025", "04/02/2025", true},
          {2024, "01/01/2024", "31/12/2024", false}})
        EXPECT_EQ(reglas->ExistenMovFueraPeriodo(periodo, desde, hasta), esperado)
            << periodo << " " << desde << " " << hasta;
    EXPECT_TRUE(fallas.empty());
    EXPECT_EQ(enviadas.back(),
              "SELECT * FROM MV_ASIENTOS WHERE PERIODO = 2024 AND (FECHA <= '2024-01-01 "
              "00:00:00' OR FECHA >= '2024-12-31 00:00:00' )");
    EXPECT_FALSE(reglas->ExistenMovFueraPeriodo(2025, "no", "31/12/2025"));
    ASSERT_EQ(fallas.size(), 1u);
    EXPECT_EQ(fallas[0].rfind("ExistenMovFueraPeriodo: ", 0), 0u) << fallas[0];
}

TEST_F(Ejercicios, FechaValidadaContraLasFechasOperativas) {
    const char* const fuera = "La fecha ingresada No es una Fecha Operativa posible!";
    struct Caso {
        const char* campo;
        bool errorPrevio, error;
        const char* mensaje;
    };
    for (const Caso& c : {Caso{"  ", false, true, "Debe ingresar una fecha"},
                          {"32/01/2025", false, true, "La fecha ingresada no es correcta!!"},
                          {"01/01/2025", false, false, ""},
                          {"31/12/2025", false, false, ""},
                          {"01/01/2026", false, true, fuera},
                          {"31/12/2024", false, true, fuera},
                          {"01/01/2026", true, true, ""}}) {  // an earlier error stays
        std::string mensaje;
        bool error = c.errorPrevio;
        reglas->FechaValidada(c.campo, mensaje, error);
        EXPECT_EQ(error, c.error) << c.campo;
        EXPECT_EQ(mensaje, c.mensaje) << c.campo;
    }
}

TEST_F(Ejercicios, AjusteYSubdiarios) {
    std::string fecha = "x", hasta = "x";
    int32_t nro = -1;
    reglas->UltimoAjuste(fecha, hasta, nro);
    EXPECT_EQ(fecha + "|" + hasta + "|" + std::to_string(nro), "||0");
    base.Ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", FECHA, ESAJUSTE, "
        "AJUSTE_HASTA) VALUES (2024, 12, 98, '2024-12-31 00:00:00', 1, 11), "
        "(2025, 12, 99, '2025-12-31 00:00:00', 1, 12)");
    reglas->UltimoAjuste(fecha, hasta, nro);
    EXPECT_EQ(fecha + "|" + hasta + "|" + std::to_string(nro), "31/12/2025|12|99");

    for (const auto& [f, sub, esperado] :
         {std::tuple<const char*, const char*, bool>{"15/01/2025", "VEN", false},
          {"31/01/2025", " ven ", false},
          {"01/02/2025", "VEN", true},
          {"15/01/2025", "COM", true},  // its summary entry was cancelled
          {"15/01/2025", "C'M", true}})
        EXPECT_EQ(reglas->ValidaFechaSubdiario(f, sub), esperado) << f << " " << sub;
    for (const auto& [sub, tc, esperado] :
         {std::tuple<const char*, const char*, bool>{"VEN", "fc ", true},
          {"VEN", "FCC", false},
          {" COM ", "FCC", true},
          {"O'K", "FC", false}})
        EXPECT_EQ(reglas->ValidaSubdiarioTC(sub, tc), esperado) << sub << " " << tc;
    EXPECT_TRUE(reglas->ValidaTCRegistraciones(" FC "));
    EXPECT_FALSE(reglas->ValidaTCRegistraciones("AS"));
    EXPECT_FALSE(reglas->ValidaTCRegistraciones("F'C"));
    EXPECT_TRUE(fallas.empty());
}

}  // namespace
