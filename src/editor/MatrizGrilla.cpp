#include "MatrizGrilla.h"

#include <algorithm>

#include "ErrorEjecucion.h"

using namespace helperlib;

namespace editor {

namespace {

constexpr long kValorFilaColumna = 381;  // invalid row or column value
constexpr long kNoQuitarFila = 30015;    // the last non-fixed row cannot be removed
constexpr int kAnchoInicial = 900;       // twips

const std::string& Vacio() {
    static const std::string v;
    return v;
}

}  // namespace

void MatrizGrilla::AbrirLote() {
    if (lotes_++ > 0) return;
    lote_ = CambiosLote{};
    lote_.filas = Rows();
    lote_.encabezados = celdas_.front();
}

void MatrizGrilla::CerrarLote() {
    if (--lotes_ > 0) return;
    CambiosLote c = std::move(lote_);
    lote_ = CambiosLote{};
    if (c.forma) {
        if (Observador.Reiniciada) Observador.Reiniciada();
        return;
    }
    const int filas = Rows();
    if (filas > c.filas && Observador.FilasAgregadas) Observador.FilasAgregadas(c.filas, filas - 1);
    if (filas < c.filas && Observador.FilasQuitadas) Observador.FilasQuitadas(filas, c.filas - 1);
    if ((c.celdas || filas != c.filas) && Observador.CeldasCambiadas)
        Observador.CeldasCambiadas(c.encabezados != celdas_.front());
    if (c.actual && Observador.CeldaActual) Observador.CeldaActual(fila_, col_);
}

void MatrizGrilla::AnotarCelda() { lote_.celdas = true; }

MatrizGrilla::MatrizGrilla() {
    celdas_.assign(2, std::vector<std::string>(static_cast<size_t>(cols_)));
    anchos_.assign(static_cast<size_t>(cols_), kAnchoInicial);
    alineaciones_.assign(static_cast<size_t>(cols_), alineacion::kIzquierdaCentro);
}

void MatrizGrilla::Rows(int filas) {
    filas = std::max(filas, 1);
    const int antes = Rows();
    if (filas == antes) return;
    ++cambios_;
    celdas_.resize(static_cast<size_t>(filas),
                   std::vector<std::string>(static_cast<size_t>(cols_)));
    if (fila_ >= filas) fila_ = filas - 1;
    if (filaSuperior_ >= filas) filaSuperior_ = std::max(1, filas - 1);
    if (lotes_ > 0) return;  // told when the batch closes
    if (filas > antes) {
        if (Observador.FilasAgregadas) Observador.FilasAgregadas(antes, filas - 1);
    } else if (Observador.FilasQuitadas) {
        Observador.FilasQuitadas(filas, antes - 1);
    }
}

void MatrizGrilla::Cols(int columnas) {
    columnas = std::max(columnas, 1);
    if (columnas == cols_) return;
    ++cambios_;
    cols_ = columnas;
    for (auto& f : celdas_) f.resize(static_cast<size_t>(cols_));
    anchos_.resize(static_cast<size_t>(cols_), kAnchoInicial);
    alineaciones_.resize(static_cast<size_t>(cols_), alineacion::kIzquierdaCentro);
    if (col_ >= cols_) col_ = cols_ - 1;
    AvisarForma();
}

void MatrizGrilla::AvisarForma() {
    if (lotes_ > 0) {
        lote_.forma = true;
    } else if (Observador.Reiniciada) {
        Observador.Reiniciada();
    }
}

const std::string& MatrizGrilla::TextMatrix(int fila, int col) const {
    if (fila < 0 || fila >= Rows() || col < 0 || col >= cols_) return Vacio();
    return celdas_[static_cast<size_t>(fila)][static_cast<size_t>(col)];
}

void MatrizGrilla::ComprobarCelda(int fila, int col) const {
    if (fila < 0 || fila >= Rows() || col < 0 || col >= cols_)
        throw ErrorEjecucion(kValorFilaColumna, "Valor de Fila no válido");
}

void MatrizGrilla::TextMatrix(int fila, int col, const std::string& texto) {
    ComprobarCelda(fila, col);
    auto& celda = celdas_[static_cast<size_t>(fila)][static_cast<size_t>(col)];
    if (celda == texto) return;
    ++cambios_;
    celda = texto;
    if (lotes_ > 0)
        AnotarCelda();
    else if (Observador.CeldaCambiada)
        Observador.CeldaCambiada(fila, col);
}

void MatrizGrilla::Mover(int fila, int col) {
    ComprobarCelda(fila, col);
    if (fila == fila_ && col == col_) return;
    ++cambios_;
    if (LeaveCell) LeaveCell();
    fila_ = fila;
    col_ = col;
    if (lotes_ > 0)
        lote_.actual = true;
    else if (Observador.CeldaActual)
        Observador.CeldaActual(fila_, col_);
    if (EnterCell) EnterCell();
}

void MatrizGrilla::Row(int fila) { Mover(fila, col_); }
void MatrizGrilla::Col(int col) { Mover(fila_, col); }
void MatrizGrilla::Celda(int fila, int col) { Mover(fila, col); }

void MatrizGrilla::TopRow(int fila) {
    const int nueva = std::clamp(fila, 1, std::max(1, Rows() - 1));
    if (nueva == filaSuperior_) return;
    ++cambios_;
    filaSuperior_ = nueva;
}

int MatrizGrilla::ColWidth(int col) const {
    return col >= 0 && col < cols_ ? anchos_[static_cast<size_t>(col)] : 0;
}

void MatrizGrilla::ColWidth(int col, int twips) {
    ComprobarCelda(0, col);
    if (anchos_[static_cast<size_t>(col)] == twips) return;
    ++cambios_;
    anchos_[static_cast<size_t>(col)] = twips;
    AvisarForma();
}

int MatrizGrilla::ColAlignment(int col) const {
    return col >= 0 && col < cols_ ? alineaciones_[static_cast<size_t>(col)]
                                   : alineacion::kIzquierdaCentro;
}

void MatrizGrilla::ColAlignment(int col, int codigo) {
    ComprobarCelda(0, col);
    if (alineaciones_[static_cast<size_t>(col)] == codigo) return;
    ++cambios_;
    alineaciones_[static_cast<size_t>(col)] = codigo;
    AvisarForma();
}

void MatrizGrilla::AddItem(int fila) {
    if (fila < 1 || fila > Rows())
        throw ErrorEjecucion(kValorFilaColumna, "Valor de Fila no válido");
    ++cambios_;
    celdas_.insert(celdas_.begin() + fila, std::vector<std::string>(static_cast<size_t>(cols_)));
    if (lotes_ > 0)
        AnotarCelda();  // rows below moved: their cells are told at the end
    else if (Observador.FilasAgregadas)
        Observador.FilasAgregadas(fila, fila);
}

void MatrizGrilla::RemoveItem(int fila) {
    if (fila < 1 || fila >= Rows())
        throw ErrorEjecucion(kValorFilaColumna, "Valor de Fila no válido");
    if (Rows() <= 2)
        throw ErrorEjecucion(kNoQuitarFila, "No se puede quitar la última fila no fija");
    ++cambios_;
    celdas_.erase(celdas_.begin() + fila);
    if (fila_ >= Rows()) fila_ = Rows() - 1;
    if (filaSuperior_ >= Rows()) filaSuperior_ = Rows() - 1;
    if (lotes_ > 0)
        AnotarCelda();
    else if (Observador.FilasQuitadas)
        Observador.FilasQuitadas(fila, fila);
}

void MatrizGrilla::Clear() {
    bool cambio = false;
    for (auto& f : celdas_)
        for (auto& c : f)
            if (!c.empty()) {
                c.clear();
                cambio = true;
            }
    if (!cambio) return;
    ++cambios_;
    if (lotes_ > 0) {
        AnotarCelda();
    } else if (Observador.CeldasCambiadas) {
        Observador.CeldasCambiadas(true);
    }
}

}  // namespace editor
