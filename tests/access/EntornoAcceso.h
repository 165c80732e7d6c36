#pragma once
// Shared pieces of the access tests: a temporary program folder (the scripted platform reports
// an executable in it, so BASES.TXT and ODBC.exe are looked for there), embedded databases made
// from the db/ scripts in a sub-folder, and small file helpers.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "BaseDemo.h"
#include "DB_Dll.h"
#include "PlataformaGuionada.h"
#include "ValoresSesion.h"

using namespace helperlib;
using namespace data;
using namespace startup;

namespace prueba {

inline std::string LeerArchivo(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void EscribirArchivo(const std::string& ruta, const std::string& contenido) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f << contenido;
}

class EntornoAcceso {
  public:
    EntornoAcceso() {
        std::string plantilla = (std::filesystem::temp_directory_path() / "acceso-XXXXXX").string();
        if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
        carpeta_ = plantilla;
        std::filesystem::create_directories(carpeta_ + "/bases");
        plataforma->rutaEjecutable = carpeta_ + "/asientos-modelo";
        db.VincularUsuarioSesion(sesion.gUsuarioLogeado);
    }
    ~EntornoAcceso() {
        std::error_code ec;
        std::filesystem::permissions(carpeta_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(carpeta_, ec);
    }

    ConPlataformaGuionada plataforma;
    ValoresSesion sesion;
    DB_Dll db;  // reads the session user from `sesion`

    /// The program folder, without a final "/".
    const std::string& Carpeta() const { return carpeta_; }
    std::string Bases() const { return carpeta_ + "/BASES.TXT"; }
    /// The server value that reaches the embedded databases of this folder.
    std::string Servidor() const { return "sqlite:" + carpeta_ + "/bases"; }
    /// Creates `<nombre>.sqlite` (schema only, or with the demo data) in the databases folder.
    void CrearBase(const std::string& nombre, bool conDemo = false) const {
        CrearBaseDesdeScripts(carpeta_ + "/bases/" + nombre + ".sqlite", CarpetaScriptsDb(),
                              conDemo);
    }

  private:
    std::string carpeta_;
};

}  // namespace prueba
