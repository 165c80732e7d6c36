// The program's style against the Qt style under it: the scroll bars it puts on a painter from
// the pictures it keeps are pixel for pixel the bars the Qt style paints, and it paints a bar
// again exactly when something its look depends on has changed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <functional>
#include <memory>

#include "AplicacionDePrueba.h"
#include "EstiloPrograma.h"

namespace {

/// A Qt style that counts the scroll bars and the plain frames it paints; with `hueco`, its bars
/// leave their first pixel clear.
class Contador : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement e, const QStyleOption* o, QPainter* p,
                       const QWidget* w) const override {
        if (e == PE_Frame || e == PE_FrameLineEdit) ++marcos;
        if (e == PE_PanelItemViewItem || e == PE_PanelItemViewRow) ++fondos;
        QProxyStyle::drawPrimitive(e, o, p, w);
    }
    void drawComplexControl(ComplexControl c, const QStyleOptionComplex* o, QPainter* p,
                            const QWidget* w) const override {
        if (c == CC_ScrollBar) ++pintadas;
        QProxyStyle::drawComplexControl(c, o, p, w);
        if (c == CC_ScrollBar && hueco) {
            p->save();
            p->setCompositionMode(QPainter::CompositionMode_Clear);
            p->fillRect(QRect(o->rect.topLeft(), QSize(1, 1)), Qt::black);
            p->restore();
        }
    }
    mutable int pintadas = 0;
    mutable int marcos = 0;
    mutable int fondos = 0;
    bool hueco = false;
};

/// A widget that paints itself as a scroll bar does, with any option and drawing state.
class Lienzo : public QWidget {
  public:
    Lienzo(Qt::Orientation orientacion, QSize tam) {
        QScrollBar modelo(orientacion);
        modelo.setRange(0, 1000);
        modelo.setPageStep(40);
        modelo.setValue(370);
        modelo.resize(tam);
        opcion.initFrom(&modelo);
        opcion.rect = QRect(QPoint(), tam);
        opcion.subControls = QStyle::SC_All;
        opcion.orientation = orientacion;
        if (orientacion == Qt::Horizontal) opcion.state |= QStyle::State_Horizontal;
        opcion.minimum = modelo.minimum();
        opcion.maximum = modelo.maximum();
        opcion.sliderPosition = opcion.sliderValue = modelo.value();
        opcion.singleStep = modelo.singleStep();
        opcion.pageStep = modelo.pageStep();
        resize(tam);
    }
    /// The widget painted by `estilo` over magenta, away from the picture's origin.
    QImage Pintar(const QStyle& con) {
        estilo = &con;
        QImage imagen(size() + QSize(6, 6), QImage::Format_ARGB32_Premultiplied);
        imagen.fill(Qt::magenta);
        render(&imagen, QPoint(3, 3));
        return imagen;
    }
    QStyleOptionSlider opcion;
    std::function<void(QPainter&)> preparar;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (preparar) preparar(p);
        estilo->drawComplexControl(QStyle::CC_ScrollBar, &opcion, &p, this);
    }

  private:
    const QStyle* estilo = nullptr;
};

TEST(EstiloPrograma, LasBarrasGuardadasSonLasQuePintaSuEstilo) {
    AplicacionDePrueba();
    struct Caso {
        Qt::Orientation orientacion;
        QSize tamano;
        std::function<void(QStyleOptionSlider&)> cambio;
    };
    const Caso casos[] = {
        {Qt::Vertical, {16, 348}, {}},
        {Qt::Horizontal, {730, 14}, {}},
        {Qt::Vertical,
         {17, 241},
         [](QStyleOptionSlider& o) {
             o.activeSubControls = QStyle::SC_ScrollBarSlider;
             o.state |= QStyle::State_MouseOver;
         }},
        {Qt::Horizontal,
         {731, 16},
         [](QStyleOptionSlider& o) {
             o.activeSubControls = QStyle::SC_ScrollBarAddLine;
             o.state |= QStyle::State_Sunken;
         }},
        {Qt::Vertical, {16, 500}, [](QStyleOptionSlider& o) { o.state &= ~QStyle::State_Enabled; }},
        {Qt::Horizontal, {300, 16}, [](QStyleOptionSlider& o) { o.direction = Qt::RightToLeft; }},
        {Qt::Vertical,
         {16, 200},
         [](QStyleOptionSlider& o) { o.palette.setColor(QPalette::Button, QColor("#6a9fd4")); }},
    };
    for (const char* nombre : {"Fusion", "Windows"}) {
        const std::unique_ptr<QStyle> suyo(QStyleFactory::create(nombre));
        auto* contador = new Contador(QStyleFactory::create(nombre));
        const startup::EstiloPrograma nuestro(contador);
        EXPECT_EQ(startup::NombreDelEstilo(nuestro).toLower(), QString(nombre).toLower());
        for (size_t i = 0; i < std::size(casos); ++i) {
            Lienzo barra(casos[i].orientacion, casos[i].tamano);
            if (casos[i].cambio) casos[i].cambio(barra.opcion);
            const QImage esperada = barra.Pintar(*suyo);
            // The first paint keeps the picture, the second puts the kept one.
            const int antes = contador->pintadas;
            EXPECT_TRUE(barra.Pintar(nuestro) == esperada) << nombre << ", caso " << i;
            EXPECT_TRUE(barra.Pintar(nuestro) == esperada) << nombre << ", caso " << i;
            EXPECT_EQ(contador->pintadas - antes, 1) << nombre << ", caso " << i;
        }
    }
}

