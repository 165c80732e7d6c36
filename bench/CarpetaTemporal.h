#pragma once
// What every benchmark's database needs around it: a folder of its own under the system's
// temporary folder, removed with all it holds when the benchmark's data goes, and the db/
// folder the demo databases are made from.
#include <cstdlib>
#include <filesystem>
#include <string>

/// A fresh folder under the temporary folder ("<prefijo>_XXXXXX"); removed on destruction.
class CarpetaTemporal {
  public:
    explicit CarpetaTemporal(const std::string& prefijo) {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / (prefijo + "_XXXXXX")).string();
        if (mkdtemp(plantilla.data()) == nullptr) std::abort();
        ruta_ = plantilla;
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        std::filesystem::remove_all(ruta_, ec);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    const std::string& Ruta() const { return ruta_; }

  private:
    std::string ruta_;
};

#ifdef ASIENTOS_DB_DIR_DEFECTO
/// The folder of schema.sql and demo.sql: ASIENTOS_DB_DIR, or the source tree's db/.
inline std::string ScriptsDelBanco() {
    const char* v = std::getenv("ASIENTOS_DB_DIR");
    return v ? v : ASIENTOS_DB_DIR_DEFECTO;
}
#endif
