// crear-base-demo: creates an embedded database from the scripts of db/.
//
//   crear-base-demo [--cuentas N] [--sin-demo] [--db CARPETA] <archivo.sqlite>
//
// --cuentas N  chart of exactly N accounts (default: the demo chart)
// --sin-demo   schema only, no demo data
// --db         folder of schema.sql and demo.sql (default: ASIENTOS_DB_DIR, else the source tree)
// An existing file is replaced.
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "BaseDemo.h"

using namespace data;

namespace {

int Uso() {
    std::cerr
        << "Uso: crear-base-demo [--cuentas N] [--sin-demo] [--db CARPETA] <archivo.sqlite>\n";
    return 2;
}

std::string CarpetaPorDefecto() {
    const char* v = std::getenv("ASIENTOS_DB_DIR");
    if (v && *v) return v;
    return ASIENTOS_DB_DIR_FUENTE;
}

}  // namespace

int main(int argc, char** argv) {
    std::string archivo;
    std::string carpeta = CarpetaPorDefecto();
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
        } else if (a == "--sin-demo") {
            conDemo = false;
        } else if (!a.empty() && a[0] != '-' && archivo.empty()) {
            archivo = a;
        } else {
            return Uso();
        }
    }
    if (archivo.empty()) return Uso();
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
