#pragma once
// A database of its own for each test: the schema (and demo data) in a temporary folder, a
// data access object connected to it, and a direct SQLite handle to read back what was written.
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "BaseDemo.h"
#include "DB_Dll.h"
#include "SemanticaSqlite.h"

using namespace helperlib;
using namespace data;

class BaseTemporal {
  public:
    explicit BaseTemporal(bool conDemo = true) {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "store_prueba_XXXXXX").string();
        if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
        carpeta_ = plantilla;
        CrearBaseDesdeScripts(Archivo(), CarpetaScriptsDb(), conDemo);
    }
    ~BaseTemporal() noexcept {
        if (directa_) sqlite3_close_v2(directa_);
        std::error_code ec;
        std::filesystem::remove_all(carpeta_, ec);
    }
    BaseTemporal(const BaseTemporal&) = delete;
    BaseTemporal& operator=(const BaseTemporal&) = delete;

    const std::string& Carpeta() const { return carpeta_; }
    std::string Archivo() const { return carpeta_ + "/PRUEBA.sqlite"; }
    std::string Cadena() const {
        return "Provider=SQLOLEDB;Server=sqlite:" + carpeta_ + ";Database=PRUEBA;";
    }

    /// Connects `db` to this database as the start-up would.
    void Conectar(DB_Dll& db) const {
        db.gConnString = Cadena();
        db.gCnn.Open(Cadena());
        db.gOpenFlag = true;
    }

    /// Runs statements directly (set-up of a case).
    void Ejecutar(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(Directa(), sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string m = error ? error : "";
            sqlite3_free(error);
            throw std::runtime_error(sql + ": " + m);
        }
    }

    /// The rows of a query, every value as text ("<NULL>" for Null).
    std::vector<std::vector<std::string>> Filas(const std::string& sql) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(Directa(), sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(Directa()));
        std::vector<std::vector<std::string>> filas;
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<std::string> fila;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const auto* t = sqlite3_column_text(st, i);
                fila.push_back(t ? reinterpret_cast<const char*>(t) : "<NULL>");
            }
            filas.push_back(std::move(fila));
        }
        sqlite3_finalize(st);
        return filas;
    }

    /// The first column of the first row ("" when there is none).
    std::string Valor(const std::string& sql) {
        const auto f = Filas(sql);
        return f.empty() || f[0].empty() ? "" : f[0][0];
    }

  private:
    /// The direct handle, opened on first use (so that a test may fork before any connection
    /// exists in the process: SQLite connections must not cross a fork).
    sqlite3* Directa() {
        if (directa_) return directa_;
        if (sqlite3_open_v2(Archivo().c_str(), &directa_, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error("no se pudo abrir " + Archivo());
        RegistrarSemanticaSuite(directa_);
        sqlite3_busy_timeout(directa_, 5000);
        return directa_;
    }

    std::string carpeta_;
    sqlite3* directa_ = nullptr;
};
