#include <gtest/gtest.h>

#include "PlataformaGuionada.h"
#include "test_dbdll_comun.h"

using namespace prueba;

TEST(CadenaConexion, FormaSqlServerConLaConvencionDeIngreso) {
    DB_Dll db;
    db.gServidor = "SRV01\\INST";
    db.gDBName = db.gUsuario = db.gUserPassWord = "EMP";
    db.gProveedor = "OraOLEDB.Oracle.1";  // not used by this form
    EXPECT_EQ(db.ArmarCadenaConexion(),
              "PROVIDER=SQLOLEDB;Server=SRV01\\INST;Database =EMP;UId=EMP;Pwd=EMP;");
    EXPECT_EQ(db.gConnString,
              "PROVIDER=SQLOLEDB;Server=SRV01\\INST;Database =EMP;UId=EMP;Pwd=EMP;");
    db.gExtended = "Packet Size=4096";
    EXPECT_EQ(
        db.ArmarCadenaConexion(),
        "PROVIDER=SQLOLEDB;Server=SRV01\\INST;Database =EMP;UId=EMP;Pwd=EMP;Packet Size=4096");
}

TEST(CadenaConexion, NumeralEnElServidorDaLaFormaOracle) {
    DB_Dll db;
    db.gServidor = "ORA#";
    db.gDBName = "XE";
    db.gUsuario = "u";
    db.gUserPassWord = "p";
    db.gExtended = "X=1;";
    EXPECT_EQ(db.ArmarCadenaConexion(),
              "Provider=OraOLEDB.Oracle.1;Data Source=XE;User Id=u;Password=p;");
}

TEST(PedirDatosConexion, PrellenaYAplicaLaConvencionYLaPlataforma) {
    DB_Dll db;
    db.gDBName = "EMP";
    db.gServidor = "SRV";
    db.gUsuarioClave = "secreto";
    const std::string usuario = "PEPE";
    db.VincularUsuarioSesion(usuario);
    DatosAcceso recibido;
    db.DialogoAcceso = [&](const DatosAcceso& d) {
        recibido = d;
        DatosAcceso r = d;
        r.Base = "OTRA";
        r.Servidor = "ORA";
        r.Usuario = "ignorado";
        r.Plataforma = 1;
        r.Aceptado = true;
        return r;
    };
    db.PedirDatosConexion();
    EXPECT_EQ(recibido.Base, "EMP");
    EXPECT_EQ(recibido.Servidor, "SRV");
    EXPECT_EQ(recibido.Usuario, "PEPE");
    EXPECT_EQ(recibido.Clave, "secreto");
    EXPECT_EQ(recibido.Plataforma, 0);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gDBName, "OTRA");
    EXPECT_EQ(db.gUsuario, "OTRA");
    EXPECT_EQ(db.gUserPassWord, "OTRA");
    EXPECT_EQ(db.gServidor, "ORA#");
    EXPECT_EQ(db.gProveedor, "OraOLEDB.Oracle.1");
    db.gServidor = "ORA#";
    db.DialogoAcceso = [](const DatosAcceso& d) {
        DatosAcceso r = d;
        r.Plataforma = 1;
        r.Aceptado = true;
        return r;
    };
    db.PedirDatosConexion();
    EXPECT_EQ(db.gServidor, "ORA#");  // a server already marked is not marked twice
    db.DialogoAcceso = [](const DatosAcceso& d) {
        DatosAcceso r = d;
        r.Aceptado = true;
        return r;
    };
    db.PedirDatosConexion();
    EXPECT_EQ(db.gProveedor, "SQLOLEDB");
}

TEST(PedirDatosConexion, SinDialogoOCanceladoDejaLaBanderaBaja) {
    DB_Dll db;
    db.gOpenFlag = true;
    db.PedirDatosConexion();
    EXPECT_FALSE(db.gOpenFlag);
    db.gOpenFlag = true;
    db.DialogoAcceso = [](const DatosAcceso& d) { return d; };  // Aceptado false
    db.PedirDatosConexion();
    EXPECT_FALSE(db.gOpenFlag);
}

class AbrirServidor : public ::testing::Test {
  protected:
    ConPlataformaGuionada p;
    CarpetaTemporal carpeta;
    DB_Dll db;
};

