// Saves that meet a hostile database: a full disk whatever the operator answers, a lock held by
// another user, a refused menu entry, another editor saving the same template, a name that
// holds the table marker. The table always ends with exactly one save's rows, or the old ones.
#include <sqlite3.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "AlmacenPrueba.h"

namespace {

using editor::kMensajeNadaGrabado;
using editor::kPreguntaReemplazo;
using editor::kTituloPrograma;

/// A whole database of its own: a connection, a store and a window stand-in.
struct Puesto {
    explicit Puesto(BaseTemporal& base) : almacen(db, &vista) {
        base.Conectar(db);
        db.VincularUsuarioSesion(usuario);
        db.gLogErr = base.Carpeta() + "/KXERR.LOG";
        almacen.Generar(almacen.NombreTabla);
    }
    /// Confirms `nombre` in the name field as the window does (see AlmacenTest).
    bool Cargar(const std::string& nombre) {
        almacen.LimpiarEstado();
        almacen.TextoCampo("NOMBRE") = nombre;
        const bool existe = db.ExisteEnTabla(
            "MA_MODELOS", nombre, "NOMBRE", &almacen.RegistroTrabajo, 8,
            " WHERE LTRIM(RTRIM(NOMBRE)) = '" + texto::DuplicarApostrofes(nombre) + "'", false);
        almacen.ModeloExistente = existe;
        if (existe) almacen.AsignarDatos();
        return existe;
    }
    /// Lines 1..n with the accounts of the demo chart and `importe` as debit.
    void Lineas(int n, const std::string& importe) {
        almacen.Lineas.Reiniciar(n + 2);
        for (int k = 1; k <= n; ++k) {
            almacen.Lineas[k].Cuenta = k % 2 ? "1.1.01.001" : "2.1.01.001";
            almacen.Lineas[k].Debe = importe;
        }
    }
    std::string usuario;  // the session user, as the session values keep it
    DB_Dll db;
    VistaRegistrada vista;
    AlmacenModelos almacen;
};

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool AlgunDialogoContiene(const PlataformaGuionada& p, const std::string& fragmento) {
    for (const auto& d : p.dialogos)
        if (d.texto.find(fragmento) != std::string::npos) return true;
    return false;
}

// ---- A full disk -------------------------------------------------------------------------------

TEST(GrabarConDiscoLleno, NadaSeGrabaSeaCualSeaLaRespuesta) {
    struct Caso {
        const char* boton;
        int respuesta;
    };
    const Caso casos[] = {{"Anular", respuesta::kAbortar},
                          {"Reintentar", respuesta::kReintentar},
                          {"Omitir", respuesta::kIgnorar}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.boton);
        ConPlataformaGuionada plataforma;
        BaseTemporal base;
        Puesto puesto(base);
        ASSERT_TRUE(puesto.Cargar("SUELDOS"));
        const auto antes = base.Filas("SELECT * FROM MA_MODELOS ORDER BY ID");
        puesto.Lineas(600, "1234.56");
        // The file may not grow by a single page: the old rows' space is all there is.
        const std::string paginas = base.Valor("PRAGMA page_count");
        puesto.db.gCnn.Execute("PRAGMA max_page_count = " + paginas);
        // The failure in Spanish, then once that nothing was saved; nothing else.
        plataforma->Esperar("disco", c.respuesta);
        plataforma->Esperar(kMensajeNadaGrabado);

        puesto.almacen.ActualizarDatos();

        EXPECT_TRUE(puesto.almacen.ErrorValidacion);
        EXPECT_EQ(base.Filas("SELECT * FROM MA_MODELOS ORDER BY ID"), antes);
        EXPECT_EQ(base.Valor("PRAGMA integrity_check"), "ok");
        EXPECT_FALSE(puesto.db.gCnn.EnTransaccion());
        ASSERT_EQ(plataforma->dialogos.size(), 2u);
        EXPECT_EQ(plataforma->dialogos[1].titulo, kTituloPrograma);
        EXPECT_FALSE(AlgunDialogoContiene(*plataforma, "disk is full"));
        EXPECT_FALSE(AlgunDialogoContiene(*plataforma, "transaction"));
        // The engine's own words are kept in the error log.
        EXPECT_NE(Leer(puesto.db.gLogErr).find("database or disk is full"), std::string::npos);

        // With room again the same form saves.
        puesto.db.gCnn.Execute("PRAGMA max_page_count = 1073741823");
        plataforma->dialogos.clear();
        puesto.almacen.ActualizarDatos();
        EXPECT_FALSE(puesto.almacen.ErrorValidacion);
        EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS'"), "600");
    }
}

