// crear-consultas FUENTE DESTINO: writes the saved-query file (records of 1202 bytes) from its
// readable source (one lookup a line: "name ; columns ; filter"). Ends with status 1 and a
// message naming the fault when the source cannot be read or a line does not fit a record.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "ArchivoConsultas.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "uso: crear-consultas FUENTE DESTINO\n";
        return 2;
    }
    try {
        std::ifstream fuente(argv[1]);
        if (!fuente) throw std::runtime_error(std::string("no se puede leer ") + argv[1]);
        const auto registros = lookup::LeerFuenteConsultas(fuente);
        const std::string temporal = std::string(argv[2]) + ".tmp";
        {
            std::ofstream destino(temporal, std::ios::binary | std::ios::trunc);
            for (const auto& r : registros) destino << lookup::RegistroEnBytes(r);
            destino.close();
            if (!destino) throw std::runtime_error("no se puede escribir " + temporal);
        }
        // Renamed into place, so a failed run never leaves a half-written file behind.
        if (std::rename(temporal.c_str(), argv[2]) != 0)
            throw std::runtime_error(std::string("no se puede reemplazar ") + argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "crear-consultas: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
