// Loadable SQLite extension with the suite's text semantics (collation SUITE_CI, a LIKE that
// ignores case with Spanish letters, and the server functions the program's statements use),
// so that the sqlite3 shell and other tools can work on the program's databases:
//     sqlite3 DEMO.sqlite
//     sqlite> .load build/lib/suite_sqlite
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include "SemanticaSqlite.h"

using namespace data;

extern "C" {

/// Entry point SQLite looks for in "suite_sqlite.so" (named after the file).
__attribute__((visibility("default"))) int sqlite3_suitesqlite_init(
    sqlite3* db, char** error, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    const int rc = RegistrarSemanticaSuite(db);
    if (rc != SQLITE_OK && error != nullptr) *error = sqlite3_mprintf("suite_sqlite: error %d", rc);
    return rc;
}

/// The generic entry point, for hosts that name none.
__attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char** error,
                                                                  const sqlite3_api_routines* api) {
    return sqlite3_suitesqlite_init(db, error, api);
}
}
