#include "FrmMa_Modelo.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include "Apariencia.h"
#include "Contexto.h"
#include "DB_Dll.h"
#include "ErrorEjecucion.h"
#include "FGModelo.h"
#include "Formatos.h"
#include "Formularios.h"
#include "InicioSesion.h"
#include "Lib_ClsCons3.h"
#include "Planilla.h"
#include "Plataforma.h"
#include "TeclasVirtuales.h"
#include "Texto.h"
#include "UtilPanel.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace toolbar;
using namespace lookup;

namespace editor {

namespace {

constexpr int kEnter = teclas::Vk(Qt::Key_Return);
constexpr int kEsc = teclas::Vk(Qt::Key_Escape);
constexpr int kArriba = teclas::Vk(Qt::Key_Up);
constexpr int kAbajo = teclas::Vk(Qt::Key_Down);
constexpr int kInsertar = teclas::Vk(Qt::Key_Insert);
constexpr int kSuprimir = teclas::Vk(Qt::Key_Delete);
constexpr int kEspacio = teclas::Vk(Qt::Key_Space);

const QColor kColorFoco(0, 255, 255);  // cyan (FFFF00 in blue-green-red order)
const QColor kColorNormal(255, 255, 255);

std::string Texto(const QLineEdit* t) { return t->text().toStdString(); }

void Fondo(QLineEdit* t, const QColor& color) {
    QPalette p = t->palette();
    p.setColor(QPalette::Base, color);
    t->setPalette(p);
}

std::string Propiedad(const QObject* o, const char* nombre) {
    return o->property(nombre).toString().toStdString();
}

int Casilla(const QCheckBox* c) { return c->isChecked() ? 1 : 0; }

/// The floating cell editor: a frameless line edit framed in the selection colour, so the cell
/// being typed in stands out. The frame is painted over the text box's own drawing rather than
/// asked of a style sheet: a sheet makes every focus change, caret blink and layout of the
/// editor go through the sheet's rules.
class EditorCelda final : public QLineEdit {
  public:
    static constexpr int kBorde = 2;

    explicit EditorCelda(QWidget* parent) : QLineEdit(parent) {
        setFrame(false);
        setTextMargins(kBorde, kBorde, kBorde, kBorde);
    }

