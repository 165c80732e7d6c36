#include "Lbf_CtrlDisplay.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "CuadrosAnimacion.h"
#include "Pasos.h"

using namespace helperlib;

namespace notice {

namespace {

constexpr int kTwipsPorPulgada = 1440;
constexpr int kCuadros = 12;

int ATwips(int twips, double puntosPorPulgada) {
    return static_cast<int>(std::lround(twips * puntosPorPulgada / kTwipsPorPulgada));
}

}  // namespace

Lbf_CtrlDisplay::Lbf_CtrlDisplay(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    using namespace geometria;
    setObjectName("Lbf_CtrlDisplay");
    setWindowTitle("Procesando Datos");
    setFixedSize(PixelesX(kAnchoCliente), PixelesY(kAltoCliente));

    QFont letra("MS Sans Serif");
    letra.setStyleHint(QFont::SansSerif);
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QString("LblCtrol_%1").arg(i));
        l->setFont(letra);
        l->setGeometry(0, PixelesY(kTopLineas[i]), PixelesX(kAnchoLinea), PixelesY(kAltoLinea));
        LblCtrol[static_cast<size_t>(i)] = l;
    }
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(PixelesX(kImagenIzq), PixelesY(kImagenTop), PixelesX(kImagenAncho),
                        PixelesY(kImagenAlto));
    Image1->setAlignment(Qt::AlignCenter);
    ImageList1 = DibujarCuadrosAnimacion(Image1->size(), kCuadros);

    CmdDisplayCancelar = new QPushButton(this);
    CmdDisplayCancelar->setObjectName("CmdDisplayCancelar");
    CmdDisplayCancelar->setGeometry(PixelesX(kBotonIzq), PixelesY(kBotonTop), PixelesX(kBotonAncho),
                                    PixelesY(kBotonAlto));
    connect(CmdDisplayCancelar, &QPushButton::clicked, this,
            [this] { CmdDisplayCancelar->setText(kCaptionAbortado); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(kIntervaloAnimacionMs);
    connect(Timer1, &QTimer::timeout, this, &Lbf_CtrlDisplay::Timer1_Timer);

    Form_Load();
    Timer1->start();
}

Lbf_CtrlDisplay::~Lbf_CtrlDisplay() = default;

int Lbf_CtrlDisplay::PixelesX(int twips) const { return ATwips(twips, logicalDpiX()); }
int Lbf_CtrlDisplay::PixelesY(int twips) const { return ATwips(twips, logicalDpiY()); }

void Lbf_CtrlDisplay::Form_Load() {
    // Each step is independent of the others: one that fails is skipped.
    EjecutarPasos(
        {[&] {
             const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
             if (!pantalla) return;
             const QRect p = pantalla->geometry();
             move(p.left() + (p.width() - width()) / 2, p.top() + (p.height() - height()) / 2);
         },
         [&] { CmdDisplayCancelar->setText(kCaptionCancelar); }, [&] { MostrarImagen(1); },
         // The window keeps exactly the client size laid out above (its controls fill it).
         [&] { setGeometry(QRect(pos(), size())); }, [&] { setWindowOpacity(kOpacidad / 255.0); }},
        IgnorarSiempre);
}

void Lbf_CtrlDisplay::MostrarImagen(int numero) {
    if (numero < 1 || numero > static_cast<int>(ImageList1.size())) return;
    Image1->setPixmap(ImageList1[static_cast<size_t>(numero - 1)]);
    imagen_ = numero;
}

void Lbf_CtrlDisplay::Timer1_Timer() {
    ++contador_;
    MostrarImagen(contador_);
    if (contador_ >= kCuadros) contador_ = 0;
}

void Lbf_CtrlDisplay::closeEvent(QCloseEvent* e) {
    if (e->spontaneous())
        e->ignore();
    else
        QWidget::closeEvent(e);
}

}  // namespace notice
