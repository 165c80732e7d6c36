#include "LineaModelo.h"

#include "ErrorEjecucion.h"
#include "Moneda.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace editor {

std::string AnchoFijo(std::string_view s, int ancho) { return LargoFijo(s, ancho); }

std::string RecortarBlancos(std::string_view s) { return texto::Recortar(s); }

std::string FormatoImporte(std::string_view importe) {
    if (texto::Recortar(importe).empty()) return {};
    const auto valor = Moneda::Leer(importe);
    if (!valor) throw ErrorEjecucion(errnum::kTiposNoCoinciden, "No coinciden los tipos");
    return valor->Formato(2);
}

void LineasModelo::Reiniciar(int cantidad) {
    elementos_.assign(static_cast<size_t>(cantidad < 1 ? 1 : cantidad), LineaModelo{});
}

int LineasModelo::Agregar() {
    elementos_.emplace_back();
    return Superior();
}

namespace {
[[noreturn]] void FueraDeRango() {
    throw ErrorEjecucion(9, "El subíndice está fuera del intervalo");
}
}  // namespace

LineaModelo& LineasModelo::operator[](int i) {
    if (i < 0 || i > Superior()) FueraDeRango();
    return elementos_[static_cast<size_t>(i)];
}

const LineaModelo& LineasModelo::operator[](int i) const {
    if (i < 0 || i > Superior()) FueraDeRango();
    return elementos_[static_cast<size_t>(i)];
}

}  // namespace editor
