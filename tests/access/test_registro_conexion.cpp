#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "AccesoDirecto.h"
#include "DB_Dll.h"
#include "EntornoAcceso.h"
#include "LogicaAcceso.h"
#include "Utilidades.h"
#include "VariableEntorno.h"

using namespace helperlib;
using namespace data;
using namespace acceso;

using namespace prueba;

namespace {

const char* kNoConecta = "NO SE PUDO CONECTAR AL SERVIDOR ";

CajasAcceso Cajas(const std::string& base, const std::string& servidor,
                  const std::string& puerto = "1433") {
    CajasAcceso c;
    c.TxtDbName = base;
    c.TxtServidor = servidor;
    c.TxtPuerto = puerto;
    return c;
}

int MensajesCon(const PlataformaGuionada& p, const std::string& parte) {
    int n = 0;
    for (const auto& d : p.dialogos) n += d.texto.find(parte) != std::string::npos;
    return n;
}

}  // namespace

TEST(NombreConexion, BaseYServidorEnMayusculasSinPuerto) {
    EXPECT_EQ(NombreConexion(" empresa ", " srv1:1500 "), "EMPRESA / SRV1");
    EXPECT_EQ(NombreConexion("empresa", "srv1\\inst"), "EMPRESA / SRV1\\INST");
    // The embedded engine's folder is no host with a port: it stays whole.
    EXPECT_EQ(NombreConexion("demo", "sqlite:/tmp/x"), "DEMO / SQLITE:/TMP/X");
}

TEST(AsignarDatosBase, ElServidorEmbebidoNoTienePuerto) {
    EntornoAcceso e;
    EscribirArchivo(e.Bases(),
                    "OTRA / SRV2,otra,l,c,srv2\r\nLOCAL / X,demo,demo,c,sqlite:/Datos/Bases\r\n");
    DB_Dll& db = e.db;
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas("x", "y", "1433");
    l.AsignarDatosBase(" OTRA / SRV2 ", cajas);  // no port shown yet: the port box is emptied
    EXPECT_EQ(cajas.TxtPuerto, "");
    l.AsignarDatosBase("LOCAL / X", cajas);
    EXPECT_EQ(cajas.TxtServidor, "sqlite:/Datos/Bases");  // folder kept whole, case kept
    EXPECT_EQ(cajas.TxtDbName, "demo");
    EXPECT_EQ(l.ClaveValor, "c");  // read, not shown
    EXPECT_EQ(cajas.TxtPuerto, "");
}

TEST(CmdRegistrar, NombreYaRegistradoNoEscribeNada) {
    EntornoAcceso e;
    e.CrearBase("EMP");
    DB_Dll& db = e.db;
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas("emp", e.Servidor());
    const std::string linea =
        NombreConexion("emp", e.Servidor()) + ",emp,emp,x," + e.Servidor() + "\r\n";
    EscribirArchivo(e.Bases(), linea);

    e.plataforma->respuestas = {respuesta::kOk};
    EXPECT_EQ(l.CmdRegistrar(cajas), Registro::YaExiste);
    ASSERT_EQ(e.plataforma->dialogos.size(), 1u);
    EXPECT_EQ(e.plataforma->dialogos[0].texto, "La conexion que intenta registrar ya existe ");
    EXPECT_EQ(e.plataforma->dialogos[0].titulo, "Atencion");
    EXPECT_EQ(e.plataforma->dialogos[0].estilo, 64);
    EXPECT_EQ(LeerArchivo(e.Bases()), linea);
}

TEST(CmdRegistrar, SondaCorrectaAgregaUnaLineaSinTocarLaConexionDelPrograma) {
    EntornoAcceso e;
    e.CrearBase("EMP");
    e.CrearBase("PROG");
    DB_Dll& db = e.db;
    db.gServidor = e.Servidor();
    db.gDBName = db.gUsuario = db.gUserPassWord = "PROG";
    db.OpenServerADODB(false, 3, "", false, true);
    ASSERT_TRUE(db.gOpenFlag);
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas("  emp ", "  " + e.Servidor() + " ", "");
    cajas.TxtUserId = " pepe ";

    EXPECT_EQ(l.CmdRegistrar(cajas), Registro::Registrada);
    EXPECT_TRUE(e.plataforma->dialogos.empty());
    EXPECT_EQ(cajas.TxtDbName, "emp");  // the boxes come back trimmed
    EXPECT_EQ(cajas.TxtUserId, "pepe");
    EXPECT_EQ(cajas.TxtServidor, e.Servidor());
    EXPECT_EQ(l.Puerto, "1433");
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);  // the program's own stays open
    EXPECT_EQ(db.gDBName, "PROG");
    EXPECT_TRUE(e.plataforma->procesos.empty());  // no companion program in the folder

    const auto lista = ArchivoBases(e.Bases()).Leer();
    ASSERT_EQ(lista.size(), 1u);
    EXPECT_EQ(lista[0].Nombre, NombreConexion("emp", e.Servidor()));
    EXPECT_EQ(lista[0].Base, "emp");
    EXPECT_EQ(lista[0].Usuario, "emp");
    EXPECT_EQ(lista[0].Clave, "emp");
    EXPECT_EQ(lista[0].Servidor, e.Servidor());
    const std::string texto = LeerArchivo(e.Bases());
    EXPECT_NE(texto.find("," + CodificarClave("emp") + ","), std::string::npos);
    EXPECT_EQ(texto.substr(texto.size() - 2), "\r\n");
}

