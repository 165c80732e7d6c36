#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "UtilPanel.h"

using namespace toolbar;

using utilpanel::kIdsTira;

namespace {

// Each test gets its own panel whose program folder is an empty temporary folder, so the
// control's own icons are used unless the test writes a strip there.
class UtilPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        panel = std::make_unique<UtilPanel>();
        panel->FijarCarpetaPrograma(carpeta.path());
        panel->resize(700, 70);
        spy = std::make_unique<QSignalSpy>(panel.get(), &UtilPanel::click);
    }

    QStringList Recibidos() const {
        QStringList r;
        for (const auto& args : *spy) r << args.at(0).toString();
        return r;
    }
    void Pulsar(int id) { QTest::mouseClick(panel->Boton(id), Qt::LeftButton); }

    // A strip of eight 16 x 16 images, image k filled with Color(k).
    static QColor Color(int k) { return QColor(20 + 25 * k, 200 - 20 * k, (k * 97) % 256); }
    void EscribirTira(const QString& nombre) {
        QImage tira(8 * 16, 16, QImage::Format_RGB32);
        for (int k = 0; k < 8; ++k)
            for (int x = 0; x < 16; ++x)
                for (int y = 0; y < 16; ++y) tira.setPixelColor(k * 16 + x, y, Color(k));
        ASSERT_TRUE(tira.save(QDir(carpeta.path()).filePath(nombre), "BMP"));
    }
    static QColor ColorCentral(const QToolButton* b) {
        return b->icon().pixmap(QSize(16, 16)).toImage().pixelColor(8, 8);
    }

    QTemporaryDir carpeta;
    std::unique_ptr<UtilPanel> panel;
    std::unique_ptr<QSignalSpy> spy;
};

}  // namespace

TEST_F(UtilPanelTest, TitulosExactosIdsYAyudas) {
    const struct {
        int posicion, id;
        const char* titulo;
        const char* ayuda;
    } esperado[] = {{1, 1, "Nuevo", "Nuevo (F3)"},         {2, 2, "Borrar", "Borrar (F10)"},
                    {3, 3, " Reporte", "Reporte (F4)"},    {4, 6, " Consultar", "Consultar (F5)"},
                    {5, 7, "  Planilla", "Planilla (F6)"}, {6, 8, "Cancelar", "Cancelar (Esc)"},
                    {7, 4, "Grabar", "Grabar (F2)"},       {8, 5, "   Cerrar", "Cerrar (Esc)"}};
    for (const auto& e : esperado) {
        QToolButton* b = panel->BotonEnPosicion(e.posicion);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b, panel->Boton(e.id)) << e.titulo;
        EXPECT_EQ(b->text(), QString::fromUtf8(e.titulo));
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(e.ayuda));
    }
    EXPECT_EQ(panel->Boton(0), nullptr);
    EXPECT_EQ(panel->Boton(9), nullptr);
    EXPECT_EQ(panel->findChildren<QToolButton*>().size(), 8);
}

TEST_F(UtilPanelTest, CadaBotonLevantaSuPalabraSinBlancos) {
    panel->show();
    // Bar order, with Nuevo last so that Borrar is still enabled when it is pressed.
    for (int id : {2, 3, 6, 7, 8, 4, 5, 1}) Pulsar(id);
    EXPECT_EQ(Recibidos(), (QStringList{"BORRAR", "REPORTE", "CONSULTAR", "PLANILLA", "CANCELAR",
                                        "GRABAR", "CERRAR", "NUEVO"}));
}

TEST_F(UtilPanelTest, NuevoDeshabilitaBorrarAntesDeAvisarYGrabarOCerrarLoRehabilitan) {
    panel->show();
    bool borrarAlRecibir = true;
    QObject::connect(panel.get(), &UtilPanel::click,
                     [&](const QString&) { borrarAlRecibir = panel->BorrarEnabled(); });
    Pulsar(1);
    EXPECT_FALSE(borrarAlRecibir);
    EXPECT_FALSE(panel->Boton(2)->isEnabled());
    // A disabled Borrar cannot be pressed; F10 raises nothing either.
    Pulsar(2);
    EXPECT_FALSE(panel->KeyAnalisis(121));
    EXPECT_EQ(Recibidos(), QStringList{"NUEVO"});
    // Cancelar leaves it disabled.
    Pulsar(8);
    EXPECT_FALSE(panel->BorrarEnabled());
    Pulsar(4);
    EXPECT_TRUE(panel->BorrarEnabled());
    EXPECT_TRUE(panel->Boton(2)->isEnabled());
    Pulsar(1);
    Pulsar(5);
    EXPECT_TRUE(panel->BorrarEnabled());
    EXPECT_EQ(Recibidos(), (QStringList{"NUEVO", "CANCELAR", "GRABAR", "NUEVO", "CERRAR"}));
}

