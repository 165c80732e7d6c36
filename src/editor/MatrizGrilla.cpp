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

template <class F, class... A>
void MatrizGrilla::Avisar(const F& aviso, A... a) {
    if (lotes_ > 0) {
        cambioEnLote_ = true;
        return;
    }
    if (aviso) aviso(a...);
}

MatrizGrilla::Lote::~Lote() {
    if (--m_.lotes_ > 0 || !m_.cambioEnLote_) return;
    m_.cambioEnLote_ = false;
    m_.Avisar(m_.Observador.Reiniciada);
}

MatrizGrilla::MatrizGrilla() {
    celdas_.assign(2, std::vector<std::string>(static_cast<size_t>(cols_)));
    anchos_.assign(static_cast<size_t>(cols_), kAnchoInicial);
    alineaciones_.assign(static_cast<size_t>(cols_), alineacion::kIzquierdaCentro);
}

void MatrizGrilla::Rows(int filas) {
    filas = std::max(filas, 1);
    const int antes = Rows();
    if (filas == antes) return;
    celdas_.resize(static_cast<size_t>(filas),
                   std::vector<std::string>(static_cast<size_t>(cols_)));
    if (fila_ >= filas) fila_ = filas - 1;
    if (filaSuperior_ >= filas) filaSuperior_ = std::max(1, filas - 1);
    if (filas > antes)
        Avisar(Observador.FilasAgregadas, antes, filas - 1);
    else
        Avisar(Observador.FilasQuitadas, filas, antes - 1);
}

void MatrizGrilla::Cols(int columnas) {
    cols_ = std::max(columnas, 1);
    for (auto& f : celdas_) f.resize(static_cast<size_t>(cols_));
    anchos_.resize(static_cast<size_t>(cols_), kAnchoInicial);
    alineaciones_.resize(static_cast<size_t>(cols_), alineacion::kIzquierdaCentro);
    if (col_ >= cols_) col_ = cols_ - 1;
    Avisar(Observador.Reiniciada);
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
    celda = texto;
    Avisar(Observador.CeldaCambiada, fila, col);
}

void MatrizGrilla::Mover(int fila, int col) {
    ComprobarCelda(fila, col);
    if (fila == fila_ && col == col_) return;
    if (LeaveCell) LeaveCell();
    fila_ = fila;
    col_ = col;
    Avisar(Observador.CeldaActual, fila_, col_);
    if (EnterCell) EnterCell();
}

void MatrizGrilla::Row(int fila) { Mover(fila, col_); }
void MatrizGrilla::Col(int col) { Mover(fila_, col); }
void MatrizGrilla::Celda(int fila, int col) { Mover(fila, col); }

void MatrizGrilla::TopRow(int fila) {
    filaSuperior_ = std::clamp(fila, 1, std::max(1, Rows() - 1));
}

int MatrizGrilla::ColWidth(int col) const {
    return col >= 0 && col < cols_ ? anchos_[static_cast<size_t>(col)] : 0;
}

void MatrizGrilla::ColWidth(int col, int twips) {
    ComprobarCelda(0, col);
    anchos_[static_cast<size_t>(col)] = twips;
    Avisar(Observador.Reiniciada);
}

int MatrizGrilla::ColAlignment(int col) const {
    return col >= 0 && col < cols_ ? alineaciones_[static_cast<size_t>(col)]
                                   : alineacion::kIzquierdaCentro;
}

void MatrizGrilla::ColAlignment(int col, int codigo) {
    ComprobarCelda(0, col);
    alineaciones_[static_cast<size_t>(col)] = codigo;
    Avisar(Observador.Reiniciada);
}

void MatrizGrilla::AddItem(int fila) {
    if (fila < 1 || fila > Rows())
        throw ErrorEjecucion(kValorFilaColumna, "Valor de Fila no válido");
    celdas_.insert(celdas_.begin() + fila, std::vector<std::string>(static_cast<size_t>(cols_)));
    Avisar(Observador.FilasAgregadas, fila, fila);
}

void MatrizGrilla::RemoveItem(int fila) {
    if (fila < 1 || fila >= Rows())
        throw ErrorEjecucion(kValorFilaColumna, "Valor de Fila no válido");
    if (Rows() <= 2)
        throw ErrorEjecucion(kNoQuitarFila, "No se puede quitar la última fila no fija");
    celdas_.erase(celdas_.begin() + fila);
    if (fila_ >= Rows()) fila_ = Rows() - 1;
    if (filaSuperior_ >= Rows()) filaSuperior_ = Rows() - 1;
    Avisar(Observador.FilasQuitadas, fila, fila);
}

void MatrizGrilla::Clear() {
    for (auto& f : celdas_) std::fill(f.begin(), f.end(), std::string());
    Avisar(Observador.Reiniciada);
}

}  // namespace editor
