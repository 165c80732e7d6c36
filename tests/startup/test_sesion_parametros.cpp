// Reading the launch parameter string: one table of cases for the value extraction and the
// building of the string from a process's arguments.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ErrorEjecucion.h"
#include "ParametrosLanzamiento.h"

using namespace helperlib;
using namespace startup;

namespace {

struct CasoParametro {
    const char* linea;
    const char* clave;
    std::optional<std::string> esperado;  // nullopt: the entry raises error 5
};

const CasoParametro kCasos[] = {
    {"@Server=SRV01;@DbName=EMP;", "@Server", "SRV01"},
    {"@Server=SRV01;@DbName=EMP;", "@DbName", "EMP"},
    {"@Caja= 3 ;", "@Caja", "3"},
    {"@Caja=  caja 1 ;", "@Caja", "caja 1"},     // inner blanks kept, outer ones lost
    {"@dbname=EMP;", "@DbName", "EMP"},          // key case ignored
    {"@DBNAME=Emp;", "@dbname", "Emp"},          // the value keeps its case
    {"", "@Server", ""},                         // empty line
    {"@Menu=1;", "@Server", ""},                 // absent key
    {"@Server=SRV01", "@Server", std::nullopt},  // no closing ";"
    {"@Menu=1;@Server=SRV01", "@Server", std::nullopt},
    {"@Server=;", "@Server", ""},
    {"@Server=SRV01;", "@Server", "SRV01"},
    {"@Usuario=USUARIO1;@UsuarioLogeado=USUARIO2;", "@Usuario", "USUARIO1"},
    {"@Usuario=USUARIO1;@UsuarioLogeado=USUARIO2;", "@UsuarioLogeado", "USUARIO2"},
    // "@Usuario" is found inside "@UsuarioLogeado" when that entry comes first.
    {"@UsuarioLogeado=USUARIO2;@Usuario=USUARIO1;", "@Usuario", "LogeadoUSUARIO2"},
    {"@ParametroAdicional=A=B;", "@ParametroAdicional", "AB"},      // every "=" removed
    {"@Server=SRV01 @DbName=EMP;", "@Server", "SRV01 @DbNameEMP"},  // runs to the next ";"
    {"@Caja=ñandú;", "@CAJA", "ñandú"},
    {"  @Menu=1 ; @Caja=2;", "@Caja", "2"},
};

TEST(LeerParametro, TablaDeCasos) {
    for (const auto& c : kCasos) {
        SCOPED_TRACE(std::string(c.linea) + " / " + c.clave);
        if (c.esperado) {
            EXPECT_EQ(LeerParametro(c.linea, c.clave), *c.esperado);
        } else {
            try {
                LeerParametro(c.linea, c.clave);
                ADD_FAILURE() << "no se produjo el error 5";
            } catch (const ErrorEjecucion& e) {
                EXPECT_EQ(e.Numero(), errnum::kArgumentoInvalido);
            }
        }
    }
}

TEST(LeerParametro, EntradaDemasiadoLargaDesborda) {
    const std::string linea = "@Menu=" + std::string(40000, 'x') + ";";
    try {
        LeerParametro(linea, "@Menu");
        FAIL() << "no desbordó";
    } catch (const ErrorEjecucion& e) {
        EXPECT_EQ(e.Numero(), errnum::kDesbordamiento);
    }
}

TEST(LineaDeParametros, UneLosArgumentosConUnBlanco) {
    const char* nada[] = {"asientos-modelo"};
    EXPECT_EQ(LineaDeParametros(1, nada), "");
    const char* uno[] = {"asientos-modelo", "@Server=sqlite:/tmp;@DbName=X;"};
    EXPECT_EQ(LineaDeParametros(2, uno), "@Server=sqlite:/tmp;@DbName=X;");
    // A shell splits "@Caja=caja 1;" at the blank; joining gives the string back.
    const char* partido[] = {"asientos-modelo", "@Menu=1;@Caja=caja", "1;"};
    EXPECT_EQ(LineaDeParametros(3, partido), "@Menu=1;@Caja=caja 1;");
    EXPECT_EQ(LeerParametro(LineaDeParametros(3, partido), "@Caja"), "caja 1");
}

}  // namespace
