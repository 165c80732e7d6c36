// The saved-query file the build ships: its readable source turned into records that the
// driver reads back unchanged, and its lookups giving statements that run on the real schema.
#include <sstream>
#include <stdexcept>

#include "ArchivoConsultas.h"
#include "Lib_ClsCons3.h"
#include "Recordset.h"
#include "base_consultas.h"

namespace {

TEST(FuenteConsultas, LineasARegistrosIdaYVuelta) {
    std::istringstream fuente(
        "# comentario\n"
        "\n"
        "MA_CUENTAS ; DESCRIPCION|CODIGO ; Nivel = 1 ; y otra\r\n"
        "  Año ; Descripción|Código\n");
    const auto registros = lookup::LeerFuenteConsultas(fuente);
    ASSERT_EQ(registros.size(), 2u);
    EXPECT_EQ(registros[0].Filtro, "Nivel = 1 ; y otra");
    for (const auto& r : registros) {
        const std::string bytes = lookup::RegistroEnBytes(r);
        ASSERT_EQ(bytes.size(), kLargoRegistroConsulta);
        const auto leido = LeerRegistroConsulta(bytes);
        ASSERT_TRUE(leido);
        EXPECT_EQ(leido->Nombre, r.Nombre);
        EXPECT_EQ(leido->Columnas, r.Columnas);
        EXPECT_EQ(leido->Filtro, r.Filtro);
    }
    EXPECT_EQ(lookup::RegistroEnBytes(registros[1]).substr(100, 4), "A\xF1o ");
}

TEST(FuenteConsultas, LoQueNoCabeEnUnRegistroSeRechaza) {
    const struct {
        const char* fuente;
    } casos[] = {
        {"SOLO_NOMBRE\n"},
        {" ; A|B\n"},
        {"X ;  ; filtro\n"},
    };
    for (const auto& c : casos) {
        std::istringstream f(c.fuente);
        EXPECT_THROW(lookup::LeerFuenteConsultas(f), std::invalid_argument) << c.fuente;
    }
    const RegistroConsulta largos[] = {
        {std::string(101, 'N'), "A|B", ""},
        {"X", std::string(501, 'C'), ""},
        {"X", "A|B", std::string(501, 'F')},
        {"X", "A|\xE2\x82\xAC|\xE4\xB8\xAD", ""},  // the euro sign fits, a CJK letter does not
    };
    for (const auto& r : largos)
        EXPECT_THROW(lookup::RegistroEnBytes(r), std::invalid_argument) << r.Columnas;
}

class ConsultasEntregadas : public ConBaseConsultas {};

// Every lookup the editor opens by name has its record, and the statement made from it runs.
TEST_F(ConsultasEntregadas, CadaConsultaDelEditorCorreSobreElEsquema) {
    Sql("INSERT INTO MA_CUENTAS (CODIGO, DV, DESCRIPCION, CodigoOpcional) "
        "VALUES ('1101', 3, 'Caja', 'C1')");
    Sql("INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION) VALUES ('FA', 'Factura A')");
    const struct {
        const char* nombre;
        const char* busqueda;
    } casos[] = {{"MA_CUENTAS", "DESCRIPCION"}, {"V_TA_CPTE", "DESCRIPCION"}};
    Lib_ClsCons3 d(&db);
    d.gUsarMascarasConsultas = true;
    d.gRutaMascaraConsultas = ASIENTOS_CONSULTAS_KXW;
    for (const auto& c : casos) {
        ASSERT_TRUE(BuscarConsultaGuardada(d.gRutaMascaraConsultas, c.nombre)) << c.nombre;
        std::string campo, where;
        auto sentencia = d.ArmarSentencia(c.nombre, campo, where, "");
        ASSERT_TRUE(sentencia) << c.nombre;
        EXPECT_EQ(campo, c.busqueda);
        Recordset rs;
        db.AbrirRecordset(*sentencia, rs);
        ASSERT_EQ(rs.State(), 1) << *sentencia;
        EXPECT_FALSE(rs.BOF()) << *sentencia;
        db.CierraRecordset(rs);
    }
    EXPECT_TRUE(p->dialogos.empty());
}

}  // namespace
