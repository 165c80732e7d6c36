#include <gtest/gtest.h>
#include <unistd.h>

#include "ArchivoBases.h"
#include "EntornoAcceso.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace acceso;

using namespace prueba;

namespace {
using Campos = std::vector<std::string>;
}

TEST(PartirCampos, ComasComillasYBlancos) {
    struct Caso {
        const char* linea;
        Campos esperado;
    };
    const Caso casos[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"  EMP / SRV1 ,  emp,emp , ~41,srv1:1500  ",
         {"EMP / SRV1", "emp", "emp", "~41", "srv1:1500"}},
        {"\"A, B\",x", {"A, B", "x"}},
        {"\" con blancos \" , y", {" con blancos ", "y"}},
        {"\tuno\t,dos", {"uno", "dos"}},
        {"a,,", {"a", "", ""}},
        {"", {""}},
    };
    for (const auto& c : casos) {
        const auto r = PartirCampos(c.linea);
        ASSERT_TRUE(r.has_value()) << c.linea;
        EXPECT_EQ(*r, c.esperado) << c.linea;
    }
    for (const char* mala : {"\"sin cerrar,a", "ab\"c,d", "\"a\"b,c", "a,\"b"})
        EXPECT_FALSE(PartirCampos(mala).has_value()) << mala;
}

TEST(LeerLineaBase, SoloLineasDeCincoCamposConClaveLegible) {
    const std::string clave = CodificarClave("EMP");
    const auto buena = LeerLineaBase("EMP / SRV1,emp,emp," + clave + ",srv1:1500");
    ASSERT_TRUE(buena.has_value());
    EXPECT_EQ(buena->Nombre, "EMP / SRV1");
    EXPECT_EQ(buena->Base, "emp");
    EXPECT_EQ(buena->Clave, "EMP");
    EXPECT_EQ(buena->Servidor, "srv1:1500");
    // A password written by hand in clear is kept as it is.
    EXPECT_EQ(LeerLineaBase("A,b,c,clara,s")->Clave, "clara");

    for (const std::string& mala :
         {std::string("EMP / SRV1,emp,emp"), std::string("A,b,c,d,e,f"),
          std::string("  ,emp,emp,x,srv"), std::string("\"\",emp,emp,x,srv"),
          std::string("A,b,c,~4,s"), std::string("A,b,c,~ZZ,s"), std::string("A,\"b,c,d,e"),
          // an encoding that decodes to control characters
          std::string("A,b,c,") + CodificarClave(std::string("\x01\x02", 2)) + ",s"})
        EXPECT_FALSE(LeerLineaBase(mala).has_value()) << mala;
}

TEST(ArchivoBases, LecturaSaltaLineasInserviblesYRespetaFinesDeLinea) {
    EntornoAcceso e;
    const std::string c = CodificarClave("X");
    EscribirArchivo(e.Bases(), "UNO / S,uno,uno," + c + ",s\r\n" +        // CR LF
                                   "\r\n" +                               // blank line
                                   ",vacio,v," + c + ",s\r\n" +           // empty first field
                                   "CORTA,a,b\r\n" +                      // too few fields
                                   "\"MAL,a,b,c,d\r\n" +                  // unclosed quote
                                   "DOS / S,dos,dos," + c + ",s\n" +      // LF only
                                   "\"TRES, S\",tres,tres," + c + ",s");  // no final line end
    const auto lista = ArchivoBases(e.Bases()).Leer();
    ASSERT_EQ(lista.size(), 3u);
    EXPECT_EQ(lista[0].Nombre, "UNO / S");
    EXPECT_EQ(lista[1].Nombre, "DOS / S");
    EXPECT_EQ(lista[2].Nombre, "TRES, S");
    EXPECT_TRUE(ArchivoBases(e.Carpeta() + "/NOESTA.TXT").Leer().empty());
    EXPECT_FALSE(ArchivoBases(e.Carpeta() + "/NOESTA.TXT").Existe());
}

