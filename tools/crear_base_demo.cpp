// crear-base-demo: creates an embedded database from the scripts of db/.
//
//   crear-base-demo [--cuentas N] [--sin-demo] [--db CARPETA] <archivo.sqlite>
//
// --cuentas N  chart of exactly N accounts (default: the demo chart)
// --sin-demo   schema only, no demo data
// --db         folder of schema.sql and demo.sql (default: ASIENTOS_DB_DIR, else the scripts
//              installed or built next to this program)
// An existing file is replaced.
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "BaseDemo.h"
#include "CarpetaScripts.h"
#include "Plataforma.h"

using namespace data;

namespace {

constexpr const char* kUso =
    "Uso: crear-base-demo [--cuentas N] [--sin-demo] [--db CARPETA] <archivo.sqlite>\n";

int Uso() {
    std::cerr << kUso;
    return 2;
}

int Ayuda() {
    std::cout << kUso
              << "Crea una base de datos SQLite para el editor de asientos modelo con el esquema "
                 "y los datos de demostración.\n"
                 "  --cuentas N   plan de exactamente N cuentas (por omisión, el de "
                 "demostración)\n"
                 "  --sin-demo    solo el esquema, sin datos de demostración\n"
                 "  --db CARPETA  carpeta de schema.sql y demo.sql (por omisión, la variable "
                 "ASIENTOS_DB_DIR o la instalada junto al programa)\n"
                 "Un archivo existente se reemplaza.\n";
    return 0;
}

// The scripts' folder when none is given: ASIENTOS_DB_DIR, else the one installed or built
// next to this program; empty when neither exists.
std::string CarpetaPorDefecto() {
    const char* v = std::getenv("ASIENTOS_DB_DIR");
    if (v && *v) return v;
    const std::string exe = helperlib::plataforma().RutaEjecutable();
    if (exe.empty()) return {};
    return data::UbicarScriptsDb(std::filesystem::path(exe).parent_path().string()).value_or("");
}

}  // namespace

int main(int argc, char** argv) {
    std::string archivo;
    std::string carpeta;
    int cuentas = kCuentasDemo;
    bool conDemo = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--cuentas" && i + 1 < argc) {
            try {
                std::size_t usados = 0;
                cuentas = std::stoi(argv[++i], &usados);
                if (argv[i][usados] != '\0') return Uso();
            } catch (const std::exception&) {
                return Uso();
            }
        } else if (a == "--db" && i + 1 < argc) {
            carpeta = argv[++i];
        } else if (a == "--help" || a == "-h") {
            return Ayuda();
        } else if (a == "--sin-demo") {
            conDemo = false;
        } else if (!a.empty() && a[0] != '-' && archivo.empty()) {
            archivo = a;
        } else {
            return Uso();
        }
    }
    if (archivo.empty()) return Uso();
    if (carpeta.empty()) carpeta = CarpetaPorDefecto();
    if (carpeta.empty()) {
        std::cerr << "crear-base-demo: no se encontraron los scripts de la base (schema.sql) "
                     "junto al programa; indique la carpeta con --db\n";
        return 1;
    }
    try {
        CrearBaseDesdeScripts(archivo, carpeta, conDemo, cuentas);
    } catch (const std::exception& e) {
        std::cerr << "crear-base-demo: " << e.what() << '\n';
        return 1;
    }
    std::cout << "Base creada: " << archivo;
    if (conDemo) std::cout << " (" << cuentas << " cuentas)";
    std::cout << '\n';
    return 0;
}
