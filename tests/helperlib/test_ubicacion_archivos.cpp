// Where the program's files are read and written: its own folder when it may write there, the
// user's data folder otherwise.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "ErrorEjecucion.h"
#include "UbicacionArchivos.h"
#include "VariableEntorno.h"

using namespace helperlib;

namespace fs = std::filesystem;

namespace {

class Temporal {
  public:
    Temporal() {
        raiz_ = fs::temp_directory_path() /
                ("ubicacion_" + std::to_string(::getpid()) + "_" + std::to_string(++cuenta_));
        fs::remove_all(raiz_);
        fs::create_directories(raiz_);
    }
    ~Temporal() {
        std::error_code ec;
        fs::remove_all(raiz_, ec);
    }
    std::string operator/(const std::string& rel) const { return (raiz_ / rel).string(); }

  private:
    static inline int cuenta_ = 0;
    fs::path raiz_;
};

void Escribir(const std::string& ruta, const std::string& texto) {
    fs::create_directories(fs::path(ruta).parent_path());
    std::ofstream(ruta, std::ios::binary) << texto;
}

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

TEST(UbicacionArchivos, SoloSeEscribeEnUnaCarpetaPropiaQueNoEsDeLaInstalacion) {
    const Temporal t;
    fs::create_directories(t / "prog");
    struct Caso {
        std::string carpeta;
        bool esperado;
    };
    const Caso casos[] = {
        {t / "prog", true},
        {t / "prog/", true},
        {t / "no-existe", false},
        {"", false},
        // Owned by the system even when this process (root) could write there.
        {"/usr/lib", false},
        {"/usr", false},
        {"/opt", false},
        {"/usr/../" + (t / "prog").substr(1), true},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(helperlib::SePuedeEscribirEnCarpeta(c.carpeta), c.esperado) << c.carpeta;
}

TEST(UbicacionArchivos, LeeLaCopiaDelUsuarioYEscribeSinPerderLaDelPrograma) {
    struct Caso {
        const char* nombre;
        bool escribeEnPrograma;
        std::optional<std::string> enPrograma, enUsuario;  // the copies present at the start
        const char* leida;      // "programa", "usuario": the folder ParaLeer points into
        const char* escrita;    // the same for ParaEscribir
        std::string contenido;  // the written path's content right after ParaEscribir
    };
    const Caso casos[] = {
        {"instalado, primera vez: se lee lo que trae el programa y se copia al escribir", false,
         "A\r\n", std::nullopt, "programa", "usuario", "A\r\n"},
        {"instalado, el usuario ya tiene su copia", false, "A\r\n", "B\r\n", "usuario", "usuario",
         "B\r\n"},
        {"instalado sin archivo en ninguna carpeta", false, std::nullopt, std::nullopt, "usuario",
         "usuario", ""},
        {"carpeta del programa escribible", true, "A\r\n", "B\r\n", "programa", "programa",
         "A\r\n"},
        {"carpeta del programa escribible sin copia propia", true, std::nullopt, "B\r\n", "usuario",
         "programa", "B\r\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const Temporal t;
        const std::string prog = t / "prog", usu = t / "usuario/datos";
        fs::create_directories(prog);
        if (c.enPrograma) Escribir(prog + "/BASES.TXT", *c.enPrograma);
        if (c.enUsuario) Escribir(usu + "/BASES.TXT", *c.enUsuario);
        const helperlib::UbicacionArchivos u(prog, usu, c.escribeEnPrograma);
        const auto carpeta = [&](const char* cual) {
            return std::string(cual) == "programa" ? prog + "/" : usu + "/";
        };
        EXPECT_EQ(u.ParaLeer("BASES.TXT"), carpeta(c.leida) + "BASES.TXT");
        const std::string escrita = u.ParaEscribir("BASES.TXT");
        EXPECT_EQ(escrita, carpeta(c.escrita) + "BASES.TXT");
        EXPECT_EQ(Leer(escrita), c.contenido);
        // Once written, the written copy is the one read; the program's copy is untouched.
        std::ofstream(escrita, std::ios::app) << "C\r\n";
        EXPECT_EQ(u.ParaLeer("BASES.TXT"), escrita);
        if (c.enPrograma && !c.escribeEnPrograma) {
            EXPECT_EQ(Leer(prog + "/BASES.TXT"), *c.enPrograma);
        }
    }
}

TEST(UbicacionArchivos, SinCarpetaDondeEscribirSeInforma) {
    const Temporal t;
    Escribir(t / "archivo", "no es una carpeta");
    for (const std::string& usuario : {std::string(), t / "archivo/sub"}) {
        const helperlib::UbicacionArchivos u(t / "prog", usuario, false);
        try {
            u.ParaEscribir("CONSULTASLEN.KXW");
            ADD_FAILURE() << "sin error para la carpeta \"" << usuario << "\"";
        } catch (const ErrorEjecucion& e) {
            EXPECT_EQ(e.Numero(), errnum::kRutaNoEncontrada);
        }
    }
}

TEST(UbicacionArchivos, CarpetaDeDatosDelUsuarioSegunXdg) {
    struct Caso {
        std::optional<std::string> xdg, home;
        std::string esperada;
    };
    const Caso casos[] = {
        {"/datos/xdg", "/home/ana", "/datos/xdg/asientos-modelo/"},
        {"relativa/no/vale", "/home/ana", "/home/ana/.local/share/asientos-modelo/"},
        {std::nullopt, "/home/ana", "/home/ana/.local/share/asientos-modelo/"},
        {std::nullopt, std::nullopt, ""},
    };
    for (const Caso& c : casos) {
        const VariableEntorno xdg("XDG_DATA_HOME", c.xdg), home("HOME", c.home);
        EXPECT_EQ(helperlib::CarpetaDatosUsuario(), c.esperada);
    }
}

}  // namespace
