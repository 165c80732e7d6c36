#pragma once
// The editor's working copy of a template's lines (the form member Lineas, a LineasModelo): one
// LineaModelo per grid row. Element 0 is never used; element i is grid row i, and after a load
// one empty element follows the last line.
#include <string>
#include <string_view>
#include <vector>

namespace editor {

/// Text of exactly N characters: shorter text is padded with blanks on the right, longer text
/// is cut (lengths in characters, not bytes).
template <int N>
class TextoFijo {
  public:
    TextoFijo() : texto_(static_cast<size_t>(N), ' ') {}  // an empty text: all padding
    TextoFijo(std::string_view s) { Asignar(s); }  // NOLINT: assigning text is the normal use
    TextoFijo& operator=(std::string_view s) {
        Asignar(s);
        return *this;
    }
    const std::string& Texto() const { return texto_; }
    /// The text without the padding blanks at either end.
    std::string Recortado() const;
    static constexpr int Ancho = N;

  private:
    void Asignar(std::string_view s);
    std::string texto_;
};

/// Pads or cuts `s` to `ancho` characters.
std::string AnchoFijo(std::string_view s, int ancho);

template <int N>
void TextoFijo<N>::Asignar(std::string_view s) {
    texto_ = AnchoFijo(s, N);
}

std::string RecortarBlancos(std::string_view s);

template <int N>
std::string TextoFijo<N>::Recortado() const {
    return RecortarBlancos(texto_);
}

struct LineaModelo {
    TextoFijo<15> Cuenta;       // account code
    TextoFijo<3> DV;            // its check digit as decimal text
    TextoFijo<50> Descripcion;  // account description from the chart
    std::string Debe;           // debit amount as shown ("#########0.00") or empty
    std::string Haber;          // credit amount as shown or empty
    std::string AlicIVA;        // VAT rate as entered
    std::string Detalle;        // the row's detail text as loaded; not shown, written back
};

/// The amount as the grid shows it: fixed two decimals, no grouping ("1234.50").
std::string FormatoImporte(std::string_view importe);

class LineasModelo {
  public:
    /// Starts with `cantidad` empty elements (indices 0..cantidad-1).
    explicit LineasModelo(int cantidad = 1) { Reiniciar(cantidad); }

    /// Back to `cantidad` empty elements (at least one).
    void Reiniciar(int cantidad = 1);
    /// Adds one empty element at the end; returns its index.
    int Agregar();
    /// Highest index in use (the classic UBound).
    int Superior() const { return static_cast<int>(elementos_.size()) - 1; }
    int Cantidad() const { return static_cast<int>(elementos_.size()); }

    /// Element i; throws ErrorEjecucion 9 (subscript out of range) outside 0..Superior().
    LineaModelo& operator[](int i);
    const LineaModelo& operator[](int i) const;

    /// Direct access for the grid (insertion and removal of rows).
    std::vector<LineaModelo>& Elementos() { return elementos_; }
    const std::vector<LineaModelo>& Elementos() const { return elementos_; }

  private:
    std::vector<LineaModelo> elementos_;
};

}  // namespace editor