  protected:
    void paintEvent(QPaintEvent* e) override {
        QLineEdit::paintEvent(e);
        QPainter pintor(this);
        const QColor color = palette().color(QPalette::Highlight);
        const QRect r = rect();
        pintor.fillRect(QRect(r.left(), r.top(), r.width(), kBorde), color);
        pintor.fillRect(QRect(r.left(), r.bottom() - kBorde + 1, r.width(), kBorde), color);
        pintor.fillRect(QRect(r.left(), r.top(), kBorde, r.height()), color);
        pintor.fillRect(QRect(r.right() - kBorde + 1, r.top(), kBorde, r.height()), color);
    }
};

std::string BuscarConDriver(Lib_ClsCons3& c, const std::string& campo,
                            const std::string& sentencia) {
    c.CampoDevuelto = campo;
    std::string campoBusqueda, condicion;
    c.ConsultaSearch(sentencia, nullptr, "", campoBusqueda, condicion, "", false, "");
    return c.ValorDevuelto.value_or("");
}

}  // namespace

const char* const FrmMa_Modelo::kSentenciaPlanilla =
    "SELECT MA_MODELOS.NOMBRE,MA_MODELOS.CUENTA, MA_CUENTAS.DESCRIPCION, "
    "MA_CUENTAS.DV,MA_MODELOS.[DEBE-HABER],MA_MODELOS.DETALLE,MA_MODELOS.IMPORTE FROM "
    "MA_MODELOS,MA_CUENTAS WHERE LTRIM(RTRIM(MA_MODELOS.CUENTA)) = "
    "LTRIM(RTRIM(MA_CUENTAS.CODIGO)) AND (LTRIM(RTRIM(MA_MODELOS.TIPO_REG)) = '' OR "
    "MA_MODELOS.TIPO_REG = NULL) ORDER BY MA_MODELOS.NOMBRE,MA_MODELOS.SECUENCIA";

FrmMa_Modelo::FrmMa_Modelo(Contexto& ctx, QWidget* parent)
    : QWidget(parent),
      Almacen(ctx.db, this),
      Grilla(Almacen, ctx.db, Matriz),
      Encabezado(Almacen, ctx.db),
      Buscar([&ctx](const std::string& campo, const std::string& sentencia) {
          return BuscarConDriver(ctx.Consultas(), campo, sentencia);
      }),
      MostrarHoja([](VentanaPlanilla& v) { v.exec(); }),
      ctx_(ctx),
      db_(ctx.db) {
    setObjectName("FrmMa_Modelo");
    setWindowTitle(kTitulo);
    Construir();
    Conectar();
    Encabezado.LimpiarLineas = [this] { LimpiarLineas(); };
    Vigilar(this);
}

FrmMa_Modelo::~FrmMa_Modelo() {
    // No event of a control being torn down may reach the half-destroyed window.
    for (QWidget* w : findChildren<QWidget*>()) w->removeEventFilter(this);
    removeEventFilter(this);
    Matriz.LeaveCell = nullptr;
    Matriz.EnterCell = nullptr;
    // The grid observes Matriz, a member that dies before the base class deletes children.
    delete FGModelo1;
    FGModelo1 = nullptr;
    BrwTxt = nullptr;
}

// ---- Building the window ---------------------------------------------------------------------

void FrmMa_Modelo::Construir() {
    auto* caja = new QVBoxLayout(this);
    UtilPanel1 = new UtilPanel(this);
    UtilPanel1->setObjectName("UtilPanel1");
    caja->addWidget(UtilPanel1);
    ConstruirEncabezado(caja);

    FGModelo1 = new FGModelo(Matriz, this);
    caja->addWidget(FGModelo1, 1);
    BrwTxt = new EditorCelda(FGModelo1->viewport());
    BrwTxt->setObjectName("BrwTxt");
    BrwTxt->hide();
    // The cells and the text typed into them are plain data: laid out without kerning or
    // ligatures, as a classic grid and its text box draw them (and as the lists do), which
    // spares a text-shaping pass per painted cell and per text set into the editor. The editor
    // (and the headings) take the grid's font, so a cell reads the same open or closed. The
    // program's own font is laid out so already (PrepararAplicacion): then nothing is set, as
    // setting a font on the grid has it and its parts measured again.
    QFont letra = FGModelo1->font();
    if (letra.styleStrategy() != QFont::PreferNoShaping) {
        letra.setStyleStrategy(QFont::PreferNoShaping);
        FGModelo1->setFont(letra);
    }

    auto* totales = new QHBoxLayout;
    totales->addStretch();
    totales->addWidget(new QLabel("Totales:", this));
    for (int i = 0; i < 2; ++i) {
        txtTotal[i] = new QLineEdit(this);
        txtTotal[i]->setObjectName(QString("txtTotal%1").arg(i));
        txtTotal[i]->setReadOnly(true);
        txtTotal[i]->setFocusPolicy(Qt::NoFocus);
        txtTotal[i]->setAlignment(Qt::AlignRight);
        // As wide as an amount column: twelve characters of the window's font and a margin.
        txtTotal[i]->setFixedWidth(fontMetrics().averageCharWidth() * 13 + 12);
        totales->addWidget(txtTotal[i]);
    }
    caja->addLayout(totales);
    resize(FGModelo1->Pixeles(10400), FGModelo1->Pixeles(7200));
}

void FrmMa_Modelo::ConstruirEncabezado(QVBoxLayout* caja) {
    struct Def {
        const char* campo;
        const char* tag;
        int largo;
    };
    const Def defs[3] = {
        {"NOMBRE", "MA_MODELOS", 50}, {"TC", "V_TA_CPTE", 4}, {"idMotivo", "V_TA_MotivoCpra", 4}};
    for (int i = 0; i < 3; ++i) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QString("txtFields%1").arg(i));
        t->setProperty(formularios::kCampoDatos, defs[i].campo);
        t->setProperty(formularios::kTag, defs[i].tag);
        t->setMaxLength(defs[i].largo);
        txtFields[static_cast<size_t>(i)] = t;
    }
    auto* nombre = new QHBoxLayout;
    lblLabels = new QLabel("Nombre:", this);
    nombre->addWidget(lblLabels);
    nombre->addWidget(txtFields[0], 1);
    caja->addLayout(nombre);

    auto* fila = new QHBoxLayout;
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    auto* g = new QGridLayout(Frame1);
    Label1 = new QLabel("Cpte Default: ", Frame1);
    Label2 = new QLabel("Motivo: ", Frame1);
    lblTC = new QLabel(mensaje_encabezado::kSinDescripcion, Frame1);
    LblDescMotivo = new QLabel(mensaje_encabezado::kSinDescripcion, Frame1);
    lblTC->setObjectName("lblTC");
    LblDescMotivo->setObjectName("LblDescMotivo");
    txtFields[1]->setFixedWidth(fontMetrics().horizontalAdvance("WWWWWW"));
    txtFields[2]->setFixedWidth(txtFields[1]->width());
    g->addWidget(Label1, 0, 0);
    g->addWidget(txtFields[1], 0, 1);
    g->addWidget(lblTC, 0, 2);
    g->addWidget(Label2, 1, 0);
    g->addWidget(txtFields[2], 1, 1);
    g->addWidget(LblDescMotivo, 1, 2);
    g->setColumnStretch(2, 1);
    fila->addWidget(Frame1, 1);

    auto* opciones = new QGridLayout;
    chkCpte = new QCheckBox("Modifica Tipo de Comprobante", this);
    chkModCuentas = new QCheckBox("Modifica Cuentas", this);
    chkAgrCuentas = new QCheckBox("Agrega Cuentas", this);
    chkLibroIva = new QCheckBox("Al Libro de Iva", this);
    chkLiqTarjetas = new QCheckBox("Liquidación Tarjetas", this);
    opciones->addWidget(chkCpte, 0, 0);
    opciones->addWidget(chkModCuentas, 1, 0);
    opciones->addWidget(chkAgrCuentas, 2, 0);
    opciones->addWidget(chkLibroIva, 0, 1);
    opciones->addWidget(chkLiqTarjetas, 1, 1);
    fila->addLayout(opciones);
    caja->addLayout(fila);

    Frame2 = new QGroupBox(this);
    Frame2->setObjectName("Frame2");
    auto* f2 = new QHBoxLayout(Frame2);
    chkAlMenu = new QCheckBox("Anclar al Menú :  Asientos Modelo (Cargas)", Frame2);
    f2->addWidget(chkAlMenu);
    caja->addWidget(Frame2);
    for (QCheckBox* c :
         {chkCpte, chkModCuentas, chkAgrCuentas, chkLibroIva, chkLiqTarjetas, chkAlMenu})
        c->setObjectName(c == chkCpte          ? "chkCpte"
                         : c == chkModCuentas  ? "chkModCuentas"
                         : c == chkAgrCuentas  ? "chkAgrCuentas"
                         : c == chkLibroIva    ? "chkLibroIva"
                         : c == chkLiqTarjetas ? "chkLiqTarjetas"
                                               : "chkAlMenu");
}

