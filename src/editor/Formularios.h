#pragma once
// The helper library's form operations that work on widgets: which key confirms a field, the
// key filter of text boxes, emptying a window's input controls, finding a control by its data
// field and filling controls from a recordset row. A control's data field and lookup table are
// kept in its dynamic properties "campoDatos" and "tag".
#include <QString>
#include <string>
#include <vector>

class QLineEdit;
class QWidget;
class Recordset;

namespace formularios {
inline constexpr const char* kCampoDatos = "campoDatos";
inline constexpr const char* kTag = "tag";
inline constexpr const char* kTabla = "tablaDatos";
inline constexpr const char* kConexion = "conexionDatos";
}  // namespace formularios

/// True when the key (a Windows virtual-key code) confirms a field: Enter (13). Tab keeps its
/// usual meaning of moving the focus without confirming.
bool EsTeclaDeAvance(int codigo);
/// Told which key confirmed the voucher-type field. The editor moves the focus itself after a
/// confirmation, so nothing else is needed here.
void TeclaConfirmada(int codigo);
/// The character a text box receives for `ascii`: 0 (swallowed) for Enter and for every key
/// when the control is disabled or read-only, 0 for control characters other than Backspace;
/// any other character unchanged.
int FiltrarTecla(const QWidget* control, int ascii);
/// Empties the input controls (text boxes and editable combo boxes) of `ventana`, all of them
/// or only those whose object name is `nombre` (case ignored).
void LimpiarControles(QWidget* ventana, const QString& nombre = {});
/// Index in `controles` of the control whose data field is `campo` (case ignored); -1 if none.
int IndiceDeCampo(const std::string& campo, const std::vector<QLineEdit*>& controles);
/// Each control bound to a column of the recordset's current row shows that value ("" for
/// Null). Controls without a data field, or bound to no column, are left alone.
void CamposDesdeRegistro(const std::vector<QLineEdit*>& controles, const Recordset& registro);
/// Remembers on each control the table and connection its values belong to.
void PrepararControles(const std::vector<QWidget*>& controles, const std::string& tabla,
                       const std::string& conexion);
/// Window preparation: every text box takes the focus both by click and by Tab.
void PrepararFormulario(QWidget* ventana, int opcion = 0);