TEST(ArchivoBases, NoLeeMasDeLaCuentaDeLineasDeDieciseisBits) {
    EntornoAcceso e;
    std::string contenido;
    for (int i = 1; i <= kMaxLineasBases + 2; ++i)
        contenido += "N" + std::to_string(i) + ",b,u,c,s\r\n";
    EscribirArchivo(e.Bases(), contenido);
    const auto lista = ArchivoBases(e.Bases()).Leer();
    ASSERT_EQ(lista.size(), static_cast<size_t>(kMaxLineasBases));
    EXPECT_EQ(lista.back().Nombre, "N32767");
}

TEST(ArchivoBases, BuscarDaLaPrimeraConNombreExacto) {
    EntornoAcceso e;
    EscribirArchivo(e.Bases(),
                    "EMP / S,primera,u,c,s1\r\nEMP / S,segunda,u,c,s2\r\n"
                    "emp / s,minusculas,u,c,s3\r\n");
    const ArchivoBases a(e.Bases());
    ASSERT_TRUE(a.Buscar("  EMP / S ").has_value());
    EXPECT_EQ(a.Buscar("EMP / S")->Base, "primera");
    EXPECT_EQ(a.Buscar("emp / s")->Base, "minusculas");
    EXPECT_FALSE(a.Buscar("Emp / S").has_value());
}

TEST(ArchivoBases, AgregarEscribeUnaLineaQueSeLeeIgual) {
    EntornoAcceso e;
    const ArchivoBases a(e.Bases());
    a.Agregar(" EMP / SRV1 ", " emp ", "emp", " EMP ", " srv1:1500 ");
    a.Agregar("A,B / S", "a,b", "u", "clave, con coma", "s");
    const std::string texto = LeerArchivo(e.Bases());
    EXPECT_EQ(texto.substr(0, texto.find("\r\n") + 2),
              "EMP / SRV1,emp,emp," + CodificarClave("EMP") + ",srv1:1500\r\n");
    const auto lista = a.Leer();
    ASSERT_EQ(lista.size(), 2u);
    EXPECT_EQ(lista[0].Clave, "EMP");
    EXPECT_EQ(lista[1].Nombre, "A,B / S");
    EXPECT_EQ(lista[1].Base, "a,b");
    EXPECT_EQ(lista[1].Clave, "clave, con coma");
    // A double quote cannot be carried by the format, and a password with a control character
    // would be dropped on reading: refused, nothing written.
    for (const std::string& clave :
         {std::string("c"), std::string("cla\x01ve"), std::string("a\tb"), std::string("x\x7f")}) {
        const bool comilla = clave == "c";
        SCOPED_TRACE(clave);
        try {
            a.Agregar("X", comilla ? "com\"illa" : "b", "u", clave, "s");
            ADD_FAILURE() << "aceptado";
        } catch (const ErrorEjecucion& err) {
            if (!comilla) {
                EXPECT_NE(err.Descripcion().find("contraseña"), std::string::npos);
            }
        }
        EXPECT_EQ(a.Leer().size(), 2u);
    }
}

TEST(ArchivoBases, ArchivoQueNoSePuedeEscribirSeInforma) {
    EntornoAcceso e;
    // Root writes into read-only folders, so it gets a location no one can create files in.
    const std::string carpeta = geteuid() == 0 ? std::string("/proc") : e.Carpeta() + "/ro";
    if (geteuid() != 0) {
        std::filesystem::create_directories(carpeta);
        std::filesystem::permissions(
            carpeta, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    const ArchivoBases a(carpeta + "/BASES.TXT");
    try {
        a.Agregar("N", "b", "u", "c", "s");
        FAIL() << "no error";
    } catch (const ErrorEjecucion& err) {
        EXPECT_EQ(err.Numero(), 75);
        EXPECT_NE(err.Descripcion().find(carpeta + "/BASES.TXT"), std::string::npos);
    }
    if (geteuid() != 0) std::filesystem::permissions(carpeta, std::filesystem::perms::owner_all);
}
