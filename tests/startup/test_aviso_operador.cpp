#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "AvisoOperador.h"
#include "PlataformaGuionada.h"

using namespace helperlib;
using namespace startup;

namespace {

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

/// A temporary folder and an environment where "temp"/"tmp" point where the test says; the
/// variables come back on destruction.
class Entorno {
  public:
    Entorno() {
        std::string plantilla = (std::filesystem::temp_directory_path() / "aviso-XXXXXX").string();
        if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
        carpeta = plantilla;
        for (const char* n : {"temp", "tmp", "TEMP", "TMP", "TMPDIR"}) {
            if (const char* v = getenv(n)) guardadas_.emplace_back(n, v);
            unsetenv(n);
        }
    }
    ~Entorno() {
        for (const char* n : {"temp", "tmp", "TEMP", "TMP", "TMPDIR"}) unsetenv(n);
        for (const auto& [n, v] : guardadas_) setenv(n.c_str(), v.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(carpeta, ec);
    }
    std::string carpeta;

  private:
    std::vector<std::pair<std::string, std::string>> guardadas_;
};

}  // namespace

class Aviso : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("temp", "x", 1);
        setenv("tmp", (" " + e.carpeta + " ").c_str(), 1);
    }
    std::string Log() const { return e.carpeta + "/KXERR.LOG"; }
    Entorno e;
    ConPlataformaGuionada p;
};

TEST_F(Aviso, MuestraRegistraYDevuelveLaRespuesta) {
    p->respuestas = {respuesta::kReintentar};
    const ErrorEjecucion err(3021, "  No hay fila actual ", "Lbc_Asiento");
    EXPECT_EQ(AvisoOperador(err, 18, "ValidaSubdiarioTC"), respuesta::kReintentar);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].texto, "Ha ocurrido el Siguiente Error (3021) No hay fila actual");
    EXPECT_EQ(p->dialogos[0].titulo, "Lbc_Asiento - ValidaSubdiarioTC Aviso al operador!!! ");
    EXPECT_EQ(p->dialogos[0].estilo, 18);
    const std::regex linea(
        "\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d Rutina: - ValidaSubdiarioTC Mensaje Ha ocurrido "
        "el Siguiente Error \\(3021\\) No hay fila actual Respondió : Reintentar\r\n");
    EXPECT_TRUE(std::regex_match(Leer(Log()), linea)) << Leer(Log());
}

TEST_F(Aviso, BotonesPorDefectoYSinRutina) {
    p->respuestas = {respuesta::kIgnorar};
    EXPECT_EQ(AvisoOperador(ErrorEjecucion(5, "Argumento", "Origen")), respuesta::kIgnorar);
    EXPECT_EQ(p->dialogos[0].estilo, 18);
    EXPECT_EQ(p->dialogos[0].titulo, "Origen Aviso al operador!!! ");
    EXPECT_NE(Leer(Log()).find(" Rutina:  Mensaje Ha ocurrido el Siguiente Error (5) Argumento "
                               "Respondió : Ignorar\r\n"),
              std::string::npos);
}

TEST_F(Aviso, PalabrasDeRespuestaYLineasAgregadas) {
    p->respuestas = {respuesta::kSi, respuesta::kOk, respuesta::kAbortar, respuesta::kCancelar};
    EXPECT_EQ(AvisoOperador(ErrorEjecucion(1, "a"), 4, "R"), respuesta::kSi);
    EXPECT_EQ(AvisoOperador(ErrorEjecucion(2, "b"), 0, "R"), respuesta::kOk);
    EXPECT_EQ(AvisoOperador(ErrorEjecucion(3, "c"), 18, "R"), respuesta::kAbortar);
    EXPECT_EQ(AvisoOperador(ErrorEjecucion(4, "d"), 1, "R"), respuesta::kCancelar);
    const std::string t = Leer(Log());
    EXPECT_NE(t.find("(1) a Respondió : Sí\r\n"), std::string::npos);
    EXPECT_NE(t.find("(2) b Respondió : \r\n"), std::string::npos);
    EXPECT_NE(t.find("(3) c Respondió : Abortar\r\n"), std::string::npos);
    EXPECT_NE(t.find("(4) d Respondió : Cancelar\r\n"), std::string::npos);
    EXPECT_LT(t.find("(1) a"), t.find("(4) d"));
}

TEST_F(Aviso, ErrorCeroCreaElArchivoVacioSinMostrar) {
    EXPECT_EQ(AvisoOperador(ErrorEjecucion(0, "nada")), 0);
    EXPECT_TRUE(p->dialogos.empty());
    ASSERT_TRUE(std::filesystem::exists(Log()));
    EXPECT_EQ(std::filesystem::file_size(Log()), 0u);
}

TEST_F(Aviso, SinTempSeUsaLaCarpetaAlternativa) {
    unsetenv("temp");
    const std::string alternativa = e.carpeta + "/alt";
    std::filesystem::create_directory(alternativa);
    setenv("TMPDIR", alternativa.c_str(), 1);
    EXPECT_EQ(CarpetaRegistroOperador(), alternativa + "/");
    p->respuestas = {respuesta::kOk};
    AvisoOperador(ErrorEjecucion(7, "x"));
    EXPECT_TRUE(std::filesystem::exists(alternativa + "/KXERR.LOG"));
    EXPECT_FALSE(std::filesystem::exists(Log()));
    // "temp" set but "tmp" empty: the alternative folder as well.
    setenv("temp", "x", 1);
    setenv("tmp", "  ", 1);
    EXPECT_EQ(CarpetaRegistroOperador(), alternativa + "/");
}

TEST_F(Aviso, CarpetaInaccesibleMuestraYLuegoFalla) {
    setenv("tmp", (e.carpeta + "/no/existe").c_str(), 1);
    p->respuestas = {respuesta::kReintentar};
    EXPECT_THROW(AvisoOperador(ErrorEjecucion(9, "x")), ErrorEjecucion);
    EXPECT_EQ(p->dialogos.size(), 1u);
}
