// The driver's statement text in each of its branches, built against real tables and a saved-
// query file the test writes. No window is shown: ArmarSentencia stops before it.
#include "ArmadoConsulta.h"
#include "Contexto.h"
#include "Lib_ClsCons3.h"
#include "base_consultas.h"

using namespace startup;
using namespace lookup;

namespace {

class Armado : public ConBaseConsultas {
  protected:
    std::optional<std::string> Armar(Lib_ClsCons3& d, const std::string& sql, std::string& campo,
                                     std::string where = "", const std::string& opcional = "") {
        return d.ArmarSentencia(sql, campo, where, opcional);
    }
};

TEST(ContextoDelPrograma, UnaCopiaDelUsuarioYElDriverLeeLaSesion) {
    Contexto ctx;
    ctx.sesion.gUsuarioLogeado = "JPEREZ";
    EXPECT_EQ(ctx.db.UsuarioSesion(), "JPEREZ");  // read where the session keeps it
    Lib_ClsCons3& d = ctx.Consultas();
    EXPECT_EQ(&d, &ctx.Consultas());
}

TEST(EnvolverWhere, UnCaracterQuedaLargoSeEnvuelveParentesisQueda) {
    EXPECT_EQ(armado::EnvolverWhere("x"), "x");
    EXPECT_EQ(armado::EnvolverWhere("A = 1"), " (A = 1) ");
    EXPECT_EQ(armado::EnvolverWhere("(A = 1) or B = 2"), "(A = 1) or B = 2");
    EXPECT_EQ(armado::EnvolverWhere("   "), "   ");
}

TEST(LimiteFilas, ValorNumericoOMil) {
    EXPECT_EQ(armado::LimiteFilas("50"), 50);
    EXPECT_EQ(armado::LimiteFilas(" "), 1000);
    EXPECT_EQ(armado::LimiteFilas("0"), 1000);
    EXPECT_EQ(armado::LimiteFilas("muchas"), 1000);
}

TEST_F(Armado, SentenciaDelLlamadorRenombraArticulosSinTopNiMascara) {
    EscribirConsultas({Registro("VT_MA_ARTICULOS", "|Descripcion|IdArticulo|", "")});
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    prep.gUsarMascarasConsultas = true;
    prep.gRutaMascaraConsultas = (carpeta / "consultas.kxw").string();
    std::string campo;
    auto s = Armar(d, "select IdArticulo from v_ma_articulos", campo, "Stock > 0");
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, "select IdArticulo from VT_MA_ARTICULOS WHERE  (Stock > 0) ");
    // A condition that already names WHERE is appended as it is.
    std::string campo2;
    s = Armar(d, "SELECT NOMBRE FROM MA_MODELOS", campo2, "(x=1) WHERE y=2");
    EXPECT_EQ(*s, "SELECT NOMBRE FROM MA_MODELOS(x=1) WHERE y=2");
}

TEST_F(Armado, GeneradaDesdeCamposInvertidosConTopDeConfiguracion) {
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    std::string campo;
    auto s = Armar(d, "MA_CUENTAS", campo);
    ASSERT_TRUE(s);
    // Fields in reverse order, ID skipped, searched on DESCRIPCION; TopConsArt unset: 1000.
    EXPECT_EQ(*s,
              "SELECT TOP 1000 DESCRIPCION,CODIGO,DV,CodigoOpcional,Titulo,DADA_DE_BAJA,BLOQUEO,"
              "Ajuste,BIENES,Nivel FROM MA_CUENTAS  ORDER BY DESCRIPCION");
    EXPECT_EQ(campo, "DESCRIPCION");

    Configurar("TopConsArt", "50");
    std::string campo2, where = "Nivel = 1";
    s = d.ArmarSentencia("V_TA_CPTE", campo2, where, "");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->rfind("SELECT TOP 50 ", 0), 0u) << *s;
    EXPECT_NE(s->find(" FROM V_TA_CPTE WHERE   (Nivel = 1)  ORDER BY "), std::string::npos) << *s;
    EXPECT_EQ(where, " (Nivel = 1) ");
}

