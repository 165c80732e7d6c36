#pragma once
// Shared pieces of the schema and demo database tests: a database made from db/ in a fresh
// temporary folder, opened with the suite's text semantics, and small query helpers.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "BaseDemo.h"
#include "SemanticaSqlite.h"

using namespace data;

namespace esquema_prueba {

namespace fs = std::filesystem;

/// A temporary folder removed with everything in it when the object goes.
class CarpetaTemporal {
  public:
    CarpetaTemporal() {
        static std::atomic<int> n{0};
        ruta_ = fs::temp_directory_path() /
                ("esquema_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
        fs::remove_all(ruta_);
        fs::create_directories(ruta_);
    }
    ~CarpetaTemporal() noexcept {
        std::error_code ec;
        fs::remove_all(ruta_, ec);
    }
    const fs::path& ruta() const { return ruta_; }

  private:
    fs::path ruta_;
};

/// An open connection with the collation and functions registered.
class ConexionDirecta {
  public:
    explicit ConexionDirecta(const fs::path& archivo) {
        if (sqlite3_open_v2(archivo.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("no se abre " + archivo.string());
        RegistrarSemanticaSuite(db_);
    }
    ~ConexionDirecta() noexcept { sqlite3_close_v2(db_); }
    ConexionDirecta(const ConexionDirecta&) = delete;
    ConexionDirecta& operator=(const ConexionDirecta&) = delete;
    sqlite3* get() const { return db_; }

    /// Rows of a query, every value as text ("<NULL>" for Null). Fails the test on an error.
    std::vector<std::vector<std::string>> Filas(const std::string& sql) const {
        std::vector<std::vector<std::string>> r;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << "\n" << sqlite3_errmsg(db_);
            return r;
        }
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            std::vector<std::string> fila;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const auto* t = sqlite3_column_text(st, i);
                fila.emplace_back(t ? reinterpret_cast<const char*>(t) : "<NULL>");
            }
            r.push_back(std::move(fila));
        }
        if (rc != SQLITE_DONE) ADD_FAILURE() << sql << "\n" << sqlite3_errmsg(db_);
        sqlite3_finalize(st);
        return r;
    }
    /// The first value of the first row ("" when there is none).
    std::string Valor(const std::string& sql) const {
        const auto f = Filas(sql);
        return f.empty() || f[0].empty() ? std::string() : f[0][0];
    }
    long long Numero(const std::string& sql) const { return std::stoll("0" + Valor(sql)); }
    /// Runs a statement; returns "" or the engine's message.
    std::string Ejecutar(const std::string& sql) const {
        char* e = nullptr;
        const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &e);
        std::string m = rc == SQLITE_OK ? "" : (e ? e : "error");
        sqlite3_free(e);
        return m;
    }

  private:
    sqlite3* db_ = nullptr;
};

/// A demo database of its own for each test.
class BaseDemoPrueba : public ::testing::Test {
  protected:
    void SetUp() override {
        archivo_ = carpeta_.ruta() / "DEMO.sqlite";
        CrearBaseDesdeScripts(archivo_.string(), CarpetaScriptsDb(), true);
        con_ = std::make_unique<ConexionDirecta>(archivo_);
    }
    const ConexionDirecta& con() const { return *con_; }

    CarpetaTemporal carpeta_;
    fs::path archivo_;
    std::unique_ptr<ConexionDirecta> con_;
};

}  // namespace esquema_prueba
