#pragma once
// The modal pick list: runs one statement, shows its rows with one search box above each
// column, narrows them by typing (prefix search) or by F5 (a new database search), lets the
// user check rows and enter quantities, and on Aceptar hands back the chosen values. Loaded
// without a statement it serves the driver's option and file pick lists.
#include <QDialog>
#include <QSize>
#include <optional>
#include <string>
#include <vector>

#include "Recordset.h"

namespace data {
class DB_Dll;
}
class QComboBox;
class QCompleter;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;
class QWidget;

namespace lookup {

class ModeloFilas;

class Lib_FrmCons3 : public QDialog {
    Q_OBJECT
  public:
    /// `base`: the data access object whose connection runs the statement (not owned).
    explicit Lib_FrmCons3(data::DB_Dll& base, QWidget* padre = nullptr);
    ~Lib_FrmCons3() override;

    // ---- Properties set by the caller before Cargar() -------------------------------------
    std::string sql;                  ///< statement to run; "" for lists filled by the caller
    std::string gConnString;          ///< kept for the caller; the statement runs on `base`
    std::string CampoDevuelto;        ///< column (header text) whose value is returned
    std::string CampoBusqueda;        ///< search column chosen by the driver (kept)
    std::string FiltroInicial;        ///< written into the first search box after loading
    bool CheckBoxes = false;          ///< rows carry check boxes
    bool OrdenarPorLwv = false;       ///< the list sorts itself on its first column
    bool UsaCantidades = false;       ///< quantity keys active
    std::string ValoresDefault;       ///< check mode: values that start checked; "@10" widens
    bool CfgUsaConsultaLIKE = false;  ///< F5 searches the words anywhere in the column
    std::string MuestraStock;         ///< "SI" (any case): stock colours for article lists
    std::string StkNivel1 = "0", StkNivel2 = "0", StkNivel3 = "0", StkNivel4 = "0";
    bool GrabarCfg = false;                  ///< save the column widths when unloaded
    bool UsarUDBC = false;                   ///< run on `BaseSecundaria` instead of the main object
    data::DB_Dll* BaseSecundaria = nullptr;  ///< the second data-access instance (not owned)
    /// Folder of the column-width file; empty (the default): the program's own file, read and
    /// written where UbicacionArchivos puts the program's files.
    std::string CarpetaAplicacion;
    std::vector<std::string> CmpsDevueltos;  ///< columns whose values Aceptar adds to Valores

    // ---- Results --------------------------------------------------------------------------
    /// "" after Cancelar; nullopt (Empty) when accepted without a selected row.
    std::optional<std::string> ValorDevuelto;
    /// nullopt (no collection) after Cancelar.
    std::optional<std::vector<std::string>> Valores;
    std::optional<std::vector<std::string>> Cantidades;
    /// "-1" once the pop-up entry "Llenar Con Posibles Valores" was chosen.
    std::string PedidoLlenar;

    // ---- Operations -----------------------------------------------------------------------
    /// Loads: runs the statement and fills columns and rows (errors through the operator
    /// dialog under "FORM_LOAD"). Also run again by F5 and CmdNueva.
    void Cargar();
    /// Reads all rows of the open result into the list (arguments accepted, not used).
    void Leer(long Cdesde = 0, long Cuantas = 0);
    /// Builds columns and search boxes from the result's fields.
    void Encolumnar();
    /// Aligns the search boxes with the columns and sizes the window.
    void CalcularAncho();
    /// 1-based index of the first row whose column (Clave <= 0: first; n: the (n+1)-th)
    /// starts with QueValor (trimmed, case ignored); 0 when none.
    int Busqueda(int Clave, const std::string& QueValor) const;
    /// 1-based index of the column whose header equals Columna (trimmed, case ignored); 0 when
    /// none.
    int IndiceColumna(const std::string& Columna) const;

    /// Option lists: no statement, one column titled `titulo`, rows added by the caller.
    void PrepararOpciones(const std::string& titulo, bool marcas);
    void AgregarOpcion(const std::string& texto, bool marcada);
    /// Clears every row's check mark.
    void LimpiarMarcas();

    void Aceptar();
    void Cancelar();
    void NuevaBusqueda();  ///< CmdNueva: back to the first statement
    void Marcar();         ///< reverses every row's check mark
    void Nuevo();          ///< starts the maintenance program of the listed source
    /// F5 in search box k: a new database search with its text.
    void BuscarEnBase(int k);
    /// F12 in an article list: offers to record the selected article as a stock shortage.
    void InformarFaltante();
    /// Unload: resets UsarUDBC, saves the widths when GrabarCfg, clears the rows.
    void Descargar();
    /// Brings an unloaded window back to the state it was built in, so that it can serve
    /// another search: the properties and results at their defaults, no rows or columns, empty
    /// search boxes (only the first one shown), no sort, no remembered statements, the size it
    /// was built with, no position of its own (it is centred again when shown) and no remembered
    /// focus. Building a window costs more than running most lists, and a user opens one list
    /// after another.
    void Reiniciar();

    // ---- State read by the driver and by tests ----------------------------------------------
    const std::string& SentenciaBase() const { return base_; }
    const std::string& PrimeraSentencia() const { return primera_; }
    const std::string& Fuente() const { return fuente_; }
    bool EsListaArticulos() const { return articulos_; }
    int FilasLeidas() const { return filasLeidas_; }
    /// 0-based row selected, -1 when none.
    int FilaSeleccionada() const;
    /// Text of row `fila` (0-based) in column `columna` (1-based, as IndiceColumna).
    std::string TextoCelda(int fila, int columna) const;
    /// Column widths in twips, in column order.
    std::vector<int> AnchosTwips() const;

    QTreeView* ListView1 = nullptr;
    std::vector<QComboBox*> CmbSearch;
    QLabel* Label1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;
    QPushButton* CmdNuevo = nullptr;
    QPushButton* CmdTodos = nullptr;
    QMenu* MNU_Emergente = nullptr;
    ModeloFilas* Modelo = nullptr;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void reject() override;
    void showEvent(QShowEvent* evento) override;

  private:
    void ConstruirVentana();
    QComboBox* CajaBusqueda(int k);
    void BusquedaIncremental(int k);
    void AlinearCajas();
    void AplicarAnchosGuardados();
    bool TeclaEnLista(QKeyEvent* e);
    bool TeclaEnCaja(int k, QKeyEvent* e);
    void OrdenarPorEncabezado(int columna);
    void CambiarCantidad(int tecla, bool conMayusculas);
    std::string Configuracion(const std::string& clave) const;
    data::DB_Dll& BaseActiva();

    data::DB_Dll& base_db_;
    data::Recordset rs_;
    std::vector<std::string> camposCajas_;  // field name of each search box
    std::string primera_;
    std::string base_;
    std::string fuente_;
    bool articulos_ = false;
    int cajaActual_ = 0;
    int filasLeidas_ = 0;
    bool ordenAscendente_ = true;
    QWidget* picFields_ = nullptr;
    QWidget* marcoCajas_ = nullptr;
    QCompleter* completerVacio_ = nullptr;  // placeholder lent to each new search box
    QSize tamanoInicial_;                   // size of the window as built, before any load
    bool columnasAjenas_ = false;        // the columns shown are those of the search before a reset
    bool anchosEnCurso_ = false;         // columns being given their widths one after another
    bool altoInicialPendiente_ = false;  // reset: the next load sizes it from the built height
};

}  // namespace lookup
