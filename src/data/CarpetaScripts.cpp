#include "CarpetaScripts.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace data {

std::vector<std::string> CarpetasScriptsCandidatas(std::string_view carpetaPrograma) {
    if (carpetaPrograma.empty()) return {};
    const fs::path programa(carpetaPrograma);
    const fs::path compartida = fs::path("share") / "asientos-modelo" / "db";
    std::vector<std::string> r;
    for (const fs::path& p :
         {programa / "db", programa / ".." / compartida, programa / ".." / ".." / compartida})
        r.push_back(p.lexically_normal().string());
    return r;
}

std::optional<std::string> UbicarScriptsDb(std::string_view carpetaPrograma) {
    for (std::string carpeta : CarpetasScriptsCandidatas(carpetaPrograma)) {
        std::error_code ec;
        if (!fs::is_regular_file(fs::path(carpeta) / "schema.sql", ec)) continue;
        if (carpeta.back() != '/') carpeta.push_back('/');
        return carpeta;
    }
    return std::nullopt;
}

}  // namespace data
