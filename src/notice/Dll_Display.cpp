#include "Dll_Display.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "Lbf_CtrlDisplay.h"
#include "Pasos.h"

using namespace helperlib;

namespace notice {

Dll_Display::Dll_Display() = default;

Dll_Display::~Dll_Display() = default;

Lbf_CtrlDisplay& Dll_Display::Formulario() {
    if (!ventana_) ventana_ = std::make_unique<Lbf_CtrlDisplay>();
    return *ventana_;
}

void Dll_Display::CartelInicio(const std::string& titulo, bool permiteCancelar) {
    Lbf_CtrlDisplay& f = Formulario();
    EjecutarPasos({[&] { f.setWindowTitle(QString::fromStdString(titulo)); },
                   [&] { f.CmdDisplayCancelar->setVisible(permiteCancelar); }, [&] { f.show(); }},
                  IgnorarSiempre);
}

void Dll_Display::CartelMostrar(bool& cancelado, const helperlib::LineaCartel& l1,
                                const helperlib::LineaCartel& l2,
                                const helperlib::LineaCartel& l3) {
    Lbf_CtrlDisplay& f = Formulario();
    const helperlib::LineaCartel* lineas[3] = {&l1, &l2, &l3};
    for (size_t i = 0; i < 3; ++i)
        if (lineas[i]->Dada()) f.LblCtrol[i]->setText(QString::fromStdString(lineas[i]->Texto()));
    f.repaint();
    cancelado = f.CmdDisplayCancelar->text() == QLatin1String(kCaptionAbortado);
    QCoreApplication::processEvents();
}

void Dll_Display::CartelCerrar() {
    if (!ventana_) return;
    EjecutarPasos({[&] { ventana_->hide(); }, [&] { ventana_.reset(); }}, IgnorarSiempre);
    ventana_.reset();
}

void Dll_Display::Siempre_Visible(bool valor) {
    Lbf_CtrlDisplay& f = Formulario();
    if (f.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == valor) return;
    // Changing a window flag hides the window: it comes back at the same place and size.
    const QRect lugar = f.geometry();
    const bool visible = f.isVisible();
    f.setWindowFlag(Qt::WindowStaysOnTopHint, valor);
    f.setGeometry(lugar);
    if (visible) f.show();
}

}  // namespace notice