void FrmMa_Modelo::Conectar() {
    connect(UtilPanel1, &UtilPanel::click, this, &FrmMa_Modelo::Comando);
    for (int i = 0; i < 3; ++i) {
        connect(txtFields[static_cast<size_t>(i)], &QLineEdit::textChanged, this,
                [this, i](const QString& t) {
                    Almacen.txtFields[static_cast<size_t>(i)].Texto = t.toStdString();
                });
    }
    for (QCheckBox* c :
         {chkCpte, chkModCuentas, chkAgrCuentas, chkLibroIva, chkLiqTarjetas, chkAlMenu})
        connect(c, &QCheckBox::toggled, this, [this] { SubirEncabezado(); });
    Matriz.LeaveCell = [this] { AlSalirDeCelda(); };
    Matriz.EnterCell = [this] { AlEntrarEnCelda(); };
    connect(FGModelo1, &FGModelo::TeclaImprimible, this, [this](int c) { EditarCelda(c); });
    connect(FGModelo1, &FGModelo::Enter, this, [this] { EditarCelda(kEnter); });
    connect(FGModelo1, &FGModelo::DobleClic, this, [this] { EditarCelda(kEspacio); });
    connect(FGModelo1, &FGModelo::RecibioFoco, this, [this] { AlRecibirFocoGrilla(); });
    connect(FGModelo1, &FGModelo::Desplazada, this, [this] {
        if (!ocupado_ && BrwTxt->isVisible()) TeclaEnEditor(kEnter, 0);
    });
    connect(FGModelo1, &FGModelo::Clic, this, [this] {
        FocoCampo = -2;
        FocoGrilla = 0;
        const auto& c = Grilla.Columnas[static_cast<size_t>(std::clamp(Matriz.Col(), 0, 6))];
        UtilPanel1->ConsultaEnabled(c.Habilitada && !c.Tabla.empty());
    });
}

// ---- Keeping the store and the controls in step ------------------------------------------------

void FrmMa_Modelo::SubirEncabezado() {
    for (size_t i = 0; i < 3; ++i) Almacen.txtFields[i].Texto = Texto(txtFields[i]);
    auto& c = Almacen.Casillas;
    c.chkCpte = static_cast<int16_t>(Casilla(chkCpte));
    c.chkModCuentas = static_cast<int16_t>(Casilla(chkModCuentas));
    c.chkAgrCuentas = static_cast<int16_t>(Casilla(chkAgrCuentas));
    c.chkAlMenu = static_cast<int16_t>(Casilla(chkAlMenu));
    c.chkLibroIva = static_cast<int16_t>(Casilla(chkLibroIva));
    c.chkLiqTarjetas = static_cast<int16_t>(Casilla(chkLiqTarjetas));
}

void FrmMa_Modelo::BajarEncabezado() {
    const CasillasModelo c = Almacen.Casillas;  // setting a box writes the store back
    for (size_t i = 0; i < 3; ++i) {
        const QString t = QString::fromStdString(Almacen.txtFields[i].Texto);
        if (txtFields[i]->text() != t) txtFields[i]->setText(t);
    }
    chkCpte->setChecked(c.chkCpte == 1);
    chkModCuentas->setChecked(c.chkModCuentas == 1);
    chkAgrCuentas->setChecked(c.chkAgrCuentas == 1);
    chkAlMenu->setChecked(c.chkAlMenu == 1);
    chkLibroIva->setChecked(c.chkLibroIva == 1);
    chkLiqTarjetas->setChecked(c.chkLiqTarjetas == 1);
    Almacen.Casillas = c;
    lblTC->setText(QString::fromStdString(texto::Recortar(Almacen.lblTC).empty()
                                              ? mensaje_encabezado::kSinDescripcion
                                              : Almacen.lblTC));
    LblDescMotivo->setText(QString::fromStdString(Encabezado.LblDescMotivo));
}

