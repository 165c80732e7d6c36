#include "Planilla.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Conexion.h"
#include "Moneda.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Recordset.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace editor {

namespace {

/// A cell that sorts numerically when both cells hold numbers, as text otherwise.
class CeldaPlanilla : public QTableWidgetItem {
  public:
    CeldaPlanilla(const std::string& t, bool importe)
        : QTableWidgetItem(QString::fromStdString(t)) {
        try {
            numero_ = Moneda::Leer(t);
        } catch (const ErrorEjecucion&) {
        }
        if (numero_ || importe) setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& otra) const override {
        const auto* o = dynamic_cast<const CeldaPlanilla*>(&otra);
        if (o && numero_ && o->numero_) return *numero_ < *o->numero_;
        return text().localeAwareCompare(otra.text()) < 0;
    }

  private:
    std::optional<Moneda> numero_;
};

std::string CampoCsv(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string r = "\"";
    for (char c : s) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

std::string Unir(const std::vector<std::string>& v, const char* sep,
                 std::string (*campo)(const std::string&)) {
    std::string r;
    for (size_t i = 0; i < v.size(); ++i) r += (i ? sep : "") + campo(v[i]);
    return r;
}

std::string SinCambio(const std::string& s) { return s; }

/// Currency, decimal and real fields (ADO types 6, 131, 14, 5, 4) hold amounts.
bool EsImporte(int tipoAdo) {
    return tipoAdo == 6 || tipoAdo == 131 || tipoAdo == 14 || tipoAdo == 5 || tipoAdo == 4;
}

/// An amount as the program shows amounts ("#########0.00"); Null and text that is no
/// number stay as they are.
std::string ImporteMostrado(const std::string& t) {
    try {
        if (const auto m = Moneda::Leer(t)) return m->Formato(2);
    } catch (const ErrorEjecucion&) {
    }
    return t;
}

}  // namespace

DatosPlanilla LeerPlanilla(const std::string& sql, const std::string& conexion) {
    Conexion cn;
    cn.Open(conexion);
    DatosPlanilla d;
    Recordset rs = cn.Execute(sql);
    if (rs.State() == 1) {
        d.Columnas = rs.NombresCampos();
        for (int i = 0; i < rs.FieldCount(); ++i)
            d.Importes.push_back(EsImporte(rs.Fields(i).Type()));
        for (; !rs.EOF(); rs.MoveNext()) {
            std::vector<std::string> fila;
            for (int i = 0; i < rs.FieldCount(); ++i) {
                std::string t = TextoDeValor(rs.Fields(i));
                if (d.Importes[static_cast<size_t>(i)]) t = ImporteMostrado(t);
                fila.push_back(std::move(t));
            }
            d.Filas.push_back(std::move(fila));
        }
        rs.Close();
    }
    cn.Close();
    return d;
}

std::string PlanillaCsv(const DatosPlanilla& datos) {
    std::string r = Unir(datos.Columnas, ",", CampoCsv) + "\r\n";
    for (const auto& f : datos.Filas) r += Unir(f, ",", CampoCsv) + "\r\n";
    return r;
}

std::string PlanillaTabulada(const DatosPlanilla& datos) {
    std::string r = Unir(datos.Columnas, "\t", SinCambio) + "\n";
    for (const auto& f : datos.Filas) r += Unir(f, "\t", SinCambio) + "\n";
    return r;
}

VentanaPlanilla::VentanaPlanilla(const QString& titulo, DatosPlanilla datos, QWidget* parent)
    : QDialog(parent), datos_(std::move(datos)) {
    setWindowTitle(titulo);
    setObjectName("Planilla");
    tabla_ = new QTableWidget(static_cast<int>(datos_.Filas.size()),
                              static_cast<int>(datos_.Columnas.size()), this);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList encabezados;
    for (const auto& c : datos_.Columnas) encabezados << QString::fromStdString(c);
    tabla_->setHorizontalHeaderLabels(encabezados);
    const auto importe = [this](int c) {
        return c < static_cast<int>(datos_.Importes.size()) &&
               datos_.Importes[static_cast<size_t>(c)];
    };
    for (int c = 0; c < tabla_->columnCount(); ++c)
        if (importe(c))
            tabla_->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int r = 0; r < tabla_->rowCount(); ++r)
        for (int c = 0; c < tabla_->columnCount(); ++c) {
            const auto& fila = datos_.Filas[static_cast<size_t>(r)];
            tabla_->setItem(
                r, c,
                new CeldaPlanilla(c < static_cast<int>(fila.size()) ? fila[static_cast<size_t>(c)]
                                                                    : std::string(),
                                  importe(c)));
        }
    // Rows keep the statement's order until the user sorts by a column.
    tabla_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tabla_->setSortingEnabled(true);
    tabla_->horizontalHeader()->setSortIndicatorShown(true);
    tabla_->resizeColumnsToContents();

