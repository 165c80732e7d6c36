#pragma once
// The lookup driver: one object (owned by the program's context) through which every pick list
// is opened.
// A caller names what to pick from (a table or view name, or a statement), optionally a filter,
// a search column and the columns it wants back; the driver builds one statement, shows the
// list window modally on it and exposes what the user chose in its own properties. It also
// offers three pick dialogs not backed by the database (check list, menu, file lines). Asked
// for a tree, it shows the tree window instead of the list.
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ValoresSesion.h"

class QWidget;

namespace data {
class DB_Dll;
}

namespace lookup {

class Lib_FrmCons3;
class Lib_FrmCons3Tree;

class Lib_ClsCons3 {
  public:
    /// Reads the configuration values (MostrarStockenConsultas, Stk_Nivel1..4, UsaConsultaLIKE)
    /// through `base` when it is open. `preparacion` (the session's lookup values: connection
    /// string, whether to consult the saved-query file and its path) is read at every search.
    /// Both must outlive the driver.
    Lib_ClsCons3(data::DB_Dll& base, const startup::PreparacionConsultas& preparacion);
    /// Takes down the list window it kept, when its owner has not already done so.
    ~Lib_ClsCons3();
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    // ---- Properties -----------------------------------------------------------------------
    /// Column whose value the next search returns in ValorDevuelto; emptied after every search.
    std::string CampoDevuelto;
    /// "" when the user cancelled; nullopt (Empty) when accepted without a selected row.
    std::optional<std::string> ValorDevuelto;
    /// Values of the chosen rows; nullopt (no collection) after a cancelled search.
    std::optional<std::vector<std::string>> Valores;
    std::optional<std::vector<std::string>> Cantidades;
    /// The next search shows check boxes; set back to false after every search.
    bool Checks = false;
    bool UsaCantidades = false;
    std::string MuestraStock;
    std::string StkNivel1 = "0", StkNivel2 = "0", StkNivel3 = "0", StkNivel4 = "0";

    /// Whether "UsaConsultaLIKE" was "SI" at creation.
    bool UsaConsultaLike() const { return usaLike_; }

    // ---- Seams (defaults serve the program; tests replace them) ---------------------------
    /// Shows a loaded list window modally. Default: exec().
    std::function<void(Lib_FrmCons3&)> MostrarVentana;
    /// Shows a loaded tree window modally. Default: exec().
    std::function<void(lookup::Lib_FrmCons3Tree&)> MostrarArbol;
    /// Folder the list window keeps its column widths in ("" : the program's folder).
    std::string CarpetaAnchos;

    // ---- Operations -----------------------------------------------------------------------
    /// Runs one lookup (see the class comment). `CmpsDevueltos` (may be null) is handed to the
    /// list window and emptied afterwards. `CampoBusqueda` and `Where` are in/out: the driver
    /// leaves its chosen search column and the wrapped condition in them. Never throws: a
    /// failing step is skipped.
    void ConsultaSearch(const std::string& sql, std::vector<std::string>* CmpsDevueltos,
                        const std::string& Clave, std::string& CampoBusqueda, std::string& Where,
                        const std::string& SentenciaOpcional = "", bool TreeView = false,
                        const std::string& ValoresDefault = "");
    /// The statement ConsultaSearch would run, without opening any window; nullopt when the
    /// lookup ends at the configuration message (which this call shows).
    std::optional<std::string> ArmarSentencia(const std::string& sql, std::string& CampoBusqueda,
                                              std::string& Where,
                                              const std::string& SentenciaOpcional);

    /// Check list of options ("1" first character: initially checked); checked texts end in
    /// Valores. `CmpsDevueltos` is not used.
    void CheckOpciones(const std::string& Titulo, std::vector<std::string>* CmpsDevueltos,
                       const std::vector<std::string>& Opc);
    /// One-choice list; returns the chosen text or "".
    std::string MenuOpciones(const std::string& Titulo, const std::vector<std::string>& Opc);
    /// One-choice list of the lines of a file; "" when the file is missing (after telling the
    /// operator) or nothing was chosen. `Separador` is not used.
    std::string ConsultaDesdeArchivo(const std::string& Titulo, const std::string& QueArchivo,
                                     const std::string& Separador = "");
    /// Does nothing (kept for callers of the suite).
    void GrabaConsultaDefault() {}

  private:
    std::string Configuracion(const std::string& clave) const;
    void AbrirArbol(const std::string& sentencia);
    void AbrirLista(const std::string& sentencia, std::vector<std::string>* CmpsDevueltos,
                    const std::string& Clave, const std::string& CampoBusqueda,
                    const std::string& ValoresDefault);
    /// The list window for one search: the kept one, reset (built on first use, built again
    /// for another owner window); a window of its own when the kept one is showing a search
    /// that led to this one.
    Lib_FrmCons3& VentanaLista(QWidget* duena, std::unique_ptr<Lib_FrmCons3>& propia);
    std::string ListaDeOpciones(const std::string& titulo, const std::vector<std::string>& filas,
                                bool marcas);

    data::DB_Dll& base_;
    const startup::PreparacionConsultas& preparacion_;
    bool usaLike_ = false;
    // A user opens the account list on one line after another: the list window is built once
    // and reset for each search instead of being built and taken down every time. It belongs
    // to its owner window (which may take it down first; the pointer then reads null).
    QPointer<Lib_FrmCons3> lista_;
    bool listaEnUso_ = false;
};

}  // namespace lookup