TEST_F(Armado, ListasIncorporadasYSentenciaOpcional) {
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    std::string campo = "Otro";
    auto s = Armar(d, "v_ta_unidad", campo);
    EXPECT_EQ(*s, "SELECT TOP 1000 Descripcion, IdUnidad FROM v_ta_unidad  ORDER BY IdUnidad");
    EXPECT_EQ(campo, "IdUnidad");
    std::string campo2;
    s = Armar(d, "MA_CUENTAS", campo2, "", "SELECT CODIGO FROM MA_CUENTAS");
    EXPECT_EQ(*s, "SELECT CODIGO FROM MA_CUENTAS");
}

TEST_F(Armado, SoloClavesYFechasDaAsteriscoYSinOrden) {
    Sql("CREATE TABLE SOLO_CLAVES (ID INTEGER, FECHAHORA_GRABACION DATETIME, "
        "FECHAHORA_MODIFICACION DATETIME)");
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    std::string campo;
    auto s = Armar(d, "SOLO_CLAVES", campo);
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, "SELECT TOP 1000  *  FROM SOLO_CLAVES ");
    // The sources that key on those fields take them.
    std::vector<std::string> campos = {"ID", "FECHAHORA_GRABACION"};
    std::string c;
    EXPECT_EQ(armado::ColumnasGeneradas("V_MV_TROPA_STOCK", campos, c), "FECHAHORA_GRABACION,ID");
    EXPECT_EQ(c, "FECHAHORA_GRABACION");
}

TEST_F(Armado, RegistroGuardadoDosColumnasYFiltroPorDefecto) {
    const auto ruta = EscribirConsultas({Registro("OTRA", "a|b", ""),
                                         Registro("VT_CLIENTES", "RazonSocial|Codigo|", ""),
                                         Registro("V_MA_ARTICULOS", "Descripcion|IdArticulo", "")});
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    prep.gUsarMascarasConsultas = true;
    prep.gRutaMascaraConsultas = ruta;
    std::string campo;
    auto s = Armar(d, " vt_clientes ", campo);
    ASSERT_TRUE(s);
    EXPECT_EQ(*s,
              "SELECT TOP 1000 RazonSocial,Codigo FROM VT_CLIENTES  with(nolock)  WHERE "
              "Dada_De_Baja = 0 ORDER BY RazonSocial");
    EXPECT_EQ(campo, "RazonSocial");

    std::string campo2;
    s = Armar(d, "V_MA_ARTICULOS", campo2);
    EXPECT_EQ(*s,
              "SELECT TOP 1000 Descripcion,IdArticulo FROM VT_MA_ARTICULOS  with(nolock)  "
              "WHERE SUSPENDIDO = 0 ORDER BY Descripcion");
    // The caller's condition comes before the default one.
    std::string campo3;
    s = Armar(d, "VT_CLIENTES", campo3, "Cuit <> ''");
    EXPECT_NE(s->find(" WHERE  (Cuit <> '')  ORDER BY"), std::string::npos) << *s;
}

TEST_F(Armado, RegistroDeUnaColumnaAvisaYNoAbreVentana) {
    const auto ruta = EscribirConsultas({Registro("MA_CUENTAS", "|CODIGO|", "")});
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    prep.gUsarMascarasConsultas = true;
    prep.gRutaMascaraConsultas = ruta;
    p->respuestas = {respuesta::kOk};
    int ventanas = 0;
    d.MostrarVentana = [&](Lib_FrmCons3&) { ++ventanas; };
    std::string campo, where;
    d.ConsultaSearch("MA_CUENTAS", nullptr, "", campo, where);
    EXPECT_EQ(ventanas, 0);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].texto, "Debe configurar la consulta para esta tabla");
    EXPECT_EQ(p->dialogos[0].titulo, "Aviso al operador");
    EXPECT_EQ(p->dialogos[0].estilo, 64);
}

TEST_F(Armado, ArchivoInexistenteYNombreAusenteGeneran) {
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    prep.gUsarMascarasConsultas = true;
    prep.gRutaMascaraConsultas = (carpeta / "no_hay.kxw").string();
    std::string campo;
    EXPECT_EQ(Armar(d, "MA_CUENTAS", campo)->rfind("SELECT TOP 1000 DESCRIPCION,CODIGO", 0), 0u);
    EXPECT_EQ(campo, "DESCRIPCION");
    prep.gRutaMascaraConsultas = EscribirConsultas({Registro("OTRA", "a|b", "")});
    EXPECT_EQ(Armar(d, "V_TA_STATUS", campo)->rfind("SELECT TOP 1000 Descripcion, Tipo", 0), 0u);
}

}  // namespace
