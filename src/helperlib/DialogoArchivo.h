#pragma once
// The open-file dialog object: set a title and a filter, show it, then read the chosen file or
// the cancelled flag. The filter uses the classic form "Descripción|*.ext|Otra|*.a;*.b".
#include <string>

namespace helperlib {

class DialogoArchivo {
  public:
    std::string Titulo;
    std::string Filtro;

    /// Shows the open-file chooser through the platform. Returns true when a file was chosen
    /// (ArchivoElegido() then holds its path); false when cancelled (Cancelado() true,
    /// ArchivoElegido() ""). Each call forgets the previous outcome.
    bool MostrarAbrir();

    const std::string& ArchivoElegido() const { return archivo_; }
    bool Cancelado() const { return cancelado_; }

  private:
    std::string archivo_;
    bool cancelado_ = false;
};

}  // namespace helperlib
