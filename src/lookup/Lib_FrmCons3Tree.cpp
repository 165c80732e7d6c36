#include "Lib_FrmCons3Tree.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "AvisoOperador.h"
#include "DB_Dll.h"
#include "LogicaArbol.h"
#include "ModeloArbol.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Recordset.h"

using namespace helperlib;
using namespace data;
using namespace startup;

namespace lookup {

namespace {

Reportero ReporteroAviso(const char* rutina) {
    return [rutina](const ErrorEjecucion& e) { return AvisoOperador(e, 18, rutina); };
}

}  // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(DB_Dll& base, QWidget* padre) : QDialog(padre), base_db_(base) {
    ConstruirVentana();
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() = default;

void Lib_FrmCons3Tree::ConstruirVentana() {
    setWindowTitle("Consulta...");
    setModal(true);
    auto* raiz = new QVBoxLayout(this);

    TreeV = new QTreeView(this);
    TreeV->setObjectName("TreeV");
    TreeV->setHeaderHidden(true);
    TreeV->setRootIsDecorated(true);
    TreeV->setUniformRowHeights(true);
    TreeV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeV->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeV->setContextMenuPolicy(Qt::CustomContextMenu);
    Modelo = new ModeloArbol(arbol_, this);
    TreeV->setModel(Modelo);
    TreeV->installEventFilter(this);
    raiz->addWidget(TreeV, 1);

    picFields = new QWidget(this);
    picFields->setObjectName("picFields");
    auto* tira = new QHBoxLayout(picFields);
    tira->setContentsMargins(0, 0, 0, 0);
    CmbSearch = new QComboBox(picFields);
    CmbSearch->setObjectName("CmbSearch0");
    CmbSearch->setEditable(true);
    CmbSearch->setInsertPolicy(QComboBox::NoInsert);
    CmbSearch->setCompleter(nullptr);
    CmbSearch->setToolTip("F5 realiza nueva busqueda");
    CmbSearch->lineEdit()->installEventFilter(this);
    tira->addWidget(CmbSearch);
    raiz->addWidget(picFields);

    Frame1 = new QWidget(this);
    Frame1->setObjectName("Frame1");
    auto* botones = new QHBoxLayout(Frame1);
    CmdAceptar = new QPushButton("&Aceptar", Frame1);
    CmdCancelar = new QPushButton("&Cancelar", Frame1);
    CmdNueva = new QPushButton("&Nueva Busqueda", Frame1);
    CmdAceptar->setDefault(true);
    CmdAceptar->setAutoDefault(true);
    CmdCancelar->setAutoDefault(false);
    CmdNueva->setAutoDefault(false);
    botones->addWidget(CmdAceptar);
    botones->addStretch();
    botones->addWidget(CmdCancelar);
    botones->addStretch();
    botones->addWidget(CmdNueva);
    raiz->addWidget(Frame1);

    // The pop-up entries carry no command of their own in this window.
    MNU_Emergente = new QMenu(this);
    MNU_Llena = MNU_Emergente->addAction("Llenar Con Posibles Valores");
    MNU_Llena->setObjectName("MNU_Llena");
    MNU_Cancelar = MNU_Emergente->addAction("Cancelar");
    MNU_Cancelar->setObjectName("MNU_Cancelar");
    connect(TreeV, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { MNU_Emergente->popup(TreeV->viewport()->mapToGlobal(p)); });

    connect(CmdAceptar, &QPushButton::clicked, this, &Lib_FrmCons3Tree::Aceptar);
    connect(CmdCancelar, &QPushButton::clicked, this, &Lib_FrmCons3Tree::reject);
    connect(CmdNueva, &QPushButton::clicked, this, &Lib_FrmCons3Tree::NuevaBusqueda);
    connect(TreeV, &QTreeView::doubleClicked, this, [this] { Aceptar(); });
    connect(CmbSearch, &QComboBox::editTextChanged, this, [this] { BusquedaIncremental(); });
    resize(460, 560);
}

void Lib_FrmCons3Tree::Cargar() {
    if (primera_.empty()) primera_ = sql;
    EjecutarPasos({[&] { Valores = std::vector<std::string>(); },
                   [&] { Modelo->Reconstruir([&] { arbol_.Vaciar(); }); },
                   [&] { Modelo->FijarConMarcas(CheckBoxes); },
                   [&] {
                       if (EsArbolFamilias(sql))
                           ArmarTreeVFamilias();
                       else
                           ArmarTreeVAutomatico();
                   }},
                  ReporteroAviso("FORM_LOAD"));
}

void Lib_FrmCons3Tree::ArmarTreeVFamilias() {
    Armar(kSentenciaFamilias, true, "ArmarTreeVFamilias");
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico() { Armar(sql, false, "ArmarTreeVAutomatico"); }

void Lib_FrmCons3Tree::Armar(const std::string& sentencia, bool conPariente, const char* rutina) {
    const Reportero reportero = ReporteroAviso(rutina);
    // The new tree is built aside and then takes the old one's place in one model reset, so
    // the view never sees a tree half built (the reports of failing rows are modal).
    ArbolCodigos nuevo;
    Recordset rs;
    std::vector<FilaArbol> filas;
    const bool leidas = EjecutarPasos({[&] {
                                           std::string texto = sentencia;
                                           base_db_.AbrirRecordset(texto, rs);
                                       },
                                       [&] {
                                           // A failed open was reported by the data layer;
                                           // with no rows only the root is shown.
                                           if (rs.State() == 1)
                                               filas = LeerFilasArbol(rs, conPariente);
                                       }},
                                      reportero) == Desenlace::Completo;
    if (rs.State() == 1) EjecutarPaso([&] { base_db_.CierraRecordset(rs); }, reportero);
    if (leidas) {
        if (conPariente)
            ArmarPorPariente(nuevo, filas, reportero);
        else
            ArmarPorPrefijo(nuevo, filas, reportero);
    }
    Modelo->Reconstruir([&] { arbol_ = std::move(nuevo); });
    TreeV->expand(Modelo->IndiceDe(ArbolCodigos::kRaiz));
}

int Lib_FrmCons3Tree::NodoSeleccionado() const {
    const auto seleccion = TreeV->selectionModel()->selectedIndexes();
    return seleccion.isEmpty() ? -1 : Modelo->NodoDe(seleccion.first());
}

void Lib_FrmCons3Tree::BusquedaIncremental() {
    const int nodo = arbol_.BuscarTexto(CmbSearch->currentText().toStdString());
    if (nodo < 0) return;
    const QModelIndex i = Modelo->IndiceDe(nodo);
    TreeV->setCurrentIndex(i);
    TreeV->scrollTo(i);
}

void Lib_FrmCons3Tree::Aceptar() {
    if (!Valores) Valores = std::vector<std::string>();
    std::vector<std::function<void()>> pasos;
    if (CheckBoxes) {
        // The root is not a code of the source: checking it only checks the nodes below.
        for (int nodo : arbol_.Marcados()) {
            if (nodo == ArbolCodigos::kRaiz) continue;
            pasos.emplace_back([this, nodo] {
                if (auto v = ValorDeMarcado(base_db_, CampoDevuelto, arbol_.Codigo(nodo)))
                    Valores->push_back(std::move(*v));
            });
        }
    } else if (const int nodo = NodoSeleccionado(); nodo >= 0) {
        pasos.emplace_back([this, nodo] {
            if (auto v = ValorDeCodigo(base_db_, CampoDevuelto, arbol_.Codigo(nodo)))
                ValorDevuelto = std::move(*v);
        });
    }
    pasos.emplace_back([this] {
        hide();
        QDialog::accept();
    });
    EjecutarPasos(pasos, ReporteroAviso("CmdAceptar_Click"));
}

void Lib_FrmCons3Tree::Cancelar() {
    EjecutarPasos({[&] { ValorDevuelto = std::string(); }, [&] { Valores.reset(); },
                   [&] { QDialog::reject(); }},
                  IgnorarSiempre);
}

void Lib_FrmCons3Tree::reject() { Cancelar(); }

void Lib_FrmCons3Tree::NuevaBusqueda() {
    EjecutarPasos(
        {[&] { sql = primera_; }, [&] { ArmarTreeVAutomatico(); }, [&] { CmbSearch->setFocus(); }},
        IgnorarSiempre);
}

void Lib_FrmCons3Tree::BuscarEnBase() {
    std::string nueva;
    EjecutarPasos(
        {[&] { nueva = SentenciaBusquedaArbol(sql, CmbSearch->currentText().toStdString()); },
         [&] {
             const QSignalBlocker bloqueo(CmbSearch);
             CmbSearch->setEditText(QString());
         },
         [&] {
             sql = nueva;
             Cargar();
         }},
        IgnorarSiempre);
}

void Lib_FrmCons3Tree::Descargar() {
    try {
        Modelo->Reconstruir([&] { arbol_.Vaciar(); });
    } catch (const std::exception& e) {
        plataforma().MsgBox(e.what(), estilo::kCritico, "Aviso al Operador");
    }
}

bool Lib_FrmCons3Tree::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) return QDialog::eventFilter(objeto, evento);
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    const bool enter = tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
    if (objeto == TreeV && enter) {
        Aceptar();
        return true;
    }
    if (objeto == CmbSearch->lineEdit()) {
        switch (tecla) {
            case Qt::Key_F5:
                BuscarEnBase();
                return true;
            case Qt::Key_Down:
            case Qt::Key_Up:
            case Qt::Key_PageDown:
            case Qt::Key_PageUp:
                TreeV->setFocus();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                Aceptar();
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

}  // namespace lookup