TEST_F(AbrirServidor, AbreLaBaseEmbebidaYSinValidarEsAdministrador) {
    Preparar(db, carpeta, "EMP");
    db.OpenServerADODB(false, 3, "", false, true);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
    EXPECT_EQ(db.gCnn.CursorLocation, 3);
    EXPECT_EQ(db.gProveedor, "SQLOLEDB");
    EXPECT_TRUE(db.gEsAdmin);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(AbrirServidor, CadenaDadaSeUsaTalCual) {
    Preparar(db, carpeta, "NOEXISTE");
    const std::string cadena =
        "PROVIDER=SQLOLEDB;Server=sqlite:" + carpeta.Ruta() + ";Database =EMP;UId=EMP;Pwd=EMP;";
    db.OpenServerADODB(false, 2, cadena, false, true);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gConnString, cadena);
}

TEST_F(AbrirServidor, FallaMuestraLaPreguntaArmadaDelPrimerErrorYNoDejaBandera) {
    Preparar(db, carpeta, "NOEXISTE");
    p->rutaEjecutable = "/opt/asientos/asientos-modelo";
    p->respuestas.push_back(respuesta::kNo);
    bool dialogoAcceso = false;
    db.DialogoAcceso = [&](const DatosAcceso& d) {
        dialogoAcceso = true;
        return d;
    };
    db.OpenServerADODB(false, 2, "", false, true);
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_FALSE(dialogoAcceso);
    ASSERT_EQ(p->dialogos.size(), 1u);
    ASSERT_EQ(db.gCnn.Errors().Count(), 1);
    const ErrorAdo& e = db.gCnn.Errors().Item(0);
    EXPECT_EQ(e.Nativo, 11);  // a database that cannot be reached is a lost link
    const std::string esperado =
        " Estado de Sql: " + e.EstadoSql +
        "\rNumero de Error: -2147467259\rDescripcion: " + e.Descripcion +
        "\rCodigo Nativo: 11\r\r\nNombre de Proceso: asientos-modelo\r\r\n\r\n"
        "1. Verifique el Usuario, contraseña y base de datos\r\n"
        "2. Verifique el nombre del servidor, quizas necesite agregarle el nombre de la instancia, "
        "por ejemplo : sqlite:" +
        carpeta.Ruta() +
        "\\OMNISRV\r\n3. Verifique si el inicio de sesion para el usuario NOEXISTE existe"
        "\r\n\r\n\r\n - Desea Intentarlo Nuevamente??? ";
    EXPECT_EQ(p->dialogos[0].texto, esperado);
    EXPECT_EQ(p->dialogos[0].estilo, 20);
    EXPECT_EQ(p->dialogos[0].titulo, " Error de Conexion a Base de Datos");
}

TEST_F(AbrirServidor, SiVuelveAlDialogoYReintentaConLosDatosNuevos) {
    Preparar(db, carpeta, "NOEXISTE");
    p->Esperar("Desea Intentarlo Nuevamente", respuesta::kSi);
    std::vector<DatosAcceso> vistos;
    db.DialogoAcceso = [&](const DatosAcceso& d) {
        vistos.push_back(d);
        DatosAcceso r = d;
        r.Base = "EMP";
        r.Aceptado = true;
        return r;
    };
    db.OpenServerADODB(false, 2, "", false, true);
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].Base, "NOEXISTE");
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
    EXPECT_EQ(db.gUsuario, "EMP");
    EXPECT_EQ(db.gCnn.Errors().Count(), 0);
}

TEST_F(AbrirServidor, SiYDialogoCanceladoTermineSinAbrir) {
    Preparar(db, carpeta, "NOEXISTE");
    p->Esperar("Desea Intentarlo Nuevamente", respuesta::kSi);
    db.OpenServerADODB(false, 2, "", false, true);  // no dialog installed: cancelled
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kCerrado);
    EXPECT_EQ(p->dialogos.size(), 1u);
}

TEST_F(AbrirServidor, SilenciosoNoMuestraNada) {
    Preparar(db, carpeta, "NOEXISTE");
    db.OpenServerADODB(false, 2, "", false, false);
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(AbrirServidor, PideParametrosAntesDeAbrirYCancelarNoAbre) {
    Preparar(db, carpeta, "EMP");
    db.OpenServerADODB(true, 2, "", false, true);
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kCerrado);
}