    auto* copiar = new QPushButton("Copiar", this);
    auto* exportar = new QPushButton("Exportar...", this);
    auto* cerrar = new QPushButton("Cerrar", this);
    connect(copiar, &QPushButton::clicked, this, &VentanaPlanilla::Copiar);
    connect(exportar, &QPushButton::clicked, this, &VentanaPlanilla::ElegirYExportar);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);
    auto* botones = new QHBoxLayout;
    botones->addWidget(copiar);
    botones->addWidget(exportar);
    botones->addStretch();
    botones->addWidget(cerrar);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(tabla_);
    caja->addLayout(botones);
    resize(AnchoInicial(), 500);
}

int VentanaPlanilla::AnchoInicial() const {
    // Every column shows whole: the columns, the row numbers, the scroll bar and the margins,
    // but never wider than the screen the sheet opens on.
    int ancho = tabla_->verticalHeader()->sizeHint().width() + 2 * tabla_->frameWidth() +
                tabla_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 40;
    for (int c = 0; c < tabla_->columnCount(); ++c) ancho += tabla_->columnWidth(c);
    const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    const int maximo = pantalla ? pantalla->availableGeometry().width() : ancho;
    return std::clamp(ancho, 400, std::max(400, maximo));
}

DatosPlanilla VentanaPlanilla::DatosVisibles() const {
    DatosPlanilla d;
    d.Columnas = datos_.Columnas;
    for (int r = 0; r < tabla_->rowCount(); ++r) {
        std::vector<std::string> fila;
        for (int c = 0; c < tabla_->columnCount(); ++c)
            fila.push_back(tabla_->item(r, c)->text().toStdString());
        d.Filas.push_back(std::move(fila));
    }
    return d;
}

void VentanaPlanilla::Copiar() {
    QApplication::clipboard()->setText(QString::fromStdString(PlanillaTabulada(DatosVisibles())));
}

bool VentanaPlanilla::Exportar(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const std::string csv = PlanillaCsv(DatosVisibles());
    return f.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
}

void VentanaPlanilla::ElegirYExportar() {
    const QString archivo = QFileDialog::getSaveFileName(this, "Exportar planilla",
                                                         windowTitle() + ".csv", "CSV (*.csv)");
    if (archivo.isEmpty()) return;
    if (!Exportar(archivo))
        plataforma().MsgBox("No se pudo escribir el archivo " + archivo.toStdString(),
                            estilo::kExclamacion, "Aviso al Operador");
}

void MostrarPlanilla(const std::string& sql, const std::string& conexion, const std::string& titulo,
                     QWidget* duena, const std::function<void(VentanaPlanilla&)>& mostrar) {
    DatosPlanilla datos;
    if (!EjecutarPaso([&] { datos = LeerPlanilla(sql, conexion); },
                      ReporteroConOpciones("MostrarPlanilla")))
        return;
    VentanaPlanilla v(QString::fromStdString(titulo), std::move(datos), duena);
    mostrar(v);
}

}  // namespace editor