TEST(EstiloPrograma, PintaLaBarraOtraVezSoloCuandoCambiaLoQueLaHace) {
    AplicacionDePrueba();
    auto* contador = new Contador(QStyleFactory::create("Fusion"));
    const startup::EstiloPrograma estilo(contador);
    // The same Qt style, unkept: it leaves the same hole when asked.
    Contador suyo(QStyleFactory::create("Fusion"));
    Lienzo modelo(Qt::Vertical, {16, 348});

    const struct {
        const char* que;
        std::function<void(Lienzo&)> cambio;
        int pintadas;  // of the Qt style's, over two paints
    } pasos[] = {
        {"la primera vez", {}, 1},
        {"la misma barra", {}, 0},
        // As each widget of a new window may hold its own copy of the application's palette.
        {"la misma paleta en otra copia",
         [](Lienzo& l) {
             const QColor ventana = l.opcion.palette.color(QPalette::Window);
             l.opcion.palette.setColor(QPalette::Window, Qt::red);
             l.opcion.palette.setColor(QPalette::Window, ventana);
         },
         0},
        {"otra posición", [](Lienzo& l) { l.opcion.sliderPosition = l.opcion.sliderValue = 500; },
         1},
        {"otro alto",
         [](Lienzo& l) {
             l.resize(16, 349);
             l.opcion.rect.setHeight(349);
         },
         1},
        {"otro rango", [](Lienzo& l) { l.opcion.maximum = 2000; }, 1},
        {"otra página", [](Lienzo& l) { l.opcion.pageStep = 80; }, 1},
        {"bajo el puntero",
         [](Lienzo& l) {
             l.opcion.activeSubControls = QStyle::SC_ScrollBarSubLine;
             l.opcion.state |= QStyle::State_MouseOver;
         },
         1},
        {"deshabilitada", [](Lienzo& l) { l.opcion.state &= ~QStyle::State_Enabled; }, 1},
        {"otra paleta",
         [](Lienzo& l) { l.opcion.palette.setColor(QPalette::Window, QColor("#d4e0ee")); }, 1},
        {"barra con un hueco",
         [&](Lienzo& l) {
             contador->hueco = true;
             l.opcion.sliderPosition = l.opcion.sliderValue = 123;  // a bar not kept yet
         },
         3},  // for a picture found not to serve, then in place each time
        {"pintor a media opacidad",
         [](Lienzo& l) { l.preparar = [](QPainter& p) { p.setOpacity(0.5); }; }, 2},
        {"pintor escalado", [](Lienzo& l) { l.preparar = [](QPainter& p) { p.scale(2, 2); }; }, 2},
        {"pintor en otro modo",
         [](Lienzo& l) {
             l.preparar = [](QPainter& p) {
                 p.setCompositionMode(QPainter::CompositionMode_Multiply);
             };
         },
         2},
        {"hoja propia", [](Lienzo& l) { l.setStyleSheet("* { margin: 0 }"); }, 2},
        {"opción más chica que el widget", [](Lienzo& l) { l.opcion.rect.setHeight(300); }, 2},
    };
    for (const auto& paso : pasos) {
        Lienzo barra(Qt::Vertical, {16, 348});
        barra.opcion = modelo.opcion;
        if (paso.cambio) paso.cambio(barra);
        suyo.hueco = contador->hueco;
        const QImage esperada = barra.Pintar(suyo);
        const int antes = contador->pintadas;
        for (int vez = 0; vez < 2; ++vez) EXPECT_TRUE(barra.Pintar(estilo) == esperada) << paso.que;
        EXPECT_EQ(contador->pintadas - antes, paso.pintadas) << paso.que;
        contador->hueco = false;
    }
}

