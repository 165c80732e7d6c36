#pragma once
// The bare-engine side of the comparisons: one statement prepared, stepped to the end with
// every column read as text, and finalized, straight on the SQLite C API.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

/// Runs `sql` on `db` reading every value; returns the number of rows.
inline int RecorrerSentencia(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    int filas = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(st, c));
        ++filas;
    }
    sqlite3_finalize(st);
    return filas;
}