TEST(CmdRegistrar, SinSondaNiCredencialesAvisaYNoEscribe) {
    EntornoAcceso e;
    DB_Dll& db = e.db;
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas(" NOESTA ", " " + e.Servidor() + "  ");
    e.plataforma->respuestas.push_back(respuesta::kOk);

    EXPECT_EQ(l.CmdRegistrar(cajas), Registro::SinConexion);
    ASSERT_EQ(e.plataforma->dialogos.size(), 1u);
    EXPECT_EQ(e.plataforma->dialogos[0].texto,
              kNoConecta + e.Servidor() + " VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO");
    EXPECT_EQ(e.plataforma->dialogos[0].titulo, "AVISO AL OPERADOR");
    EXPECT_EQ(e.plataforma->dialogos[0].estilo, 64);
    EXPECT_FALSE(std::filesystem::exists(e.Bases()));
    EXPECT_FALSE(db.gOpenFlag);
}

TEST(CmdRegistrar, SondaFallidaPeroCredencialesEscritasConectan) {
    EntornoAcceso e;
    e.CrearBase("minus");  // the probe asks for MINUS.sqlite, the typed name finds minus
    DB_Dll& db = e.db;
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas("minus", e.Servidor(), "0");
    cajas.TxtUserId = "u";
    cajas.TxtUserPassword = "p";

    EXPECT_EQ(l.CmdRegistrar(cajas), Registro::Registrada);
    EXPECT_EQ(MensajesCon(*e.plataforma, kNoConecta), 0);
    EXPECT_EQ(db.gDBName, "");  // the program's data access object is left alone
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_EQ(l.Puerto, "1433");
    ASSERT_EQ(ArchivoBases(e.Bases()).Leer().size(), 1u);
}

TEST(CmdRegistrar, ProgramaCompaneroYPuertoDeLaCaja) {
    EntornoAcceso e;
    e.CrearBase("EMP");
    EscribirArchivo(e.Carpeta() + "/ODBC.exe", "");
    DB_Dll& db = e.db;
    db.gDBName = "ANTERIOR";
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas("EMP", e.Servidor(), " 1500 ");

    EXPECT_EQ(l.CmdRegistrar(cajas), Registro::Registrada);
    EXPECT_EQ(l.Puerto, "1500");
    ASSERT_EQ(e.plataforma->procesos.size(), 1u);
    EXPECT_EQ(e.plataforma->procesos[0],
              e.Carpeta() + "/ODBC.exe Server=" + e.Servidor() + ";DB=ANTERIOR;");
}

// The user's data folder for the program's files, for one test.
class DatosDelUsuario : public VariableEntorno {
  public:
    explicit DatosDelUsuario(const std::string& carpeta)
        : VariableEntorno("XDG_DATA_HOME", carpeta) {}
};

// A program installed on the system never writes beside itself, even when run by root.
constexpr const char* kProgramaInstalado = "/usr/lib/asientos-modelo-prueba/asientos-modelo";

TEST(CmdRegistrar, InstaladoRegistraEnLaListaDelUsuarioYLaOfrece) {
    EntornoAcceso e;
    e.CrearBase("EMP");
    const DatosDelUsuario datos(e.Carpeta() + "/datos");
    e.plataforma->rutaEjecutable = kProgramaInstalado;
    DB_Dll& db = e.db;
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas("EMP", e.Servidor());

    EXPECT_EQ(l.CmdRegistrar(cajas), Registro::Registrada);
    const std::string lista = e.Carpeta() + "/datos/asientos-modelo/BASES.TXT";
    EXPECT_EQ(l.RutaArchivo(), lista);
    ASSERT_EQ(ArchivoBases(lista).Leer().size(), 1u);
    EXPECT_EQ(l.llenarlist(), std::vector<std::string>{NombreConexion("EMP", e.Servidor())});
    EXPECT_FALSE(std::filesystem::exists("/usr/lib/asientos-modelo-prueba"));
}