// The frames the program's style paints itself (a plain frame, a text box's frame) are the
// ones Fusion paints, and are left to Fusion where only its own painting is sure to match.
TEST(EstiloPrograma, LosMarcosPropiosSonLosQuePintaFusion) {
    AplicacionDePrueba();
    auto* contador = new Contador(QStyleFactory::create("Fusion"));
    const startup::EstiloPrograma estilo(contador);
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QFrame marco;
    QLineEdit cuadro;
    const auto ventana = [](QColor color) {
        return [color](QStyleOption& o, QPainter&) { o.palette.setColor(QPalette::Window, color); };
    };
    const auto conTextura = [](QStyleOption& o, QPainter&) {
        QImage textura(4, 4, QImage::Format_RGB32);
        textura.fill(Qt::darkGreen);
        o.palette.setBrush(QPalette::Window, QBrush(textura));
    };
    const auto estado = [](QStyle::State quitar, QStyle::State poner) {
        return [=](QStyleOption& o, QPainter&) { o.state = (o.state & ~quitar) | poner; };
    };
    const auto desplazado = [](QStyleOption&, QPainter& p) { p.translate(3, 5); };
    const auto suavizado = [](QStyleOption&, QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
    };
    const auto escalado = [](QStyleOption&, QPainter& p) { p.scale(1.5, 1.5); };
    const auto opaco = [](QStyleOption&, QPainter& p) { p.setOpacity(0.5); };
    const QStyle::PrimitiveElement liso = QStyle::PE_Frame, texto = QStyle::PE_FrameLineEdit;
    const struct {
        const char* que;
        QStyle::PrimitiveElement primitiva;
        QSize tamano;
        std::function<void(QStyleOption&, QPainter&)> preparar;
        int deFusion;  // frames left to Fusion's own painting
    } casos[] = {
        {"el de una lista", liso, {600, 400}, {}, 0},
        {"el más chico", liso, {2, 2}, {}, 0},
        {"desplazado", liso, {40, 30}, desplazado, 0},
        {"otra ventana", liso, {40, 30}, ventana("#d4e0ee"), 0},
        {"ventana traslúcida", liso, {40, 30}, ventana(QColor(200, 120, 40, 90)), 0},
        {"de un pixel", liso, {1, 30}, {}, 1},
        {"suavizado", liso, {40, 30}, suavizado, 1},
        {"escalado", liso, {40, 30}, escalado, 1},
        {"a media opacidad", liso, {40, 30}, opaco, 1},
        {"ventana con textura", liso, {40, 30}, conTextura, 1},
        {"cuadro de texto", texto, {200, 24}, {}, 0},
        {"cuadro inactivo", texto, {200, 24}, estado(QStyle::State_Enabled, {}), 0},
        {"cuadro de solo lectura", texto, {120, 21}, estado({}, QStyle::State_ReadOnly), 0},
        {"cuadro más chico", texto, {8, 8}, {}, 0},
        {"cuadro desplazado", texto, {60, 20}, desplazado, 0},
        {"cuadro suavizado", texto, {60, 20}, suavizado, 0},
        {"cuadro en otra ventana", texto, {60, 20}, ventana("#d4e0ee"), 0},
        {"cuadro en ventana traslúcida", texto, {60, 20}, ventana(QColor(200, 120, 40, 90)), 0},
        {"cuadro con el foco", texto, {60, 20}, estado({}, QStyle::State_HasFocus), 0},
        {"con el foco y un resalte claro",
         texto,
         {60, 20},
         [](QStyleOption& o, QPainter&) {
             o.state |= QStyle::State_HasFocus;
             o.palette.setColor(QPalette::Highlight, QColor("#9ad0ff"));
         },
         0},
        {"con el foco y un resalte oscuro",
         texto,
         {60, 20},
         [](QStyleOption& o, QPainter&) {
             o.state |= QStyle::State_HasFocus;
             o.palette.setColor(QPalette::Highlight, QColor("#203040"));
         },
         0},
        {"cuadro demasiado chico", texto, {7, 20}, {}, 1},
        {"cuadro escalado", texto, {60, 20}, escalado, 1},
        {"cuadro a media opacidad", texto, {60, 20}, opaco, 1},
        {"cuadro en ventana con textura", texto, {60, 20}, conTextura, 1},
    };
    for (const auto& c : casos) {
        const QWidget& widget = c.primitiva == texto ? static_cast<QWidget&>(cuadro) : marco;
        const auto pintar = [&](const QStyle& con) {
            QImage imagen(c.tamano + QSize(8, 8), QImage::Format_ARGB32_Premultiplied);
            imagen.fill(Qt::magenta);
            QPainter p(&imagen);
            p.translate(2, 2);
            QStyleOptionFrame o;
            o.initFrom(&widget);
            o.rect = QRect(QPoint(1, 1), c.tamano);
            o.lineWidth = 1;
            o.state |= QStyle::State_Sunken;
            if (c.preparar) c.preparar(o, p);
            con.drawPrimitive(c.primitiva, &o, &p, &widget);
            return imagen;
        };
        const int antes = contador->marcos;
        EXPECT_TRUE(pintar(estilo) == pintar(*fusion)) << c.que;
        EXPECT_EQ(contador->marcos - antes, c.deFusion) << c.que;
    }
}

