#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "PlataformaGuionada.h"
#include "TratamientoErrores.h"
#include "test_dbdll_comun.h"

using namespace helperlib;
using namespace data;

using namespace prueba;

namespace {
std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
}  // namespace

class TratamientoDeErrores : public ::testing::Test {
  protected:
    ConPlataformaGuionada p;
    CarpetaTemporal carpeta;
    DB_Dll db;
};

TEST_F(TratamientoDeErrores, MuestraRegistraYDevuelveLaRespuesta) {
    db.ArchivoErrores(carpeta.Ruta() + "/propio.log");
    EXPECT_EQ(db.gLogErr, carpeta.Ruta() + "/propio.log");
    p->rutaEjecutable = carpeta.Ruta() + "/programa";
    p->respuestas = {respuesta::kReintentar, respuesta::kIgnorar};
    const ErrorEjecucion e(3021, "  Sin fila actual  ", "ADODB.Recordset");
    EXPECT_EQ(db.TratamientoErrores(e, 18, "DatosTabla"), respuesta::kReintentar);
    EXPECT_EQ(db.TratamientoErrores(e), respuesta::kIgnorar);
    ASSERT_EQ(p->dialogos.size(), 2u);
    EXPECT_EQ(p->dialogos[0].texto, "Ha ocurrido el Siguiente Error (3021) Sin fila actual");
    EXPECT_EQ(p->dialogos[0].titulo, "ADODB.Recordset - DatosTabla Aviso al operador!!! - 5 ");
    EXPECT_EQ(p->dialogos[1].titulo, "ADODB.Recordset Aviso al operador!!! - 5 ");
    EXPECT_EQ(p->dialogos[1].estilo, 18);
    const std::regex linea(
        "\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d Rutina: - DatosTabla Mensaje Ha ocurrido el "
        "Siguiente Error \\(3021\\) Sin fila actual Respondió : Reintentar\r\n"
        "\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d Rutina:  Mensaje Ha ocurrido el Siguiente "
        "Error \\(3021\\) Sin fila actual Respondió : Ignorar\r\n");
    EXPECT_TRUE(std::regex_match(Leer(db.gLogErr), linea)) << Leer(db.gLogErr);
    EXPECT_FALSE(std::filesystem::exists(carpeta.Ruta() + "/KXERR.LOG"));
}

TEST_F(TratamientoDeErrores, SinRutaPropiaEscribeEnLaCarpetaDelPrograma) {
    p->rutaEjecutable = carpeta.Ruta() + "/programa";
    p->respuestas = {respuesta::kNo};
    EXPECT_EQ(db.TratamientoErrores(ErrorEjecucion(errnum::kEFail, "Falla"), 4, "X"),
              respuesta::kNo);
    const std::string texto = Leer(carpeta.Ruta() + "/KXERR.LOG");
    EXPECT_NE(texto.find("Error (-2147467259) Falla Respondió : No\r\n"), std::string::npos)
        << texto;
}

TEST_F(TratamientoDeErrores, ErrorCeroNoMuestraNiCreaArchivo) {
    p->rutaEjecutable = carpeta.Ruta() + "/programa";
    EXPECT_EQ(db.TratamientoErrores(ErrorEjecucion(0, "nada")), 0);
    EXPECT_TRUE(p->dialogos.empty());
    EXPECT_FALSE(std::filesystem::exists(carpeta.Ruta() + "/KXERR.LOG"));
}

TEST_F(TratamientoDeErrores, RegistroImposibleNoOcultaElDialogo) {
    db.gLogErr = carpeta.Ruta() + "/no/existe/x.log";
    p->respuestas = {respuesta::kAbortar};
    EXPECT_EQ(db.TratamientoErrores(ErrorEjecucion(5, "X"), 18, "R"), respuesta::kAbortar);
    EXPECT_EQ(p->dialogos.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(db.gLogErr));
}
