#include "UtilPanel.h"

#include <QBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>

#include "EleccionPiel.h"
#include "EstiloPrograma.h"
#include "IconosUtilPanel.h"
#include "Lanzador.h"
#include "Sistema.h"
#include "TeclasVirtuales.h"

using namespace helperlib;
using namespace startup;

namespace toolbar {

using utilpanel::Botones;
using utilpanel::kCantidadBotones;

namespace {
constexpr int kLadoIcono = 32;

QString DeTexto(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

/// The bar's surface, painted by the style as a tool bar's panel: the skin's bar.
class SuperficieBarra final : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QStyleOption opcion;
        opcion.initFrom(this);
        QPainter pintor(this);
        style()->drawPrimitive(QStyle::PE_PanelToolBar, &opcion, &pintor, this);
    }
};
}  // namespace

UtilPanel::UtilPanel(QWidget* parent)
    : QWidget(parent), carpeta_(QString::fromStdString(helperlib::CarpetaPrograma())) {
    Construir();
}

UtilPanel::~UtilPanel() = default;

void UtilPanel::Construir() {
    estado_.Restablecer();
    estilo_ = QString::fromStdString(startup::ValorEstiloUsuario());
    if (barra_) {
        // The old bar may be the sender of the click being handled: take it out of the
        // control now and delete it once its signal has returned.
        barra_->hide();
        barra_->setParent(nullptr);
        barra_->deleteLater();
    }
    barra_ = new SuperficieBarra(this);
    barra_->setObjectName(QLatin1String(kBarraDeComandos));
    disposicion_ = new QBoxLayout(QBoxLayout::LeftToRight, barra_);
    disposicion_->setContentsMargins(2, 2, 2, 2);
    disposicion_->setSpacing(1);
    for (int i = 0; i < kCantidadBotones; ++i) {
        const auto& def = Botones()[i];
        auto* b = new QToolButton(barra_);
        b->setObjectName(QStringLiteral("Boton%1").arg(def.id));
        b->setText(DeTexto(def.titulo));
        b->setToolTip(DeTexto(def.titulo).trimmed() + QStringLiteral(" (") +
                      DeTexto(def.nombreTecla) + QStringLiteral(")"));
        b->setAutoRaise(barraPlana_);
        b->setFocusPolicy(Qt::NoFocus);  // the host's fields keep the focus
        b->setIconSize(QSize(kLadoIcono, kLadoIcono));
        connect(b, &QToolButton::clicked, this, [this, i] { AlPresionar(i); });
        disposicion_->addWidget(b);
        botones_[i] = b;
    }
    disposicion_->addStretch(1);
    CargarIconos();
    AjustarOrientacion();
    Refrescar();
    barra_->setGeometry(rect());
    barra_->show();
}

void UtilPanel::CargarIconos() {
    archivoIconos_.clear();
    const QString nombre = DeTexto(utilpanel::ArchivoTira(estilo_.toStdString()));
    const QString ruta = utilpanel::BuscarArchivoEnCarpeta(carpeta_, nombre);
    if (!ruta.isEmpty()) {
        // The strips are bitmaps: read by Qt's own bitmap reader, without loading every image
        // format plug-in to ask whether it claims the file.
        QImageReader lector(ruta, "bmp");
        lector.setAutoDetectImageFormat(false);
        if (auto cortes = utilpanel::CortarTira(lector.read())) {
            for (int k = 0; k < kCantidadBotones; ++k)
                if (QToolButton* b = Boton(utilpanel::kIdsTira[k]))
                    b->setIcon(QIcon(QPixmap::fromImage((*cortes)[k])));
            archivoIconos_ = ruta;
            return;
        }
    }
    for (int i = 0; i < kCantidadBotones; ++i)
        botones_[i]->setIcon(utilpanel::IconoPropio(Botones()[i].comando, kLadoIcono));
}

void UtilPanel::Refrescar() {
    const auto estiloBoton =
        estado_.ConTitulo() ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    for (int i = 0; i < kCantidadBotones; ++i) {
        botones_[i]->setToolButtonStyle(estiloBoton);
        RefrescarBoton(Botones()[i].comando);
    }
}

void UtilPanel::RefrescarBoton(utilpanel::Comando comando) {
    const auto& def = utilpanel::BotonDe(comando);
    QToolButton* b = botones_[def.posicion - 1];
    if (auto e = estado_.EstadoParaRefresco(def.id)) {
        b->setEnabled(e->habilitado);
        b->setHidden(!e->visible);
    }
}

void UtilPanel::AjustarOrientacion() {
    orientacion_ = width() > height() ? Qt::Horizontal : Qt::Vertical;
    const bool horizontal = orientacion_ == Qt::Horizontal;
    disposicion_->setDirection(horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    for (QToolButton* b : botones_)
        disposicion_->setAlignment(b, horizontal ? Qt::AlignTop : Qt::AlignLeft);
    barra_->setGeometry(rect());
}

void UtilPanel::AlPresionar(int indice) {
    const QString palabra =
        DeTexto(estado_.AlEjecutarBoton(botones_[indice]->text().toStdString()));
    Refrescar();
    emit click(palabra);
}

bool UtilPanel::KeyAnalisis(int keyCode, int shift) {
    const auto palabra = estado_.AnalizarTecla(keyCode, shift);
    if (!palabra) return false;
    emit click(DeTexto(*palabra));
    return true;
}

bool UtilPanel::KeyAnalisis(const QKeyEvent& evento) {
    return KeyAnalisis(teclas::CodigoVirtual(evento), teclas::MascaraShift(evento));
}

void UtilPanel::ActualizarBotones() { Construir(); }

void UtilPanel::StyleBar(bool plana) {
    if (plana == barraPlana_) return;  // the buttons already have that look
    barraPlana_ = plana;
    for (QToolButton* b : botones_) {
        b->setAutoRaise(plana);
        // Style sheets may tell flat from raised buttons: polish them again.
        b->style()->unpolish(b);
        b->style()->polish(b);
    }
}

void UtilPanel::FijarEstilo(const QString& estilo) {
    estilo_ = estilo;
    CargarIconos();
}

void UtilPanel::FijarCarpetaPrograma(const QString& carpeta) {
    carpeta_ = carpeta;
    CargarIconos();
}

void UtilPanel::CargarPropiedades(const BolsaPropiedades& bolsa) {
    estado_.Cargar(bolsa);
    Refrescar();
}

QToolButton* UtilPanel::Boton(int id) const {
    const auto* def = utilpanel::BotonPorId(id);
    return def ? botones_[def->posicion - 1] : nullptr;
}

QToolButton* UtilPanel::BotonEnPosicion(int posicion) const {
    if (posicion < 1 || posicion > kCantidadBotones) return nullptr;
    return botones_[posicion - 1];
}

QSize UtilPanel::sizeHint() const { return barra_->sizeHint(); }

void UtilPanel::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    AjustarOrientacion();
}

void UtilPanel::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    AjustarOrientacion();
}

}  // namespace toolbar
