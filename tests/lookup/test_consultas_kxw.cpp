// The saved-query file the build ships: its readable source turned into records the driver
// reads back unchanged, and its lookups giving statements that run on the real schema.
#include <sstream>
#include <stdexcept>

#include "ArchivoConsultas.h"
#include "Lib_ClsCons3.h"
#include "Recordset.h"
#include "base_consultas.h"

using namespace data;
using namespace lookup;

namespace {

TEST(FuenteConsultas, RegistrosIdaYVueltaYLoQueNoCabe) {
    std::istringstream fuente(
        "# nota\n\nMA_CUENTAS ; A|B ; Nivel = 1 ; x\r\n Año ; Descripción|C\n");
    for (const auto& r : lookup::LeerFuenteConsultas(fuente)) {
        const auto leido = LeerRegistroConsulta(lookup::RegistroEnBytes(r));
        ASSERT_TRUE(leido);
        EXPECT_EQ(leido->Nombre + ";" + leido->Columnas + ";" + leido->Filtro,
                  r.Nombre + ";" + r.Columnas + ";" + r.Filtro);
    }
    for (const char* mala : {"SOLO_NOMBRE\n", " ; A|B\n", "X ;  ; filtro\n"}) {
        std::istringstream f(mala);
        EXPECT_THROW(lookup::LeerFuenteConsultas(f), std::invalid_argument) << mala;
    }
    const RegistroConsulta largos[] = {{std::string(101, 'N'), "A", ""},
                                       {"X", std::string(501, 'C'), ""},
                                       {"X", "A|\xE4\xB8\xAD", ""}};  // no Windows-1252 byte
    for (const auto& r : largos) EXPECT_THROW(lookup::RegistroEnBytes(r), std::invalid_argument);
}

class ConsultasEntregadas : public ConBaseConsultas {};

// Every lookup the editor opens by name has its record, and the statement made from it runs.
TEST_F(ConsultasEntregadas, CadaConsultaDelEditorCorreSobreElEsquema) {
    Sql("INSERT INTO MA_CUENTAS (CODIGO, DV, DESCRIPCION, CodigoOpcional) "
        "VALUES ('1101', 3, 'Caja', 'C1')");
    Sql("INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION) VALUES ('FA', 'Factura A')");
    startup::PreparacionConsultas prep;
    prep.gUsarMascarasConsultas = true;
    prep.gRutaMascaraConsultas = ASIENTOS_CONSULTAS_KXW;
    Lib_ClsCons3 d(db, prep);
    for (const char* nombre : {"MA_CUENTAS", "V_TA_CPTE"}) {
        ASSERT_TRUE(BuscarConsultaGuardada(prep.gRutaMascaraConsultas, nombre)) << nombre;
        std::string campo, where;
        auto sentencia = d.ArmarSentencia(nombre, campo, where, "");
        ASSERT_TRUE(sentencia) << nombre;
        EXPECT_EQ(campo, "DESCRIPCION");
        Recordset rs;
        db.AbrirRecordset(*sentencia, rs);
        ASSERT_EQ(rs.State(), 1) << *sentencia;
        EXPECT_FALSE(rs.BOF()) << *sentencia;
    }
    EXPECT_TRUE(p->dialogos.empty());
}

}  // namespace
