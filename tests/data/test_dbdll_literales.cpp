#include <gtest/gtest.h>

#include "DB_Dll.h"

using namespace helperlib;
using namespace data;

TEST(ClasificadoresAdo, GruposPorCodigoNumericoOTexto) {
    EXPECT_TRUE(DB_Dll::adodate(135));
    EXPECT_TRUE(DB_Dll::adodate(64));
    EXPECT_FALSE(DB_Dll::adodate(200));
    EXPECT_TRUE(DB_Dll::adodate("7"));
    EXPECT_TRUE(DB_Dll::ADOText(202));
    EXPECT_FALSE(DB_Dll::ADOText(131));
    EXPECT_TRUE(DB_Dll::ADONumeric("131"));
    EXPECT_TRUE(DB_Dll::ADONumeric(" 2 "));
    EXPECT_FALSE(DB_Dll::ADONumeric(6));
    EXPECT_TRUE(DB_Dll::ADOCurrency(6));
    EXPECT_TRUE(DB_Dll::ADOBoolean("11"));
    EXPECT_FALSE(DB_Dll::ADOBoolean(1));
    EXPECT_EQ(DB_Dll::ADOComilla(202), "'");
    EXPECT_EQ(DB_Dll::ADOComilla(133), "'");
    EXPECT_EQ(DB_Dll::ADOComilla(3), "");
    // A code that cannot be compared answers false.
    for (const char* t : {"", "abc", "7x", "-", "99999999999999999999"}) {
        EXPECT_FALSE(DB_Dll::adodate(t)) << t;
        EXPECT_FALSE(DB_Dll::ADONumeric(t)) << t;
        EXPECT_EQ(DB_Dll::ADOComilla(t), "") << t;
    }
}

TEST(SQLValue, NumerosNulosYTextos) {
    EXPECT_EQ(DB_Dll::SQLValue(std::string("12.5"), "@"), "12.5");
    EXPECT_EQ(DB_Dll::SQLValue(std::string("1,5"), "@"), "1.5");
    EXPECT_EQ(DB_Dll::SQLValue(std::string("12.50000"), "@"), "12.5");
    EXPECT_EQ(DB_Dll::SQLValue(std::nullopt, "@"), "0");
    EXPECT_EQ(DB_Dll::SQLValue(std::string("abc"), "@"), "0");
    EXPECT_EQ(DB_Dll::SQLValue(std::string("ABC"), "'"), "'ABC'");
    EXPECT_EQ(DB_Dll::SQLValue(std::nullopt, "'"), "NULL");
    EXPECT_EQ(DB_Dll::SQLValue(std::nullopt, ""), "NULL");
    EXPECT_EQ(DB_Dll::SQLValue(std::string("12"), ""), "12");
    EXPECT_EQ(DB_Dll::SQLValue2(std::string("ABC"), "'"), "'ABC'");
}

TEST(SQLValue, ElTextoSeCopiaTalCual) {
    // The suite's literal form: nothing inside the value is escaped (the program's own
    // statements double apostrophes with their quoting function instead).
    EXPECT_EQ(DB_Dll::SQLValue(std::string("O'HARA"), "'"), "'O'HARA'");
    EXPECT_EQ(DB_Dll::SQLValue2(std::string("O'HARA"), "'"), "'O'HARA'");
}

TEST(NombresDeObjetos, CorchetesYDueno) {
    EXPECT_EQ(DB_Dll::AddBrackets("MIS DATOS"), "[MIS DATOS]");
    EXPECT_EQ(DB_Dll::AddBrackets("[MIS DATOS]"), "[MIS DATOS]");
    EXPECT_EQ(DB_Dll::AddBrackets("DATOS"), "DATOS");
    EXPECT_EQ(DB_Dll::StripBrackets("[MIS DATOS]"), "MIS DATOS");
    EXPECT_EQ(DB_Dll::StripBrackets("DATOS"), "DATOS");
    EXPECT_EQ(DB_Dll::StripBrackets("["), "");
    std::string nombre = "a.b.c";
    EXPECT_EQ(DB_Dll::StripOwner(nombre), "b.c");
    EXPECT_EQ(nombre, "b.c");
    std::string simple = "CLIENTES";
    EXPECT_EQ(DB_Dll::StripOwner(simple), "CLIENTES");
}

TEST(NombresDeObjetos, PartesConexionYCarpeta) {
    std::string n = "dbo.CLIENTES";
    EXPECT_EQ(DB_Dll::stSTF(n, true), "CLIENTES");
    EXPECT_EQ(DB_Dll::stSTF(n, false), "dbo");
    EXPECT_EQ(n, "dbo.CLIENTES");
    std::string tres = "srv.dbo.CLIENTES";
    EXPECT_EQ(DB_Dll::stSTF(tres, true), "dbo.CLIENTES");
    EXPECT_EQ(tres, "dbo.CLIENTES");
    std::string sin = "CLIENTES";
    EXPECT_EQ(DB_Dll::stSTF(sin, false), "CLIENTES");

    EXPECT_EQ(DB_Dll::StripConnect("CLIENTES ->REMOTO"), "CLIENTES");
    EXPECT_EQ(DB_Dll::StripConnect("CLIENTES"), "CLIENTES");
    EXPECT_EQ(DB_Dll::StripConnect("X->Y"), "");
    try {
        DB_Dll::StripConnect("->REMOTO");
        FAIL() << "sin error";
    } catch (const ErrorEjecucion& e) {
        EXPECT_EQ(e.Numero(), errnum::kArgumentoInvalido);
    }

    EXPECT_EQ(DB_Dll::StripFileName("C:\\SIS\\EMP.MDB"), "C:\\SIS");
    EXPECT_EQ(DB_Dll::StripFileName("/opt/sis/EMP.MDB"), "/opt/sis");
    EXPECT_EQ(DB_Dll::StripFileName("EMP.MDB"), "");
    EXPECT_EQ(DB_Dll::StripFileName(""), "");
}
