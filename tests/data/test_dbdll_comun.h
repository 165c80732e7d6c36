#pragma once
// Shared pieces of the data access object tests: a temporary folder with small SQLite
// databases, a data access object opened on them, and an engine that loses its link on demand.
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "DB_Dll.h"
#include "MotorSqlite.h"

using namespace helperlib;
using namespace data;

namespace prueba {

inline void CrearBase(const std::string& ruta, const std::string& guion) {
    sqlite3* db = nullptr;
    if (sqlite3_open(ruta.c_str(), &db) != SQLITE_OK) throw std::runtime_error("sqlite open");
    char* err = nullptr;
    sqlite3_exec(db, "PRAGMA synchronous=OFF;", nullptr, nullptr, nullptr);
    const int rc = sqlite3_exec(db, ("BEGIN;" + guion + "COMMIT;").c_str(), nullptr, nullptr, &err);
    const std::string msg = err ? err : "";
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("sqlite exec: " + msg);
}

inline const char* kGuionEmp = R"(
CREATE TABLE MA_CUENTAS (CODIGO varchar(20), DESCRIPCION varchar(50), IMPORTE money);
INSERT INTO MA_CUENTAS VALUES ('1101', 'Caja', 150.5);
INSERT INTO MA_CUENTAS VALUES ('  2101 ', 'Proveedores', 0);
INSERT INTO MA_CUENTAS VALUES ('O''HARA', 'Cliente O''Hara', 10);
INSERT INTO MA_CUENTAS VALUES ('NULA', NULL, NULL);
CREATE TABLE ta_usuarios (nombre varchar(20), Administrador int);
INSERT INTO ta_usuarios VALUES ('ADMIN', 1);
INSERT INTO ta_usuarios VALUES ('PEPE', 0);
INSERT INTO ta_usuarios VALUES ('VACIO', NULL);
CREATE TABLE CODIGOS (CODIGO varchar(10));
INSERT INTO CODIGOS VALUES ('00123');
INSERT INTO CODIGOS VALUES ('00045');
CREATE TABLE VACIA (CODIGO varchar(10));
)";

/// A fresh folder holding EMP.sqlite (the tables above) and SINUSU.sqlite (no ta_usuarios).
class CarpetaTemporal {
  public:
    CarpetaTemporal() {
        std::string plantilla = (std::filesystem::temp_directory_path() / "dbdll-XXXXXX").string();
        if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
        ruta_ = plantilla;
        CrearBase(Base("EMP"), kGuionEmp);
        CrearBase(Base("SINUSU"), "CREATE TABLE MA_CUENTAS (CODIGO varchar(20));");
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        std::filesystem::remove_all(ruta_, ec);
    }
    const std::string& Ruta() const { return ruta_; }
    std::string Base(const std::string& nombre) const { return ruta_ + "/" + nombre + ".sqlite"; }

  private:
    std::string ruta_;
};

/// Prepares `db` for the embedded database `base` of `carpeta` under the login convention.
inline void Preparar(DB_Dll& db, const CarpetaTemporal& carpeta, const std::string& base) {
    db.gServidor = "sqlite:" + carpeta.Ruta();
    db.gDBName = base;
    db.gUsuario = base;
    db.gUserPassWord = base;
}

/// What the failing engine does next; shared by every engine a test installs, so that it
/// survives reconnections.
struct Guion {
    int fallasRed = 0;                    // statements that fail next with a lost link
    int fallasTruncamiento = 0;           // statements that fail next with a truncated value
    int aperturasFallidas = 0;            // reopenings that fail next
    int aperturas = 0;                    // reopenings attempted
    std::vector<std::string> sentencias;  // statements that reached the engine
};

/// A real SQLite engine that fails on demand.
class MotorFallon final : public Motor {
  public:
    MotorFallon(const std::string& ruta, Guion& guion)
        : real_(std::make_unique<MotorSqlite>(ruta)), guion_(guion) {}
    Dialecto DialectoSql() const override { return real_->DialectoSql(); }
    ResultadoSql Ejecutar(const std::string& sql) override {
        guion_.sentencias.push_back(sql);
        Fallar();
        return real_->Ejecutar(sql);
    }
    ResultadoSql EjecutarConParametros(const std::string& sql,
                                       const std::vector<ValorSql>& p) override {
        guion_.sentencias.push_back(sql);
        Fallar();
        return real_->EjecutarConParametros(sql, p);
    }
    void Comenzar() override { real_->Comenzar(); }
    void Confirmar() override { real_->Confirmar(); }
    void Revertir() override { real_->Revertir(); }
    bool EnTransaccion() override { return real_->EnTransaccion(); }
    void FijarTiempoEspera(int s) override { real_->FijarTiempoEspera(s); }
    std::string BaseActual() override { return real_->BaseActual(); }
    void FijarBaseActual(const std::string& b) override { real_->FijarBaseActual(b); }
    std::vector<std::string> Tablas() override { return real_->Tablas(); }
    std::vector<std::string> Columnas(const std::string& t) override { return real_->Columnas(t); }
    bool Viva() override { return true; }

  private:
    void Fallar() {
        if (guion_.fallasRed > 0) {
            --guion_.fallasRed;
            throw FallaMotor(ClaseFalla::ConexionPerdida, "08S01", 10054,
                             "Error general de red. Se perdio el enlace.");
        }
        if (guion_.fallasTruncamiento > 0) {
            --guion_.fallasTruncamiento;
            throw FallaMotor(ClaseFalla::Truncamiento, "22001", 19,
                             "Los datos de cadena o binarios se truncarían.");
        }
    }
    std::unique_ptr<MotorSqlite> real_;
    Guion& guion_;
};

/// Makes `db` open every connection on a MotorFallon over `ruta`; a reopening fails (as the
/// provider's unspecified failure) while guion.aperturasFallidas lasts.
inline void InstalarMotorFallon(DB_Dll& db, const std::string& ruta, Guion& guion) {
    db.AbrirConexion = [&guion, ruta](Conexion& cn, const std::string& cadena, const std::string&,
                                      const std::string&) {
        ++guion.aperturas;
        if (guion.aperturasFallidas > 0) {
            --guion.aperturasFallidas;
            throw ErrorEjecucion(errnum::kEFail, "No se pudo abrir la conexion");
        }
        cn.AbrirConMotor(std::make_unique<MotorFallon>(ruta, guion), cadena);
    };
}

}  // namespace prueba
