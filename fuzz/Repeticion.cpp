// Replays a fuzz target's corpus without libFuzzer: the ordinary build links every target with
// this main() and the test run feeds it the saved inputs, so a harness that no longer compiles
// or an input that once broke a reader fails `make test`, not only the fuzz build.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo);

namespace {

std::vector<std::filesystem::path> Entradas(const std::filesystem::path& origen) {
    std::vector<std::filesystem::path> r;
    if (std::filesystem::is_directory(origen)) {
        for (const auto& e : std::filesystem::recursive_directory_iterator(origen))
            if (e.is_regular_file()) r.push_back(e.path());
    } else {
        r.push_back(origen);
    }
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    size_t vistas = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::exists(argv[i])) {
            std::fprintf(stderr, "no existe: %s\n", argv[i]);
            return 2;
        }
        for (const auto& ruta : Entradas(argv[i])) {
            std::ifstream archivo(ruta, std::ios::binary);
            const std::string datos((std::istreambuf_iterator<char>(archivo)), {});
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(datos.data()), datos.size());
            ++vistas;
        }
    }
    std::printf("%zu entradas repetidas\n", vistas);
    return vistas == 0 ? 1 : 0;
}
