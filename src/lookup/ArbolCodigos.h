#pragma once
// The tree of codes that the tree pick window shows, kept without widgets: a root and one node
// per row, keyed "A" + code, each placed under its parent by one of two builders; check marks
// that follow a checked node down a fixed number of levels; the search by the start of a node's
// code or description.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Pasos.h"

namespace lookup {

/// One row of a tree source: the code (first column), the description (second) and, for the
/// family source, the code of the parent family (nullopt for Null: the root).
struct FilaArbol {
    std::string codigo;
    std::string descripcion;
    std::optional<std::string> pariente;
};

inline constexpr const char* kClaveRaiz = "A";
inline constexpr const char* kTextoRaiz = "Consulta...";
/// Levels below a checked node that take its state; deeper levels keep theirs.
inline constexpr int kNivelesMarca = 6;
/// Error numbers of the tree: a parent key that is not in the tree, a key already in it.
inline constexpr long kErrorNodoNoEncontrado = 35601;
inline constexpr long kErrorClaveRepetida = 35602;

class ArbolCodigos {
  public:
    struct Nodo {
        std::string clave;  ///< "A" + code
        std::string texto;  ///< code + " - " + description; "Consulta..." for the root
        int padre = -1;     ///< index of the parent node; -1 for the root
        int nivel = 0;      ///< depth: 0 for the root
        int fila = 0;       ///< position among the parent's children
        std::vector<int> hijos;
        bool marcado = false;
    };
    static constexpr int kRaiz = 0;

    /// A tree holding only the root.
    ArbolCodigos();

    /// Back to the root only (unchecked).
    void Vaciar();
    /// Room for `nodos` nodes, so a large source is added without reallocating.
    void Reservar(std::size_t nodos);

    int Cantidad() const { return static_cast<int>(nodos_.size()); }
    const Nodo& operator[](int i) const { return nodos_[static_cast<std::size_t>(i)]; }
    /// The code of node `i`: its key without the leading "A" ("" for the root).
    std::string Codigo(int i) const;

    /// The node whose key equals `clave`, letter case ignored; -1 when none.
    int Buscar(std::string_view clave) const;
    /// The node with the longest key that is a proper prefix of `clave` (letter case ignored).
    /// The root "A" always qualifies, so the answer is never -1 for a key starting with "A".
    int PadrePorPrefijo(std::string_view clave) const;
    /// Adds the node "A" + codigo, text codigo + " - " + descripcion, as the last child of
    /// `padre`; returns its index. Throws ErrorEjecucion kErrorClaveRepetida when a node already
    /// has that key (letter case ignored) and kErrorNodoNoEncontrado for a parent out of range.
    int Agregar(int padre, const std::string& codigo, const std::string& descripcion);

    /// Node `i` takes `marcado`, and every node below it down to kNivelesMarca levels takes it
    /// too. Returns the nodes whose children took the state (for repainting).
    std::vector<int> Marcar(int i, bool marcado);

    /// Every node in the order the tree shows them: each node followed by its children's
    /// subtrees, children in the order they were added.
    std::vector<int> EnOrden() const;
    /// The checked nodes, in the same order.
    std::vector<int> Marcados() const;
    /// The first node, in the same order, whose text split at its first "-" gives a code part
    /// or a description part (both trimmed) that starts with `buscado` (letter case ignored).
    /// Nodes without "-" (the root) are skipped. -1 when none.
    int BuscarTexto(std::string_view buscado) const;

  private:
    std::vector<Nodo> nodos_;
    std::unordered_map<std::string, int> indice_;  // key in capitals -> node
};

/// The generic builder: each row, in the given order, goes under the node with the longest key
/// that prefixes its own (the root when none), so parents must come before their children.
/// Each row is one step under `reportero` (retry, ignore, leave).
helperlib::Desenlace ArmarPorPrefijo(ArbolCodigos& arbol, const std::vector<FilaArbol>& filas,
                                     const helperlib::Reportero& reportero);

/// The family builder: each row goes under the node of its `pariente` (the root when Null). A
/// parent that is not in the tree is reported as kErrorNodoNoEncontrado; answered with Ignore,
/// the node hangs under the root instead of being lost. Other failures follow `reportero`.
helperlib::Desenlace ArmarPorPariente(ArbolCodigos& arbol, const std::vector<FilaArbol>& filas,
                                      const helperlib::Reportero& reportero);

}  // namespace lookup
