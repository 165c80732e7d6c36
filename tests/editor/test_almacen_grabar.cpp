// Saving and deleting templates: rows written, side and amount rule, timestamps, the
// all-or-nothing transaction, names with apostrophes and the delete path.
#include <optional>

#include "AlmacenPrueba.h"
#include "Moneda.h"

using namespace helperlib;

namespace {

using GrabarTest = AlmacenTest;

Moneda Importe(const std::string& t) { return Moneda::Leer(t).value_or(Moneda::DesdeCrudo(-1)); }

TEST_F(GrabarTest, PrimeraGrabacionEscribeCadaLineaConCuentaYSuIndice) {
    EXPECT_FALSE(ConfirmarNombre("  PAGOS NUEVOS "));
    almacen.TextoCampo("TC") = " FCC ";
    almacen.TextoCampo("IdMotivo") = "03 ";
    almacen.Casillas = CasillasModelo{1, 0, 1, 0, 1, 0};
    Tipear({{"1.1.01.001", "100.50", "", "21"},
            {"2.1.01.001", "", "100.50", ""},
            {nullptr, "", "", ""},
            {" 5.3.02.003 ", "7", "", "10.5"}});
    almacen.ActualizarDatos();
    EXPECT_FALSE(almacen.ErrorValidacion);
    EXPECT_TRUE(plataforma->dialogos.empty());

    const auto r = Renglones("PAGOS NUEVOS");
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0][0], "1");
    EXPECT_EQ(r[1][0], "2");
    EXPECT_EQ(r[2][0], "4");  // grid row 3 was empty: its number is skipped
    EXPECT_EQ(r[2][1], "5.3.02.003");
    EXPECT_EQ(r[0][2], "D");
    EXPECT_EQ(Importe(r[0][3]), *Moneda::Leer("100.50"));
    EXPECT_EQ(r[1][2], "H");
    EXPECT_EQ(Importe(r[1][3]), *Moneda::Leer("100.50"));

    const auto f = base.Filas(
        "SELECT NOMBRE, tcdefault, IdMotivo, tipo_reg, MODIFICATC, MODIFICACTAS, AGREGACTAS, "
        "Anclarenmenu, allibrodeiva, esliqtarjetas, fechahora_grabacion IS NOT NULL, "
        "fechahora_modificacion IS NULL, AlicIVA FROM MA_MODELOS WHERE NOMBRE = 'PAGOS NUEVOS' "
        "ORDER BY SECUENCIA");
    ASSERT_EQ(f.size(), 3u);
    for (const auto& fila : f) {
        EXPECT_EQ(fila[0], "PAGOS NUEVOS");
        EXPECT_EQ(fila[1], "FCC");
        EXPECT_EQ(fila[2], "03");
        EXPECT_EQ(fila[3], "    ");
        EXPECT_EQ(fila[4] + fila[5] + fila[6] + fila[7] + fila[8] + fila[9], "101010");
        EXPECT_EQ(fila[10], "1");  // a first save carries the recording time only
        EXPECT_EQ(fila[11], "1");
    }
    EXPECT_EQ(Importe(f[0][12]), *Moneda::Leer("21"));
    EXPECT_EQ(Importe(f[1][12]), Moneda());  // blank rate becomes 0
    EXPECT_EQ(Importe(f[2][12]), *Moneda::Leer("10.5"));
}

TEST_F(GrabarTest, ReglaDeLadoEImporte) {
    ConfirmarNombre("LADOS");
    Tipear({{"1.1.01.001", "0.00", "150.00", ""},         // zero debit, credit: H 150
            {"1.1.01.002", "", "", ""},                   // both empty: H 0
            {"1.1.01.003", "0", "0", ""},                 // both zero: D 0
            {"1.1.01.004", "25", "30", ""},               // a debit wins when not zero
            {"1.1.01.005", "  ", "12.34", ""},            // blank debit: H
            {"1.1.01.006", "0.00", "-5", ""},             // negative credit is not above zero: D 0
            {"1.1.01.007", "9876543210.1234", "", ""}});  // exact to the last decimal
    almacen.ActualizarDatos();
    ASSERT_FALSE(almacen.ErrorValidacion);
    const auto r = Renglones("LADOS");
    ASSERT_EQ(r.size(), 7u);
    const std::vector<std::pair<std::string, std::string>> esperado = {{"H", "150"},
                                                                       {"H", "0"},
                                                                       {"D", "0"},
                                                                       {"D", "25"},
                                                                       {"H", "12.34"},
                                                                       {"D", "0"},
                                                                       {"D", "9876543210.1234"}};
    for (size_t i = 0; i < esperado.size(); ++i) {
        EXPECT_EQ(r[i][2], esperado[i].first) << i;
        EXPECT_EQ(Importe(r[i][3]), *Moneda::Leer(esperado[i].second)) << i << " " << r[i][3];
    }
}

