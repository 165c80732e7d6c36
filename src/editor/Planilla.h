#pragma once
// The sheet: a statement's rows shown read-only in a window whose columns sort on a header
// click (numbers as numbers), with copying to the clipboard and export to a CSV file.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "FilasResultado.h"

class QTableView;

namespace editor {

class ModeloPlanilla;

/// A statement's result as read: the rows in one buffer, shown without copying them again.
struct DatosPlanilla {
    std::vector<std::string> Columnas;
    data::FilasResultado Filas;  ///< Null values show as ""
    /// Columns holding amounts (currency or decimal fields): shown "0.00", right-aligned.
    /// Shorter than Columnas (or empty) means the rest hold no amounts.
    std::vector<bool> Importes;

    /// A sheet of the texts `filas` (each row as long as `columnas`; missing cells are "").
    static DatosPlanilla DeTextos(std::vector<std::string> columnas,
                                  const std::vector<std::vector<std::string>>& filas);
};

/// Rows as the sheet shows them: texts, in the order shown.
struct TextosPlanilla {
    std::vector<std::string> Columnas;
    std::vector<std::vector<std::string>> Filas;
};

/// Runs `sql` on a connection of its own opened with `conexion` (closed again before
/// returning). Amount fields (currency or decimal) are marked in Importes and shown as
/// "#########0.00". Throws ErrorEjecucion when the connection or the statement fails.
DatosPlanilla LeerPlanilla(const std::string& sql, const std::string& conexion);
/// The sheet as CSV: a header line, then one line per row; fields separated by ",", quoted
/// with '"' (inner quotes doubled) when they hold a comma, a quote or a line break; CR LF.
std::string PlanillaCsv(const TextosPlanilla& datos);
/// Rows as tab-separated text with a header line (what "Copiar" puts on the clipboard).
std::string PlanillaTabulada(const TextosPlanilla& datos);

class VentanaPlanilla : public QDialog {
    Q_OBJECT
  public:
    VentanaPlanilla(const QString& titulo, DatosPlanilla datos, QWidget* parent = nullptr);
    /// The table, shown through a model over the rows as read (no item per cell).
    QTableView* Tabla() const { return tabla_; }
    /// The rows in the order the table shows them now (after sorting).
    TextosPlanilla DatosVisibles() const;
    /// Copies the rows shown to the clipboard.
    void Copiar();
    /// Writes the rows shown to `archivo` as CSV; false when the file cannot be written.
    bool Exportar(const QString& archivo);

    /// Width the window opens with: all columns whole, at most the screen's width.
    int AnchoInicial() const;

  private:
    void ElegirYExportar();

    editor::ModeloPlanilla* modelo_ = nullptr;
    QTableView* tabla_ = nullptr;
};

/// Shows the sheet of `sql` with title `titulo`, owned by `duena` (centred over it), through
/// `mostrar` (the window's way of showing it: modally). A failure to read it is reported
/// through the helper library's error dialog ("MostrarPlanilla"): retry reads again.
void MostrarPlanilla(const std::string& sql, const std::string& conexion, const std::string& titulo,
                     QWidget* duena, const std::function<void(VentanaPlanilla&)>& mostrar);

}  // namespace editor