void FrmMa_Modelo::MostrarTotales() {
    // Most keystrokes leave the totals as they were: an unchanged box is not set again (which
    // would lay out and repaint it for nothing).
    // The box's text is compared with the total where it stands, without a copy of either.
    const std::string* totales[2] = {&Grilla.TotalDebe, &Grilla.TotalHaber};
    for (size_t i = 0; i < 2; ++i) {
        const QUtf8StringView total(*totales[i]);
        if (!QAnyStringView::equal(txtTotal[i]->text(), total))
            txtTotal[i]->setText(total.toString());
    }
}

void FrmMa_Modelo::RecalcularTotales() {
    std::string mensaje;
    Grilla.RecalcularTotales(mensaje);
    MostrarTotales();
}

// ---- Load and unload ---------------------------------------------------------------------------

void FrmMa_Modelo::Form_Load(const std::string& parametros) {
    IniciarSesion(parametros, db_, ctx_.sesion);
    try {
        startup::AplicarEstilo(*this);
    } catch (const ErrorEjecucion& e) {
        // A missing or damaged skin costs the look, not the session: the window keeps the
        // plain look and the user is told why.
        plataforma().MsgBox("No se pudo aplicar la apariencia elegida: " + e.Descripcion() +
                                ". El programa sigue con la apariencia común.",
                            estilo::kExclamacion, "Aviso al Operador");
    }
    auto& adicional = ctx_.sesion.gParametroAdicional;
    adicional = texto::Mayusculas(adicional);
    if (adicional == "SOLOTARJETA") SoloTarjeta = true;
    startup::AplicarIcono(*this, ctx_.sesion.gFlatToolbars);
    PrepararFormulario(this);
    Almacen.NombreTabla = "MA_MODELOS";
    Almacen.Generar(Almacen.NombreTabla);
    PrepararControles({BrwTxt}, Almacen.NombreTabla, db_.gConnString);
    PrepararControles({txtFields[0], txtFields[1], txtFields[2]}, Almacen.NombreTabla,
                      db_.gConnString);
    Limpiar();
}

void FrmMa_Modelo::Form_Unload() {
    try {
        descargada_ = true;
        hide();
        Almacen.Lineas.Reiniciar(1);
    } catch (const std::exception& e) {
        plataforma().MsgBox(e.what(), estilo::kSoloOk, "");
        return;
    }
    plataforma().Terminar(0);
}

void FrmMa_Modelo::closeEvent(QCloseEvent* evento) {
    evento->accept();
    if (!descargada_) Form_Unload();
}

// ---- Reset and states ---------------------------------------------------------------------------

void FrmMa_Modelo::Limpiar() {
    Almacen.ModoBorrar = false;
    Almacen.ModeloExistente = false;
    // The cell editor goes first, giving up the focus: hidden with the focus it would hand it
    // on along the window (to the grid, which reacts to it) just before the caller puts it on
    // the name field, and emptied while shown it would be laid out and repainted for nothing.
    BrwTxt->clearFocus();
    BrwTxt->hide();
    LimpiarControles(this);
    EstadoEdicion(false);
    Almacen.LimpiarEstado();
    MsFlex_Inicializa();
    for (QCheckBox* c :
         {chkCpte, chkModCuentas, chkAgrCuentas, chkAlMenu, chkLibroIva, chkLiqTarjetas})
        c->setChecked(false);
    Encabezado.LblDescMotivo = mensaje_encabezado::kSinDescripcion;
    BajarEncabezado();
}

void FrmMa_Modelo::EstadoEdicion(bool editando) {
    txtFields[0]->setEnabled(true);
    UtilPanel1->NuevoEnabled(!editando);
    UtilPanel1->CancelarEnabled(editando);
    UtilPanel1->BorrarEnabled(editando);
    UtilPanel1->GrabarEnabled(editando);
    UtilPanel1->CerrarEnabled(!editando);
    UtilPanel1->ReporteEnabled(false);
    if (!editando) return;
    Matriz.Celda(1, columna::kCuenta);
    Grilla.MostrarLinea(1);
    EditarCelda(kEspacio);
}

void FrmMa_Modelo::VaciarEditor() {
    // The editor's text is set anew whenever it opens, so it keeps no undo history worth having:
    // an empty text is set instead of clearing, which selects the text to remove it and tells of
    // the selection and of the removal.
    BrwTxt->setText(QString());
}

void FrmMa_Modelo::MsFlex_Inicializa() {
    BrwTxt->hide();
    VaciarEditor();
    FocoGrilla = 0;
    Grilla.MsFlex_Inicializa();
}

void FrmMa_Modelo::LimpiarLineas() {
    DescartarEditor();
    Almacen.Lineas.Reiniciar(1);
    // The grid is rebuilt too, so no line of an earlier template stays on screen. Its layout
    // stays the one the form's reset read: only a reset reads the check-digit setting.
    Grilla.MsFlex_Inicializa(false);
}