TEST_F(GrabarTest, RegrabarReemplazaTodasLasFilasYMarcaSoloLaModificacion) {
    ASSERT_TRUE(ConfirmarNombre("ALQUILERES"));
    ASSERT_EQ(almacen.Lineas.Superior(), 4);
    almacen.Lineas[2].Cuenta = "";  // drop the VAT line
    almacen.Lineas[1].Debe = "160000.00";
    almacen.ActualizarDatos();
    ASSERT_FALSE(almacen.ErrorValidacion);
    const auto r = Renglones("ALQUILERES");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0][0], "1");
    EXPECT_EQ(Importe(r[0][3]), *Moneda::Leer("160000"));
    EXPECT_EQ(r[1][0], "3");
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'ALQUILERES' AND "
                         "fechahora_modificacion IS NOT NULL AND fechahora_grabacion IS NULL"),
              "2");
    // The other templates are untouched.
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS'"), "5");
}

TEST_F(GrabarTest, RegrabarConservaElDetalleDeCadaLineaAunqueLasLineasSeMuevan) {
    const std::string antes = base.Valor(
        "SELECT group_concat(DETALLE, '|') FROM (SELECT DETALLE FROM MA_MODELOS WHERE NOMBRE = "
        "'SUELDOS' AND SECUENCIA > 1 ORDER BY SECUENCIA)");
    ASSERT_FALSE(antes.empty());
    ASSERT_TRUE(ConfirmarNombre("SUELDOS"));
    // The first line goes: every other line moves up one place with its detail.
    auto& v = almacen.Lineas.Elementos();
    v.erase(v.begin() + 1);
    almacen.ActualizarDatos();
    ASSERT_FALSE(almacen.ErrorValidacion);
    EXPECT_EQ(base.Valor("SELECT group_concat(DETALLE, '|') FROM (SELECT DETALLE FROM MA_MODELOS "
                         "WHERE NOMBRE = 'SUELDOS' ORDER BY SECUENCIA)"),
              antes);
}

TEST_F(GrabarTest, ElNombreConBlancosSeRecortaTambienAlBorrarLasFilasViejas) {
    ASSERT_TRUE(ConfirmarNombre("SUELDOS"));
    almacen.TextoCampo("NOMBRE") = "  SUELDOS  ";  // blanks typed around the loaded name
    almacen.ActualizarDatos();
    ASSERT_FALSE(almacen.ErrorValidacion);
    // Rewritten whole: the same five lines, not ten.
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS'"), "5");
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE LIKE '%SUELDOS%'"), "5");
}

TEST_F(GrabarTest, UnaFallaAMitadDeGrabacionDejaElModeloComoEstaba) {
    const auto antes = base.Filas("SELECT * FROM MA_MODELOS ORDER BY ID");
    // The third insert of any save fails.
    base.Ejecutar(
        "CREATE TEMP TABLE IF NOT EXISTS x(y); "
        "CREATE TRIGGER falla_tercera BEFORE INSERT ON MA_MODELOS "
        "WHEN (SELECT count(*) FROM MA_MODELOS WHERE NOMBRE = NEW.NOMBRE) >= 2 "
        "BEGIN SELECT RAISE(ABORT, 'tercera fila rechazada'); END;");
    ASSERT_TRUE(ConfirmarNombre("SUELDOS"));
    plataforma->Esperar("tercera fila rechazada", respuesta::kAbortar);
    almacen.ActualizarDatos();
    EXPECT_TRUE(almacen.ErrorValidacion);
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_NE(plataforma->dialogos[0].titulo.find("ActualizarDatos"), std::string::npos);
    EXPECT_EQ(base.Filas("SELECT * FROM MA_MODELOS ORDER BY ID"), antes);
    EXPECT_FALSE(db.gCnn.EnTransaccion());

    // The form keeps the template: after removing the cause the same save succeeds.
    base.Ejecutar("DROP TRIGGER falla_tercera");
    almacen.ActualizarDatos();
    EXPECT_FALSE(almacen.ErrorValidacion);
    EXPECT_EQ(Renglones("SUELDOS").size(), 5u);
}

