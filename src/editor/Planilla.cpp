#include "Planilla.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

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

/// The sheet's rows as a table model over the rows as read: a cell's display text is made when
/// the view asks for it, and sorting reorders row numbers, never the rows.
class ModeloPlanilla : public QAbstractTableModel {
  public:
    ModeloPlanilla(DatosPlanilla datos, QObject* padre)
        : QAbstractTableModel(padre), datos_(std::move(datos)) {}

    bool EsImporte(int c) const {
        return c >= 0 && c < static_cast<int>(datos_.Importes.size()) &&
               datos_.Importes[static_cast<size_t>(c)];
    }
    /// The text of cell (row as shown, column): amounts as the program shows them.
    std::string Texto(int fila, int c) const {
        if (fila < 0 || fila >= rowCount() || c < 0 || c >= columnCount()) return {};
        const auto f = static_cast<size_t>(fila);
        return TextoDeFila(orden_.empty() ? f : orden_[f], c);
    }
    const std::vector<std::string>& Columnas() const { return datos_.Columnas; }

    int rowCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : static_cast<int>(datos_.Filas.Filas());
    }
    int columnCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : static_cast<int>(datos_.Columnas.size());
    }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid()) return {};
        if (rol == Qt::DisplayRole) return QString::fromStdString(Texto(i.row(), i.column()));
        if (rol == Qt::TextAlignmentRole) {
            // Amounts, and any cell holding a number, to the right.
            if (EsImporte(i.column()) || Numero(Texto(i.row(), i.column())))
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override {
        if (o == Qt::Horizontal && seccion >= 0 && seccion < columnCount()) {
            if (rol == Qt::DisplayRole)
                return QString::fromStdString(datos_.Columnas[static_cast<size_t>(seccion)]);
            if (rol == Qt::TextAlignmentRole && EsImporte(seccion))
                return int(Qt::AlignRight | Qt::AlignVCenter);
        }
        return QAbstractTableModel::headerData(seccion, o, rol);
    }
    /// Cells compare as numbers when both hold numbers, as texts otherwise (stable); a
    /// negative column restores the statement's order.
    void sort(int columna, Qt::SortOrder orden) override {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList antes = persistentIndexList();
        std::vector<size_t> previo = orden_;
        const size_t n = datos_.Filas.Filas();
        if (previo.empty())
            for (size_t f = 0; f < n; ++f) previo.push_back(f);
        std::vector<size_t> nuevo(n);
        for (size_t f = 0; f < n; ++f) nuevo[f] = f;
        if (columna >= 0 && columna < columnCount()) {
            struct Clave {
                std::optional<Moneda> numero;
                QString texto;
            };
            std::vector<Clave> claves(n);
            for (size_t f = 0; f < n; ++f) {
                const std::string t = TextoDeFila(f, columna);
                claves[f] = {Numero(t), QString::fromStdString(t)};
            }
            const auto menor = [&](size_t a, size_t b) {
                const Clave& x = claves[a];
                const Clave& y = claves[b];
                if (x.numero && y.numero) return *x.numero < *y.numero;
                return x.texto.localeAwareCompare(y.texto) < 0;
            };
            std::stable_sort(nuevo.begin(), nuevo.end(), [&](size_t a, size_t b) {
                return orden == Qt::AscendingOrder ? menor(a, b) : menor(b, a);
            });
        }
        // Persistent indexes (the current cell, the selection) follow their rows.
        std::vector<int> posicion(n);
        for (size_t i = 0; i < n; ++i) posicion[nuevo[i]] = static_cast<int>(i);
        QModelIndexList despues;
        for (const QModelIndex& i : antes)
            despues.push_back(index(posicion[previo[static_cast<size_t>(i.row())]], i.column()));
        orden_ = std::move(nuevo);
        changePersistentIndexList(antes, despues);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

  private:
    /// The display text of stored row `f` (statement order).
    std::string TextoDeFila(size_t f, int c) const {
        if (static_cast<size_t>(c) >= datos_.Filas.Columnas()) return {};
        const std::string_view t = datos_.Filas.Texto(f, static_cast<size_t>(c));
        return EsImporte(c) ? ImporteMostrado(std::string(t)) : std::string(t);
    }
    static std::optional<Moneda> Numero(const std::string& t) {
        try {
            return Moneda::Leer(t);
        } catch (const ErrorEjecucion&) {
            return std::nullopt;
        }
    }

    DatosPlanilla datos_;
    std::vector<size_t> orden_;  // stored row of each shown row; empty: the statement's order
};

DatosPlanilla DatosPlanilla::DeTextos(std::vector<std::string> columnas,
                                      const std::vector<std::vector<std::string>>& filas) {
    DatosPlanilla d;
    d.Filas = data::FilasResultado(columnas.size());
    for (const auto& f : filas)
        for (size_t c = 0; c < columnas.size(); ++c)
            d.Filas.Agregar(std::string_view(c < f.size() ? f[c] : std::string()));
    d.Columnas = std::move(columnas);
    return d;
}

DatosPlanilla LeerPlanilla(const std::string& sql, const std::string& conexion) {
    Conexion cn;
    cn.Open(conexion);
    data::TablaResultado r = cn.Leer(sql);
    DatosPlanilla d;
    static const std::vector<ColumnaResultado> ninguna;
    for (const auto& c : r.Columnas ? *r.Columnas : ninguna) {
        d.Columnas.push_back(c.Nombre);
        d.Importes.push_back(EsImporte(c.TipoAdo));
    }
    d.Filas = std::move(r.Filas);
    cn.Close();
    return d;
}

std::string PlanillaCsv(const TextosPlanilla& datos) {
    std::string r = Unir(datos.Columnas, ",", CampoCsv) + "\r\n";
    for (const auto& f : datos.Filas) r += Unir(f, ",", CampoCsv) + "\r\n";
    return r;
}

std::string PlanillaTabulada(const TextosPlanilla& datos) {
    std::string r = Unir(datos.Columnas, "\t", SinCambio) + "\n";
    for (const auto& f : datos.Filas) r += Unir(f, "\t", SinCambio) + "\n";
    return r;
}

VentanaPlanilla::VentanaPlanilla(const QString& titulo, DatosPlanilla datos, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(titulo);
    setObjectName("Planilla");
    modelo_ = new editor::ModeloPlanilla(std::move(datos), this);
    tabla_ = new QTableView(this);
    tabla_->setModel(modelo_);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    for (int c = 0; c < modelo_->columnCount(); ++c) ancho += tabla_->columnWidth(c);
    const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    const int maximo = pantalla ? pantalla->availableGeometry().width() : ancho;
    return std::clamp(ancho, 400, std::max(400, maximo));
}

TextosPlanilla VentanaPlanilla::DatosVisibles() const {
    TextosPlanilla d;
    d.Columnas = modelo_->Columnas();
    for (int r = 0; r < modelo_->rowCount(); ++r) {
        std::vector<std::string> fila;
        for (int c = 0; c < modelo_->columnCount(); ++c) fila.push_back(modelo_->Texto(r, c));
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
