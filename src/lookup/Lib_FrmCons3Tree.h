#pragma once
// The modal tree pick window: shows hierarchical codes (families, positions, cost centres,
// accounts) as a tree whose levels follow the codes themselves, lets the user pick one node or
// check several, narrows the tree by typing (incremental search) or by F5 (a new database
// search on the description), and on Aceptar hands back the picked code as found in its master
// table. The tree itself and its rules live in ArbolCodigos and LogicaArbol.
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "ArbolCodigos.h"

namespace data {
class DB_Dll;
}  // namespace data
class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QTreeView;

namespace lookup {

class ModeloArbol;

class Lib_FrmCons3Tree : public QDialog {
    Q_OBJECT
  public:
    /// `base`: the data access object whose connection runs the statements (not owned).
    explicit Lib_FrmCons3Tree(data::DB_Dll& base, QWidget* padre = nullptr);
    ~Lib_FrmCons3Tree() override;

    // ---- Properties set by the caller before Cargar() -------------------------------------
    std::string sql;            ///< the statement: code in its first column, description second
    std::string CampoDevuelto;  ///< "IDFAMILIA", "IDPOSICION" or "CODIGO": what Aceptar returns
    bool CheckBoxes = false;    ///< nodes carry check boxes

    // ---- Results --------------------------------------------------------------------------
    /// The picked value; "" after Cancelar or when the code is in no master table; nullopt
    /// when nothing was returned (no node selected, or another CampoDevuelto).
    std::optional<std::string> ValorDevuelto;
    /// Check mode: one value per checked node. nullopt (no collection) after Cancelar.
    std::optional<std::vector<std::string>> Valores;

    // ---- Operations -----------------------------------------------------------------------
    /// Loads: empty Valores, check boxes as CheckBoxes, and the tree built by the family
    /// builder when the statement names "v_ta_familias" (any case), else by the generic one.
    /// Failures go to the operator dialog under "FORM_LOAD".
    void Cargar();
    /// Builds the family tree from its own statement, parents from the column `relative`.
    /// Failures go to the operator dialog under "ArmarTreeVFamilias"; a family whose parent is
    /// not in the tree hangs under the root when the operator ignores the report.
    void ArmarTreeVFamilias();
    /// Builds the tree from `sql`, each code under the longest code already in the tree that
    /// begins it. Failures go to the operator dialog under "ArmarTreeVAutomatico".
    void ArmarTreeVAutomatico();
    /// Button, Enter or double click: fills the results (see ValorDeCodigo / ValorDeMarcado)
    /// and hides the window. Failures go to the operator dialog under "CmdAceptar_Click".
    void Aceptar();
    /// Button or Esc: ValorDevuelto "", Valores released, hidden.
    void Cancelar();
    /// CmdNueva: back to the statement the window was first loaded with, built by the generic
    /// builder.
    void NuevaBusqueda();
    /// F5 in the search box: a new database search for the box's text in "Descripcion".
    void BuscarEnBase();
    /// Unload: clears the nodes (a failure is shown in a message box).
    void Descargar();

    // ---- State read by the driver and by tests --------------------------------------------
    const ArbolCodigos& Arbol() const { return arbol_; }
    /// The selected node, -1 when none.
    int NodoSeleccionado() const;
    /// The statement of the first load (CmdNueva returns to it).
    const std::string& PrimeraSentencia() const { return primera_; }

    QTreeView* TreeV = nullptr;
    QWidget* picFields = nullptr;
    QComboBox* CmbSearch = nullptr;
    QWidget* Frame1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;
    QMenu* MNU_Emergente = nullptr;
    QAction* MNU_Llena = nullptr;
    QAction* MNU_Cancelar = nullptr;
    ModeloArbol* Modelo = nullptr;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void reject() override;

  private:
    void ConstruirVentana();
    void Armar(const std::string& sentencia, bool conPariente, const char* rutina);
    void BusquedaIncremental();

    data::DB_Dll& base_db_;
    ArbolCodigos arbol_;
    std::string primera_;
};

}  // namespace lookup
