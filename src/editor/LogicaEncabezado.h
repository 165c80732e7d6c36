#pragma once
// The header of a template without widgets: confirming the name (which loads an existing
// template or starts a new one), the default voucher type and the reason, each checked
// against its table with its description. Texts live in the store's header fields
// (AlmacenModelos::txtFields); the window copies them to and from its text boxes.
#include <functional>
#include <string>

namespace data {
class DB_Dll;
}

namespace editor {

class AlmacenModelos;

namespace mensaje_encabezado {
inline constexpr const char* kSinNombre = "Debe informar el Nombre del Asiento Modelo";
inline constexpr const char* kCpteInexistente = "El tipo de comprobante ingresado es inexistente.";
inline constexpr const char* kSinDescripcion = "...";
}  // namespace mensaje_encabezado

class LogicaEncabezado {
  public:
    /// `almacen` and `db` must outlive the object.
    LogicaEncabezado(AlmacenModelos& almacen, data::DB_Dll& db);

    /// Description of the reason ("..." when none is known).
    std::string LblDescMotivo = mensaje_encabezado::kSinDescripcion;
    /// The user has started entering data (the cancel command asks only then).
    bool CargaIniciada = false;
    /// Empties the floating cell editor and resets the working copy of lines (and the grid).
    std::function<void()> LimpiarLineas;

    /// Validates header field `indice` (0 name, 1 voucher type, 2 reason) by its data field.
    /// A confirmed name loads the template when it exists (unless a save is running). Shows
    /// the failure (exclamation, "Aviso al Operador") when `mostrar`. Returns false on a
    /// validation error; AlmacenModelos::ErrorValidacion tells the same.
    bool ValidarCampo(int indice, bool mostrar = true);

  private:
    bool ValidarNombre(const std::string& texto, std::string& mensaje);
    bool ValidarCodigo(const std::string& tabla, const std::string& columna,
                       const std::string& texto, std::string& descripcion, std::string& mensaje);

    AlmacenModelos& almacen_;
    data::DB_Dll& db_;
};

}  // namespace editor