void FrmMa_Modelo::DescartarEditor() {
    // The editor itself, without looking for it among every widget of the window.
    if (!BrwTxt->text().isEmpty()) VaciarEditor();
    BrwTxt->hide();
}

void FrmMa_Modelo::EnfocarNombre() {
    QLineEdit* t = txtFields[0];
    t->setFocus();
    t->setCursorPosition(0);
    t->setSelection(0, static_cast<int>(texto::Recortar(Texto(t)).size()));
}

// ---- Commands
// ------------------------------------------------------------------------------------

void FrmMa_Modelo::Comando(const QString& palabra) {
    const std::string w = texto::Mayusculas(texto::Recortar(palabra.toStdString()));
    const int pregunta = estilo::kSiNo + estilo::kExclamacion + estilo::kBotonDefecto2;
    ocupado_ = true;
    if (w == "NUEVO") {
        Limpiar();
        Almacen.ModoBorrar = false;
        Almacen.ModeloExistente = false;
        EstadoEdicion(false);
        txtFields[0]->setFocus();
    } else if (w == "BORRAR") {
        if (plataforma().MsgBox("Confirma la baja de este registro?", pregunta, "Atención!") ==
            respuesta::kSi) {
            Almacen.ModoBorrar = true;
            Almacen.ModeloExistente = false;
            SubirEncabezado();
            Almacen.ActualizarDatos();
            Limpiar();
            EnfocarNombre();
            UtilPanel1->ConsultaEnabled(!EsTextoVacio(Propiedad(txtFields[0], formularios::kTag)));
        }
    } else if (w == "GRABAR") {
        Almacen.Grabando = true;
        // A value still in the cell editor is part of what the user sees: commit it first.
        const bool enEditor = BrwTxt->isVisible();
        if (!enEditor || ValidarEditor()) {
            SubirEncabezado();
            Almacen.ActualizarDatos();
            if (!Almacen.ErrorValidacion) {
                Encabezado.CargaIniciada = false;
                Limpiar();
                Almacen.ModoBorrar = false;
                Almacen.ModeloExistente = false;
                Almacen.Generar(Almacen.NombreTabla);
                EnfocarNombre();
            }
        }
        Almacen.Grabando = false;
    } else if (w == "PLANILLA") {
        MostrarPlanilla(kSentenciaPlanilla, db_.gConnString, "Asientos Modelo", this, MostrarHoja);
    } else if (w == "CONSULTAR") {
        Consultar();
    } else if (w == "CERRAR") {
        ocupado_ = false;
        Form_Unload();
    } else if (w == "CANCELAR") {
        if (Encabezado.CargaIniciada &&
            plataforma().MsgBox("¿Está seguro de abandonar la carga de datos?", pregunta,
                                "ATENCIÓN!!!") == respuesta::kSi) {
            Encabezado.CargaIniciada = false;
            Limpiar();
            Almacen.Generar(Almacen.NombreTabla);
            EnfocarNombre();
        }
    }
    ocupado_ = false;
}

void FrmMa_Modelo::Consultar() {
    if (FocoCampo >= 0 && FocoCampo < 3) {
        const int i = FocoCampo;
        QLineEdit* t = txtFields[static_cast<size_t>(i)];
        const std::string tabla = texto::Recortar(Propiedad(t, formularios::kTag));
        if (texto::IgualesSinCaso(tabla, "MA_MODELOS")) {
            t->setText(QString::fromStdString(
                Buscar("NOMBRE", "SELECT NOMBRE FROM MA_MODELOS  GROUP BY NOMBRE")));
            ConfirmarCampo(i, kEnter);
        } else if (texto::IgualesSinCaso(tabla, "V_TA_CPTE")) {
            t->setText(QString::fromStdString(Buscar("CODIGO", "V_TA_CPTE")));
        }
        return;
    }
    if (FocoGrilla < 0 || !texto::IgualesSinCaso(tagEditor_, "MA_CUENTAS")) return;
    const std::string valor = Buscar("CODIGO", "MA_CUENTAS");
    // A cancelled lookup changes nothing: an empty account would remove the line.
    if (texto::Recortar(valor).empty()) return;
    const std::string campo = campoEditor_;
    if (texto::IgualesSinCaso(campo, "CUENTA")) {
        BrwTxt->setText(QString::fromStdString(valor));
    } else if (texto::IgualesSinCaso(campo, "DV")) {
        BrwTxt->setText(QString::fromStdString(
            db_.DatosTabla("MA_CUENTAS", valor, "DV", "CODIGO").value_or("")));
    }
    TeclaEnEditor(kEnter, 0);
}

// ---- Header fields
// -------------------------------------------------------------------------------

void FrmMa_Modelo::ConfirmarCampo(int i, int codigo) {
    if (EsTeclaDeAvance(codigo)) {
        SubirEncabezado();
        bool ok;
        {
            // A name rebuilds the grid and shows the template's lines: the grid's view hears
            // of all of it once, when the lines are in place.
            MatrizGrilla::Lote lote(Matriz);
            ok = Encabezado.ValidarCampo(i);
        }
        BajarEncabezado();
        if (ok) {
            EstadoEdicion(true);
            RecalcularTotales();
        } else if (i == 0) {
            txtFields[0]->setFocus();
            txtFields[0]->setCursorPosition(0);
        }
    }
    if (!Almacen.ErrorValidacion && i == Almacen.IndiceDeCampo("TC")) TeclaConfirmada(codigo);
}