TEST(CmdRegistrar, ArchivoNoEscribibleSeInformaYNoSePierdeEnSilencio) {
    EntornoAcceso e;
    e.CrearBase("EMP");
    // Neither the installed program's folder nor a user folder under /proc can take the list.
    const DatosDelUsuario datos("/proc/sin-datos");
    e.plataforma->rutaEjecutable = kProgramaInstalado;
    DB_Dll& db = e.db;
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas("EMP", e.Servidor());

    e.plataforma->respuestas = {respuesta::kOk};
    EXPECT_EQ(l.CmdRegistrar(cajas), Registro::Fallida);
    ASSERT_EQ(e.plataforma->dialogos.size(), 1u);
    EXPECT_NE(e.plataforma->dialogos[0].texto.find("No se pudo registrar la conexion"),
              std::string::npos);
    EXPECT_NE(e.plataforma->dialogos[0].texto.find("/proc/sin-datos/asientos-modelo/"),
              std::string::npos);
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kCerrado);
}

TEST(RegistrarBases, SoloCuandoNoHayListaTodavia) {
    EntornoAcceso e;
    e.CrearBase("EMP");
    DB_Dll& db = e.db;
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    CajasAcceso cajas = Cajas("EMP", e.Servidor());
    EXPECT_EQ(l.RegistrarBases(cajas), Registro::Registrada);
    ASSERT_EQ(ArchivoBases(e.Bases()).Leer().size(), 1u);
    CajasAcceso otra = Cajas("OTRA", e.Servidor());
    EXPECT_FALSE(l.RegistrarBases(otra).has_value());
    EXPECT_EQ(ArchivoBases(e.Bases()).Leer().size(), 1u);
}

TEST(Conectar, ElUsuarioEscritoPasaASerElDeLaSesion) {
    EntornoAcceso e;
    EscribirArchivo(e.Bases(), "X / Y,x,x,x,y\r\n");  // a list exists: nothing registered
    DB_Dll& db = e.db;
    LogicaAcceso l(db, e.sesion.gUsuarioLogeado);
    e.sesion.gUsuarioLogeado = "ORIGINAL";
    CajasAcceso cajas = Cajas("x", "y");
    cajas.TxtUserId = "Ingrese el usuario";  // the prompt is no user
    EXPECT_FALSE(l.Conectar(cajas));
    EXPECT_EQ(e.sesion.gUsuarioLogeado, "ORIGINAL");
    cajas.TxtUserId = "";
    l.Conectar(cajas);
    EXPECT_EQ(e.sesion.gUsuarioLogeado, "ORIGINAL");
    cajas.TxtUserId = "PEPE";
    l.Conectar(cajas);
    EXPECT_EQ(e.sesion.gUsuarioLogeado, "PEPE");
    EXPECT_EQ(db.UsuarioSesion(), "PEPE");
    EXPECT_EQ(l.BaseValor, "x");  // the typed name was looked up
}

TEST(EjecutarCmdRegDB, EsperaElFinYAvisaSiNoArranca) {
    EntornoAcceso e;
    const std::string marca = e.Carpeta() + "/hecho";
    std::string err;
    EXPECT_TRUE(EjecutarCmdRegDB("sleep 0.2; touch '" + marca + "'", err));
    EXPECT_TRUE(std::filesystem::exists(marca));  // it waited for the end
    EXPECT_GT(e.plataforma->eventosProcesados, 0);
    EXPECT_EQ(err, "");
    EXPECT_FALSE(EjecutarCmdRegDB(e.Carpeta() + "/no-existe-este-programa", err));
    EXPECT_EQ(err, "Error al ejecutar el comando");
}

TEST(AccesoDirecto, EntradaDeEscritorioReemplazadaOInformada) {
    EntornoAcceso e;
    const std::string escritorio = e.Carpeta() + "/Escritorio";
    std::optional<VariableEntorno> carpetaEscritorio;
    carpetaEscritorio.emplace("XDG_DESKTOP_DIR", escritorio);
    const std::string ruta = CrearAccesoDirecto();
    EXPECT_EQ(ruta, escritorio + "/asientos-modelo.desktop");
    const std::string texto = LeerArchivo(ruta);
    EXPECT_NE(texto.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(texto.find("Exec=\"" + e.Carpeta() + "/asientos-modelo\"\n"), std::string::npos);
    EXPECT_NE(texto.find("Icon=" + e.Carpeta() + "/asientos-modelo\n"), std::string::npos);
    EscribirArchivo(ruta, "viejo");
    CrearAccesoDirecto();
    EXPECT_EQ(LeerArchivo(ruta), texto);  // overwritten
    EXPECT_NE(ContenidoAccesoDirecto("p", "/a b/$x%\"").find("Exec=\"/a b/\\\\$x%%\\\\\"\"\n"),
              std::string::npos);

    // A desktop "folder" that is a file cannot receive the entry.
    EscribirArchivo(e.Carpeta() + "/archivo", "x");
    carpetaEscritorio.reset();
    const VariableEntorno archivo("XDG_DESKTOP_DIR", e.Carpeta() + "/archivo");
    EXPECT_THROW(CrearAccesoDirecto(), ErrorEjecucion);
}
