// The configuration reader against the demo database's TA_CONFIGURACION, and the launch of a
// sibling program with the session's connection data.
#include <gtest/gtest.h>

#include <vector>

#include "Configuracion.h"
#include "Lanzador.h"
#include "ParametrosLanzamiento.h"
#include "test_sesion_base.h"

using namespace startup;

namespace {

class Cfg_ : public ConBaseDemo {};

TEST_F(Cfg_, ValorValorAuxClaveAusenteYNulo) {
    DB_Dll db;
    Abrir(db);
    std::string aux = "previo";
    EXPECT_EQ(Cfg(db, "CONDIVA", &aux), "1");
    EXPECT_EQ(aux, "Responsable Inscripto");
    EXPECT_EQ(Cfg(db, "PERIODO", &aux), "2025");
    EXPECT_EQ(aux, "");

    aux = "previo";
    EXPECT_EQ(Cfg(db, "NO_EXISTE_ESTA_CLAVE", &aux), " ");  // one blank, not empty
    EXPECT_EQ(aux, "");
    EXPECT_FALSE(EsSi(Cfg(db, "NO_EXISTE_ESTA_CLAVE")));

    Sql(db, "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux) VALUES ('NULA', NULL, NULL)");
    aux = "previo";
    EXPECT_EQ(Cfg(db, "NULA", &aux), "");
    EXPECT_EQ(aux, "");

    EXPECT_EQ(Cfg(db, "  PERIODO  "), "2025");  // the key is trimmed
    EXPECT_EQ(Cfg(db, "periodo"), "2025");      // keys compare as the server compares text
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Cfg_, SentenciaExactaYMayusculasParaLasFechas) {
    DB_Dll db;
    Abrir(db);
    std::vector<std::string> enviadas;
    db.gCnn.Observador = [&](const std::string& s) { enviadas.push_back(s); };
    Cfg(db, " Periodo ");
    Sql(db, "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('[FECHA HASTA]', '31/12/2025')");
    enviadas.clear();
    EXPECT_EQ(Cfg(db, "[Fecha Hasta]"), "31/12/2025");
    ASSERT_FALSE(enviadas.empty());
    EXPECT_EQ(enviadas.front(),
              "SELECT VALOR, VALORAUX FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA HASTA]'");
    enviadas.clear();
    Cfg(db, " Periodo ");
    ASSERT_FALSE(enviadas.empty());
    EXPECT_EQ(enviadas.front(),
              "SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = 'Periodo'");
}

TEST_F(Cfg_, ClaveConApostrofeNoRompeLaSentencia) {
    DB_Dll db;
    Abrir(db);
    Sql(db, "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('D''ALESSIO', 'SI')");
    EXPECT_EQ(Cfg(db, "D'ALESSIO"), "SI");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Cfg_, FallaIgnorarSigueCualquierOtraRespuestaTerminaSinRepetir) {
    DB_Dll db;
    Abrir(db);
    Sql(db, "DROP TABLE TA_CONFIGURACION");
    // The open fails in the data layer's own dialog (ignored: the recordset stays closed); the
    // reading of the closed recordset then fails in the reader's dialog.
    for (int respuestaCfg : {respuesta::kIgnorar, respuesta::kReintentar, respuesta::kAbortar}) {
        SCOPED_TRACE(respuestaCfg);
        p->dialogos.clear();
        p->respuestas = {respuesta::kIgnorar, respuestaCfg};
        std::string aux = "previo";
        EXPECT_EQ(Cfg(db, "PERIODO", &aux), "");
        EXPECT_EQ(aux, "previo");
        ASSERT_EQ(p->dialogos.size(), 2u);  // retry does not read again
        EXPECT_NE(p->dialogos[1].titulo.find("Cfg"), std::string::npos) << p->dialogos[1].titulo;
    }
}

TEST(EjecutarPrograma, LineaExactaDesdeLaCarpetaDelPrograma) {
    ConPlataformaGuionada p;
    DB_Dll db;
    db.gServidor = "SRV01\\INST";
    db.gDBName = db.gUsuario = db.gUserPassWord = "EMP";
    long id = -1;
    EjecutarPrograma(db, "SHELL:V_TA_TABLAS", "SOLOTARJETA", id);
    EXPECT_EQ(id, 1234);
    ASSERT_EQ(p->procesos.size(), 1u);
    const std::string linea = p->procesos[0];
    EXPECT_EQ(linea,
              "/opt/asientos/V_TA_TABLAS ; @server=SRV01\\INST; @dbname=EMP; @usuario=EMP; "
              "@Password=EMP; @ParametroAdicional=SOLOTARJETA; omni@ ;");
    EXPECT_TRUE(p->dialogos.empty());

    // The launched program reads its entries back; the closing marker keeps the last one
    // closed, even when the extra parameter is empty.
    EXPECT_EQ(LeerParametro(linea, "@ParametroAdicional"), "SOLOTARJETA");
    EXPECT_EQ(LeerParametro(linea, "@Server"), "SRV01\\INST");
    p->procesos.clear();
    EjecutarPrograma(db, "shell:Mv_asientos", "", id);
    EXPECT_EQ(LeerParametro(p->procesos.at(0), "@ParametroAdicional"), "");
    EXPECT_EQ(p->procesos.at(0).substr(0, 25), "/opt/asientos/Mv_asientos");
}

// A folder or a value with blanks reaches the program whole: the program file and the
// parameter text are separate arguments. A program that cannot start raises to the caller.
TEST(EjecutarPrograma, CarpetaConBlancosYProgramaQueNoArranca) {
    ConPlataformaGuionada p;
    p->rutaEjecutable = "/opt/mis programas/asientos-modelo";
    DB_Dll db;
    db.gServidor = "SRV 01";
    db.gDBName = db.gUsuario = db.gUserPassWord = "EMP";
    long id = -1;
    EjecutarPrograma(db, "SHELL:V_TA_TABLAS", "", id);
    ASSERT_EQ(p->argumentos.size(), 1u);
    ASSERT_EQ(p->argumentos[0].size(), 2u);
    EXPECT_EQ(p->argumentos[0][0], "/opt/mis programas/V_TA_TABLAS");
    EXPECT_EQ(LeerParametro(p->argumentos[0][1], "@Server"), "SRV 01");

    p->procesoFalla = true;
    id = -1;
    EXPECT_THROW(EjecutarPrograma(db, "SHELL:NO_EXISTE", "", id), ErrorEjecucion);
    EXPECT_EQ(id, 0);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST(EjecutarPrograma, NadaArrancadoAvisaOpcionNoImplementada) {
    ConPlataformaGuionada p;
    p->pidProceso = 0;
    DB_Dll db;
    long id = -1;
    p->Esperar("Opcion no Implementada!\rComuniquese con su proveedor de sistemas");
    EjecutarPrograma(db, "SHELL:NO_EXISTE", "", id);
    EXPECT_EQ(id, 0);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].titulo, "Atención");
    EXPECT_EQ(p->dialogos[0].estilo, estilo::kCritico);
}

TEST(AbrirDocumento, RutaConBlancosLlegaEntera) {
    ConPlataformaGuionada p;
    AbrirDocumento("/home/usuario/Mis Documentos/manual.pdf", true);
    AbrirDocumento("https://example.com/ayuda", false);
    ASSERT_EQ(p->documentos.size(), 2u);
    EXPECT_EQ(p->documentos[0], "/home/usuario/Mis Documentos/manual.pdf");
    EXPECT_EQ(p->documentos[1], "https://example.com/ayuda");
}

}  // namespace
