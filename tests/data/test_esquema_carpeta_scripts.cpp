// Finding the database scripts next to a built or installed program.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "CarpetaScripts.h"

namespace fs = std::filesystem;

namespace {

class CarpetaTemporal {
  public:
    CarpetaTemporal() {
        raiz_ = fs::temp_directory_path() /
                ("scripts_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::remove_all(raiz_);
        fs::create_directories(raiz_);
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        fs::remove_all(raiz_, ec);
    }
    const fs::path& raiz() const { return raiz_; }
    void Escribir(const std::string& relativa) const {
        fs::create_directories((raiz_ / relativa).parent_path());
        std::ofstream(raiz_ / relativa) << "CREATE TABLE T (A);\n";
    }

  private:
    fs::path raiz_;
};

TEST(CarpetaScripts, UbicaLosScriptsSegunDondeEstaElPrograma) {
    struct Caso {
        const char* nombre;
        std::vector<std::string> archivos;  // relative to the scratch root
        std::string programa;               // the program's folder, relative
        std::optional<std::string> esperada;
    };
    const Caso casos[] = {
        {"instalado en bin",
         {"usr/share/asientos-modelo/db/schema.sql"},
         "usr/bin",
         "usr/share/asientos-modelo/db/"},
        {"instalado en lib/asientos-modelo",
         {"usr/share/asientos-modelo/db/schema.sql"},
         "usr/lib/asientos-modelo",
         "usr/share/asientos-modelo/db/"},
        {"carpeta de compilación",
         {"build/share/asientos-modelo/db/schema.sql"},
         "build/bin",
         "build/share/asientos-modelo/db/"},
        {"carpeta db junto al programa gana",
         {"p/bin/db/schema.sql", "p/share/asientos-modelo/db/schema.sql"},
         "p/bin",
         "p/bin/db/"},
        {"carpeta con los datos pero sin el esquema",
         {"q/share/asientos-modelo/db/demo.sql"},
         "q/bin",
         std::nullopt},
        {"nada instalado", {}, "r/bin", std::nullopt},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const CarpetaTemporal t;
        for (const auto& a : c.archivos) t.Escribir(a);
        fs::create_directories(t.raiz() / c.programa);
        const auto r = data::UbicarScriptsDb((t.raiz() / c.programa).string());
        if (!c.esperada) {
            EXPECT_FALSE(r.has_value()) << *r;
            continue;
        }
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(*r, (t.raiz() / *c.esperada).string());
        EXPECT_TRUE(fs::is_regular_file(fs::path(*r) / "schema.sql"));
    }
    EXPECT_FALSE(data::UbicarScriptsDb("").has_value());
}

}  // namespace
