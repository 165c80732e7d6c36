// A skin's look: read from its description as written, refused with the file, key and value
// named when a value is not one, and painted by the program's style where the skin says, with
// what it leaves unsaid painted as the Qt style underneath paints it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionHeader>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <functional>

#include "AplicacionDePrueba.h"
#include "ArchivoIni.h"
#include "ErrorEjecucion.h"
#include "EstiloPrograma.h"
#include "PinturaPiel.h"

namespace fs = std::filesystem;
using startup::EstiloPrograma;
using startup::PinturaPiel;

namespace {

PinturaPiel Leer(const std::string& texto) {
    const fs::path ruta =
        fs::temp_directory_path() / ("pintura_" + std::to_string(::getpid()) + ".ini");
    std::ofstream(ruta) << texto;
    const helperlib::IniLeido ini(ruta.string());
    fs::remove(ruta);
    return startup::LeerPintura(ini, "Prueba.cjstyles");
}

startup::Relleno Solido(const char* color) {
    return {{{0.0, QColor(color)}, {1.0, QColor(color)}}};
}

TEST(Pintura, CadaValorSeLeeComoEstaEscrito) {
    const PinturaPiel a = Leer(
        "[Barra]\nFondo=#fdfeff 0, #e4edf8 0.5,#d5e3f4 0.51 , #c9dbf0 1\nLinea=#0b1a40 2\n"
        "[Botones]\nRadio=10\nFondoEncima=#37ffffff\nFondoPulsado= #8ccaf0\n"
        "[Encabezados]\nLineaDerecha=#c5d5e8\n");
    const QGradientStops paradas{{0.0, QColor("#fdfeff")},
                                 {0.5, QColor("#e4edf8")},
                                 {0.51, QColor("#d5e3f4")},
                                 {1.0, QColor("#c9dbf0")}};
    EXPECT_EQ(a.barraFondo.paradas, paradas);
    EXPECT_EQ(a.barraLinea, (startup::Linea{QColor("#0b1a40"), 2}));
    EXPECT_EQ(a.botonRadio, 10);
    EXPECT_EQ(a.botonFondoEncima.paradas.front().second, QColor(255, 255, 255, 0x37));
    EXPECT_EQ(a.botonFondoPulsado, Solido("#8ccaf0"));
    EXPECT_EQ(a.encabezadoDerecha, (startup::Linea{QColor("#c5d5e8"), 1}));
    // What is not written is not painted by the skin.
    EXPECT_TRUE(a.marcoFondo.Vacio());
    EXPECT_FALSE(a.grillaLineas.isValid());
    EXPECT_TRUE(a.encabezadoInferior.Vacia());
}

TEST(Pintura, UnValorQueNoLoEsSeRechazaNombrandoloTodo) {
    const struct {
        const char* texto;
        const char* mencion;
    } casos[] = {
        {"[Barra]\nFondo=#fdfeff 0, #c9dbf0\n", "[Barra] Fondo"},        // a stop without its place
        {"[Barra]\nFondo=#fdfeff 0.6, #c9dbf0 0.2\n", "[Barra] Fondo"},  // going back
        {"[Barra]\nFondo=#fdfeff 0, #c9dbf0 1.5\n", "[Barra] Fondo"},
        {"[Barra]\nFondo=azul\n", "\"azul\""},
        {"[Barra]\nLinea=#a9bfd6 gruesa\n", "[Barra] Linea"},
        {"[Encabezados]\nLineaInferior=#a9bfd6 3 4\n", "[Encabezados] LineaInferior"},
        {"[Botones]\nRadio=-1\n", "[Botones] Radio"},
        {"[Marcos]\nRadio=grande\n", "[Marcos] Radio"},
        {"[Grilla]\nLineas=#12345\n", "[Grilla] Lineas"},
    };
    for (const auto& c : casos) {
        try {
            Leer(c.texto);
            ADD_FAILURE() << "sin error: " << c.texto;
        } catch (const helperlib::ErrorEjecucion& e) {
            EXPECT_EQ(e.Numero(), 5) << c.texto;
            EXPECT_NE(e.Descripcion().find(c.mencion), std::string::npos) << e.Descripcion();
            EXPECT_NE(e.Descripcion().find("Prueba.cjstyles"), std::string::npos)
                << e.Descripcion();
        }
    }
}

PinturaPiel Muestra() {
    PinturaPiel a;
    a.barraFondo = Solido("#102030");
    a.barraLinea = {QColor("#ff0000"), 2};
    a.botonBorde = QColor("#00ff00");
    a.botonFondo = Solido("#0000ff");
    a.botonBordeEncima = QColor("#ffff00");
    a.botonFondoEncima = Solido("#00ffff");
    a.botonFondoPulsado = Solido("#ff00ff");
    a.marcoBorde = QColor("#123456");
    a.marcoFondo = Solido("#abcdef");
    a.encabezadoFondo = Solido("#eeeeee");
    a.encabezadoDerecha = {QColor("#111111"), 1};
    a.encabezadoInferior = {QColor("#222222"), 3};
    a.encabezadoEncima = QColor("#333333");
    a.grillaLineas = QColor("#445566");
    return a;
}

QImage Pintar(const QStyle& estilo, const std::function<void(const QStyle&, QPainter&)>& pintar) {
    QImage imagen(40, 20, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::magenta);
    QPainter p(&imagen);
    pintar(estilo, p);
    return imagen;
}

TEST(Pintura, CadaParteSePintaConLosColoresDeLaPiel) {
    AplicacionDePrueba();
    const EstiloPrograma conPiel(QStyleFactory::create("Fusion"), Muestra());
    const EstiloPrograma sinPiel(QStyleFactory::create("Fusion"));
    QWidget barra, otra;
    barra.setObjectName(startup::kBarraDeComandos);
    QToolButton levantado(&barra), plano(&barra), ajeno(&otra);
    plano.setAutoRaise(true);
    const QRect r(0, 0, 40, 20);
    const auto boton = [r](const QToolButton& b, QStyle::State estado) {
        return [&b, r, estado](const QStyle& e, QPainter& p) {
            QStyleOption o;
            o.initFrom(&b);
            o.rect = r;
            o.state |= QStyle::State_Enabled | estado;
            e.drawPrimitive(QStyle::PE_PanelButtonTool, &o, &p, &b);
        };
    };
    const auto seccion = [r](Qt::Orientation orientacion, QStyle::State estado) {
        return [r, orientacion, estado](const QStyle& e, QPainter& p) {
            QStyleOptionHeader o;
            o.rect = r;
            o.orientation = orientacion;
            o.state |= QStyle::State_Enabled | estado;
            e.drawControl(QStyle::CE_HeaderSection, &o, &p, nullptr);
        };
    };
    const auto primitiva = [r](QStyle::PrimitiveElement elemento) {
        return [r, elemento](const QStyle& e, QPainter& p) {
            QStyleOption o;
            o.rect = r;
            e.drawPrimitive(elemento, &o, &p, nullptr);
        };
    };
    const QStyle::State nada = QStyle::State_None, encima = QStyle::State_MouseOver;
    const struct {
        const char* que;
        std::function<void(const QStyle&, QPainter&)> pintar;
        QPoint punto;
        const char* color;
    } casos[] = {
        {"barra", primitiva(QStyle::PE_PanelToolBar), {20, 5}, "#102030"},
        {"linea de la barra", primitiva(QStyle::PE_PanelToolBar), {20, 18}, "#ff0000"},
        {"encima de la linea", primitiva(QStyle::PE_PanelToolBar), {20, 17}, "#102030"},
        {"boton levantado", boton(levantado, QStyle::State_Raised), {20, 10}, "#0000ff"},
        {"su borde", boton(levantado, QStyle::State_Raised), {0, 10}, "#00ff00"},
        {"bajo el puntero", boton(levantado, QStyle::State_Raised | encima), {20, 10}, "#00ffff"},
        {"su borde", boton(levantado, QStyle::State_Raised | encima), {0, 10}, "#ffff00"},
        {"pulsado", boton(levantado, QStyle::State_Sunken | encima), {20, 10}, "#ff00ff"},
        {"su borde", boton(levantado, QStyle::State_Sunken | encima), {0, 10}, "#ffff00"},
        {"plano bajo el puntero", boton(plano, QStyle::State_Raised | encima), {0, 10}, "#ffff00"},
        {"marco", primitiva(QStyle::PE_FrameGroupBox), {20, 10}, "#abcdef"},
        {"su borde", primitiva(QStyle::PE_FrameGroupBox), {20, 0}, "#123456"},
        {"encabezado", seccion(Qt::Horizontal, nada), {20, 5}, "#eeeeee"},
        {"su linea derecha", seccion(Qt::Horizontal, nada), {39, 5}, "#111111"},
        {"su linea inferior", seccion(Qt::Horizontal, nada), {20, 17}, "#222222"},
        {"bajo el puntero", seccion(Qt::Horizontal, encima), {20, 17}, "#333333"},
        {"de fila: un pixel", seccion(Qt::Vertical, nada), {20, 19}, "#222222"},
        {"de fila: encima", seccion(Qt::Vertical, nada), {20, 18}, "#eeeeee"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Pintar(conPiel, c.pintar).pixelColor(c.punto), QColor(c.color))
            << c.que << " en " << c.punto.x() << "," << c.punto.y();
    EXPECT_EQ(QColor::fromRgba(static_cast<QRgb>(
                  conPiel.styleHint(QStyle::SH_Table_GridLineColor, nullptr, nullptr))),
              QColor("#445566"));

    // A button off the command bar, and every part under a style without a look, are the Qt
    // style's own.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    const std::function<void(const QStyle&, QPainter&)> propias[] = {
        boton(ajeno, QStyle::State_Raised), boton(levantado, QStyle::State_Raised),
        seccion(Qt::Horizontal, encima), primitiva(QStyle::PE_FrameGroupBox)};
    EXPECT_EQ(Pintar(conPiel, propias[0]), Pintar(*fusion, propias[0]));
    for (const auto& pintar : propias) EXPECT_EQ(Pintar(sinPiel, pintar), Pintar(*fusion, pintar));
    EXPECT_EQ(sinPiel.styleHint(QStyle::SH_Table_GridLineColor),
              fusion->styleHint(QStyle::SH_Table_GridLineColor));
}

// The rounded outline drawn by its corners and runs is, pixel for pixel, the one the painter
// strokes: any radius, any size (down to those too small to have runs), opaque or translucent
// over any background, on any painter and with any pen (those the runs cannot stand for are
// stroked whole).
TEST(Pintura, ElContornoRedondeadoEsElQueTrazaElPintor) {
    AplicacionDePrueba();
    const struct {
        const char* que;
        std::function<void(QPainter&)> preparar;
    } pintores[] = {
        {"desplazado", [](QPainter& p) { p.translate(2, 3); }},
        {"a media opacidad", [](QPainter& p) { p.setOpacity(0.5); }},
        {"pluma cosmética", [](QPainter& p) { p.setPen(QPen(p.pen().color(), 0)); }},
        {"escalado", [](QPainter& p) { p.scale(1.5, 1.5); }},
        {"en medio pixel", [](QPainter& p) { p.translate(2.5, 3.25); }},
        {"pluma de trazos", [](QPainter& p) { p.setPen(QPen(p.pen().color(), 1, Qt::DashLine)); }},
        {"pluma con degradé",
         [](QPainter& p) {
             QLinearGradient g(0, 0, 40, 0);
             g.setColorAt(0, Qt::red);
             g.setColorAt(1, Qt::blue);
             p.setPen(QPen(QBrush(g), 1));
         }},
    };
    for (const auto& pintor : pintores)
        for (const qreal radio : {1.0, 1.7, 2.0, 2.5, 4.0, 5.0, 8.0})
            for (const QSize tam :
                 {QSize(7, 7), QSize(15, 9), QSize(30, 12), QSize(13, 40), QSize(600, 120)})
                for (const QColor borde : {QColor("#ababab"), QColor(20, 60, 200, 90)})
                    for (const QColor fondo : {QColor("#f7fafd"), QColor(Qt::magenta)}) {
                        const auto pintar = [&](bool porPartes) {
                            QImage imagen(tam * 2 + QSize(10, 10),
                                          QImage::Format_ARGB32_Premultiplied);
                            imagen.fill(fondo);
                            QPainter p(&imagen);
                            p.setRenderHint(QPainter::Antialiasing);
                            p.setPen(QPen(borde, 1));
                            pintor.preparar(p);
                            const QRect caja(QPoint(1, 1), tam);
                            if (porPartes)
                                startup::TrazarRedondeado(p, caja, radio);
                            else
                                p.drawRoundedRect(QRectF(caja).adjusted(0.5, 0.5, -0.5, -0.5),
                                                  radio, radio);
                            return imagen;
                        };
                        EXPECT_TRUE(pintar(true) == pintar(false))
                            << pintor.que << ", radio " << radio << ", " << tam.width() << "x"
                            << tam.height() << ", borde "
                            << borde.name(QColor::HexArgb).toStdString() << ", fondo "
                            << fondo.name().toStdString();
                    }
}

}  // namespace