// ---- A lock held by another user ---------------------------------------------------------------

TEST(GrabarConBloqueo, ReintentarTrasLiberarseGrabaYCuentaComoExito) {
    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    Puesto puesto(base);
    ASSERT_TRUE(puesto.Cargar("ALQUILERES"));
    puesto.almacen.Lineas[1].Debe = "999.00";
    puesto.db.gCnn.CommandTimeout = 1;
    // Another user is in the middle of a save.
    base.Ejecutar("BEGIN IMMEDIATE");
    plataforma->responder = [&](const DialogoMostrado&) -> std::optional<int> {
        base.Ejecutar("COMMIT");  // the other save ends while the operator reads the message
        return respuesta::kReintentar;
    };

    puesto.almacen.ActualizarDatos();

    EXPECT_FALSE(puesto.almacen.ErrorValidacion);
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_NE(plataforma->dialogos[0].texto.find("bloqueada"), std::string::npos);
    EXPECT_EQ(plataforma->dialogos[0].texto.find("database is locked"), std::string::npos);
    EXPECT_NE(Leer(puesto.db.gLogErr).find("database is locked"), std::string::npos);
    EXPECT_EQ(base.Valor("SELECT IMPORTE FROM MA_MODELOS WHERE NOMBRE = 'ALQUILERES' AND "
                         "SECUENCIA = 1"),
              "999");
    // While it waited the windows were repainted under a busy cursor, switched off after.
    EXPECT_GT(plataforma->repintados, 5);
    ASSERT_GE(plataforma->indicadores.size(), 2u);
    EXPECT_TRUE(plataforma->indicadores.front());
    EXPECT_FALSE(plataforma->indicadores.back());
}

// ---- The menu entry goes with the template -----------------------------------------------------

TEST(GrabarAnclado, UnaFallaDelMenuDejaElModeloComoEstaba) {
    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    Puesto puesto(base);
    puesto.usuario = "DEMO";
    ASSERT_TRUE(puesto.Cargar("SUELDOS"));  // not anchored yet: its entry is to be added
    ASSERT_EQ(base.Valor("SELECT COUNT(*) FROM TA_MENU WHERE NOMBRE = 'SUELDOS'"), "0");
    const auto antes = base.Filas("SELECT * FROM MA_MODELOS ORDER BY ID");
    const auto menuAntes = base.Filas("SELECT * FROM TA_MENU ORDER BY CLAVE");
    base.Ejecutar(
        "CREATE TRIGGER sin_entradas BEFORE INSERT ON TA_MENU WHEN NEW.TITULO = 'D9541' "
        "BEGIN SELECT RAISE(ABORT, 'menu cerrado'); END;");
    puesto.almacen.Casillas.chkAlMenu = 1;
    puesto.almacen.Lineas[1].Debe = "1.00";
    plataforma->respuestas = {respuesta::kReintentar, respuesta::kCancelar};

    puesto.almacen.ActualizarDatos();

    EXPECT_TRUE(puesto.almacen.ErrorValidacion);
    EXPECT_EQ(base.Filas("SELECT * FROM MA_MODELOS ORDER BY ID"), antes);
    EXPECT_EQ(base.Filas("SELECT * FROM TA_MENU ORDER BY CLAVE"), menuAntes);
    ASSERT_EQ(plataforma->dialogos.size(), 2u);  // the retry met the same refusal
    for (const auto& d : plataforma->dialogos) {
        EXPECT_EQ(d.titulo, kTituloPrograma);
        EXPECT_EQ(d.estilo & 0x70, estilo::kCritico);
        EXPECT_NE(d.texto.find("menu cerrado"), std::string::npos);
    }

    // Without the obstacle the template and its entry are stored together.
    base.Ejecutar("DROP TRIGGER sin_entradas");
    puesto.almacen.ActualizarDatos();
    EXPECT_FALSE(puesto.almacen.ErrorValidacion);
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS' AND "
                         "Anclarenmenu = 1"),
              "5");
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM TA_MENU WHERE NOMBRE = 'SUELDOS'"), "1");
}

