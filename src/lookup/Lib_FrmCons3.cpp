#include "Lib_FrmCons3.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTreeView>
#include <QVBoxLayout>
#include <filesystem>

#include "AnchosColumnas.h"
#include "AvisoOperador.h"
#include "Configuracion.h"
#include "DB_Dll.h"
#include "DelegadoFilas.h"
#include "Lanzador.h"
#include "LogicaLista.h"
#include "ModeloFilas.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "TamanosCampos.h"
#include "Texto.h"
#include "UbicacionArchivos.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;
using namespace startup;

namespace lookup {

namespace {

constexpr int kTwipsPorPixel = 15;

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

Reportero ReporteroAviso(const char* rutina) {
    return [rutina](const ErrorEjecucion& e) { return AvisoOperador(e, 18, rutina); };
}

// A Windows colour number (0x00BBGGRR) as a colour; nullopt when the text is blank.
std::optional<QColor> ColorDeNumero(const std::string& valor) {
    if (EsTextoVacio(valor)) return std::nullopt;
    long n = 0;
    try {
        n = NumeroDeTexto(valor);
    } catch (const ErrorEjecucion&) {
        return std::nullopt;
    }
    return QColor(n & 0xFF, (n >> 8) & 0xFF, (n >> 16) & 0xFF);
}

}  // namespace

Lib_FrmCons3::Lib_FrmCons3(DB_Dll& base, QWidget* padre) : QDialog(padre), base_db_(base) {
    ConstruirVentana();
}

Lib_FrmCons3::~Lib_FrmCons3() = default;

void Lib_FrmCons3::ConstruirVentana() {
    setWindowTitle("Consulta...");
    setModal(true);
    auto* raiz = new QVBoxLayout(this);
    Label1 = new QLabel("CONSULTA", this);
    raiz->addWidget(Label1);

    marcoCajas_ = new QWidget(this);  // clips the strip of search boxes
    picFields_ = new QWidget(marcoCajas_);
    picFields_->setObjectName("picFields");
    raiz->addWidget(marcoCajas_);

    ListView1 = new QTreeView(this);
    ListView1->setObjectName("ListView1");
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemsExpandable(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    Modelo = new ModeloFilas(this);
    ListView1->setModel(Modelo);
    ListView1->setItemDelegate(new DelegadoFilas(ListView1));
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsClickable(true);
    ListView1->installEventFilter(this);
    raiz->addWidget(ListView1, 1);

    auto* frame1 = new QWidget(this);
    frame1->setObjectName("Frame1");
    auto* botones = new QHBoxLayout(frame1);
    CmdAceptar = new QPushButton("&Aceptar", frame1);
    CmdCancelar = new QPushButton("&Cancelar", frame1);
    CmdNueva = new QPushButton("&Nueva Busqueda", frame1);
    CmdNuevo = new QPushButton("N&uevo", frame1);
    CmdTodos = new QPushButton("&Marcar", frame1);
    CmdAceptar->setDefault(true);
    CmdAceptar->setAutoDefault(true);
    for (auto* b : {CmdCancelar, CmdNueva, CmdNuevo, CmdTodos}) b->setAutoDefault(false);
    botones->addWidget(CmdAceptar);
    botones->addStretch();
    botones->addWidget(CmdCancelar);
    botones->addStretch();
    botones->addWidget(CmdTodos);
    botones->addWidget(CmdNuevo);
    botones->addWidget(CmdNueva);
    raiz->addWidget(frame1);

    MNU_Emergente = new QMenu(this);
    auto* llena = MNU_Emergente->addAction("Llenar Con Posibles Valores");
    llena->setObjectName("MNU_Llena");
    connect(llena, &QAction::triggered, this, [this] { PedidoLlenar = "-1"; });
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        MNU_Emergente->popup(ListView1->viewport()->mapToGlobal(p));
    });

