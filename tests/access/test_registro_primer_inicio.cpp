// A user's first start without launch parameters: the demo database in the user's data folder,
// registered in the connection list.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <stdexcept>

#include "ArchivoBases.h"
#include "BaseDemo.h"
#include "EntornoAcceso.h"
#include "LogicaAcceso.h"
#include "PrimerInicio.h"
#include "SemanticaSqlite.h"
#include "UbicacionArchivos.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;
using namespace acceso;
using namespace prueba;
namespace fs = std::filesystem;

namespace {

int PlantillasEn(const std::string& archivo) {
    sqlite3* db = nullptr;
    int n = -1;
    if (sqlite3_open_v2(archivo.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        RegistrarSemanticaSuite(db) == SQLITE_OK)
        sqlite3_exec(
            db, "SELECT COUNT(*) FROM MA_MODELOS",
            [](void* p, int, char** v, char**) {
                *static_cast<int*>(p) = std::stoi(v[0]);
                return 0;
            },
            &n, nullptr);
    sqlite3_close(db);
    return n;
}

TEST(PrimerInicio, CreaYRegistraLaBaseDemoUnaSolaVez) {
    enum class Previo { Nada, BaseDelUsuario, ConexionRegistrada };
    struct Caso {
        const char* nombre;
        bool escribeEnPrograma;
        bool listaDelPrograma;  // the program's folder ships a connection list
        Previo previo;
        bool prepara;
    };
    const Caso casos[] = {
        {"instalado, primera vez, con la lista que trae el programa", false, true, Previo::Nada,
         true},
        {"instalado, primera vez, sin lista", false, false, Previo::Nada, true},
        {"carpeta del programa escribible", true, true, Previo::Nada, true},
        {"el usuario ya tiene la base", false, true, Previo::BaseDelUsuario, false},
        {"la conexión ya está registrada", false, false, Previo::ConexionRegistrada, false},
    };
    const std::string compartida = "OTRA / SRV,OTRA,OTRA,,SRV\r\n";
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        EntornoAcceso e;
        const std::string usuario = e.Carpeta() + "/usuario/";
        const helperlib::UbicacionArchivos u(e.Carpeta(), usuario, c.escribeEnPrograma);
        const std::string servidor = "sqlite:" + e.Carpeta() + "/usuario";
        const std::string nombre = NombreConexion("DEMO", servidor);
        EXPECT_EQ(acceso::ServidorDemostracion(u), servidor);
        if (c.listaDelPrograma) EscribirArchivo(e.Bases(), compartida);
        fs::create_directories(usuario);
        if (c.previo == Previo::BaseDelUsuario) EscribirArchivo(usuario + "DEMO.sqlite", "");
        if (c.previo == Previo::ConexionRegistrada)
            ArchivoBases(usuario + "BASES.TXT").Agregar(nombre, "DEMO", "DEMO", "DEMO", servidor);
        const std::string listaAntes = LeerArchivo(u.ParaLeer("BASES.TXT"));

        const auto r = acceso::PrepararPrimerInicio(u, CarpetaScriptsDb());
        if (!c.prepara) {
            EXPECT_FALSE(r.has_value());
            EXPECT_EQ(LeerArchivo(u.ParaLeer("BASES.TXT")), listaAntes);
            continue;
        }
        ASSERT_EQ(r, nombre);
        EXPECT_GT(PlantillasEn(usuario + "DEMO.sqlite"), 0);
        const ArchivoBases lista(u.ParaLeer("BASES.TXT"));
        EXPECT_EQ(lista.Ruta(), (c.escribeEnPrograma ? e.Carpeta() + "/" : usuario) + "BASES.TXT");
        const auto conexion = lista.Buscar(nombre);
        ASSERT_TRUE(conexion.has_value());
        EXPECT_EQ(conexion->Base, "DEMO");
        EXPECT_EQ(conexion->Clave, "DEMO");
        EXPECT_EQ(conexion->Servidor, servidor);
        // The list the program ships stays as it was and its connections are still offered.
        if (c.listaDelPrograma) {
            EXPECT_TRUE(lista.Buscar("OTRA / SRV").has_value());
            if (!c.escribeEnPrograma) {
                EXPECT_EQ(LeerArchivo(e.Bases()), compartida);
            }
        }
        // A second start is no first start.
        EXPECT_FALSE(acceso::PrepararPrimerInicio(u, CarpetaScriptsDb()).has_value());
        EXPECT_EQ(lista.Leer().size(), c.listaDelPrograma ? 2u : 1u);
    }
}

TEST(PrimerInicio, UnaFallaSeInformaSinDejarUnaBaseSinRegistrar) {
    EntornoAcceso e;
    const std::string usuario = e.Carpeta() + "/usuario/";
    // No scripts next to the program: nothing is made.
    const helperlib::UbicacionArchivos u(e.Carpeta(), usuario, false);
    EXPECT_THROW(acceso::PrepararPrimerInicio(u, std::nullopt), std::runtime_error);
    EXPECT_FALSE(fs::exists(usuario + "DEMO.sqlite"));
    // The list cannot be written (its folder is a file): the database made is removed again,
    // so the next start tries again.
    EscribirArchivo(e.Carpeta() + "/no-es-carpeta", "");
    const helperlib::UbicacionArchivos sinLista(e.Carpeta() + "/no-es-carpeta/sub", usuario, true);
    EXPECT_THROW(acceso::PrepararPrimerInicio(sinLista, CarpetaScriptsDb()), ErrorEjecucion);
    EXPECT_FALSE(fs::exists(usuario + "DEMO.sqlite"));
}

}  // namespace