// ---- Two editors on one template ---------------------------------------------------------------

TEST(DosEditores, ElSegundoEnGrabarPreguntaAntesDeReemplazar) {
    struct Caso {
        const char* nombre;
        const char* modelo;  // loaded in both places (or typed as new in the first one)
        bool otroGraba;      // the second editor saves between the load and the save
        int respuesta;       // answer to the question, when asked
        bool pregunta;
        const char* importeFinal;  // the first line's amount left in the table
    };
    const Caso casos[] = {
        {"nadie mas grabo", "ALQUILERES", false, respuesta::kNo, false, "111"},
        {"otro grabo y No", "ALQUILERES", true, respuesta::kNo, true, "222"},
        {"otro grabo y Si", "ALQUILERES", true, respuesta::kSi, true, "111"},
        {"otro lo creo y No", "NUEVO", true, respuesta::kNo, true, "222"},
        {"otro lo creo y Si", "NUEVO", true, respuesta::kSi, true, "111"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ConPlataformaGuionada plataforma;
        BaseTemporal base;
        Puesto primero(base);
        Puesto otro(base);
        primero.Cargar(c.modelo);
        primero.Lineas(2, "111");
        if (c.otroGraba) {
            otro.Cargar(c.modelo);
            otro.Lineas(3, "222");
            otro.almacen.ActualizarDatos();
            ASSERT_FALSE(otro.almacen.ErrorValidacion);
        }
        plataforma->dialogos.clear();
        if (c.pregunta) plataforma->respuestas = {c.respuesta};

        primero.almacen.ActualizarDatos();

        if (c.pregunta) {
            ASSERT_EQ(plataforma->dialogos.size(), 1u);
            EXPECT_EQ(plataforma->dialogos[0].texto, kPreguntaReemplazo);
            EXPECT_EQ(plataforma->dialogos[0].estilo,
                      estilo::kSiNo | estilo::kExclamacion | estilo::kBotonDefecto2);
        } else {
            EXPECT_TRUE(plataforma->dialogos.empty());
        }
        EXPECT_EQ(primero.almacen.ErrorValidacion, c.respuesta == respuesta::kNo && c.pregunta);
        const auto filas = base.Filas(
            "SELECT CAST(IMPORTE AS INTEGER) FROM MA_MODELOS WHERE "
            "NOMBRE = '" +
            std::string(c.modelo) + "'");
        ASSERT_FALSE(filas.empty());
        for (const auto& f : filas) EXPECT_EQ(f[0], c.importeFinal);  // one save's rows only
        EXPECT_EQ(filas.size(), std::string(c.importeFinal) == "111" ? 2u : 3u);

        // Saving again from the same form asks nothing: its own rows are what it knows.
        if (!primero.almacen.ErrorValidacion) {
            plataforma->dialogos.clear();
            primero.almacen.ActualizarDatos();
            EXPECT_TRUE(plataforma->dialogos.empty());
            EXPECT_FALSE(primero.almacen.ErrorValidacion);
        }
    }
}

// ---- The table marker inside a name ------------------------------------------------------------

TEST_F(AlmacenTest, UnNombreConLaMarcaDeTablaSeGrabaCargaYBorraSinTocarOtro) {
    const std::string sueldos =
        base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS'");
    ASSERT_NE(sueldos, "0");
    EXPECT_FALSE(ConfirmarNombre("@admin_sueldos"));
    Tipear({{"1.1.01.001", "10", "", ""}, {"2.1.01.001", "", "10", ""}});
    almacen.ActualizarDatos();
    ASSERT_FALSE(almacen.ErrorValidacion);
    EXPECT_EQ(Renglones("@admin_sueldos").size(), 2u);

    ASSERT_TRUE(ConfirmarNombre("@admin_sueldos"));
    EXPECT_EQ(almacen.Lineas.Superior(), 3);  // its own two lines, not SUELDOS'
    almacen.ActualizarDatos();                // saved again: still two rows, not four
    EXPECT_EQ(Renglones("@admin_sueldos").size(), 2u);

    ASSERT_TRUE(ConfirmarNombre("@admin_sueldos"));
    almacen.ModoBorrar = true;
    plataforma->respuestas = {respuesta::kSi};
    almacen.ActualizarDatos();
    EXPECT_TRUE(Renglones("@admin_sueldos").empty());
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS'"), sueldos);
}

}  // namespace