bool FrmMa_Modelo::CaracterFiltrado(QLineEdit* control, QKeyEvent* e) {
    const QString t = e->text();
    if (t.size() != 1 || !t.at(0).isPrint()) return false;
    int c = t.at(0).unicode();
    if (c < 256)
        c = static_cast<unsigned char>(
            FiltroMayusculas(ctx_.sesion.gEscribeSoloMayusculas, static_cast<int16_t>(c)));
    c = FiltrarTecla(control, c);
    if (c == t.at(0).unicode()) return false;
    if (c != 0) control->insert(QString(QChar(c)));
    return true;
}

bool FrmMa_Modelo::TeclaEnCampo(int i, QKeyEvent* e) {
    const int vk = teclas::CodigoVirtual(*e);
    if (EsTeclaDeAvance(vk)) {
        ConfirmarCampo(i, vk);
        return true;
    }
    return CaracterFiltrado(txtFields[static_cast<size_t>(i)], e);
}

// ---- Grid and cell editor -----------------------------------------------------------------------

void FrmMa_Modelo::MostrarLinea(int k) { Grilla.MostrarLinea(k); }

void FrmMa_Modelo::EnfocarCelda(int k, ColumnaLinea c) {
    const int col = c == ColumnaLinea::Cuenta  ? columna::kCuenta
                    : c == ColumnaLinea::Debe  ? columna::kDebe
                    : c == ColumnaLinea::Haber ? columna::kHaber
                                               : columna::kAlicIva;
    if (k >= 1 && k < Matriz.Rows()) Matriz.Celda(k, col);
    FGModelo1->setFocus();
}