    connect(CmdAceptar, &QPushButton::clicked, this, &Lib_FrmCons3::Aceptar);
    connect(CmdCancelar, &QPushButton::clicked, this, &Lib_FrmCons3::reject);
    connect(CmdNueva, &QPushButton::clicked, this, &Lib_FrmCons3::NuevaBusqueda);
    connect(CmdNuevo, &QPushButton::clicked, this, &Lib_FrmCons3::Nuevo);
    connect(CmdTodos, &QPushButton::clicked, this, &Lib_FrmCons3::Marcar);
    connect(ListView1, &QTreeView::doubleClicked, this, [this] { Aceptar(); });
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            &Lib_FrmCons3::OrdenarPorEncabezado);
    connect(ListView1->header(), &QHeaderView::sectionResized, this, [this] {
        if (!anchosEnCurso_) AlinearCajas();
    });
    connect(ListView1->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { AlinearCajas(); });

    QFont letra = ListView1->font();
    letra.setBold(true);
    letra.setPointSize(10);
    // Rows are plain data texts: laid out without kerning or ligatures (as a classic list
    // draws them), which spares a text-shaping pass per painted cell.
    letra.setStyleStrategy(QFont::PreferNoShaping);
    ListView1->setFont(letra);
    completerVacio_ = new QCompleter(this);
    CajaBusqueda(0);
    tamanoInicial_ = size();
}

QComboBox* Lib_FrmCons3::CajaBusqueda(int k) {
    while (static_cast<int>(CmbSearch.size()) <= k) {
        const int indice = static_cast<int>(CmbSearch.size());
        auto* caja = new QComboBox(picFields_);
        // The boxes never hold items, so the completer and the drop-down container that
        // setEditable builds would stay empty: giving the edit a model-less placeholder
        // completer and handing it over with setLineEdit skips both (they were a third of the
        // cost of opening a list). The placeholder is removed once the box owns the edit.
        auto* edicion = new QLineEdit(caja);
        edicion->setCompleter(completerVacio_);
        caja->setLineEdit(edicion);
        edicion->setCompleter(nullptr);
        caja->setInsertPolicy(QComboBox::NoInsert);
        caja->setToolTip("F5 realiza nueva busqueda");
        caja->setObjectName(QString("CmbSearch%1").arg(indice));
        caja->installEventFilter(this);
        caja->lineEdit()->installEventFilter(this);
        connect(caja, &QComboBox::editTextChanged, this,
                [this, indice] { BusquedaIncremental(indice); });
        if (indice > 0) QWidget::setTabOrder(CmbSearch.back(), caja);
        CmbSearch.push_back(caja);
        camposCajas_.emplace_back();
    }
    return CmbSearch[static_cast<std::size_t>(k)];
}

DB_Dll& Lib_FrmCons3::BaseActiva() {
    return (UsarUDBC && BaseSecundaria) ? *BaseSecundaria : base_db_;
}

std::string Lib_FrmCons3::Configuracion(const std::string& clave) const {
    return Cfg(const_cast<DB_Dll&>(base_db_), clave);
}

void Lib_FrmCons3::Cargar() {
    const Reportero reportero = ReporteroAviso("FORM_LOAD");
    articulos_ = texto::ContieneSinCaso(sql, "articulos");
    Cantidades = std::vector<std::string>();
    Modelo->Vaciar();
    filasLeidas_ = 0;
    // Columns left from the search before a reset go when this load brings none of its own,
    // as a window built for this search would have none.
    struct SinColumnasAjenas {
        Lib_FrmCons3& v;
        ~SinColumnasAjenas() {
            if (!v.columnasAjenas_) return;
            v.columnasAjenas_ = false;
            v.Modelo->Cargar({}, {});
            v.marcoCajas_->setMinimumHeight(0);  // not fitted to any box either
            v.marcoCajas_->setMaximumHeight(QWIDGETSIZE_MAX);
        }
    } sinAjenas{*this};
    if (texto::Recortar(sql).empty()) return;  // option lists: the caller fills the rows

    const std::string sentencia = sql + " ";
    fuente_ = lista::NombreFuente(sentencia);
    if (primera_.empty()) primera_ = sentencia;
    base_ = sentencia;
    EjecutarPasos({[&] {
                       std::string texto = sentencia;
                       BaseActiva().AbrirRecordset(texto, rs_, nullptr, cursor::kSoloAvance,
                                                   bloqueo::kSoloLectura, -1);
                       if (rs_.State() != 1)
                           throw ErrorEjecucion(errnum::kObjetoCerrado,
                                                "La consulta no devolvio filas: " + sentencia);
                   },
                   [&] {
                       Modelo->FijarConMarcas(CheckBoxes);
                       Encolumnar();
                   },
                   [&] { Leer(); },
                   [&] {
                       if (OrdenarPorLwv) Modelo->sort(0, Qt::AscendingOrder);
                       if (!texto::Recortar(FiltroInicial).empty())
                           CajaBusqueda(0)->setEditText(Q(FiltroInicial));
                   },
                   [&] {
                       if (rs_.State() == 1) BaseActiva().CierraRecordset(rs_);
                       AplicarAnchosGuardados();
                       CalcularAncho();
                   }},
                  reportero);
}

