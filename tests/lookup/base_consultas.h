#pragma once
// A database of its own for each lookup test: a temporary folder holding CONSULTAS.sqlite made
// from the db/ scripts (schema only; each test inserts the rows it needs), the data access
// object opened on it and the scripted platform.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BaseDemo.h"
#include "DB_Dll.h"
#include "PlataformaGuionada.h"

using namespace helperlib;
using namespace data;

class ConBaseConsultas : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> n{0};
        carpeta = std::filesystem::temp_directory_path() /
                  ("lookup_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
        std::filesystem::remove_all(carpeta);
        std::filesystem::create_directories(carpeta);
        CrearBaseDesdeScripts((carpeta / "CONSULTAS.sqlite").string(), CarpetaScriptsDb(), false);
        p->rutaEjecutable = (carpeta / "asientos-modelo").string();
        db.gServidor = "sqlite:" + carpeta.string();
        db.gDBName = db.gUsuario = db.gUserPassWord = "CONSULTAS";
        db.OpenServerADODB(false, 3, "", false, true);
        ASSERT_TRUE(db.gOpenFlag);
        db.gCnn.Observador = [this](const std::string& s) { enviadas.push_back(s); };
    }
    void TearDown() override { std::filesystem::remove_all(carpeta); }

    void Sql(const std::string& sql) {
        try {
            db.gCnn.Execute(sql);
        } catch (const std::exception& e) {
            FAIL() << sql << ": " << e.what();
        }
    }

    void Configurar(const std::string& clave, const std::string& valor) {
        Sql("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('" + clave + "', '" + valor +
            "')");
    }

    /// One 1202-byte record of the saved-query file (fields blank-padded, single-byte text).
    static std::string Registro(const std::string& nombre, const std::string& columnas,
                                const std::string& filtro) {
        std::string r(1202, ' ');
        r.replace(100, nombre.size(), nombre);
        r.replace(200, columnas.size(), columnas);
        r.replace(700, filtro.size(), filtro);
        r[1200] = '\r';
        r[1201] = '\n';
        return r;
    }

    std::string EscribirConsultas(const std::vector<std::string>& registros) {
        const auto ruta = (carpeta / "consultas.kxw").string();
        std::ofstream f(ruta, std::ios::binary);
        for (const auto& r : registros) f << r;
        return ruta;
    }

    std::filesystem::path carpeta;
    ConPlataformaGuionada p;
    DB_Dll db;
    std::vector<std::string> enviadas;
};
