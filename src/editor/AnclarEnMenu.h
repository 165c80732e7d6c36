#pragma once
// Publishing a template in the suite's menu: an anchored template gets its own entry in
// TA_MENU under the parent entry "Asientos Modelo (Carga)" (CLAVE 'D9541'), whose process line
// starts the entry-posting program with the template preselected, and the user gets the task
// right in TA_TAREAS. Un-anchoring removes the entry, its rights, and the parent once empty.
#include <string>

#include "Pasos.h"

namespace data {
class DB_Dll;
}

namespace editor {

struct DatosAnclaje {
    std::string Nombre;        ///< template name (trimmed before use)
    bool AlMenu = false;       ///< anchor (true) or remove the entry (false)
    bool LiqTarjetas = false;  ///< card-settlement template: the process line says so
    std::string Usuario;       ///< user who receives the task rights
};

/// The process line of a template's menu entry.
std::string ProcesoDeModelo(const std::string& nombre, bool liqTarjetas);

/// Adds or updates (AlMenu) or removes (otherwise) the template's menu entry. Every step runs
/// under `reportero` (4 retries the step, 5 goes on, anything else leaves); a statement the
/// database refuses, or a query that could not be opened, is a failure of its step. The save
/// runs this inside its own transaction, so that a template and its menu entry are stored
/// together or not at all. Returns false when a step was left.
bool AnclarEnMenu(data::DB_Dll& db, const DatosAnclaje& datos,
                  const helperlib::Reportero& reportero);

}  // namespace editor