TEST_F(UtilPanelTest, TeclasRespetanEnabledPeroNoVisible) {
    panel->NuevoVisible(false);
    EXPECT_TRUE(panel->KeyAnalisis(114));  // hidden but enabled
    panel->BorrarEnabled(false);
    EXPECT_FALSE(panel->KeyAnalisis(121));  // visible but disabled
    panel->CancelarEnabled(false);
    EXPECT_TRUE(panel->KeyAnalisis(27));
    panel->CerrarEnabled(false);
    EXPECT_FALSE(panel->KeyAnalisis(27));
    EXPECT_FALSE(panel->KeyAnalisis(118));  // F7 is not mapped
    EXPECT_EQ(Recibidos(), (QStringList{"NUEVO", "CERRAR"}));
    EXPECT_FALSE(panel->BorrarEnabled());
}

TEST_F(UtilPanelTest, TeclasDesdeEventosQt) {
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QKeyEvent shiftF2(QEvent::KeyPress, Qt::Key_F2, Qt::ShiftModifier);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
    QKeyEvent supr(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QKeyEvent letraN(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, "n");
    EXPECT_TRUE(panel->KeyAnalisis(f2));
    EXPECT_TRUE(panel->KeyAnalisis(shiftF2));
    EXPECT_TRUE(panel->KeyAnalisis(esc));
    EXPECT_TRUE(panel->KeyAnalisis(f10));
    EXPECT_FALSE(panel->KeyAnalisis(supr));
    EXPECT_FALSE(panel->KeyAnalisis(letraN));
    EXPECT_EQ(Recibidos(), (QStringList{"GRABAR", "GRABAR", "CANCELAR", "BORRAR"}));
}

TEST_F(UtilPanelTest, EnabledGeneralNoDeshabilitaNada) {
    panel->show();
    panel->Enabled(false);
    EXPECT_FALSE(panel->Enabled());
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_TRUE(panel->Boton(4)->isEnabled());
    Pulsar(4);
    EXPECT_TRUE(panel->KeyAnalisis(113));
    EXPECT_EQ(Recibidos(), (QStringList{"GRABAR", "GRABAR"}));
}

TEST_F(UtilPanelTest, LasPropiedadesSeVenEnLosBotones) {
    panel->show();
    panel->ReporteEnabled(false);
    panel->PlanillaVisible(false);
    panel->consultarVisible(false);
    EXPECT_FALSE(panel->Boton(3)->isEnabled());
    EXPECT_TRUE(panel->Boton(7)->isHidden());
    EXPECT_TRUE(panel->Boton(6)->isHidden());
    EXPECT_FALSE(panel->Boton(1)->isHidden());
    EXPECT_EQ(panel->Boton(4)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    panel->ConTitulo(false);
    for (int id = 1; id <= 8; ++id)
        EXPECT_EQ(panel->Boton(id)->toolButtonStyle(), Qt::ToolButtonIconOnly) << id;
    panel->ConTitulo(true);
    EXPECT_EQ(panel->Boton(5)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
}

// Each Enabled or Visible flag changes its own button, and only that one, both ways.
TEST_F(UtilPanelTest, CadaBanderaCambiaSoloSuBoton) {
    using utilpanel::Comando;
    struct Bandera {
        const char* nombre;
        void (*poner)(UtilPanel&, bool);
        Comando comando;
        bool habilitado;  // the Enabled flag; else the Visible flag
    };
    const Bandera banderas[] = {
        {"NuevoEnabled", [](UtilPanel& p, bool v) { p.NuevoEnabled(v); }, Comando::Nuevo, true},
        {"BorrarEnabled", [](UtilPanel& p, bool v) { p.BorrarEnabled(v); }, Comando::Borrar, true},
        {"ReporteEnabled", [](UtilPanel& p, bool v) { p.ReporteEnabled(v); }, Comando::Reporte,
         true},
        {"ConsultaEnabled", [](UtilPanel& p, bool v) { p.ConsultaEnabled(v); }, Comando::Consultar,
         true},
        {"PlanillaEnabled", [](UtilPanel& p, bool v) { p.PlanillaEnabled(v); }, Comando::Planilla,
         true},
        {"CancelarEnabled", [](UtilPanel& p, bool v) { p.CancelarEnabled(v); }, Comando::Cancelar,
         true},
        {"GrabarEnabled", [](UtilPanel& p, bool v) { p.GrabarEnabled(v); }, Comando::Grabar, true},
        {"CerrarEnabled", [](UtilPanel& p, bool v) { p.CerrarEnabled(v); }, Comando::Cerrar, true},
        {"NuevoVisible", [](UtilPanel& p, bool v) { p.NuevoVisible(v); }, Comando::Nuevo, false},
        {"BorrarVisible", [](UtilPanel& p, bool v) { p.BorrarVisible(v); }, Comando::Borrar, false},
        {"ReporteVisible", [](UtilPanel& p, bool v) { p.ReporteVisible(v); }, Comando::Reporte,
         false},
        {"consultarVisible", [](UtilPanel& p, bool v) { p.consultarVisible(v); },
         Comando::Consultar, false},
        {"PlanillaVisible", [](UtilPanel& p, bool v) { p.PlanillaVisible(v); }, Comando::Planilla,
         false},
        {"CancelarVisible", [](UtilPanel& p, bool v) { p.CancelarVisible(v); }, Comando::Cancelar,
         false},
        {"GrabarVisible", [](UtilPanel& p, bool v) { p.GrabarVisible(v); }, Comando::Grabar, false},
        {"CerrarVisible", [](UtilPanel& p, bool v) { p.CerrarVisible(v); }, Comando::Cerrar, false},
    };
    panel->show();
    // Button by button: "E" enabled or "d" disabled, then "V" shown or "h" hidden.
    const auto botones = [&] {
        std::string s;
        for (int posicion = 1; posicion <= 8; ++posicion) {
            const QToolButton* b = panel->BotonEnPosicion(posicion);
            s += std::string(b->isEnabled() ? "E" : "d") + (b->isHidden() ? "h" : "V") + " ";
        }
        return s;
    };
    const std::string todos = botones();
    ASSERT_EQ(todos, "EV EV EV EV EV EV EV EV ");
    for (const Bandera& b : banderas) {
        std::string esperado = todos;
        const size_t i = 3 * static_cast<size_t>(utilpanel::BotonDe(b.comando).posicion - 1);
        esperado[b.habilitado ? i : i + 1] = b.habilitado ? 'd' : 'h';
        b.poner(*panel, false);
        EXPECT_EQ(botones(), esperado) << b.nombre;
        b.poner(*panel, true);
        EXPECT_EQ(botones(), todos) << b.nombre;
    }
}

TEST_F(UtilPanelTest, ActualizarBotonesDevuelveTodoATrue) {
    panel->show();
    panel->BorrarVisible(false);
    panel->GrabarEnabled(false);
    panel->ConTitulo(false);
    panel->Theme(2);
    panel->ActualizarBotones();
    EXPECT_TRUE(panel->BorrarVisible());
    EXPECT_TRUE(panel->GrabarEnabled());
    EXPECT_TRUE(panel->ConTitulo());
    EXPECT_FALSE(panel->Boton(2)->isHidden());
    EXPECT_TRUE(panel->Boton(4)->isEnabled());
    EXPECT_EQ(panel->Boton(4)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(panel->Theme(), 2);
    // Never two bars.
    EXPECT_EQ(panel->findChildren<QToolButton*>().size(), 8);
    Pulsar(4);
    EXPECT_EQ(Recibidos(), QStringList{"GRABAR"});
}

TEST_F(UtilPanelTest, ActualizarBotonesDesdeElManejadorDelClick) {
    panel->show();
    QObject::connect(panel.get(), &UtilPanel::click, panel.get(), [this](const QString& c) {
        if (c == "NUEVO") panel->ActualizarBotones();
    });
    Pulsar(1);
    QApplication::processEvents();  // the old bar is deleted here
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(panel->BorrarEnabled());  // the rebuild undid the adjustment
    Pulsar(2);
    EXPECT_EQ(Recibidos(), (QStringList{"NUEVO", "BORRAR"}));
    EXPECT_EQ(panel->findChildren<QToolButton*>().size(), 8);
}

TEST_F(UtilPanelTest, OrientacionSegunLaForma) {
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    const auto Posiciones = [&] {
        QList<QPoint> p;
        for (int pos = 1; pos <= 8; ++pos)
            p << panel->BotonEnPosicion(pos)->mapTo(panel.get(), QPoint(0, 0));
        return p;
    };
    panel->resize(900, 80);
    QApplication::processEvents();
    EXPECT_EQ(panel->Orientacion(), Qt::Horizontal);
    auto p = Posiciones();
    for (int i = 1; i < 8; ++i) {
        EXPECT_EQ(p[i].y(), p[0].y()) << i;
        EXPECT_GT(p[i].x(), p[i - 1].x()) << i;
    }
    EXPECT_LT(p[0].y(), 10);  // at the top edge

    panel->resize(90, 900);
    QApplication::processEvents();
    EXPECT_EQ(panel->Orientacion(), Qt::Vertical);
    p = Posiciones();
    for (int i = 1; i < 8; ++i) {
        EXPECT_EQ(p[i].x(), p[0].x()) << i;
        EXPECT_GT(p[i].y(), p[i - 1].y()) << i;
    }
    EXPECT_LT(p[0].x(), 10);  // at the left edge

    panel->resize(300, 300);  // square gives the vertical bar
    QApplication::processEvents();
    EXPECT_EQ(panel->Orientacion(), Qt::Vertical);
    panel->resize(301, 300);
    QApplication::processEvents();
    EXPECT_EQ(panel->Orientacion(), Qt::Horizontal);
}

TEST_F(UtilPanelTest, TiraDelEstiloRepartidaPorIds) {
    EscribirTira("ABM2021B.bmp");
    panel->FijarCarpetaPrograma(carpeta.path());
    EXPECT_TRUE(panel->ArchivoIconos().endsWith("ABM2021B.bmp"))
        << panel->ArchivoIconos().toStdString();
    for (int k = 0; k < 8; ++k) {
        // Image k goes to the id at position k of the strip's list, which is also the button
        // at bar position k.
        EXPECT_EQ(ColorCentral(panel->Boton(kIdsTira[k])), Color(k)) << k;
        EXPECT_EQ(panel->Boton(kIdsTira[k]), panel->BotonEnPosicion(k + 1));
    }
    // The rebuild loads the strip again.
    panel->ActualizarBotones();
    EXPECT_EQ(ColorCentral(panel->Boton(4)), Color(6));
    EXPECT_EQ(ColorCentral(panel->Boton(5)), Color(7));
}

TEST_F(UtilPanelTest, EstiloSinSuTiraUsaLosIconosPropios) {
    EscribirTira("ABM2021B.bmp");
    panel->FijarEstilo("2");  // wants ABM2021M.bmp, which is not there
    EXPECT_TRUE(panel->ArchivoIconos().isEmpty());
    EXPECT_NE(ColorCentral(panel->Boton(1)), Color(0));
    EscribirTira("abm2021m.BMP");  // found ignoring letter case
    panel->FijarEstilo("2");
    EXPECT_TRUE(panel->ArchivoIconos().endsWith("abm2021m.BMP"));
    EXPECT_EQ(ColorCentral(panel->Boton(8)), Color(5));
    panel->FijarEstilo("9");  // ABM2021.bmp
    EXPECT_TRUE(panel->ArchivoIconos().isEmpty());
    EscribirTira("ABM2021.bmp");
    panel->FijarEstilo("9");
    EXPECT_TRUE(panel->ArchivoIconos().endsWith("/ABM2021.bmp"));
}

TEST_F(UtilPanelTest, TiraIlegibleUsaLosIconosPropios) {
    QFile f(QDir(carpeta.path()).filePath("ABM2021B.bmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("esto no es un bitmap");
    f.close();
    panel->FijarCarpetaPrograma(carpeta.path());
    EXPECT_TRUE(panel->ArchivoIconos().isEmpty());
    QList<QImage> vistas;
    for (int id = 1; id <= 8; ++id) {
        QToolButton* b = panel->Boton(id);
        ASSERT_FALSE(b->icon().isNull()) << id;
        QImage img = b->icon().pixmap(QSize(32, 32)).toImage();
        EXPECT_FALSE(vistas.contains(img)) << "icono repetido en el id " << id;
        vistas << img;
    }
}

TEST_F(UtilPanelTest, PropiedadesGuardadasVuelvenAlCargar) {
    panel->consultarVisible(false);
    panel->CerrarEnabled(false);
    BolsaPropiedadesMemoria bolsa;
    panel->GuardarPropiedades(bolsa);
    ASSERT_EQ(bolsa.Escritos().size(), 18u);
    EXPECT_EQ(bolsa.Escritos()[13], (std::pair<std::string, bool>{"ConsultarVisible", false}));
    EXPECT_EQ(bolsa.Escritos()[9], (std::pair<std::string, bool>{"CerrarEnabled", false}));

    UtilPanel otro;
    otro.CargarPropiedades(bolsa);
    EXPECT_FALSE(otro.consultarVisible());
    EXPECT_TRUE(otro.Boton(6)->isHidden());
    EXPECT_FALSE(otro.Boton(5)->isEnabled());
    EXPECT_TRUE(otro.NuevoVisible() && otro.GrabarEnabled());
}