TEST_F(AbrirServidor, ConexionYaAbiertaSeCierraYReintentaUnaVez) {
    Preparar(db, carpeta, "EMP");
    db.OpenServerADODB(false, 2, "", false, false);
    ASSERT_TRUE(db.gOpenFlag);
    db.OpenServerADODB(false, 2, "", false, false);  // 3705 once: closed and opened again
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
    db.OpenServerADODB(false, 2, "", false, true);  // the same with an empty error collection
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(AbrirServidor, SegundoObjetoAbiertoSeTrataComoCualquierError) {
    Preparar(db, carpeta, "EMP");
    int intentos = 0;
    db.AbrirConexion = [&](Conexion&, const std::string&, const std::string&, const std::string&) {
        ++intentos;
        throw ErrorEjecucion(errnum::kObjetoAbierto, "El objeto está abierto.");
    };
    p->respuestas = {respuesta::kOk};
    db.OpenServerADODB(false, 2, "", false, true);
    EXPECT_EQ(intentos, 2);
    EXPECT_FALSE(db.gOpenFlag);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].texto, "El objeto está abierto.");
    EXPECT_EQ(p->dialogos[0].estilo, 0);
}

TEST_F(AbrirServidor, PruebaDeAdministradorLeeTaUsuarios) {
    Preparar(db, carpeta, "EMP");
    const std::string admin = "ADMIN";
    db.VincularUsuarioSesion(admin);
    db.OpenServerADODB(false, 2, "", true, true);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_TRUE(db.gEsAdmin);
    for (const std::string usuario : {"PEPE", "VACIO", "NADIE"}) {
        DB_Dll otro;
        Preparar(otro, carpeta, "EMP");
        otro.gEsAdmin = true;
        otro.VincularUsuarioSesion(usuario);
        otro.OpenServerADODB(false, 2, "", true, true);
        EXPECT_FALSE(otro.gEsAdmin) << usuario;
    }
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(AbrirServidor, PruebaDeAdministradorSilenciosaOSinTabla) {
    Preparar(db, carpeta, "EMP");
    const std::string usuario = "PEPE";
    db.VincularUsuarioSesion(usuario);
    std::vector<std::string> vistas;
    db.gCnn.Observador = [&](const std::string& s) { vistas.push_back(s); };
    db.OpenServerADODB(false, 2, "", true, false);
    EXPECT_TRUE(db.gEsAdmin);  // the table exists: administrator without reading it
    for (const auto& s : vistas) EXPECT_EQ(s.find("ta_usuarios"), std::string::npos) << s;

    DB_Dll sinTabla;
    Preparar(sinTabla, carpeta, "SINUSU");
    sinTabla.OpenServerADODB(false, 2, "", true, true);
    EXPECT_TRUE(sinTabla.gOpenFlag);
    EXPECT_FALSE(sinTabla.gEsAdmin);
}

class Reconectar : public AbrirServidor {};

TEST_F(Reconectar, ReabreConLaMismaCadena) {
    Preparar(db, carpeta, "EMP");
    db.OpenServerADODB(false, 2, "", false, true);
    db.ReintentaConectar();
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn.CommandTimeout, 90);
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
    db.gCnn.Close();  // closing a closed connection inside goes on with the next step
    db.ReintentaConectar();
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Reconectar, FallaNoEspecificadaVuelveSinPreguntar) {
    Guion guion;
    InstalarMotorFallon(db, carpeta.Base("EMP"), guion);
    Preparar(db, carpeta, "EMP");
    db.OpenServerADODB(false, 2, "", false, true);
    ASSERT_TRUE(db.gOpenFlag);
    guion.aperturasFallidas = 1;
    db.ReintentaConectar();
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Reconectar, OtraFallaPreguntaEIgnorarNoLaDaPorAbierta) {
    Preparar(db, carpeta, "EMP");
    db.gLogErr = carpeta.Ruta() + "/errores.log";
    db.OpenServerADODB(false, 2, "", false, true);
    db.AbrirConexion = [](Conexion&, const std::string&, const std::string&, const std::string&) {
        throw ErrorEjecucion(errnum::kConexionInvalida, "Conexion no valida", "ADODB.Connection");
    };
    p->respuestas.push_back(respuesta::kIgnorar);
    db.ReintentaConectar();
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].titulo, "ADODB.Connection - AbrirRecordset Aviso al operador!!! - 5 ");
    EXPECT_FALSE(db.gOpenFlag);  // the open was skipped, not done
}

class AbrirLocal : public AbrirServidor {};