void Lib_FrmCons3::Encolumnar() {
    const int campos = rs_.FieldCount();
    const bool vistaArticulos = texto::ContieneSinCaso(base_, "V_MA_ARTICULOS") ||
                                texto::ContieneSinCaso(base_, "STK_MA_ARTICULOS");
    const auto tamanos = TamanosDefinidos(BaseActiva().gCnn, fuente_);
    const QFontMetrics medida(ListView1->font());
    QStringList encabezados;
    std::vector<int> anchos;
    for (int k = 0; k < campos; ++k) {
        const Campo& campo = rs_.Fields(k);
        const auto t = tamanos.find(texto::Mayusculas(campo.Name()));
        const int tamano = t != tamanos.end() ? t->second : lista::TamanoPorTipo(campo.Type());
        int x = lista::AnchoEnCaracteres(campo.Type(), tamano, vistaArticulos, ValoresDefault);
        QComboBox* caja = CajaBusqueda(k);
        caja->show();
        camposCajas_[static_cast<std::size_t>(k)] = campo.Name();
        std::string encabezado = campo.Name();
        if (vistaArticulos) {
            for (int p = 1; p <= 8; ++p) {
                if (texto::IgualesSinCaso(encabezado, "PRECIO" + std::to_string(p)))
                    encabezado = Configuracion("NOM_PCLASE" + std::to_string(p));
            }
        }
        encabezados << Q(encabezado);
        anchos.push_back(medida.horizontalAdvance(QString(x, QChar('X'))));
    }
    for (std::size_t k = static_cast<std::size_t>(campos); k < CmbSearch.size(); ++k)
        CmbSearch[k]->hide();
    Modelo->Cargar(encabezados, {});
    columnasAjenas_ = false;
    // The boxes follow the columns once all of them have their widths, not after each one.
    anchosEnCurso_ = true;
    for (int k = 0; k < campos; ++k)
        ListView1->setColumnWidth(k, anchos[static_cast<std::size_t>(k)]);
    anchosEnCurso_ = false;
    AlinearCajas();
}