void FrmMa_Modelo::AplicarPropiedades(int col) {
    const PropiedadesEditor p = Grilla.Brw_Propiedades(col);
    // A cell's move, the editor's focus and its opening each apply the column's properties,
    // mostly the ones it already has: only what differs is set (a new length or alignment lays
    // the editor's text out again). The data field and tag are kept here, where the window
    // reads them; nothing reads them from the widget.
    if (p.Campo != campoEditor_) campoEditor_ = p.Campo;
    if (p.Tag != tagEditor_) tagEditor_ = p.Tag;
    if (BrwTxt->isEnabled() != p.Enabled) BrwTxt->setEnabled(p.Enabled);
    const int largo = p.MaxLength > 0 ? p.MaxLength : 32767;
    if (BrwTxt->maxLength() != largo) BrwTxt->setMaxLength(largo);
    // Aligned while edited as the column shows its cells: amounts to the right.
    const bool importe = col == columna::kDebe || col == columna::kHaber;
    const Qt::Alignment alineado = (importe ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    if (BrwTxt->alignment() != alineado) BrwTxt->setAlignment(alineado);
}

void FrmMa_Modelo::UbicarEditor() {
    BrwTxt->setGeometry(FGModelo1->RectanguloCelda(Matriz.Row(), Matriz.Col()));
}

void FrmMa_Modelo::EditarCelda(int codigo) {
    const int fila = Matriz.Row(), col = Matriz.Col();
    if (fila < 1 || col < 1 || col >= columna::kCantidad) return;
    const ColumnaGrilla& c = Grilla.Columnas[static_cast<size_t>(col)];
    const std::string celda = Matriz.TextMatrix(fila, col);
    if (codigo == kEnter && !(c.Obligatoria && texto::Recortar(celda).empty())) {
        MSFlex_EditKeyCode(kEnter);
        return;
    }
    if (!c.Habilitada) return;
    if (codigo < 0 || codigo > kEspacio) {
        // The opening character passes the same upper-case filter as the ones typed after it.
        if (codigo < 256)
            codigo =
                FiltroMayusculas(ctx_.sesion.gEscribeSoloMayusculas, static_cast<int16_t>(codigo));
        BrwTxt->setText(QString(QChar(codigo)));
        BrwTxt->setCursorPosition(1);
    } else {
        BrwTxt->setText(QString::fromStdString(celda));
        BrwTxt->setCursorPosition(BrwTxt->text().size());
    }
    UbicarEditor();
    AplicarPropiedades(col);
    BrwTxt->show();
    BrwTxt->raise();
    if (BrwTxt->isEnabled()) BrwTxt->setFocus();
    FiltrarTecla(BrwTxt, codigo);
}

bool FrmMa_Modelo::ValidarEditor() {
    std::string t = Texto(BrwTxt);
    const std::string campo = campoEditor_;  // a dialog of the validation may move the focus
    const bool ok = Grilla.ValidarCampo(t, campo, true);
    const QString validado = QString::fromStdString(t);
    // The text as validated (trimmed, or an account's main code), caret at its end; the same
    // text is not set again, which would lay it out anew.
    if (BrwTxt->text() != validado)
        BrwTxt->setText(validado);
    else
        BrwTxt->setCursorPosition(static_cast<int>(validado.size()));
    MostrarTotales();
    return ok;
}

bool FrmMa_Modelo::TeclaEnEditor(int vk, int shift) {
    if (vk == kEsc) {
        if (BrwTxt->isVisible()) MSFlex_EditKeyCode(kEsc, shift);
        return true;
    }
    const bool avance = EsTeclaDeAvance(vk);
    if (!avance && vk != kArriba && vk != kAbajo) return false;
    if (!BrwTxt->isVisible()) {
        UbicarEditor();
        BrwTxt->show();
    }
    if (avance) FiltrarTecla(BrwTxt, kEnter);
    if (ValidarEditor()) {
        MSFlex_EditKeyCode(vk, shift);
    } else if (texto::IgualesSinCaso(campoEditor_, "DV")) {
        BrwTxt->setCursorPosition(0);  // a wrong check digit is corrected from its start
    }
    return true;
}

void FrmMa_Modelo::MSFlex_EditKeyCode(int keyCode, int) {
    const bool antes = ocupado_;
    ocupado_ = true;
    const Reportero reportero = [](const ErrorEjecucion& e) {
        if (e.Numero() == errnum::kArgumentoInvalido) return respuesta::kIgnorar;
        return MostrarErrorConOpciones(e, "mSfLEX_eDITkEYcODE");
    };
    // The grid takes the focus before the editor is hidden: a focused editor that is hidden
    // first hands the focus on to the next widget in the chain, only to have it taken again.
    // The grid's arrival commits the editor (RecibioFoco); the call after it does so when the
    // grid already had the focus.
    auto enfocarGrilla = [this] {
        FGModelo1->setFocus();
        AlRecibirFocoGrilla();
    };
    switch (keyCode) {
        case kEnter:
            EjecutarPasos({enfocarGrilla, [this] { Grilla.MoverEnter(); }}, reportero);
            break;
        case kEsc:
            EjecutarPasos({[this] {
                               BrwTxt->hide();
                               VaciarEditor();
                           },
                           [this] { FGModelo1->setFocus(); }},
                          reportero);
            break;
        case kArriba:
            EjecutarPasos(
                {enfocarGrilla, [] { plataforma().DoEvents(); }, [this] { Grilla.MoverArriba(); }},
                reportero);
            break;
        case kAbajo:
            EjecutarPasos({enfocarGrilla, [] { plataforma().DoEvents(); },
                           [this] { Grilla.SiguienteFila(); }},
                          reportero);
            break;
        default:
            break;
    }
    EjecutarPaso([this] { Desplazar(); }, reportero);
    ocupado_ = antes;
}

void FrmMa_Modelo::Desplazar() {
    const QRect r = FGModelo1->RectanguloCelda(Matriz.Row(), Matriz.Col());
    if (r.isEmpty()) return;
    if (FGModelo1->viewport()->height() < 2 * r.bottom()) {
        QScrollBar* b = FGModelo1->verticalScrollBar();
        b->setValue(b->value() + 1);
        Matriz.TopRow(b->value() + 1);
    }
}

void FrmMa_Modelo::AlRecibirFocoGrilla() {
    if (!BrwTxt->isVisible()) return;
    const int fila = Matriz.Row(), col = Matriz.Col();
    if (fila >= 1 && col >= 1)
        Matriz.TextMatrix(fila, col, LogicaGrilla::TextoDeCelda(col, Texto(BrwTxt), false));
    // The typed text stays in its cell, as typed: Enter on the cell (or a click on another
    // cell, which commits the editor first) confirms it. The grid already has the focus, so
    // the editor is hidden first and emptied hidden (emptying a shown editor repaints it).
    BrwTxt->hide();
    VaciarEditor();
}

void FrmMa_Modelo::AlSalirDeCelda() {
    if (!BrwTxt->isVisible()) return;
    const int fila = Matriz.Row(), col = Matriz.Col();
    if (fila >= 1 && col >= 1)
        Matriz.TextMatrix(fila, col, LogicaGrilla::TextoDeCelda(col, Texto(BrwTxt), true));
    ValidarEditor();
    VaciarEditor();
    BrwTxt->hide();
}

void FrmMa_Modelo::AlEntrarEnCelda() {
    FocoCampo = -2;
    FocoGrilla = 0;
    const int col = std::clamp(Matriz.Col(), 0, columna::kCantidad - 1);
    UtilPanel1->ConsultaEnabled(!Grilla.Columnas[static_cast<size_t>(col)].Tabla.empty());
    Grilla.EntrarCelda();
    AplicarPropiedades(col);
}

void FrmMa_Modelo::BorrarLinea() {
    DescartarEditor();  // its text belongs to the line that goes
    Grilla.BorrarLinea();
    RecalcularTotales();
    // Fewer lines: back to the top, so that line 1 shows whenever the current one fits.
    FGModelo1->scrollToTop();
    FGModelo1->MostrarCeldaActual();
    FGModelo1->setFocus();
}

void FrmMa_Modelo::InsertarLinea() {
    DescartarEditor();
    Grilla.InsertarLinea();
    RecalcularTotales();
    FGModelo1->MostrarCeldaActual();
    FGModelo1->setFocus();
}

// ---- Events -------------------------------------------------------------------------------------

bool FrmMa_Modelo::TeclaDelFormulario(QObject* objeto, QKeyEvent* e) {
    auto* w = qobject_cast<QWidget*>(objeto);
    if (!w || w->window() != this || !isVisible()) return false;
    // A key nobody accepted is passed on to the parents: only its first delivery counts,
    // which goes to the focus widget, or to the window itself when nothing has the focus.
    QWidget* foco = QApplication::focusWidget();
    if (foco ? foco != w : w != this) return false;
    const int vk = teclas::CodigoVirtual(*e);
    UtilPanel1->KeyAnalisis(vk, teclas::MascaraShift(*e));
    // Delete and Insert act on lines only from the grid itself: in a header field or in the
    // open cell editor they edit the text, never remove a line on an ordinary keystroke.
    if (foco == FGModelo1 && (vk == kSuprimir || vk == kInsertar)) {
        if (vk == kSuprimir)
            BorrarLinea();
        else
            InsertarLinea();
        return true;
    }
    // The control sees the key afterwards, unless the command moved the focus away from it:
    // the key then belongs to no control any more.
    return QApplication::focusWidget() != foco;
}

void FrmMa_Modelo::Vigilar(QWidget* w) {
    w->installEventFilter(this);
    for (QWidget* hijo : w->findChildren<QWidget*>()) hijo->installEventFilter(this);
}

// Installed on the window and each of its widgets (a widget added later is watched from its
// arrival), so it sees their events before they do: the form's own key handling first, then
// that of the header fields and the cell editor.
bool FrmMa_Modelo::eventFilter(QObject* objeto, QEvent* evento) {
    const auto tipo = evento->type();
    if (tipo == QEvent::ChildAdded)
        if (auto* hijo = qobject_cast<QWidget*>(static_cast<QChildEvent*>(evento)->child()))
            Vigilar(hijo);
    if (tipo == QEvent::KeyPress && TeclaDelFormulario(objeto, static_cast<QKeyEvent*>(evento)))
        return true;
    if (objeto == BrwTxt) {
        // Enter is the editor's own key (it commits the cell): no shortcut can take it, so the
        // line edit's search of its standard shortcuts for it is spared.
        if (tipo == QEvent::ShortcutOverride) {
            auto* e = static_cast<QKeyEvent*>(evento);
            if (e->modifiers() == Qt::NoModifier &&
                (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
                e->accept();
                return true;
            }
        }
        if (tipo == QEvent::KeyPress) {
            auto* e = static_cast<QKeyEvent*>(evento);
            return TeclaEnEditor(teclas::CodigoVirtual(*e), teclas::MascaraShift(*e)) ||
                   CaracterFiltrado(BrwTxt, e);
        }
        if (tipo == QEvent::KeyRelease) {
            RecalcularTotales();
            // The key that committed the editor has hidden it: the line edit's own handling of
            // the release (restarting the caret's blink, repainting the caret's place) would
            // serve a caret nobody sees, and nothing else takes a release.
            if (!BrwTxt->isVisible()) return true;
        }
        if (tipo == QEvent::FocusIn) {
            FocoCampo = -2;
            FocoGrilla = 0;
            AplicarPropiedades(std::clamp(Matriz.Col(), 0, columna::kCantidad - 1));
            UtilPanel1->ConsultaEnabled(!EsTextoVacio(tagEditor_));
        }
        if (tipo == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(evento);
            AplicarPropiedades(std::clamp(Matriz.Col(), 0, columna::kCantidad - 1));
            if (m->button() == Qt::RightButton) {
                FocoCampo = -2;
                FocoGrilla = 0;
                Consultar();
                return true;
            }
        }
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        if (objeto != txtFields[static_cast<size_t>(i)]) continue;
        QLineEdit* t = txtFields[static_cast<size_t>(i)];
        if (tipo == QEvent::KeyPress) return TeclaEnCampo(i, static_cast<QKeyEvent*>(evento));
        if (tipo == QEvent::FocusIn || tipo == QEvent::MouseButtonPress) {
            const bool derecho = tipo == QEvent::MouseButtonPress &&
                                 static_cast<QMouseEvent*>(evento)->button() == Qt::RightButton;
            if (tipo == QEvent::MouseButtonPress && !derecho) return false;
            FocoGrilla = -2;
            FocoCampo = static_cast<int16_t>(i);
            UtilPanel1->ConsultaEnabled(!EsTextoVacio(Propiedad(t, formularios::kTag)));
            if (tipo == QEvent::FocusIn) Fondo(t, kColorFoco);
            if (derecho) {
                Consultar();
                return true;
            }
        }
        if (tipo == QEvent::FocusOut) Fondo(t, kColorNormal);
    }
    return false;
}

}  // namespace editor
