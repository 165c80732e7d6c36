#pragma once
// The template editor window "Asientos Modelo de Registraciones Directas": the command
// toolbar, the header (name, default voucher type, reason, six options), the line grid with
// its floating cell editor and the two totals. Loading it starts the session; closing it ends
// the program. The rules live in Qt-free classes beside it: the store (AlmacenModelos), the
// header checks (LogicaEncabezado) and the grid rules (LogicaGrilla over a MatrizGrilla).
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "AlmacenModelos.h"
#include "LogicaEncabezado.h"
#include "LogicaGrilla.h"
#include "MatrizGrilla.h"

namespace lookup {
class Contexto;
}
namespace data {
class DB_Dll;
}
class QCheckBox;
class QKeyEvent;
class QVBoxLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
namespace toolbar {
class UtilPanel;
}

namespace editor {

class FGModelo;
class VentanaPlanilla;

class FrmMa_Modelo : public QWidget, public VistaAlmacen {
    Q_OBJECT
  public:
    static constexpr const char* kTitulo = editor::kTituloPrograma;
    /// The statement of the templates sheet.
    static const char* const kSentenciaPlanilla;

    /// Builds the window on the program's context `ctx` (which must outlive it): its data access
    /// object, session values and lookup driver. Nothing is read until Form_Load.
    explicit FrmMa_Modelo(lookup::Contexto& ctx, QWidget* parent = nullptr);
    ~FrmMa_Modelo() override;

    /// The load sequence: session start-up on `parametros`, skin, SOLOTARJETA, icon, form
    /// preparation, the working recordset, the controls' table, and the reset to idle.
    void Form_Load(const std::string& parametros);
    /// Hides the window, discards the lines and ends the program (plataforma().Terminar).
    void Form_Unload();

    // ---- Form state ----------------------------------------------------------------------
    AlmacenModelos Almacen;
    MatrizGrilla Matriz;
    LogicaGrilla Grilla;
    LogicaEncabezado Encabezado;
    int16_t FocoCampo = -2;  ///< header field with the focus, -2 when the grid side has it
    int16_t FocoGrilla = 0;  ///< floating editor index (0) on the grid side, -2 otherwise
    bool SoloTarjeta = false;

    /// The lookup: receives the column to return and the statement (or table), returns the
    /// chosen value ("" when cancelled). Default: the context's lookup driver.
    std::function<std::string(const std::string& campoDevuelto, const std::string& sentencia)>
        Buscar;
    /// How the templates sheet is shown. Default: modally.
    std::function<void(VentanaPlanilla&)> MostrarHoja;

    // ---- Controls --------------------------------------------------------------------------
    toolbar::UtilPanel* UtilPanel1 = nullptr;
    std::array<QLineEdit*, 3> txtFields{};
    QLabel* lblLabels = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblTC = nullptr;
    QLabel* LblDescMotivo = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* chkCpte = nullptr;
    QCheckBox* chkModCuentas = nullptr;
    QCheckBox* chkAgrCuentas = nullptr;
    QCheckBox* chkLibroIva = nullptr;
    QCheckBox* chkLiqTarjetas = nullptr;
    QCheckBox* chkAlMenu = nullptr;
    FGModelo* FGModelo1 = nullptr;
    QLineEdit* BrwTxt = nullptr;
    std::array<QLineEdit*, 2> txtTotal{};

    // ---- Operations ------------------------------------------------------------------------
    /// Runs a toolbar command word ("NUEVO", "BORRAR", "GRABAR", "PLANILLA", "CONSULTAR",
    /// "REPORTE", "CERRAR", "CANCELAR"; case ignored; others do nothing).
    void Comando(const QString& palabra);
    /// Back to idle: empty fields, options and grid.
    void Limpiar() override;
    /// Idle (false) or editing (true) toolbar; editing also opens the editor on row 1, col 1.
    void EstadoEdicion(bool editando);
    /// The lookup of the field or cell that has the focus.
    void Consultar();
    /// Rebuilds the grid (hides and empties the cell editor first).
    void MsFlex_Inicializa();
    /// Opens the floating editor on the current cell for a typed character code (13 Enter,
    /// 32 keep the cell's text, a printable code starts the text with it).
    void EditarCelda(int codigo);
    /// Grid navigation for a key (13 Enter, 27 Esc, 38 Up, 40 Down). Errors are trapped.
    void MSFlex_EditKeyCode(int keyCode, int shift = 0);
    /// Removes / inserts the current line (keys Delete and Insert anywhere in the window).
    void BorrarLinea();
    void InsertarLinea();
    /// Confirms header field `i` with key `codigo` as its KeyDown does.
    void ConfirmarCampo(int i, int codigo);

    // VistaAlmacen
    void MostrarLinea(int k) override;
    void EnfocarCelda(int k, ColumnaLinea columna) override;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    /// Installs the window's event filter on `w` and every widget inside it.
    void Vigilar(QWidget* w);

    void Construir();
    void ConstruirEncabezado(QVBoxLayout* caja);
    void Conectar();
    void SubirEncabezado();
    void BajarEncabezado();
    void MostrarTotales();
    void RecalcularTotales();
    void AplicarPropiedades(int col);
    void UbicarEditor();
    void EnfocarNombre();
    void LimpiarLineas();
    void DescartarEditor();
    void VaciarEditor();
    bool ValidarEditor();
    bool TeclaEnEditor(int vk, int shift);
    bool TeclaEnCampo(int i, QKeyEvent* e);
    bool CaracterFiltrado(QLineEdit* control, QKeyEvent* e);
    void AlRecibirFocoGrilla();
    void AlSalirDeCelda();
    void AlEntrarEnCelda();
    void Desplazar();
    bool TeclaDelFormulario(QObject* objeto, QKeyEvent* e);

    lookup::Contexto& ctx_;
    data::DB_Dll& db_;
    bool ocupado_ = false;  // a key or command is being handled: scrolling is not Enter
    // The data field and tag of the cell editor's column, as AplicarPropiedades last gave them.
    std::string campoEditor_, tagEditor_;
    bool descargada_ = false;
};

}  // namespace editor