void Lib_FrmCons3::Leer(long, long) {
    const bool colorear = texto::IgualesSinCaso(MuestraStock, "SI") && articulos_;
    const std::string valores = texto::Mayusculas(ValoresDefault);
    int indiceDevuelto = -1;
    if (CheckBoxes && !texto::Recortar(CampoDevuelto).empty()) {
        const auto nombres = rs_.NombresCampos();
        for (std::size_t i = 0; i < nombres.size(); ++i)
            if (texto::IgualesSinCaso(nombres[i], texto::Recortar(CampoDevuelto)))
                indiceDevuelto = static_cast<int>(i);
        if (indiceDevuelto < 0)
            throw ErrorEjecucion(errnum::kElementoNoEncontrado,
                                 "No existe el campo " + CampoDevuelto + " en la consulta");
    }
    // Marks and stock colours are worked out row by row through the fields; the texts are then
    // taken over whole, and turned into display strings only when shown.
    std::vector<ModeloFilas::Fila> marcas;
    const bool porFila = colorear || indiceDevuelto >= 0;
    if (porFila) marcas.reserve(static_cast<std::size_t>(std::max(0L, rs_.RecordCount())));
    for (; porFila && !rs_.EOF(); rs_.MoveNext()) {
        ModeloFilas::Fila& fila = marcas.emplace_back();
        if (colorear) {
            const int nivel =
                lista::NivelStock(rs_.Fields("PUNTOPEDIDO").Texto(), rs_.Fields("Stock").Texto());
            const std::string* niveles[] = {&StkNivel1, &StkNivel2, &StkNivel3, &StkNivel4};
            fila.Color = ColorDeNumero(*niveles[nivel - 1]);
        }
        if (indiceDevuelto >= 0) {
            const std::string v =
                texto::Mayusculas(texto::Recortar(rs_.Fields(indiceDevuelto).Vista()));
            fila.Marcada = !v.empty() && valores.find(v) != std::string::npos;
        }
    }
    // The first column is shown without its edge blanks; Null shows as "".
    ModeloFilas::Lote filas(rs_.TomarFilas(), true);
    filasLeidas_ += static_cast<int>(filas.Filas());
    for (std::size_t f = 0; f < marcas.size() && f < filas.Filas(); ++f) {
        filas[f].Marcada = marcas[f].Marcada;
        filas[f].Color = std::move(marcas[f].Color);
    }
    QStringList encabezados = Modelo->Encabezados();
    Modelo->Cargar(std::move(encabezados), std::move(filas));
}

void Lib_FrmCons3::CalcularAncho() {
    const int alto = altoInicialPendiente_ ? tamanoInicial_.height() : height();
    altoInicialPendiente_ = false;
    AlinearCajas();
    int total = 0;
    for (int k = 0; k < Modelo->columnCount(); ++k) total += ListView1->columnWidth(k);
    const int margen = 360 / kTwipsPorPixel;
    const int anchoLista = total + margen;
    const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    const int anchoPantalla = pantalla ? pantalla->availableGeometry().width() : 1024;
    const int ancho = (anchoLista + margen >= anchoPantalla) ? anchoPantalla - 480 / kTwipsPorPixel
                                                             : anchoLista + 280 / kTwipsPorPixel;
    resize(std::max(ancho, minimumSizeHint().width()), std::max(alto, 300));
}

void Lib_FrmCons3::AlinearCajas() {
    const int alto = CajaBusqueda(0)->sizeHint().height();
    int total = 0;
    const int columnas = Modelo->columnCount();
    for (int k = 0; k < columnas && k < static_cast<int>(CmbSearch.size()); ++k) {
        const int izquierda = ListView1->header()->sectionPosition(k);
        const int ancho = std::max(1, ListView1->columnWidth(k) - 50 / kTwipsPorPixel);
        CmbSearch[static_cast<std::size_t>(k)]->setGeometry(izquierda, 0, ancho, alto);
        total = izquierda + ListView1->columnWidth(k);
    }
    if (columnas == 0) CajaBusqueda(0)->setGeometry(0, 0, ListView1->width(), alto);
    picFields_->setGeometry(-ListView1->horizontalScrollBar()->value() + ListView1->frameWidth(), 0,
                            std::max(total, ListView1->width()), alto);
    marcoCajas_->setFixedHeight(alto);
}

void Lib_FrmCons3::AplicarAnchosGuardados() {
    const std::string ruta =
        CarpetaAplicacion.empty()
            ? helperlib::UbicacionArchivos::Para(CarpetaPrograma()).ParaLeer(anchos::kArchivo)
            : NormalizarCarpeta(CarpetaAplicacion) + anchos::kArchivo;
    const auto anchos = anchos::AnchosGuardados(ruta, fuente_);
    if (!anchos) return;
    anchosEnCurso_ = true;
    for (std::size_t i = 0; i < anchos->size() && static_cast<int>(i) < Modelo->columnCount(); ++i)
        ListView1->setColumnWidth(static_cast<int>(i), (*anchos)[i] / kTwipsPorPixel);
    anchosEnCurso_ = false;
    AlinearCajas();
}

