#include "ArbolCodigos.h"

#include "ErrorEjecucion.h"
#include "Plataforma.h"
#include "Texto.h"

using namespace helperlib;

namespace lookup {

namespace {

bool EsContinuacionUtf8(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool EmpiezaCon(std::string_view parte, std::string_view buscadoMayusculas) {
    const std::string p = texto::Mayusculas(texto::Recortar(parte));
    return std::string_view(p).substr(0, buscadoMayusculas.size()) == buscadoMayusculas;
}

}  // namespace

ArbolCodigos::ArbolCodigos() { Vaciar(); }

void ArbolCodigos::Vaciar() {
    nodos_.clear();
    indice_.clear();
    Nodo raiz;
    raiz.clave = kClaveRaiz;
    raiz.texto = kTextoRaiz;
    nodos_.push_back(std::move(raiz));
    indice_.emplace(kClaveRaiz, kRaiz);
}

void ArbolCodigos::Reservar(std::size_t nodos) {
    nodos_.reserve(nodos);
    indice_.reserve(nodos);
}

std::string ArbolCodigos::Codigo(int i) const { return (*this)[i].clave.substr(1); }

int ArbolCodigos::Buscar(std::string_view clave) const {
    const auto n = indice_.find(texto::Mayusculas(clave));
    return n == indice_.end() ? -1 : n->second;
}

int ArbolCodigos::PadrePorPrefijo(std::string_view clave) const {
    std::string prefijo = texto::Mayusculas(clave);
    // Shorter and shorter prefixes, cut at character boundaries: the first one in the tree is
    // the longest. A look-up per prefix keeps building linear in the number of rows.
    while (!prefijo.empty()) {
        prefijo.pop_back();
        while (!prefijo.empty() && EsContinuacionUtf8(prefijo.back())) prefijo.pop_back();
        if (prefijo.empty()) break;
        const auto n = indice_.find(prefijo);
        if (n != indice_.end()) return n->second;
    }
    return kRaiz;
}

int ArbolCodigos::Agregar(int padre, const std::string& codigo, const std::string& descripcion) {
    if (padre < 0 || padre >= Cantidad())
        throw ErrorEjecucion(kErrorNodoNoEncontrado,
                             "No existe el nodo padre del codigo " + codigo);
    std::string clave = kClaveRaiz + codigo;
    const int nuevo = Cantidad();
    if (!indice_.emplace(texto::Mayusculas(clave), nuevo).second)
        throw ErrorEjecucion(kErrorClaveRepetida,
                             "El codigo " + codigo + " ya esta en el arbol (codigo repetido)");
    Nodo n;
    n.clave = std::move(clave);
    n.texto = codigo + " - " + descripcion;
    n.padre = padre;
    n.nivel = nodos_[static_cast<std::size_t>(padre)].nivel + 1;
    n.fila = static_cast<int>(nodos_[static_cast<std::size_t>(padre)].hijos.size());
    nodos_.push_back(std::move(n));
    nodos_[static_cast<std::size_t>(padre)].hijos.push_back(nuevo);
    return nuevo;
}

std::vector<int> ArbolCodigos::Marcar(int i, bool marcado) {
    nodos_[static_cast<std::size_t>(i)].marcado = marcado;
    std::vector<int> padres;
    std::vector<int> nivel = {i};
    for (int d = 1; d <= kNivelesMarca && !nivel.empty(); ++d) {
        std::vector<int> siguiente;
        for (int p : nivel) {
            const auto& hijos = nodos_[static_cast<std::size_t>(p)].hijos;
            if (hijos.empty()) continue;
            padres.push_back(p);
            for (int h : hijos) {
                nodos_[static_cast<std::size_t>(h)].marcado = marcado;
                siguiente.push_back(h);
            }
        }
        nivel = std::move(siguiente);
    }
    return padres;
}

std::vector<int> ArbolCodigos::EnOrden() const {
    std::vector<int> orden;
    orden.reserve(nodos_.size());
    std::vector<int> pila = {kRaiz};
    while (!pila.empty()) {
        const int n = pila.back();
        pila.pop_back();
        orden.push_back(n);
        const auto& hijos = nodos_[static_cast<std::size_t>(n)].hijos;
        pila.insert(pila.end(), hijos.rbegin(), hijos.rend());
    }
    return orden;
}

std::vector<int> ArbolCodigos::Marcados() const {
    std::vector<int> r;
    for (int n : EnOrden())
        if (nodos_[static_cast<std::size_t>(n)].marcado) r.push_back(n);
    return r;
}

int ArbolCodigos::BuscarTexto(std::string_view buscado) const {
    const std::string b = texto::Mayusculas(buscado);
    for (int n : EnOrden()) {
        const std::string_view t = nodos_[static_cast<std::size_t>(n)].texto;
        const auto guion = t.find('-');
        if (guion == std::string_view::npos) continue;
        if (EmpiezaCon(t.substr(0, guion), b) || EmpiezaCon(t.substr(guion + 1), b)) return n;
    }
    return -1;
}

Desenlace ArmarPorPrefijo(ArbolCodigos& arbol, const std::vector<FilaArbol>& filas,
                          const Reportero& reportero) {
    arbol.Reservar(filas.size() + 1);
    for (const auto& f : filas) {
        const bool sigue = EjecutarPaso(
            [&] {
                arbol.Agregar(arbol.PadrePorPrefijo(kClaveRaiz + f.codigo), f.codigo,
                              f.descripcion);
            },
            reportero);
        if (!sigue) return Desenlace::Abandonado;
    }
    return Desenlace::Completo;
}

Desenlace ArmarPorPariente(ArbolCodigos& arbol, const std::vector<FilaArbol>& filas,
                           const Reportero& reportero) {
    arbol.Reservar(filas.size() + 1);
    for (const auto& f : filas) {
        // A missing parent is reported; Ignore then repeats the step with the node attached to
        // the root, so the row is shown rather than dropped.
        bool faltaPadre = false;
        bool enRaiz = false;
        const Reportero conRaiz = [&](const ErrorEjecucion& e) {
            const int r = reportero(e);
            if (faltaPadre && r == respuesta::kIgnorar) {
                enRaiz = true;
                return respuesta::kReintentar;
            }
            return r;
        };
        const bool sigue = EjecutarPaso(
            [&] {
                faltaPadre = false;
                int padre = ArbolCodigos::kRaiz;
                if (f.pariente && !enRaiz) {
                    padre = arbol.Buscar(kClaveRaiz + *f.pariente);
                    if (padre < 0) {
                        faltaPadre = true;
                        throw ErrorEjecucion(kErrorNodoNoEncontrado,
                                             "No existe en el arbol el codigo " + *f.pariente +
                                                 ", del que depende el codigo " + f.codigo +
                                                 ". Si lo ignora, " + f.codigo +
                                                 " queda colgado de la raiz.");
                    }
                }
                arbol.Agregar(padre, f.codigo, f.descripcion);
            },
            conRaiz);
        if (!sigue) return Desenlace::Abandonado;
    }
    return Desenlace::Completo;
}

}  // namespace lookup
