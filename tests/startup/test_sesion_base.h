#pragma once
// A demo database of its own for each start-up test: a temporary folder holding EMPRESA.sqlite
// made from the db/ scripts, the scripted platform with the program "installed" in that
// folder, and session values of its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "BaseDemo.h"
#include "DB_Dll.h"
#include "PlataformaGuionada.h"
#include "Utilidades.h"
#include "ValoresSesion.h"

using namespace helperlib;
using namespace data;
using namespace startup;

class ConBaseDemo : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> n{0};
        carpeta = std::filesystem::temp_directory_path() /
                  ("startup_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
        std::filesystem::remove_all(carpeta);
        std::filesystem::create_directories(carpeta / "config");
        CrearBaseDesdeScripts((carpeta / "EMPRESA.sqlite").string(), CarpetaScriptsDb(), true);
        ::setenv("XDG_CONFIG_HOME", (carpeta / "config").c_str(), 1);
        p->rutaEjecutable = (carpeta / "asientos-modelo").string();
    }
    void TearDown() override { std::filesystem::remove_all(carpeta); }

    /// The launch entries that select the demo database.
    std::string Conexion() const {
        return "@Server=sqlite:" + carpeta.string() + ";@DbName=EMPRESA;";
    }

    /// Opens `db` on the demo database the way the start-up does, without the start-up.
    void Abrir(DB_Dll& db) {
        db.gServidor = "sqlite:" + carpeta.string();
        db.gDBName = db.gUsuario = db.gUserPassWord = "EMPRESA";
        db.OpenServerADODB(false, 3, "", false, true);
        ASSERT_TRUE(db.gOpenFlag);
    }

    /// Runs a statement directly; fails the test when it fails.
    void Sql(DB_Dll& db, const std::string& sql) {
        try {
            db.gCnn.Execute(sql);
        } catch (const std::exception& e) {
            FAIL() << sql << ": " << e.what();
        }
    }

    /// The first column of the first row of `sql` as text ("" for Null or no row).
    std::string Valor(DB_Dll& db, const std::string& sql) {
        Recordset rs = db.gCnn.Execute(sql);
        if (rs.State() == 0 || rs.EOF()) return "<sin filas>";
        return TextoDeValor(rs.Fields(0));
    }

    std::filesystem::path carpeta;
    ConPlataformaGuionada p;
    ValoresSesion sesion;
};
