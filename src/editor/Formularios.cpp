#include "Formularios.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVariant>

#include "Recordset.h"
#include "TeclasVirtuales.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;
using namespace toolbar;

namespace editor {

namespace {
constexpr int kEnter = teclas::Vk(Qt::Key_Return);
constexpr int kRetroceso = teclas::Vk(Qt::Key_Backspace);
}  // namespace

bool EsTeclaDeAvance(int codigo) { return codigo == kEnter; }

void TeclaConfirmada(int) {}

int FiltrarTecla(const QWidget* control, int ascii) {
    if (!control || !control->isEnabled()) return 0;
    if (const auto* t = qobject_cast<const QLineEdit*>(control); t && t->isReadOnly()) return 0;
    if (ascii == kEnter) return 0;
    if (ascii >= 0 && ascii < 32 && ascii != kRetroceso) return 0;
    return ascii;
}

void LimpiarControles(QWidget* ventana, const QString& nombre) {
    if (!ventana) return;
    auto elegido = [&](const QObject* o) {
        return nombre.isEmpty() || o->objectName().compare(nombre, Qt::CaseInsensitive) == 0;
    };
    for (QLineEdit* t : ventana->findChildren<QLineEdit*>()) {
        // The line edit inside an editable combo box is emptied with its box.
        if (qobject_cast<QComboBox*>(t->parentWidget())) continue;
        // An empty field stays as it is: emptying it again lays its text out for nothing. A
        // field is emptied by setting an empty text, as assigning a text box's text does
        // (clearing would select the text to remove it, telling of the selection and of the
        // removal, and keep the removal to be undone).
        if (elegido(t) && !t->text().isEmpty()) t->setText(QString());
    }
    for (QComboBox* c : ventana->findChildren<QComboBox*>())
        if (c->isEditable() && elegido(c)) c->setEditText(QString());
}

int IndiceDeCampo(const std::string& campo, const std::vector<QLineEdit*>& controles) {
    for (size_t i = 0; i < controles.size(); ++i) {
        const std::string propio =
            controles[i]->property(formularios::kCampoDatos).toString().toStdString();
        if (!propio.empty() && texto::IgualesSinCaso(propio, campo)) return static_cast<int>(i);
    }
    return -1;
}

void CamposDesdeRegistro(const std::vector<QLineEdit*>& controles, const Recordset& registro) {
    const auto columnas = registro.NombresCampos();
    for (QLineEdit* c : controles) {
        const std::string campo = c->property(formularios::kCampoDatos).toString().toStdString();
        if (campo.empty()) continue;
        for (const auto& col : columnas) {
            if (!texto::IgualesSinCaso(col, campo)) continue;
            c->setText(QString::fromStdString(TextoDeValor(registro.Fields(col))));
            break;
        }
    }
}

void PrepararControles(const std::vector<QWidget*>& controles, const std::string& tabla,
                       const std::string& conexion) {
    for (QWidget* c : controles) {
        c->setProperty(formularios::kTabla, QString::fromStdString(tabla));
        c->setProperty(formularios::kConexion, QString::fromStdString(conexion));
    }
}

void PrepararFormulario(QWidget* ventana, int) {
    if (!ventana) return;
    for (QLineEdit* t : ventana->findChildren<QLineEdit*>()) t->setFocusPolicy(Qt::StrongFocus);
}

}  // namespace editor