int Lib_FrmCons3::Busqueda(int Clave, const std::string& QueValor) const {
    const int columna = Clave <= 0 ? 0 : Clave;
    std::vector<std::string> valores;
    valores.reserve(Modelo->Filas().size());
    for (int f = 0; f < Modelo->rowCount(); ++f) valores.emplace_back(Modelo->Texto(f, columna));
    return lista::BuscarPrefijo(valores, QueValor);
}

int Lib_FrmCons3::IndiceColumna(const std::string& Columna) const {
    const std::string buscado = texto::Recortar(Columna);
    const auto& encabezados = Modelo->Encabezados();
    for (int i = 0; i < encabezados.size(); ++i)
        if (texto::IgualesSinCaso(texto::Recortar(S(encabezados[i])), buscado)) return i + 1;
    return 0;
}

void Lib_FrmCons3::BusquedaIncremental(int k) {
    if (k < 0 || k >= static_cast<int>(CmbSearch.size())) return;
    const int fila = Busqueda(k, S(CmbSearch[static_cast<std::size_t>(k)]->currentText()));
    if (fila == 0) return;
    const QModelIndex i = Modelo->index(fila - 1, 0);
    ListView1->setCurrentIndex(i);
    ListView1->scrollTo(i);
}

int Lib_FrmCons3::FilaSeleccionada() const {
    const auto filas = ListView1->selectionModel()->selectedRows();
    return filas.isEmpty() ? -1 : filas.first().row();
}

std::string Lib_FrmCons3::TextoCelda(int fila, int columna) const {
    return std::string(Modelo->Texto(fila, columna - 1));
}

std::vector<int> Lib_FrmCons3::AnchosTwips() const {
    std::vector<int> r;
    for (int k = 0; k < Modelo->columnCount(); ++k)
        r.push_back(ListView1->columnWidth(k) * kTwipsPorPixel);
    return r;
}

void Lib_FrmCons3::PrepararOpciones(const std::string& titulo, bool marcas) {
    setWindowTitle(Q(titulo));
    CmdNueva->hide();
    OrdenarPorLwv = true;
    sql.clear();
    gConnString.clear();
    CampoDevuelto = titulo;
    CheckBoxes = marcas;
    Modelo->FijarConMarcas(marcas);
    Modelo->Cargar({Q(titulo)}, {});
    camposCajas_[0] = titulo;
    ListView1->setColumnWidth(0, std::max(ListView1->width(), 200));
}

void Lib_FrmCons3::AgregarOpcion(const std::string& texto, bool marcada) {
    Modelo->AgregarFila(texto, marcada);
}

void Lib_FrmCons3::LimpiarMarcas() { Modelo->LimpiarMarcas(); }

void Lib_FrmCons3::Aceptar() {
    EjecutarPasos({[&] {
                       if (!Valores) Valores = std::vector<std::string>();
                       if (CheckBoxes) {
                           if (texto::Recortar(CampoDevuelto).empty())
                               CampoDevuelto = S(Modelo->Encabezados().value(0));
                           const int columna = IndiceColumna(CampoDevuelto);
                           if (columna == 0)
                               throw ErrorEjecucion(errnum::kElementoNoEncontrado,
                                                    "No existe la columna " + CampoDevuelto);
                           for (int f = 0; f < Modelo->rowCount(); ++f)
                               if (Modelo->Filas()[static_cast<std::size_t>(f)].Marcada)
                                   Valores->push_back(TextoCelda(f, columna));
                           return;
                       }
                       const int fila = FilaSeleccionada();
                       if (fila < 0) return;  // nothing selected: nothing returned
                       std::string ultimo;
                       for (const auto& nombre : CmpsDevueltos) {
                           const int columna = IndiceColumna(nombre);
                           if (columna == 0)
                               throw ErrorEjecucion(errnum::kElementoNoEncontrado,
                                                    "No existe la columna " + nombre);
                           ultimo = TextoCelda(fila, columna);
                           Valores->push_back(ultimo);
                       }
                       if (!texto::Recortar(CampoDevuelto).empty()) {
                           const int columna = IndiceColumna(CampoDevuelto);
                           if (columna == 0)
                               throw ErrorEjecucion(errnum::kElementoNoEncontrado,
                                                    "No existe la columna " + CampoDevuelto);
                           ValorDevuelto = TextoCelda(fila, columna);
                       } else {
                           ValorDevuelto = ultimo;
                       }
                   },
                   [&] {
                       hide();
                       QDialog::accept();
                   }},
                  ReporteroAviso("CmdAceptar_Click"));
}

