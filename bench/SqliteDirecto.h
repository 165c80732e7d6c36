#pragma once
// The bare-engine side of the comparisons, straight on the SQLite C API: a handle with the
// suite's collation and functions registered (what any program reading these databases must
// do once), statements prepared once and stepped to the end with every column read as text.
// Nothing of the program runs inside a timed loop of the bare side.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Conexion.h"
#include "Dialecto.h"
#include "SemanticaSqlite.h"

/// Stops the benchmark program: a bare side that cannot do its work must not be timed.
[[noreturn]] inline void FallaDirecta(const std::string& que, sqlite3* db) {
    std::fprintf(stderr, "%s: %s\n", que.c_str(), db ? sqlite3_errmsg(db) : "");
    std::abort();
}

/// A database opened on the bare API with the suite semantics registered. `modo`: the open
/// flags (kModoMotor opens it as the program's embedded engine opens its connection).
class BaseDirecta {
  public:
    static constexpr int kModoMotor = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    explicit BaseDirecta(const std::string& ruta, int modo = SQLITE_OPEN_READWRITE) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(ruta.c_str(), &db, modo, nullptr) != SQLITE_OK)
            FallaDirecta("abrir " + ruta, db);
        db_.reset(db);
        if (data::RegistrarSemanticaSuite(db) != SQLITE_OK) FallaDirecta("semantica", db);
        sqlite3_busy_timeout(db, 30000);
    }
    sqlite3* get() const { return db_.get(); }
    void Exec(const std::string& sql) const {
        if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            FallaDirecta(sql, db_.get());
    }

  private:
    struct Cerrar {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };
    std::unique_ptr<sqlite3, Cerrar> db_;
};

/// One statement prepared once; each run binds, steps to the end reading every column as text
/// and resets.
class Preparada {
  public:
    Preparada(const BaseDirecta& db, const std::string& sql) : db_(db.get()) {
        sqlite3_stmt* st = nullptr;
        const char* resto = nullptr;
        if (sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st, &resto) !=
                SQLITE_OK ||
            st == nullptr)
            FallaDirecta("preparar " + sql, db_);
        st_.reset(st);
        for (; *resto; ++resto)
            if (*resto != ' ' && *resto != ';' && *resto != '\n')
                FallaDirecta("dos sentencias: " + sql, nullptr);
    }
    int Parametros() const { return sqlite3_bind_parameter_count(st_.get()); }
    void Texto(int i, const std::string& v) {
        sqlite3_bind_text(st_.get(), i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    /// Steps to the end; returns the rows read (every column of each read as text).
    long Recorrer() {
        sqlite3_stmt* st = st_.get();
        long filas = 0;
        int rc;
        const int columnas = sqlite3_column_count(st);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            for (int c = 0; c < columnas; ++c) benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            ++filas;
        }
        if (rc != SQLITE_DONE) FallaDirecta("paso", db_);
        sqlite3_reset(st);
        return filas;
    }

  private:
    struct Finalizar {
        void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
    };
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalizar> st_;
};

/// The statements one action of the program sends, in order, as the connection's observer sees
/// them (before adaptation).
inline std::vector<std::string> Capturar(data::Conexion& cn, const std::function<void()>& accion) {
    std::vector<std::string> sentencias;
    auto anterior = cn.Observador;
    cn.Observador = [&](const std::string& s) { sentencias.push_back(s); };
    accion();
    cn.Observador = anterior;
    return sentencias;
}

/// The captured statements replayed on the bare API: adapted to SQLite and prepared once at
/// construction (outside any timing); each replay steps every one of them to the end. A
/// statement with placeholders cannot be replayed from its text and stops the program.
class Repeticion {
  public:
    Repeticion(const BaseDirecta& db, const std::vector<std::string>& sentencias) {
        if (sentencias.empty()) FallaDirecta("nada que repetir", nullptr);
        for (const auto& s : sentencias) {
            preparadas_.emplace_back(db, data::AdaptarSentencia(s, data::Dialecto::Sqlite));
            if (preparadas_.back().Parametros() != 0) FallaDirecta("con parametros: " + s, nullptr);
        }
    }
    size_t Cantidad() const { return preparadas_.size(); }
    /// Runs every statement once; returns the rows read by all of them.
    long Correr() {
        long filas = 0;
        for (auto& p : preparadas_) filas += p.Recorrer();
        return filas;
    }

  private:
    std::vector<Preparada> preparadas_;
};

/// Peak resident memory while `accion` runs, in MB above what was resident before it (Linux:
/// free heap returned with malloc_trim, the peak reset through /proc/self/clear_refs, then read
/// as VmHWM). -1 when unavailable.
inline double PicoMemoriaMb(const std::function<void()>& accion) {
    auto leerKb = [](const char* clave) {
        long kb = -1;
        if (FILE* f = std::fopen("/proc/self/status", "r")) {
            char linea[256];
            const size_t n = std::strlen(clave);
            while (std::fgets(linea, sizeof linea, f))
                if (std::strncmp(linea, clave, n) == 0) kb = std::atol(linea + n);
            std::fclose(f);
        }
        return kb;
    };
    // Heap memory freed by earlier runs goes back to the system first, so that "before" is
    // what is really in use.
    malloc_trim(0);
    FILE* limpiar = std::fopen("/proc/self/clear_refs", "w");
    const bool reiniciado = limpiar && std::fputs("5", limpiar) >= 0;
    if (limpiar && std::fclose(limpiar) != 0) return -1;
    const long antes = leerKb("VmRSS:");
    accion();
    const long pico = leerKb("VmHWM:");
    if (!reiniciado || antes < 0 || pico < 0) return -1;
    return static_cast<double>(pico - antes) / 1024.0;
}
