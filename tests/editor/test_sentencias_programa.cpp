// The statements the program really sends, checked against the schema. The program's own
// operations run on a demo database while the connection's observer records every statement as
// the program wrote it; once as an administrator and once as a restricted user with
// confidentiality on (whose statements read the restricted views). Every distinct statement then
// has to run on a fresh demo database, read the chart of accounts and the templates through
// their indexes, and lose every construction of the server's dialect in its Oracle form.
#include <QTest>
#include <QTreeView>
#include <map>
#include <set>

#include "../data/test_esquema_base.h"
#include "../entryrules/ReglasPrueba.h"
#include "Dialecto.h"
#include "DialectoOracle.h"
#include "Dll_Display.h"
#include "InicioSesion.h"
#include "LexicoSql.h"
#include "Lib_FrmCons3.h"
#include "Subdiarios.h"
#include "VentanaPrueba.h"

using namespace esquema_prueba;

namespace {

struct Perfil {
    const char* usuario;
    bool administrador;
};
constexpr Perfil kPerfiles[] = {{"ADMIN", true}, {"DEMO", false}};

/// What one session of the program sent, operation by operation, and what went wrong.
struct Sesion {
    std::vector<std::pair<std::string, std::vector<std::string>>> operaciones;
    std::vector<std::string> fallas;
};

/// Runs the program's operations as `perfil` on a demo database of its own. The scripted
/// desktop fails the test on a dialog the run does not expect.
Sesion Capturar(const Perfil& perfil) {
    Sesion r;
    AplicacionDePrueba();
    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    base.Ejecutar("UPDATE TA_CONFIGURACION SET VALOR = 'SI' WHERE CLAVE = 'SS_CONFIDENCIALIDAD'");
    ::setenv("XDG_CONFIG_HOME", base.Carpeta().c_str(), 1);
    plataforma->rutaEjecutable = base.Carpeta() + "/asientos-modelo";

    lookup::Contexto ctx;
    DB_Dll& db = ctx.db;
    std::vector<std::string>* actual = nullptr;
    db.gCnn.Observador = [&](const std::string& s) {
        if (actual) actual->push_back(s);
    };
    const auto operacion = [&](const char* nombre, const std::function<void()>& f) {
        actual = &r.operaciones.emplace_back(nombre, std::vector<std::string>()).second;
        f();
        actual = nullptr;
    };
    const auto contar = [&](const std::string& sql) { return std::stoi("0" + base.Valor(sql)); };

    operacion("inicio de sesión y control de acceso", [&] {
        IniciarSesion("@Server=sqlite:" + base.Carpeta() +
                          ";@DbName=PRUEBA;@UsuarioLogeado=" + perfil.usuario + ";",
                      db, ctx.sesion);
    });
    std::optional<Lbc_Asiento> reglas;
    operacion("configuración", [&] {
        ctx.Consultas();
        reglas.emplace(db, ServiciosDe(db), [&](const ErrorEjecucion& e, const std::string& rut) {
            r.fallas.push_back(rut + ": " + e.Descripcion());
            return respuesta::kAbortar;
        });
    });

    editor::AlmacenModelos almacen(db);
    editor::LogicaEncabezado encabezado(almacen, db);
    editor::MatrizGrilla matriz;
    editor::LogicaGrilla grilla(almacen, db, matriz);
    encabezado.LimpiarLineas = [&] { almacen.Lineas.Reiniciar(1); };
    const auto confirmarNombre = [&](const std::string& nombre) {
        almacen.LimpiarEstado();
        almacen.Generar(almacen.NombreTabla);
        almacen.TextoCampo("NOMBRE") = nombre;
        encabezado.ValidarCampo(0);
    };
    operacion("modelo cargado por nombre", [&] { confirmarNombre("SUELDOS"); });
    operacion("encabezado: comprobante y motivo", [&] {
        almacen.TextoCampo("TC") = "FCC";
        almacen.TextoCampo("idMotivo") = "06";
        encabezado.ValidarCampo(1);
        encabezado.ValidarCampo(2);
    });
    operacion("grilla: cuenta y dígito verificador", [&] {
        grilla.MsFlex_Inicializa();
        grilla.FilaActual = 1;
        std::string cuenta = "caja";  // the alternative code of 1.1.01.001
        grilla.ValidarCampo(cuenta, "CUENTA", true);
        std::string dv = std::to_string(Lbc_Asiento::CalculoDV("1.1.01.001"));
        grilla.ValidarCampo(dv, "DV", true);
    });

    const std::string nuevo = std::string("CAPTURA ") + perfil.usuario;
    const std::string filas = "SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = '" + nuevo + "'";
    const std::string menu = "SELECT COUNT(*) FROM TA_MENU WHERE NOMBRE = '" + nuevo + "'";
    const auto grabar = [&](int16_t alMenu) {
        confirmarNombre(nuevo);
        almacen.TextoCampo("TC") = "AS";
        almacen.Casillas.chkAlMenu = alMenu;
        almacen.Lineas.Reiniciar(4);
        almacen.Lineas[1].Cuenta = "1.1.01.001";
        almacen.Lineas[1].Debe = "100.00";
        almacen.Lineas[2].Cuenta = "4.1.01.001";
        almacen.Lineas[2].Haber = "100.00";
        almacen.ActualizarDatos();
    };
    operacion("grabación anclada al menú", [&] { grabar(1); });
    if (contar(filas) != 2 || contar(menu) != 1) r.fallas.push_back("no se grabó ni ancló");
    operacion("grabación sin anclaje", [&] { grabar(0); });
    if (contar(filas) != 2 || contar(menu) != 0) r.fallas.push_back("no se desancló");
    operacion("borrado del modelo", [&] {
        plataforma->Esperar("Realmente desea eliminar este MODELO", respuesta::kSi);
        confirmarNombre(nuevo);
        almacen.ModoBorrar = true;
        almacen.ActualizarDatos();
    });
    if (contar(filas) != 0) r.fallas.push_back("no se borró");
    operacion("lista de nombres de modelos", [&] {
        // The name field's lookup through the window's own command; the list's first name is
        // taken, which loads that template.
        editor::FrmMa_Modelo ventana(ctx);
        ctx.Consultas().MostrarVentana = [](lookup::Lib_FrmCons3& v) {
            v.ListView1->setCurrentIndex(v.ListView1->model()->index(0, 0));
            QTest::keyClick(v.ListView1, Qt::Key_Return);
        };
        ventana.FocoCampo = 0;
        ventana.Consultar();
        if (ventana.Almacen.Lineas.Superior() < 2) r.fallas.push_back("la lista no cargó nada");
    });

    operacion("reglas: cuentas", [&] {
        reglas->CuentaImputable("1.1.01.001");
        DatosCuenta datos;
        reglas->ExisteCuentas("1.1.01.001", &datos);
        Recordset rs;
        reglas->ExisteDatosAdicionales("1.1.01.010", rs);
        reglas->UltimoIDBienDeUso();
        reglas->UltimoIDNovedadBienDeUso("1");
    });
    operacion("reglas: numeración y comprobantes", [&] {
        reglas->UltimoNumeroAsiento(1, "VEN");
        reglas->UltimoNumeroAsiento(1);
        std::string suc, nro, letra = "A", numero = "00001523";
        reglas->DatosComprobante("FC", suc, nro, letra, "   1");
        reglas->DeterminaLetra("1");
        reglas->ComprobanteEntrada("AS");
        ComprobanteRegistrado salida;
        plataforma->Esperar("el nuevo numero es: ", respuesta::kSi);
        reglas->ValidaComprobante("FC", "0001", numero, "A", salida, "10/01/2025", "1.1.03.001");
        reglas->ExisteEnMVAsientos("FC", "0001", "00001523", "A", std::string("1.1.03.001"));
        reglas->ExisteEnMVAsientos2("FC", "0001", "00001523", "A", "VEN", "1", "1", "2025");
    });
    operacion("reglas: ejercicios y períodos", [&] {
        std::string desde, hasta, mensaje, ejercicio = "-1", fecha, periodo;
        int32_t nro = 0;
        reglas->EjercicioRango(desde, hasta);
        reglas->ValidaRangoFechaEjercicio("01/01/2026", "31/12/2026");
        reglas->ValidaEstadoPeriodoActual(mensaje);
        reglas->FechaHastaUltimoPeriodo();
        reglas->EjercicioAnteriorCerrado(ejercicio);
        reglas->ExistenMovFueraPeriodo(2025, "01/01/2025", "31/12/2025");
        reglas->UltimoAjuste(fecha, periodo, nro);
        reglas->ValidaFechaSubdiario("15/01/2025", "VEN");
        reglas->ValidaSubdiarioTC("VEN", "FC");
        reglas->ValidaTCRegistraciones("FC");
        reglas->AsientoResumenAnulado("VEN", "01-0000001");
    });
    operacion("generación de subdiarios", [&] {
        notice::Dll_Display cartel;
        std::string desde = "01/01/2025";
        reglas->GeneraAuxiliarSubdiarios({ctx.sesion.gUsuarioLogeado, cartel, {}}, desde,
                                         "31/12/2025", "VEN");
        if (contar("SELECT COUNT(*) FROM AUX_SUBDIARIOS") == 0) r.fallas.push_back("sin filas");
    });
    return r;
}

/// Both sessions, run once for the whole program.
const std::vector<Sesion>& Sesiones() {
    static const std::vector<Sesion> s = {Capturar(kPerfiles[0]), Capturar(kPerfiles[1])};
    return s;
}

/// Every distinct statement of both sessions with where it was first seen, and the templates
/// sheet's, which the sheet reads on a connection of its own.
std::vector<std::pair<std::string, std::string>> Distintas() {
    std::vector<std::pair<std::string, std::string>> r;
    std::set<std::string> vistas;
    for (size_t i = 0; i < std::size(kPerfiles); ++i)
        for (const auto& [operacion, sentencias] : Sesiones()[i].operaciones)
            for (const auto& s : sentencias)
                if (vistas.insert(s).second)
                    r.emplace_back(s, kPerfiles[i].usuario + (" / " + operacion));
    r.emplace_back(editor::FrmMa_Modelo::kSentenciaPlanilla, "planilla");
    return r;
}

TEST(SentenciasDelPrograma, CadaOperacionEnviaSusSentenciasSinFallar) {
    for (size_t i = 0; i < std::size(kPerfiles); ++i) {
        const Perfil& p = kPerfiles[i];
        SCOPED_TRACE(p.usuario);
        EXPECT_EQ(Sesiones()[i].fallas, std::vector<std::string>());
        ASSERT_EQ(Sesiones()[i].operaciones.size(), 13u);
        bool vistaCuentas = false, vistaDiario = false;
        for (const auto& [operacion, sentencias] : Sesiones()[i].operaciones) {
            EXPECT_FALSE(sentencias.empty()) << operacion;
            for (const auto& sql : sentencias) {
                vistaCuentas |= sql.find("SS_MA_CUENTAS") != std::string::npos;
                vistaDiario |= sql.find("SS_MV_ASIENTOS") != std::string::npos;
            }
        }
        // Only the restricted user reads the chart and the journal through their views.
        EXPECT_EQ(vistaCuentas, !p.administrador);
        EXPECT_EQ(vistaDiario, !p.administrador);
    }
    EXPECT_GT(Distintas().size(), 100u);
}

/// Loops of a statement's plan that read MA_CUENTAS or MA_MODELOS whole when they should not:
/// once per row of another loop (a scan that is not the first loop at its level, or one in a
/// correlated subquery), or without any index in a statement that filters its rows.
std::vector<std::string> LecturasEnteras(const ConexionDirecta& c, const std::string& sql) {
    std::vector<std::string> r;
    std::map<std::string, int> lazos;       // loops seen under each parent
    std::set<std::string> correlacionadas;  // ids of correlated subqueries
    bool filtra = false;
    for (const auto& t : data::Tokenizar(sql)) filtra |= data::Es(t, "WHERE");
    for (const auto& f : c.Filas("EXPLAIN QUERY PLAN " + sql)) {
        const std::string &id = f[0], &padre = f[1], &detalle = f[3];
        if (detalle.find("CORRELATED") != std::string::npos) correlacionadas.insert(id);
        const bool barrido = detalle.rfind("SCAN ", 0) == 0 && detalle != "SCAN CONSTANT ROW";
        if (!barrido && detalle.rfind("SEARCH ", 0) != 0) continue;
        const bool porFila = lazos[padre]++ > 0 || correlacionadas.count(padre) > 0;
        const bool sinIndice = detalle.find(" USING ") == std::string::npos;
        const bool grande = detalle.find("MA_CUENTAS") != std::string::npos ||
                            detalle.find("MA_MODELOS") != std::string::npos;
        if (barrido && grande && (porFila || (filtra && sinIndice))) r.push_back(detalle);
    }
    return r;
}

/// The constructions of the suite server's dialect left in a statement, outside its literals,
/// quoted names and comments: brackets, TOP, table hints, LEN(, ISNULL(, GETDATE(.
std::vector<std::string> PropioDelServidor(const std::string& sql) {
    std::vector<std::string> r;
    const auto t = data::Tokenizar(sql);
    for (size_t i = 0; i < t.size(); ++i) {
        const size_t sig = data::Siguiente(t, i);
        const bool llamada =
            sig < t.size() && data::EsSimbolo(t[sig], "(") &&
            (data::Es(t[i], "LEN") || data::Es(t[i], "ISNULL") || data::Es(t[i], "GETDATE"));
        if (llamada || t[i].tipo == data::TipoToken::Corchete || data::Es(t[i], "TOP") ||
            data::FinDePistas(t, i) != 0)
            r.push_back(t[i].texto);
    }
    return r;
}

/// Every statement, adapted by the program's own adapter, runs on a fresh demo database (the
/// writing ones inside a transaction rolled back at the end, one savepoint each; one with
/// placeholders is prepared only, the program's run gave it its values), reads the chart and
/// the templates through their indexes, and its Oracle form keeps nothing of the server's.
TEST_F(BaseDemoPrueba, CadaSentenciaCapturadaCorreUsaLosIndicesYPasaAOracle) {
    ASSERT_EQ(con().Ejecutar("BEGIN"), "");
    for (const auto& [original, origen] : Distintas()) {
        SCOPED_TRACE(origen + "\n" + original);
        const std::string sql = AdaptarSentencia(original, Dialecto::Sqlite);
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(con().get(), sql.c_str(), -1, &st, nullptr);
        const bool corre = rc == SQLITE_OK && sqlite3_bind_parameter_count(st) == 0;
        if (corre) {
            ASSERT_EQ(con().Ejecutar("SAVEPOINT una"), "");
            while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            }
            if (rc == SQLITE_DONE) rc = SQLITE_OK;
        }
        EXPECT_EQ(rc, SQLITE_OK) << sql << "\n" << sqlite3_errmsg(con().get());
        sqlite3_finalize(st);
        if (corre) {
            EXPECT_EQ(con().Ejecutar("ROLLBACK TO una; RELEASE una"), "");
        }
        EXPECT_EQ(LecturasEnteras(con(), sql), std::vector<std::string>()) << sql;
        EXPECT_EQ(PropioDelServidor(data::TraducirOracle(original)), std::vector<std::string>());
    }
    EXPECT_EQ(con().Ejecutar("ROLLBACK"), "");
}

/// The two checks see the faults they are for.
TEST_F(BaseDemoPrueba, LosControlesVenLasFallas) {
    // A join and a filter on trimmed codes compared in binary: no index fits either.
    for (const char* falla : {"SELECT MA_MODELOS.NOMBRE FROM MA_MODELOS INNER JOIN MA_CUENTAS ON "
                              "LTRIM(RTRIM(MA_MODELOS.CUENTA)) = LTRIM(RTRIM(MA_CUENTAS.CODIGO))",
                              "SELECT * FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) = '1.1.01.001'"})
        EXPECT_EQ(LecturasEnteras(con(), falla).size(), 1u) << falla;
    for (const char* servidor :
         {"SELECT TOP 1 * FROM T", "SELECT [A] FROM T", "SELECT A FROM T WITH (NOLOCK)",
          "SELECT LEN (A) FROM T", "SELECT isnull(A, 0) FROM T", "SELECT GETDATE() FROM T"})
        EXPECT_EQ(PropioDelServidor(servidor).size(), 1u) << servidor;
    EXPECT_TRUE(PropioDelServidor("SELECT 'TOP [1] LEN(' FROM T").empty());
}

}  // namespace