TEST_F(GrabarTest, ReintentarRepiteLaLineaEIgnorarLaSalta) {
    base.Ejecutar(
        "CREATE TABLE bloqueo_prueba(activo); INSERT INTO bloqueo_prueba VALUES (1);"
        "CREATE TRIGGER falla_cuenta BEFORE INSERT ON MA_MODELOS "
        "WHEN NEW.CUENTA = '1.1.01.002' AND (SELECT activo FROM bloqueo_prueba) = 1 "
        "BEGIN SELECT RAISE(ABORT, 'rechazada'); END;");
    ConfirmarNombre("REINTENTOS");
    Tipear({{"1.1.01.001", "1", "", ""}, {"1.1.01.002", "2", "", ""}, {"1.1.01.003", "3", "", ""}});
    plataforma->Esperar("rechazada", respuesta::kIgnorar);
    almacen.ActualizarDatos();
    // Ignored: the line is skipped, the rest is committed, and the form keeps the template.
    EXPECT_TRUE(almacen.ErrorValidacion);
    auto r = Renglones("REINTENTOS");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1][0], "3");

    // Retried after the cause is gone: every line is written once.
    almacen.ModeloExistente = true;
    plataforma->Esperar("rechazada una vez", respuesta::kReintentar);
    base.Ejecutar(
        "DROP TRIGGER falla_cuenta; CREATE TRIGGER falla_cuenta BEFORE INSERT ON "
        "MA_MODELOS WHEN NEW.CUENTA = '1.1.01.002' AND (SELECT activo FROM "
        "bloqueo_prueba) = 1 BEGIN UPDATE bloqueo_prueba SET activo = 0; "
        "SELECT RAISE(FAIL, 'rechazada una vez'); END;");
    almacen.ActualizarDatos();
    r = Renglones("REINTENTOS");
    ASSERT_EQ(r.size(), 3u) << plataforma->dialogos.size();
    EXPECT_EQ(r[1][1], "1.1.01.002");
}

TEST_F(GrabarTest, IgnorarLaFallaDelBorradoNoMezclaFilasViejasYNuevas) {
    base.Ejecutar(
        "CREATE TRIGGER no_borrar BEFORE DELETE ON MA_MODELOS "
        "BEGIN SELECT RAISE(ABORT, 'no se puede borrar'); END;");
    ASSERT_TRUE(ConfirmarNombre("ALQUILERES"));
    const auto antes = Renglones("ALQUILERES");
    almacen.Lineas[1].Debe = "1.00";
    plataforma->Esperar("no se puede borrar", respuesta::kIgnorar);
    almacen.ActualizarDatos();
    EXPECT_TRUE(almacen.ErrorValidacion);
    EXPECT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(Renglones("ALQUILERES"), antes);
}

TEST_F(GrabarTest, LetrasEnUnImporteMuestranElErrorDeConversionYRevierten) {
    ASSERT_TRUE(ConfirmarNombre("ALQUILERES"));
    const auto antes = Renglones("ALQUILERES");
    almacen.Lineas[3].Haber = "18I500";
    plataforma->Esperar("En el campo: Linea 3/Haber");
    almacen.ActualizarDatos();
    EXPECT_TRUE(almacen.ErrorValidacion);
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    const auto& d = plataforma->dialogos[0];
    EXPECT_EQ(d.titulo, "Error en conversion de datos");
    EXPECT_EQ(d.estilo, estilo::kCritico);
    EXPECT_EQ(d.texto,
              "Verifique las siguientes opciones: \r\n\r\n1) Ha ingresado letras donde debe "
              "ingresar numeros\r\n\r\n2) Debe ingresar una fecha y el formato es "
              "incorrecto\r\n\r\nEn el campo: Linea 3/Haber");
    ASSERT_EQ(vista.focos.size(), 1u);
    EXPECT_EQ(vista.focos[0].first, 3);
    EXPECT_EQ(vista.focos[0].second, ColumnaLinea::Haber);
    EXPECT_EQ(Renglones("ALQUILERES"), antes);

    almacen.Lineas[3].Haber = "181500";
    almacen.Lineas[1].AlicIVA = "veintiuno";
    plataforma->Esperar("En el campo: Linea 1/AlicIVA");
    almacen.ActualizarDatos();
    ASSERT_EQ(vista.focos.size(), 2u);
    EXPECT_EQ(vista.focos[1], std::make_pair(1, ColumnaLinea::AlicIVA));
    EXPECT_EQ(Renglones("ALQUILERES"), antes);
}