void Lib_FrmCons3::Cancelar() {
    ValorDevuelto = std::string();
    Valores.reset();
    Cantidades.reset();
    QDialog::reject();
}

void Lib_FrmCons3::reject() { Cancelar(); }

void Lib_FrmCons3::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // The row the first search box chose while loading opens at the top of the list (as far
    // as the rows below it fill the list), whatever size the list had before it was laid out.
    const QModelIndex actual = ListView1->currentIndex();
    if (!evento->spontaneous() && actual.isValid())
        ListView1->scrollTo(actual, QAbstractItemView::PositionAtTop);
}

void Lib_FrmCons3::NuevaBusqueda() {
    EjecutarPasos(
        {[&] { sql = primera_; }, [&] { Cargar(); }, [&] { CajaBusqueda(0)->setFocus(); }},
        IgnorarSiempre);
}

void Lib_FrmCons3::Marcar() { Modelo->InvertirMarcas(); }

void Lib_FrmCons3::Nuevo() {
    EjecutarPasos({[&] {
                      const auto [linea, parametro] = lista::ProgramaNuevo(fuente_);
                      long id = 0;
                      EjecutarPrograma(base_db_, linea, parametro, id);
                  }},
                  // The program that could not start is named to the operator; nothing else
                  // depends on it, so the list stays open.
                  [](const ErrorEjecucion& e) {
                      plataforma().MsgBox(e.Descripcion(), estilo::kCritico, "Aviso al Operador");
                      return respuesta::kIgnorar;
                  });
}

void Lib_FrmCons3::BuscarEnBase(int k) {
    if (k < 0 || k >= static_cast<int>(CmbSearch.size())) return;
    QComboBox* caja = CmbSearch[static_cast<std::size_t>(k)];
    std::string nueva;
    EjecutarPasos({[&] {
                       std::string textoCaja = S(caja->currentText());
                       nueva = lista::SentenciaNuevaBusqueda(
                           base_, camposCajas_[static_cast<std::size_t>(k)], textoCaja,
                           CfgUsaConsultaLIKE);
                       caja->setEditText(Q(textoCaja));
                   },
                   [&] {
                       const QSignalBlocker bloqueo(caja);
                       caja->setEditText(QString());
                   },
                   [&] {
                       base_ = nueva;
                       sql = nueva;
                       Cargar();
                   }},
                  IgnorarSiempre);
}

void Lib_FrmCons3::InformarFaltante() {
    const int fila = FilaSeleccionada();
    if (fila < 0) return;
    const int colId = IndiceColumna("idarticulo");
    const int colDesc = IndiceColumna("Descripcion");
    const std::string id = colId ? TextoCelda(fila, colId) : "";
    const std::string descripcion = colDesc ? TextoCelda(fila, colDesc) : "";
    const int r = plataforma().MsgBox(
        "Desea informar el articulo " + id + " " + descripcion + "\ncomo un faltante de stock?",
        estilo::kSiNo + estilo::kPregunta, "Atención!");
    if (r != respuesta::kSi) return;
    const std::string momento = S(QDateTime::currentDateTime().toString("yyyy-MM-ddTHH:mm:ss"));
    std::string sentencia = lista::SentenciaFaltante(momento, id, descripcion, base_db_.gUsuario);
    long afectadas = 0;
    base_db_.EjecutaConsultaSQL(sentencia, afectadas);
}