TEST_F(AbrirLocal, ArmaLaCadenaJetYAbreElArchivo) {
    db.gProveedor = DB_Dll::pJETOLEDB40;
    db.gDBName = carpeta.Base("EMP");
    db.gUsuario = "admin";
    db.OpenLocalADODB();
    EXPECT_EQ(db.gConnString, "PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =" +
                                  carpeta.Base("EMP") + ";User ID=admin;Password=;");
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
    EXPECT_FALSE(db.gOpenFlag);  // not touched by this operation
}

TEST_F(AbrirLocal, SinArchivoLoBuscaYCancelarNoAbre) {
    db.gProveedor = DB_Dll::pJETOLEDB40;
    p->archivos = {std::nullopt};  // the chooser is cancelled
    db.OpenLocalADODB();
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kCerrado);
    EXPECT_TRUE(db.CmdDlg.Cancelado());
    EXPECT_EQ(db.CmdDlg.Titulo, "Buscar Base de Datos");
    EXPECT_EQ(db.CmdDlg.Filtro, "Base de Datos de Microsoft Access |*.MDB");
    EXPECT_TRUE(p->dialogos.empty());
    p->archivos.push_back(carpeta.Base("EMP"));
    db.OpenLocalADODB();
    EXPECT_EQ(db.gDBName, carpeta.Base("EMP"));
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
}

namespace {
/// An opening that fails with a local-engine error code as SQL state.
void FallarConEstado(Conexion& cn, const std::string& estado) {
    cn.Errors().Clear();
    ErrorAdo e;
    e.EstadoSql = estado;
    e.Numero = errnum::kEFail;
    e.Descripcion = "Fallo " + estado;
    cn.Errors().Agregar(e);
    throw ErrorEjecucion(errnum::kEFail, "Fallo " + estado);
}
}  // namespace

TEST_F(AbrirLocal, ClaveIncorrectaSePideATotalDeTresIntentos) {
    db.gDBName = carpeta.Base("EMP");
    std::vector<std::string> cadenas;
    db.AbrirConexion = [&](Conexion& cn, const std::string& cadena, const std::string&,
                           const std::string&) {
        cadenas.push_back(cadena);
        FallarConEstado(cn, "3031");
    };
    p->entradas = {"uno", "dos", "tres"};  // a fourth is never asked for
    p->respuestas = {respuesta::kOk};
    db.OpenLocalADODB();
    ASSERT_EQ(cadenas.size(), 4u);  // the first attempt and three with a password
    EXPECT_EQ(p->preguntas.size(), 3u);
    EXPECT_EQ(p->preguntas[0].texto, "ingrese el password:");
    EXPECT_EQ(p->preguntas[0].titulo, "Password Access");
    EXPECT_NE(cadenas[3].find("Jet OLEDB:Database Password=tres;"), std::string::npos);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].estilo, 16);
    EXPECT_EQ(p->dialogos[0].texto, "-2147467259  Fallo 3031");
}

TEST_F(AbrirLocal, ClaveGuardadaCuandoSeIgnoraLaPregunta) {
    db.gProveedor = DB_Dll::pJETOLEDB40;
    db.gDBName = carpeta.Base("EMP");
    db.gIgnoraPassWord = std::nullopt;
    db.gUserPassWord = "guardada";
    std::vector<std::string> cadenas;
    db.AbrirConexion = [&](Conexion& cn, const std::string& cadena, const std::string&,
                           const std::string&) {
        cadenas.push_back(cadena);
        if (cadenas.size() == 1) FallarConEstado(cn, "3031");
        cn.Open(cadena);
    };
    db.OpenLocalADODB();
    EXPECT_TRUE(p->preguntas.empty());
    ASSERT_EQ(cadenas.size(), 2u);
    EXPECT_NE(cadenas[1].find("Password=guardada;Jet OLEDB:Database Password=guardada;"),
              std::string::npos);
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
}

TEST_F(AbrirLocal, ArchivoNoEncontradoVuelveABuscar) {
    db.gProveedor = DB_Dll::pJETOLEDB40;
    db.gDBName = carpeta.Ruta() + "/falta.sqlite";
    int intentos = 0;
    db.AbrirConexion = [&](Conexion& cn, const std::string& cadena, const std::string&,
                           const std::string&) {
        if (++intentos == 1) FallarConEstado(cn, "3024");
        cn.Open(cadena);
    };
    p->archivos.push_back(carpeta.Base("EMP"));
    db.OpenLocalADODB();
    EXPECT_EQ(intentos, 2);
    EXPECT_EQ(db.gDBName, carpeta.Base("EMP"));
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
}
