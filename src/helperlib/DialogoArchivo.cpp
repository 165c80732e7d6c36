#include "DialogoArchivo.h"

#include "Plataforma.h"

namespace helperlib {

bool DialogoArchivo::MostrarAbrir() {
    archivo_.clear();
    cancelado_ = false;
    auto elegido = plataforma().ElegirArchivo(Titulo, Filtro);
    // An empty path is what some choosers give when closed: it counts as cancelled.
    if (!elegido || elegido->empty()) {
        cancelado_ = true;
        return false;
    }
    archivo_ = std::move(*elegido);
    return true;
}

}  // namespace helperlib