void Lib_FrmCons3::OrdenarPorEncabezado(int columna) {
    Modelo->sort(columna, ordenAscendente_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    ordenAscendente_ = !ordenAscendente_;
    // The chosen row stays chosen, now at its sorted place: Enter still returns it.
    if (ListView1->currentIndex().isValid()) ListView1->scrollTo(ListView1->currentIndex());
}

void Lib_FrmCons3::CambiarCantidad(int tecla, bool conMayusculas) {
    const int fila = ListView1->currentIndex().row();
    const int columna = IndiceColumna(lista::kColumnaCantidad);
    if (fila < 0 || columna == 0) return;
    const std::string actual = TextoCelda(fila, columna);
    if (tecla == Qt::Key_Insert && conMayusculas) {
        const std::string r =
            plataforma().InputBox("Ingrese la Cantidad del Articulo...", "Carga de Datos", actual);
        if (!ValorNumerico(r).EsCero())
            Modelo->FijarTexto(fila, columna - 1, lista::CantidadIngresada(r));
        Modelo->FijarMarca(fila, true);
    } else if (tecla == Qt::Key_Insert) {
        Modelo->FijarTexto(fila, columna - 1, lista::CantidadSumada(actual, 1));
        Modelo->FijarMarca(fila, true);
    } else {
        const std::string nueva = lista::CantidadSumada(actual, -1);
        Modelo->FijarTexto(fila, columna - 1, nueva);
        if (!(ValorNumerico(nueva) > Moneda{})) Modelo->FijarMarca(fila, false);
    }
}

bool Lib_FrmCons3::TeclaEnLista(QKeyEvent* e) {
    const int tecla = e->key();
    bool consumida = false;
    EjecutarPasos(
        {[&] {
            if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
                Aceptar();
                consumida = true;
            } else if (tecla == Qt::Key_F12 && articulos_) {
                InformarFaltante();
                consumida = true;
            } else if (tecla == Qt::Key_Space && CheckBoxes) {
                const int fila = ListView1->currentIndex().row();
                if (fila >= 0)
                    Modelo->FijarMarca(fila,
                                       !Modelo->Filas()[static_cast<std::size_t>(fila)].Marcada);
                consumida = true;
            } else if (UsaCantidades && (tecla == Qt::Key_Insert || tecla == Qt::Key_Delete)) {
                CambiarCantidad(tecla, e->modifiers() & Qt::ShiftModifier);
                consumida = true;
            } else if (tecla == Qt::Key_Backspace) {
                QComboBox* caja = CajaBusqueda(cajaActual_);
                QString t = caja->currentText();
                t.chop(1);
                caja->setFocus();
                caja->setEditText(t);
                consumida = true;
            } else if (!e->text().isEmpty() && e->text().at(0).isPrint() &&
                       !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                QComboBox* caja = CajaBusqueda(cajaActual_);
                caja->setFocus();
                caja->setEditText(caja->currentText() + e->text());
                consumida = true;
            }
        }},
        ReporteroAviso("ListView1_KeyDown"));
    return consumida;
}

bool Lib_FrmCons3::TeclaEnCaja(int k, QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_F5:
            BuscarEnBase(k);
            return true;
        case Qt::Key_Down:
        case Qt::Key_Up:
        case Qt::Key_PageDown:
        case Qt::Key_PageUp: {
            ListView1->setFocus();
            if (!ListView1->currentIndex().isValid() && Modelo->rowCount() > 0)
                ListView1->setCurrentIndex(Modelo->index(0, 0));
            else
                QApplication::sendEvent(ListView1, e);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Aceptar();
            return true;
        default:
            return false;
    }
}

