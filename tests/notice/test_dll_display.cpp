// The progress notice: lines, cancel state, animation and the topmost switch, on real widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "Dll_Display.h"
#include "Lbf_CtrlDisplay.h"

using namespace helperlib;
using namespace notice;

using helperlib::LineaCartel;
using notice::Dll_Display;
using notice::Lbf_CtrlDisplay;

namespace {

std::vector<std::string> Lineas(const Lbf_CtrlDisplay& f) {
    std::vector<std::string> r;
    for (const QLabel* l : f.LblCtrol) r.push_back(l->text().toStdString());
    return r;
}

/// A click where the cancel button is, as the user would make it (a hidden button takes none).
void ClicEnCancelar(Lbf_CtrlDisplay& f) {
    const QRect r = f.CmdDisplayCancelar->geometry();
    QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, r.center());
}

}  // namespace

TEST(CartelMostrar, CambiaSoloLasLineasDadas) {
    struct Caso {
        const char* nombre;
        LineaCartel l1, l2, l3;
        std::vector<std::string> esperadas;
    };
    const std::vector<Caso> casos = {
        {"solo L2", {}, "Medio", {}, {"uno", "Medio", "tres"}},
        {"Null vacía la línea", std::nullopt, {}, {}, {"", "dos", "tres"}},
        {"número como texto", {}, {}, 45, {"uno", "dos", "45"}},
        {"ninguna", {}, {}, {}, {"uno", "dos", "tres"}},
    };
    for (const Caso& c : casos) {
        Dll_Display d;
        d.CartelInicio("Prueba", true);
        bool cancelado = true;
        d.CartelMostrar(cancelado, "uno", "dos", "tres");
        d.CartelMostrar(cancelado, c.l1, c.l2, c.l3);
        EXPECT_EQ(Lineas(*d.Ventana()), c.esperadas) << c.nombre;
        EXPECT_FALSE(cancelado) << c.nombre;
    }
}

TEST(CartelMostrar, CancelarQuedaHastaCerrarYVolverAEmpezar) {
    // Each step: 'c' click where the button is, 'm' show progress (result recorded),
    // 'r' close and start again.
    struct Caso {
        const char* nombre;
        bool permiteCancelar;
        std::string pasos;
        std::vector<bool> esperados;
    };
    const std::vector<Caso> casos = {
        {"sin clic", true, "mm", {false, false}},
        {"el clic se ve en la siguiente y en todas las demás",
         true,
         "mcmmm",
         {false, true, true, true}},
        {"cerrar y empezar lo borra", true, "cmmrm", {true, true, false}},
        {"sin botón nunca se cancela", false, "mcmcm", {false, false, false}},
    };
    for (const Caso& c : casos) {
        Dll_Display d;
        d.CartelInicio("Prueba", c.permiteCancelar);
        std::vector<bool> vistos;
        for (char paso : c.pasos) {
            if (paso == 'c') ClicEnCancelar(*d.Ventana());
            if (paso == 'r') {
                d.CartelCerrar();
                d.CartelInicio("Prueba", c.permiteCancelar);
            }
            if (paso == 'm') {
                bool cancelado = false;
                d.CartelMostrar(cancelado, "Generando el Reporte");
                vistos.push_back(cancelado);
            }
        }
        EXPECT_EQ(vistos, c.esperados) << c.nombre;
    }
}

TEST(Timer1, DoceCuadrosYVuelveAlPrimero) {
    struct Caso {
        int ticks;
        int imagen;
        int contador;
    };
    const std::vector<Caso> casos = {
        {0, 1, 0}, {1, 1, 1}, {2, 2, 2}, {11, 11, 11}, {12, 12, 0}, {13, 1, 1}, {25, 1, 1},
    };
    for (const Caso& c : casos) {
        Lbf_CtrlDisplay f;
        f.Timer1->stop();
        ASSERT_EQ(f.ImageList1.size(), 12u);
        for (int i = 0; i < c.ticks; ++i) f.Timer1_Timer();
        EXPECT_EQ(f.ImagenMostrada(), c.imagen) << c.ticks << " ticks";
        EXPECT_EQ(f.Contador(), c.contador) << c.ticks << " ticks";
        EXPECT_EQ(f.Image1->pixmap().toImage(),
                  f.ImageList1[static_cast<size_t>(c.imagen - 1)].toImage())
            << c.ticks << " ticks";
    }
}

TEST(Dll_Display, VentanaCreadaAlUsarseYLiberadaAlCerrar) {
    Dll_Display d;
    d.CartelCerrar();
    EXPECT_EQ(d.Ventana(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->objectName() == "Lbf_CtrlDisplay");

    d.CartelInicio("Generando Reporte de Subdiarios", true);
    ASSERT_NE(d.Ventana(), nullptr);
    const Lbf_CtrlDisplay& f = *d.Ventana();
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.isModal());
    EXPECT_EQ(f.windowTitle(), "Generando Reporte de Subdiarios");
    EXPECT_EQ(f.CmdDisplayCancelar->text(), "&Cancelar");
    EXPECT_NEAR(f.windowOpacity(), 200.0 / 255.0, 0.01);
    // Every control lies inside the client area.
    for (const QWidget* w : f.findChildren<QWidget*>())
        EXPECT_TRUE(f.rect().contains(w->geometry())) << w->objectName().toStdString();

    d.CartelCerrar();
    EXPECT_EQ(d.Ventana(), nullptr);
}

TEST(Siempre_Visible, CambiaElGrupoSinMoverNiOcultar) {
    Dll_Display d;
    d.CartelInicio("Prueba", true);
    Lbf_CtrlDisplay& f = *d.Ventana();
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QRect lugar = f.geometry();
    for (bool valor : {false, false, true}) {
        d.Siempre_Visible(valor);
        EXPECT_EQ(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint), valor);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.geometry(), lugar);
    }
}