// Under a list's row or cell the program's style paints what Fusion paints: nothing when it is
// neither selected, nor alternate, nor given a background; the rest is left to Fusion.
TEST(EstiloPrograma, BajoUnaFilaPintaLoQuePintaFusion) {
    AplicacionDePrueba();
    auto* contador = new Contador(QStyleFactory::create("Fusion"));
    const startup::EstiloPrograma estilo(contador);
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QTreeView vista;
    const QStyle::PrimitiveElement fila = QStyle::PE_PanelItemViewRow,
                                   celda = QStyle::PE_PanelItemViewItem;
    using Ajuste = std::function<void(QStyleOptionViewItem&)>;
    const auto estado = [](QStyle::State poner) -> Ajuste {
        return [poner](QStyleOptionViewItem& o) { o.state |= poner; };
    };
    const Ajuste inactiva = [](QStyleOptionViewItem& o) { o.state &= ~QStyle::State_Active; };
    const Ajuste alterna = [](QStyleOptionViewItem& o) {
        o.features |= QStyleOptionViewItem::Alternate;
    };
    const Ajuste conFondo = [](QStyleOptionViewItem& o) { o.backgroundBrush = QColor("#ffe0a0"); };
    const struct {
        const char* que;
        QStyle::PrimitiveElement primitiva;
        Ajuste ajustar;
        int deFusion;
    } casos[] = {
        {"fila", fila, {}, 0},
        {"fila inactiva", fila, inactiva, 0},
        {"fila bajo el puntero", fila, estado(QStyle::State_MouseOver), 0},
        {"fila con el foco", fila, estado(QStyle::State_HasFocus), 0},
        {"fila con fondo", fila, conFondo, 0},
        {"fila alterna", fila, alterna, 1},
        {"fila elegida", fila, estado(QStyle::State_Selected), 1},
        {"celda", celda, {}, 0},
        {"celda inactiva", celda, inactiva, 0},
        {"celda bajo el puntero", celda, estado(QStyle::State_MouseOver), 0},
        {"celda con el foco", celda, estado(QStyle::State_HasFocus), 0},
        {"celda alterna", celda, alterna, 0},
        {"celda con fondo", celda, conFondo, 1},
        {"celda elegida", celda, estado(QStyle::State_Selected), 1},
    };
    for (const bool habilitada : {true, false}) {
        vista.setEnabled(habilitada);
        for (const auto& c : casos) {
            const auto pintar = [&](const QStyle& con) {
                QImage imagen(QSize(90, 30), QImage::Format_ARGB32_Premultiplied);
                imagen.fill(Qt::magenta);
                QPainter p(&imagen);
                QStyleOptionViewItem o;
                o.initFrom(&vista);
                o.rect = QRect(3, 4, 80, 20);
                o.state |= QStyle::State_Active;
                o.text = QStringLiteral("Caja");
                if (c.ajustar) c.ajustar(o);
                con.drawPrimitive(c.primitiva, &o, &p, &vista);
                return imagen;
            };
            const int antes = contador->fondos;
            EXPECT_TRUE(pintar(estilo) == pintar(*fusion))
                << c.que << (habilitada ? "" : " (inhabilitada)");
            EXPECT_EQ(contador->fondos - antes, c.deFusion) << c.que;
        }
    }
}

}  // namespace