TEST_F(GrabarTest, UnNombreConApostrofeSeGrabaCargaYRegraba) {
    EXPECT_FALSE(ConfirmarNombre("D'ALESSANDRO"));
    Tipear({{"1.1.01.001", "10", "", ""}, {"2.1.01.001", "", "10", ""}});
    almacen.ActualizarDatos();
    ASSERT_FALSE(almacen.ErrorValidacion)
        << (plataforma->dialogos.empty() ? "" : plataforma->dialogos[0].texto);
    ASSERT_EQ(Renglones("D'ALESSANDRO").size(), 2u);

    ASSERT_TRUE(ConfirmarNombre("D'ALESSANDRO"));
    EXPECT_EQ(almacen.NombreCargado, "D'ALESSANDRO");
    ASSERT_EQ(almacen.Lineas.Superior(), 3);
    almacen.Lineas[2].Haber = "20";
    almacen.Lineas[1].Debe = "20";
    almacen.ActualizarDatos();
    ASSERT_FALSE(almacen.ErrorValidacion);
    const auto r = Renglones("D'ALESSANDRO");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(Importe(r[1][3]), Moneda::DesdeEntero(20));
    EXPECT_TRUE(plataforma->dialogos.empty());
}

TEST_F(GrabarTest, BorrarPreguntaYSiempreLimpiaElFormulario) {
    ASSERT_TRUE(ConfirmarNombre("SUELDOS"));
    almacen.ModoBorrar = true;
    plataforma->respuestas.push_back(respuesta::kNo);
    almacen.ActualizarDatos();
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].texto, "Realmente desea eliminar este MODELO");
    EXPECT_EQ(plataforma->dialogos[0].titulo, "Aviso al operador");
    EXPECT_EQ(plataforma->dialogos[0].estilo, estilo::kSiNo + estilo::kCritico);
    EXPECT_EQ(vista.limpiezas, 1);
    EXPECT_EQ(Renglones("SUELDOS").size(), 5u);
    EXPECT_FALSE(almacen.ModoBorrar);
    EXPECT_EQ(almacen.Lineas.Superior(), 0);
    EXPECT_EQ(almacen.TextoCampo("NOMBRE"), "");

    ASSERT_TRUE(ConfirmarNombre("SUELDOS"));
    almacen.ModoBorrar = true;
    plataforma->Esperar("Realmente desea eliminar este MODELO", respuesta::kSi);
    almacen.ActualizarDatos();
    EXPECT_EQ(vista.limpiezas, 2);
    EXPECT_TRUE(Renglones("SUELDOS").empty());
    EXPECT_EQ(Renglones("ALQUILERES").size(), 3u);
}

TEST_F(GrabarTest, BorrarUnModeloAncladoQuitaSuEntradaDelMenu) {
    ASSERT_TRUE(ConfirmarNombre("ALQUILERES"));
    ASSERT_EQ(almacen.Casillas.chkAlMenu, 1);
    almacen.ModoBorrar = true;
    plataforma->Esperar("Realmente desea eliminar este MODELO", respuesta::kSi);
    almacen.ActualizarDatos();
    EXPECT_TRUE(Renglones("ALQUILERES").empty());
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM TA_MENU WHERE NOMBRE = 'ALQUILERES'"), "0");
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM TA_TAREAS WHERE TAREA = 'D954101'"), "0");
}

TEST_F(GrabarTest, GrabarAnclaElModeloSegunLaCasilla) {
    ConfirmarNombre("NUEVO ANCLADO");
    Tipear({{"1.1.01.001", "1", "", ""}});
    almacen.Casillas.chkAlMenu = 1;
    almacen.ActualizarDatos();
    EXPECT_EQ(base.Valor("SELECT CLAVE FROM TA_MENU WHERE NOMBRE = 'NUEVO ANCLADO'"), "D954102");
    // A failed save does not touch the menu.
    ConfirmarNombre("OTRO");
    Tipear({{"1.1.01.001", "uno", "", ""}});
    almacen.Casillas.chkAlMenu = 1;
    plataforma->Esperar("En el campo: Linea 1/Debe");
    almacen.ActualizarDatos();
    EXPECT_TRUE(almacen.ErrorValidacion);
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM TA_MENU WHERE NOMBRE = 'OTRO'"), "0");
}

}  // namespace