bool Lib_FrmCons3::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == ListView1 && evento->type() == QEvent::KeyPress)
        return TeclaEnLista(static_cast<QKeyEvent*>(evento));
    for (std::size_t k = 0; k < CmbSearch.size(); ++k) {
        QComboBox* caja = CmbSearch[k];
        if (objeto != caja && objeto != caja->lineEdit()) continue;
        if (evento->type() == QEvent::KeyPress && objeto == caja->lineEdit())
            return TeclaEnCaja(static_cast<int>(k), static_cast<QKeyEvent*>(evento));
        if (evento->type() == QEvent::FocusIn) {
            cajaActual_ = static_cast<int>(k);
            caja->lineEdit()->setStyleSheet("background-color: #00FFFF;");  // cyan
        } else if (evento->type() == QEvent::FocusOut) {
            caja->lineEdit()->setStyleSheet("background-color: #FFFFFF;");
        }
        break;
    }
    return QDialog::eventFilter(objeto, evento);
}

void Lib_FrmCons3::Descargar() {
    UsarUDBC = false;
    if (GrabarCfg && Modelo->columnCount() > 0) {
        try {
            // The program's file is rewritten where its files go, starting from the copy read.
            const std::string carpeta =
                CarpetaAplicacion.empty()
                    ? std::filesystem::path(helperlib::UbicacionArchivos::Para(CarpetaPrograma())
                                                .ParaEscribir(anchos::kArchivo))
                          .parent_path()
                          .string()
                    : CarpetaAplicacion;
            anchos::GrabarAnchos(carpeta, fuente_, AnchosTwips());
        } catch (const ErrorEjecucion& e) {
            plataforma().MsgBox(e.Descripcion(), estilo::kCritico, "Aviso al Operador");
        }
    }
    Modelo->Vaciar();
}

void Lib_FrmCons3::Reiniciar() {
    if (rs_.State() == 1) BaseActiva().CierraRecordset(rs_);
    sql.clear();
    gConnString.clear();
    CampoDevuelto.clear();
    CampoBusqueda.clear();
    FiltroInicial.clear();
    CheckBoxes = false;
    OrdenarPorLwv = false;
    UsaCantidades = false;
    ValoresDefault.clear();
    CfgUsaConsultaLIKE = false;
    MuestraStock.clear();
    StkNivel1 = StkNivel2 = StkNivel3 = StkNivel4 = "0";
    GrabarCfg = false;
    UsarUDBC = false;
    BaseSecundaria = nullptr;
    CarpetaAplicacion.clear();
    CmpsDevueltos.clear();
    ValorDevuelto.reset();
    Valores.reset();
    Cantidades.reset();
    PedidoLlenar.clear();

    primera_.clear();
    base_.clear();
    fuente_.clear();
    articulos_ = false;
    cajaActual_ = 0;
    filasLeidas_ = 0;
    ordenAscendente_ = true;
    Modelo->FijarConMarcas(false);
    // The columns stay until the next load replaces them: emptied now, the list would lose and
    // regain its scroll bars, and lay itself out again each time, on every search.
    columnasAjenas_ = true;

    // The boxes a load did not ask for stay hidden; the texts go without a search and without
    // an undo history; the focus colour goes with the focus.
    for (std::size_t k = 0; k < CmbSearch.size(); ++k) {
        QComboBox* caja = CmbSearch[k];
        {
            const QSignalBlocker bloqueo(caja);
            caja->setEditText(QString());
        }
        if (!caja->lineEdit()->styleSheet().isEmpty()) caja->lineEdit()->setStyleSheet(QString());
        if (k > 0) caja->hide();
        camposCajas_[k].clear();
    }
    CmbSearch[0]->show();
    CmdAceptar->setDefault(true);
    ListView1->verticalScrollBar()->setValue(0);
    ListView1->horizontalScrollBar()->setValue(0);

    // Where the focus was when it closed is forgotten: shown again, the window gives the focus
    // as a new one does. Its state is the one it was built with; its size is worked out by the
    // next load from the height it was built with, or, when no load does, taken from its
    // contents when shown, as a new window's is (resized now, the shown window would be laid
    // out and painted twice); with no position of its own it is centred over its owner.
    if (QWidget* foco = focusWidget()) foco->clearFocus();
    setWindowState(Qt::WindowNoState);
    setAttribute(Qt::WA_Resized, false);
    altoInicialPendiente_ = true;
    setAttribute(Qt::WA_Moved, false);
}

}  // namespace lookup
