#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "ArchivoIni.h"
#include "DialogoArchivo.h"
#include "ErrorEjecucion.h"
#include "PlataformaGuionada.h"
#include "Sistema.h"
#include "VariableEntorno.h"

using namespace helperlib;

namespace fs = std::filesystem;

namespace {

// Each test gets its own folders: the program's folder (seen through the scripted platform's
// executable path), a home and a configuration folder.
class ConCarpetas : public ::testing::Test {
  protected:
    void SetUp() override {
        char plantilla[] = "/tmp/helperlib_ini_XXXXXX";
        ASSERT_NE(mkdtemp(plantilla), nullptr);
        raiz_ = plantilla;
        programa_ = raiz_ / "programa";
        home_ = raiz_ / "home";
        fs::create_directories(programa_);
        fs::create_directories(home_);
        p_->rutaEjecutable = (programa_ / "asientos-modelo").string();
    }
    void TearDown() override { fs::remove_all(raiz_); }

    static void Escribir(const fs::path& ruta, const std::string& contenido) {
        fs::create_directories(ruta.parent_path());
        std::ofstream(ruta, std::ios::binary) << contenido;
    }
    static std::string Leer(const fs::path& ruta) {
        std::ifstream f(ruta, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    fs::path Config() const { return home_ / ".config" / "asientos-modelo"; }

    ConPlataformaGuionada p_;
    fs::path raiz_, programa_, home_;
    VariableEntorno home{"HOME", std::nullopt};
    VariableEntorno xdg{"XDG_CONFIG_HOME", std::nullopt};
    VariableEntorno cache{"XDG_CACHE_HOME", std::nullopt};
    void UsarHome() { setenv("HOME", home_.c_str(), 1); }
};

const char* kIni =
    "; configuración del puesto\r\n"
    "[General]\r\n"
    "FlatToolbars=0\r\n"
    "\r\n"
    "[PUESTO01|OPERADOR]\r\n"
    "  FlatToolbars =  1  \r\n"
    "Styles=\"Office 2007\"\r\n"
    ";Styles=comentada\r\n"
    "[Iconos]\r\n"
    "IconoDelSistema=C:\\Suite\\suite.ico\r\n";

}  // namespace

TEST_F(ConCarpetas, LeeSeccionConBarraSinDistinguirMayusculas) {
    Escribir(programa_ / "LD000p.INI", kIni);
    EXPECT_EQ(LeerIni("LD000p.INI", "PUESTO01|OPERADOR", "FlatToolbars", "x"), "1");
    EXPECT_EQ(LeerIni("LD000p.INI", "puesto01|operador", "flattoolbars", "x"), "1");
    EXPECT_EQ(LeerIni("LD000p.INI", "General", "FLATTOOLBARS", "x"), "0");
    EXPECT_EQ(LeerIni("LD000p.INI", "PUESTO01|OPERADOR", "Styles", "x"), "Office 2007");
    EXPECT_EQ(LeerIni("LD000p.INI", "iconos", "IconoDelSistema", ""), "C:\\Suite\\suite.ico");
}

TEST_F(ConCarpetas, FaltantesDanElValorPorDefecto) {
    EXPECT_EQ(LeerIni("LD000p.INI", "General", "FlatToolbars", "1"), "1");  // no file
    Escribir(programa_ / "LD000p.INI", kIni);
    EXPECT_EQ(LeerIni("LD000p.INI", "OTRO|PUESTO", "FlatToolbars", "1"), "1");
    EXPECT_EQ(LeerIni("LD000p.INI", "PUESTO01|OPERADOR", "NoEsta", "def"), "def");
    // A key of another section is not taken, nor a commented-out line.
    EXPECT_EQ(LeerIni("LD000p.INI", "Iconos", "FlatToolbars", "d"), "d");
    EXPECT_EQ(LeerIni("LD000p.INI", "PUESTO01", "FlatToolbars", "d"), "d");
    EXPECT_EQ(LeerIni("LD000p.INI", "General", ";Styles", "d"), "d");
}

TEST_F(ConCarpetas, NombreDeArchivoSinDistinguirMayusculasYCarpetaDeConfiguracion) {
    UsarHome();
    Escribir(Config() / "LD000PR.ini", "[A|B]\nStyles=2\n");
    EXPECT_EQ(LeerIni("ld000pr.ini", "a|b", "styles", "0"), "2");
    // The program's folder comes first.
    Escribir(programa_ / "ld000pr.INI", "[A|B]\nStyles=5\n");
    EXPECT_EQ(LeerIni("ld000pr.ini", "A|B", "Styles", "0"), "5");
    EXPECT_EQ(UbicarIni("LD000PR.INI"), (programa_ / "ld000pr.INI").string());
}

TEST_F(ConCarpetas, XdgConfigHomeManda) {
    UsarHome();
    const fs::path xdgDir = raiz_ / "xdg";
    setenv("XDG_CONFIG_HOME", xdgDir.c_str(), 1);
    Escribir(xdgDir / "asientos-modelo" / "LD000p.INI", "[S]\nk=xdg\n");
    Escribir(Config() / "LD000p.INI", "[S]\nk=home\n");
    EXPECT_EQ(CarpetaConfiguracion(), (xdgDir / "asientos-modelo").string() + "/");
    EXPECT_EQ(LeerIni("LD000p.INI", "S", "k", ""), "xdg");
    setenv("XDG_CONFIG_HOME", "relativa", 1);  // not absolute: ignored
    EXPECT_EQ(LeerIni("LD000p.INI", "S", "k", ""), "home");
}

TEST_F(ConCarpetas, RutaConCarpetaSeUsaTalCual) {
    const fs::path otra = raiz_ / "otra" / "Config.Ini";
    Escribir(otra, "[S]\nk=v\n");
    EXPECT_EQ(LeerIni(otra.string(), "S", "k", ""), "v");
    EXPECT_EQ(LeerIni((raiz_ / "otra" / "config.ini").string(), "S", "k", ""), "v");
    EXPECT_EQ(LeerIni((raiz_ / "falta" / "Config.Ini").string(), "S", "k", "d"), "d");
    // A bare name is never looked for in the current folder.
    EXPECT_EQ(LeerIni("Config.Ini", "S", "k", "d"), "d");
}

TEST_F(ConCarpetas, LineasRarasSinFinDeLineaYLatin1) {
    Escribir(programa_ / "a.ini",
             "\xEF\xBB\xBF[S]\n"
             "sin igual\n"
             "=sin clave\n"
             "vacia=\n"
             "igual=a=b\n"
             "tab=\tvalor\t\n"
             "latin=a\xF1o\n"
             "[Dup]\nk=1\n[dup]\nk=2\nsolo2=x\n"
             "[Fin]\nk=ultima");
    EXPECT_EQ(LeerIni("a.ini", "S", "vacia", "d"), "");
    EXPECT_EQ(LeerIni("a.ini", "S", "igual", "d"), "a=b");
    EXPECT_EQ(LeerIni("a.ini", "S", "tab", "d"), "valor");
    EXPECT_EQ(LeerIni("a.ini", "S", "latin", "d"), "año");
    EXPECT_EQ(LeerIni("a.ini", "S", "sin igual", "d"), "d");
    EXPECT_EQ(LeerIni("a.ini", "DUP", "k", "d"), "1");
    EXPECT_EQ(LeerIni("a.ini", "Dup", "solo2", "d"), "x");
    EXPECT_EQ(LeerIni("a.ini", "Fin", "k", "d"), "ultima");
}

// A file read once answers every key as it stood when read, even after it changes or goes.
TEST_F(ConCarpetas, LeidoUnaVezResponde) {
    Escribir(programa_ / "ld000P.ini", kIni);
    const IniLeido ini("LD000p.INI");
    const IniLeido falta("ld000pr.ini");
    fs::remove(programa_ / "ld000P.ini");
    Escribir(programa_ / "LD000p.INI", "[General]\nFlatToolbars=9\n");
    EXPECT_EQ(ini.Ruta(), (programa_ / "ld000P.ini").string());
    EXPECT_EQ(falta.Ruta(), std::nullopt);
    struct Caso {
        const char* seccion;
        const char* clave;
        const char* leido;  // from the file as read
    } casos[] = {
        {"General", "FlatToolbars", "0"},
        {" puesto01|operador ", "flattoolbars", "1"},
        {"PUESTO01|OPERADOR", "Styles", "Office 2007"},
        {"Iconos", "IconoDelSistema", "C:\\Suite\\suite.ico"},
        {"Iconos", "FlatToolbars", "def"},
        {"NoEsta", "Styles", "def"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(ini.Valor(c.seccion, c.clave, "def"), c.leido) << c.seccion << " " << c.clave;
        EXPECT_EQ(falta.Valor(c.seccion, c.clave, "def"), "def") << c.seccion << " " << c.clave;
    }
}

TEST_F(ConCarpetas, EscribirConservaElRestoYSeReleee) {
    Escribir(programa_ / "LD000p.INI", kIni);
    EscribirIni("ld000P.ini", "puesto01|operador", "STYLES", "3");
    EscribirIni("LD000p.INI", "General", "Nueva", "valor con blancos");
    EscribirIni("LD000p.INI", "Otra|Seccion", "k", "v");
    EXPECT_EQ(LeerIni("LD000p.INI", "PUESTO01|OPERADOR", "Styles", ""), "3");
    EXPECT_EQ(LeerIni("LD000p.INI", "PUESTO01|OPERADOR", "FlatToolbars", ""), "1");
    EXPECT_EQ(LeerIni("LD000p.INI", "General", "Nueva", ""), "valor con blancos");
    EXPECT_EQ(LeerIni("LD000p.INI", "General", "FlatToolbars", ""), "0");
    EXPECT_EQ(LeerIni("LD000p.INI", "otra|seccion", "K", ""), "v");
    const std::string todo = Leer(programa_ / "LD000p.INI");
    EXPECT_NE(todo.find("; configuración del puesto\r\n"), std::string::npos);
    EXPECT_NE(todo.find(";Styles=comentada\r\n"), std::string::npos);
    EXPECT_EQ(todo.find("\"Office 2007\""), std::string::npos);
    EXPECT_EQ(todo.find("\n\n"), std::string::npos);  // CR LF kept everywhere
    EXPECT_FALSE(fs::exists(programa_ / "LD000p.INI.tmp"));
}

TEST_F(ConCarpetas, EscribirCreaEnLaCarpetaDeConfiguracion) {
    UsarHome();
    EscribirIni("ld000pr.ini", "A|B", "Styles", "1");
    EXPECT_TRUE(fs::exists(Config() / "ld000pr.ini"));
    EXPECT_EQ(LeerIni("LD000PR.INI", "a|b", "styles", ""), "1");
    EXPECT_THROW(EscribirIni("ld000pr.ini", "A|B", "Styles", "1\r\nInyectada=1"), ErrorEjecucion);
    EXPECT_EQ(LeerIni("ld000pr.ini", "A|B", "Inyectada", "no"), "no");
}

TEST_F(ConCarpetas, EscribirSinCarpetaPosibleEsError) {
    try {
        EscribirIni("nuevo.ini", "S", "k", "v");  // no HOME, no XDG_CONFIG_HOME
        FAIL() << "no falló";
    } catch (const ErrorEjecucion& e) {
        EXPECT_EQ(e.Numero(), errnum::kRutaNoEncontrada);
    }
}

TEST_F(ConCarpetas, CarpetaAlternativaEsEscribible) {
    UsarHome();
    const std::string c = CarpetaAlternativa();
    EXPECT_EQ(c, (home_ / ".cache" / "asientos-modelo").string() + "/");
    std::ofstream(c + "prueba.txt") << "x";
    EXPECT_TRUE(fs::exists(c + "prueba.txt"));
}

// Without a usable cache folder: a folder of the user's own in the temporary folder, never
// the shared temporary folder, and never a name someone else prepared there.
TEST_F(ConCarpetas, CarpetaAlternativaSinCachePropiaDelUsuario) {
    Escribir(raiz_ / "archivo", "no es carpeta");
    setenv("XDG_CACHE_HOME", (raiz_ / "archivo").c_str(), 1);
    const fs::path tmp = raiz_ / "tmp";
    fs::create_directories(tmp / "ajena");
    VariableEntorno tmpdir("TMPDIR", tmp.string());
    const fs::path propia = tmp / ("asientos-modelo-" + std::to_string(::getuid()));
    // First and second call: the user's own folder; then a link planted in its place.
    for (int vez : {1, 2, 3}) {
        if (vez == 3) {
            fs::remove_all(propia);
            fs::create_directory_symlink(tmp / "ajena", propia);
        }
        const fs::path p = fs::path(CarpetaAlternativa()).parent_path();
        EXPECT_EQ(p.parent_path(), tmp) << vez;
        EXPECT_EQ(p == propia, vez < 3) << vez;
        EXPECT_FALSE(fs::is_symlink(p)) << vez;
        EXPECT_EQ(fs::status(p).permissions() & fs::perms::all, fs::perms::owner_all) << vez;
    }
}

TEST(Sistema, DatosDelPuestoYDocumentosPorLaPlataforma) {
    ConPlataformaGuionada p;
    p->maquina = "PC-CONTABLE";
    p->usuario = "maria";
    EXPECT_EQ(NombreMaquina(), "PC-CONTABLE");
    EXPECT_EQ(UsuarioSistema(), "maria");
    EXPECT_TRUE(AbrirConAsociacion("/tmp/informe.pdf", 1));
    p->documentoAbre = false;
    EXPECT_FALSE(AbrirConAsociacion("/tmp/otro.xls", 3));
    ASSERT_EQ(p->documentos.size(), 2u);
    EXPECT_EQ(p->documentos[1], "/tmp/otro.xls");
}

TEST(Sistema, CarpetaYNombreDelPrograma) {
    ConPlataformaGuionada p;
    const struct {
        const char *ruta, *carpeta, *nombre;
    } casos[] = {
        {"/opt/asientos/asientos-modelo", "/opt/asientos/", "asientos-modelo"},
        {"/asientos-modelo.exe", "/", "asientos-modelo"},
        {"asientos-modelo", "", "asientos-modelo"},  // no folder part: paths stay relative
        {"", "", ""},                                // unknown executable
    };
    for (const auto& c : casos) {
        p->rutaEjecutable = c.ruta;
        EXPECT_EQ(CarpetaPrograma(), c.carpeta) << c.ruta;
        EXPECT_EQ(NombreEjecutable(), c.nombre) << c.ruta;
    }
}

TEST(DialogoArchivo, ElegidoYCancelado) {
    ConPlataformaGuionada p;
    p->archivos = {std::string("/datos/empresa.mdb"), std::nullopt, std::string()};
    DialogoArchivo d;
    d.Titulo = "Abrir base";
    d.Filtro = "Bases de datos |*.MDB";
    EXPECT_TRUE(d.MostrarAbrir());
    EXPECT_EQ(d.ArchivoElegido(), "/datos/empresa.mdb");
    EXPECT_FALSE(d.Cancelado());
    EXPECT_FALSE(d.MostrarAbrir());
    EXPECT_TRUE(d.Cancelado());
    EXPECT_EQ(d.ArchivoElegido(), "");  // the previous choice is forgotten
    EXPECT_FALSE(d.MostrarAbrir());     // an empty path counts as cancelled
    EXPECT_TRUE(d.Cancelado());
    ASSERT_EQ(p->preguntas.size(), 3u);
    EXPECT_EQ(p->preguntas[0].texto, "Abrir base");
}
