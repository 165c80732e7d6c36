#pragma once
// A database file of its own for each test: a temporary folder holding "<nombre>.sqlite" made
// from the schema the test writes, removed with the object.
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "SemanticaSqlite.h"

using namespace data;

class BaseTemporal {
  public:
    explicit BaseTemporal(const std::string& esquema, std::string nombre = "EMPRESA")
        : nombre_(std::move(nombre)) {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "sqlite_prueba_XXXXXX").string();
        if (mkdtemp(plantilla.data()) == nullptr) throw std::runtime_error("mkdtemp");
        carpeta_ = plantilla;
        sqlite3* db = nullptr;
        sqlite3_open_v2(Ruta().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        RegistrarSemanticaSuite(db);  // the schema's indexes name the suite collation
        char* error = nullptr;
        const int rc = sqlite3_exec(db, esquema.c_str(), nullptr, nullptr, &error);
        const std::string mensaje = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        if (rc != SQLITE_OK) throw std::runtime_error("esquema: " + mensaje);
    }
    ~BaseTemporal() {
        std::error_code ec;
        std::filesystem::remove_all(carpeta_, ec);
    }
    BaseTemporal(const BaseTemporal&) = delete;
    BaseTemporal& operator=(const BaseTemporal&) = delete;

    const std::filesystem::path& Carpeta() const { return carpeta_; }
    std::string Ruta() const { return (carpeta_ / (nombre_ + ".sqlite")).string(); }
    /// The connection string the start-up builds, with the embedded engine's server value.
    std::string Cadena() const {
        return "PROVIDER=SQLOLEDB;Server=sqlite:" + carpeta_.string() + ";Database =" + nombre_ +
               ";UId=" + nombre_ + ";Pwd=" + nombre_ + ";";
    }

  private:
    std::string nombre_;
    std::filesystem::path carpeta_;
};

/// A small chart of accounts and template table in the shape of the suite's.
inline const char* kEsquemaPrueba = R"(
CREATE TABLE MA_CUENTAS (
    CODIGO varchar(20) COLLATE SUITE_CI NOT NULL PRIMARY KEY,
    NOMBRE varchar(10) COLLATE SUITE_CI,
    SALDO money,
    NIVEL int,
    ALTA datetime,
    ACTIVA bit,
    CONSTRAINT largo_NOMBRE CHECK (length(NOMBRE) <= 10));
CREATE INDEX ix_cuentas_codigo_trim ON MA_CUENTAS (LTRIM(RTRIM(CODIGO)) COLLATE SUITE_CI);
CREATE TABLE MA_MODELOS (
    NOMBRE varchar(30) COLLATE SUITE_CI NOT NULL,
    SECUENCIA smallint NOT NULL,
    CUENTA varchar(20) COLLATE SUITE_CI,
    "DEBE-HABER" char(1) COLLATE SUITE_CI,
    IMPORTE varchar(30),
    PRIMARY KEY (NOMBRE, SECUENCIA));
)";
