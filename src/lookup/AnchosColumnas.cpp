#include "AnchosColumnas.h"

#include <cstdio>
#include <fstream>

#include "ErrorEjecucion.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace lookup {

namespace anchos {

std::string NombreGuardado(const std::string& fuente) {
    return texto::IgualesSinCaso(texto::Recortar(fuente), "Stk_ma_articulos") ? "VT_MA_ARTICULOS"
                                                                              : fuente;
}

std::string ArmarLinea(const std::string& fuente, const std::vector<int>& anchos) {
    std::string lista;
    for (int a : anchos) lista += std::to_string(a) + "|";
    // The quoted write turns a double quote inside a text into nothing it can read back; the
    // names of sources never hold one, so they are dropped rather than corrupting the line.
    return "\"" + ReemplazarCaracter(NombreGuardado(fuente), "\"", "") + "\",\"" + lista + "\"";
}

namespace {

// Reads one quoted text starting at `pos` (blanks before it allowed); moves `pos` past it.
std::optional<std::string> TextoEntreComillas(const std::string& s, std::size_t& pos) {
    while (pos < s.size() && s[pos] == ' ') ++pos;
    if (pos >= s.size() || s[pos] != '"') return std::nullopt;
    const auto fin = s.find('"', pos + 1);
    if (fin == std::string::npos) return std::nullopt;
    std::string t = s.substr(pos + 1, fin - pos - 1);
    pos = fin + 1;
    return t;
}

}  // namespace

std::optional<LineaAnchos> LeerLinea(const std::string& linea) {
    std::string s = linea;
    if (!s.empty() && s.back() == '\r') s.pop_back();
    std::size_t pos = 0;
    auto fuente = TextoEntreComillas(s, pos);
    if (!fuente) return std::nullopt;
    while (pos < s.size() && s[pos] == ' ') ++pos;
    if (pos >= s.size() || s[pos] != ',') return std::nullopt;
    ++pos;
    auto lista = TextoEntreComillas(s, pos);
    if (!lista) return std::nullopt;
    return LineaAnchos{*fuente, *lista};
}

std::vector<int> LeerAnchos(const std::string& lista) {
    std::vector<int> r;
    std::size_t inicio = 0;
    while (inicio < lista.size()) {
        auto fin = lista.find('|', inicio);
        if (fin == std::string::npos) break;  // a part without its "|" is not a width
        int valor = 0;
        try {
            valor = NumeroDeTexto(lista.substr(inicio, fin - inicio));
        } catch (const ErrorEjecucion&) {
            valor = 0;
        }
        r.push_back(valor);
        inicio = fin + 1;
    }
    return r;
}

std::optional<std::vector<int>> AnchosGuardados(const std::string& ruta,
                                                const std::string& fuente) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) return std::nullopt;
    const std::string buscado = NombreGuardado(texto::Recortar(fuente));
    std::string linea;
    std::optional<std::vector<int>> r;
    while (std::getline(f, linea)) {
        auto l = LeerLinea(linea);
        if (l && texto::IgualesSinCaso(texto::Recortar(l->Fuente), buscado))
            r = LeerAnchos(l->Anchos);  // the last line wins, as each line is applied in turn
    }
    return r;
}

void GrabarAnchos(const std::string& carpeta, const std::string& fuente,
                  const std::vector<int>& anchos) {
    const std::string base = NormalizarCarpeta(carpeta);
    const std::string archivo = base + kArchivo;
    const std::string auxiliar = base + kAuxiliar;
    const std::string propio = NombreGuardado(texto::Recortar(fuente));
    {
        std::ofstream crear(archivo, std::ios::binary | std::ios::app);  // created when missing
        if (!crear) throw ErrorEjecucion(errnum::kRutaNoEncontrada, "No se puede crear " + archivo);
    }
    std::ifstream entrada(archivo, std::ios::binary);
    std::ofstream salida(auxiliar, std::ios::binary | std::ios::trunc);
    if (!salida) throw ErrorEjecucion(errnum::kPermisoDenegado, "No se puede crear " + auxiliar);
    std::string linea;
    while (std::getline(entrada, linea)) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        auto l = LeerLinea(linea);
        if (l && texto::IgualesSinCaso(texto::Recortar(l->Fuente), propio)) continue;
        if (!l && linea.empty()) continue;
        salida << linea << "\r\n";
    }
    salida << ArmarLinea(propio, anchos) << "\r\n";
    salida.close();
    entrada.close();
    if (!salida) throw ErrorEjecucion(errnum::kPermisoDenegado, "No se puede escribir " + auxiliar);
    std::remove(archivo.c_str());
    if (std::rename(auxiliar.c_str(), archivo.c_str()) != 0)
        throw ErrorEjecucion(errnum::kPermisoDenegado, "No se puede renombrar " + auxiliar);
}

}  // namespace anchos

}  // namespace lookup
