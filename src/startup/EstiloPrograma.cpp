#include "EstiloPrograma.h"

#include <QApplication>
#include <QFont>
#include <QHeaderView>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionHeader>
#include <QStyleOptionSlider>
#include <QStyleOptionToolButton>
#include <QStyleOptionViewItem>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace startup {

namespace {

/// Bytes of pictures kept: a few hundred bars of a list's or a grid's size.
constexpr int kBytesGuardados = 4 * 1024 * 1024;

/// The palette as a bar's look takes it: the current group and every brush of every group,
/// by its colour where the brush is a plain colour. Not the palette's cache key: a palette
/// set on the application reaches each widget as a copy resolved for it, with a key of its own,
/// and the bars of every new window would never find their pictures.
void AnadirPaleta(std::vector<qint64>& valores, const QPalette& paleta) {
    valores.push_back(paleta.currentColorGroup());
    for (const auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int rol = 0; rol < QPalette::NColorRoles; ++rol) {
            const QBrush& b = paleta.brush(grupo, static_cast<QPalette::ColorRole>(rol));
            if (b.style() == Qt::NoBrush) {
                valores.push_back(-1);
            } else if (b.style() == Qt::SolidPattern) {
                valores.push_back(static_cast<qint64>(b.color().rgba64()));
            } else {
                valores.push_back(-2);  // a gradient or picture: this palette's own copy only
                valores.push_back(paleta.cacheKey());
                return;
            }
        }
}

/// Everything of the option a bar's look depends on, as one key.
QByteArray Clave(const QStyleOptionSlider& b) {
    std::vector<qint64> valores = {b.rect.width(),
                                   b.rect.height(),
                                   static_cast<qint64>(b.state),
                                   static_cast<qint64>(b.direction),
                                   static_cast<qint64>(b.subControls),
                                   static_cast<qint64>(b.activeSubControls),
                                   static_cast<qint64>(b.orientation),
                                   b.minimum,
                                   b.maximum,
                                   b.sliderPosition,
                                   b.sliderValue,
                                   b.singleStep,
                                   b.pageStep,
                                   b.upsideDown ? 1 : 0};
    AnadirPaleta(valores, b.palette);
    return QByteArray(reinterpret_cast<const char*>(valores.data()),
                      static_cast<qsizetype>(valores.size() * sizeof(qint64)));
}

bool Opaca(const QImage& imagen) {
    for (int y = 0; y < imagen.height(); ++y) {
        const auto* fila = reinterpret_cast<const QRgb*>(imagen.constScanLine(y));
        if (!std::all_of(fila, fila + imagen.width(), [](QRgb p) { return qAlpha(p) == 255; }))
            return false;
    }
    return true;
}

/// A block of pixels put on this painter lands as painting in place would leave it: plain
/// drawing over, whole device pixels, nothing making it lighter.
bool PintorDeBloques(const QPainter& p) {
    const QTransform t = p.deviceTransform();
    return p.device() && p.device()->devicePixelRatio() == 1.0 &&
           t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy()) && p.opacity() == 1.0 &&
           p.compositionMode() == QPainter::CompositionMode_SourceOver;
}

/// A button on the command bar.
const QToolButton* BotonDeBarra(const QWidget* widget) {
    const auto* boton = qobject_cast<const QToolButton*>(widget);
    return boton && boton->parentWidget() &&
                   boton->parentWidget()->objectName() == QLatin1String(kBarraDeComandos)
               ? boton
               : nullptr;
}

/// `paleta` with `rol` in `color` for an enabled widget and `inactivo` for a disabled one.
void Colorear(QPalette& paleta, QPalette::ColorRole rol, const QColor& color,
              const QColor& inactivo) {
    if (color.isValid()) {
        paleta.setColor(QPalette::Active, rol, color);
        paleta.setColor(QPalette::Inactive, rol, color);
    }
    if (inactivo.isValid()) paleta.setColor(QPalette::Disabled, rol, inactivo);
}

}  // namespace

EstiloPrograma::EstiloPrograma(QStyle* base, PinturaPiel pintura, std::optional<QPalette> paleta)
    : QProxyStyle(base),
      barras_(kBytesGuardados),
      pintura_(std::move(pintura)),
      paleta_(std::move(paleta)) {}

void EstiloPrograma::drawPrimitive(PrimitiveElement elemento, const QStyleOption* opcion,
                                   QPainter* pintor, const QWidget* widget) const {
    if (pintor && opcion) {
        const PinturaPiel& a = pintura_;
        switch (elemento) {
            case PE_PanelToolBar:
                if (PintarBarra(*pintor, opcion->rect, a)) return;
                break;
            case PE_PanelButtonTool:
                if (const QToolButton* boton = BotonDeBarra(widget))
                    if (PintarBotonDeBarra(*pintor, *opcion, !boton->autoRaise(), a)) return;
                break;
            case PE_Frame:
                if (PintarMarcoLiso(*opcion, *pintor, widget)) return;
                break;
            case PE_FrameLineEdit:
                if (PintarMarcoDeTexto(*opcion, *pintor)) return;
                break;
            case PE_PanelItemViewItem:
            case PE_PanelItemViewRow:
                if (FondoVacio(elemento, *opcion)) return;
                break;
            case PE_FrameGroupBox:
                if (a.marcoBorde.isValid() || !a.marcoFondo.Vacio()) {
                    PintarMarco(*pintor, opcion->rect, a.marcoRadio, a.marcoBorde, a.marcoFondo);
                    return;
                }
                break;
            default:
                break;
        }
    }
    QProxyStyle::drawPrimitive(elemento, opcion, pintor, widget);
}

bool EstiloPrograma::PintarMarcoLiso(const QStyleOption& opcion, QPainter& pintor,
                                     const QWidget* widget) const {
    // Fusion strokes this frame as a path, which runs the stroker and the rasterizer down the
    // frame's whole height (a quarter of a million instructions for a list's frame); its pixels
    // are a one-pixel line just inside the rectangle, in the window's colour darkened so.
    const QRect& r = opcion.rect;
    if (!SobreFusion() || opcion.palette.window().style() != Qt::SolidPattern ||
        !PintorDeBloques(pintor) || pintor.testRenderHint(QPainter::Antialiasing) ||
        r.width() < 2 || r.height() < 2 ||
        (widget && widget->inherits("QComboBoxPrivateContainer")))
        return false;
    const QColor color = opcion.palette.window().color().darker(140).lighter(108);
    pintor.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    pintor.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    pintor.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), color);
    pintor.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), color);
    return true;
}

bool EstiloPrograma::SobreFusion() const {
    // Asked for every row, cell and frame painted: the answer is kept for the base style it
    // was given for.
    const QStyle* base = baseStyle();
    if (base != baseVista_) {
        sobreFusion_ =
            NombreDelEstilo(*this).compare(QLatin1String("Fusion"), Qt::CaseInsensitive) == 0;
        baseVista_ = base;
    }
    return sobreFusion_;
}

bool EstiloPrograma::FondoVacio(PrimitiveElement elemento, const QStyleOption& opcion) const {
    // A list's row or cell that is neither selected, nor alternate, nor given a background
    // has nothing painted under it by Fusion (it leaves both to Qt's common style, which paints
    // only those three); Fusion first works out its frame colours for any element, some five
    // thousand instructions, once for every row and every cell of a list.
    if (!SobreFusion()) return false;
    const auto* v = qstyleoption_cast<const QStyleOptionViewItem*>(&opcion);
    if (!v || (v->state & State_Selected)) return false;
    if (elemento == PE_PanelItemViewRow) return !(v->features & QStyleOptionViewItem::Alternate);
    return v->backgroundBrush.style() == Qt::NoBrush;
}

bool EstiloPrograma::PintarMarcoDeTexto(const QStyleOption& opcion, QPainter& pintor) const {
    // A text box's frame: Fusion strokes its rounded outlines one pixel at a time; the same
    // outlines are drawn here with their straight runs filled at once, in Fusion's colours: the
    // window's darkened, or for the box with the focus the highlight's darkened (never lighter
    // than a value of 160) with a faint copy of it just inside; and Fusion's shadow under the
    // top edge as the line of pixels it is.
    const QRect& r = opcion.rect;
    if (!SobreFusion() || opcion.palette.window().style() != Qt::SolidPattern ||
        !PintorDeBloques(pintor) || r.width() < 8 || r.height() < 8)
        return false;
    const bool foco = opcion.state & State_HasFocus;
    QColor borde = opcion.palette.window().color().darker(140);
    if (foco) {
        borde = opcion.palette.color(QPalette::Highlight).darker(125);
        if (borde.value() > 160) borde.setHsl(borde.hue(), borde.saturation(), 160);
    }
    pintor.save();
    pintor.setRenderHint(QPainter::Antialiasing, true);
    pintor.setBrush(Qt::NoBrush);
    pintor.setPen(QPen(borde, 1));
    TrazarRedondeado(pintor, r, 2);
    if (foco) {
        borde.setAlpha(40);
        pintor.setPen(QPen(borde, 1));
        TrazarRedondeado(pintor, r.adjusted(1, 1, -1, -1), 1.7);
    }
    pintor.fillRect(QRect(r.left() + 2, r.top() + 1, r.width() - 4, 1), QColor(0, 0, 0, 18));
    pintor.restore();
    return true;
}

void EstiloPrograma::drawControl(ControlElement elemento, const QStyleOption* opcion,
                                 QPainter* pintor, const QWidget* widget) const {
    const PinturaPiel& a = pintura_;
    if (elemento == CE_HeaderSection && pintor && opcion &&
        (!a.encabezadoFondo.Vacio() || !a.encabezadoDerecha.Vacia() ||
         !a.encabezadoInferior.Vacia())) {
        if (a.encabezadoFondo.Vacio()) QProxyStyle::drawControl(elemento, opcion, pintor, widget);
        const auto* h = qstyleoption_cast<const QStyleOptionHeader*>(opcion);
        PintarSeccion(*pintor, *opcion, h && h->orientation == Qt::Vertical, a);
        return;
    }
    if (elemento == CE_HeaderLabel && a.encabezadoTexto.isValid())
        if (const auto* h = qstyleoption_cast<const QStyleOptionHeader*>(opcion)) {
            QStyleOptionHeader rotulo = *h;
            Colorear(rotulo.palette, QPalette::ButtonText, a.encabezadoTexto, {});
            Colorear(rotulo.palette, QPalette::WindowText, a.encabezadoTexto, {});
            QProxyStyle::drawControl(elemento, &rotulo, pintor, widget);
            return;
        }
    QProxyStyle::drawControl(elemento, opcion, pintor, widget);
}

void EstiloPrograma::drawComplexControl(ComplexControl control, const QStyleOptionComplex* opcion,
                                        QPainter* pintor, const QWidget* widget) const {
    if (control == CC_ScrollBar && pintor)
        if (const auto* barra = qstyleoption_cast<const QStyleOptionSlider*>(opcion))
            if (PintarGuardada(*barra, *pintor, widget)) return;
    if (control == CC_ToolButton && BotonDeBarra(widget) &&
        (pintura_.botonTexto.isValid() || pintura_.botonTextoInactivo.isValid()))
        if (const auto* b = qstyleoption_cast<const QStyleOptionToolButton*>(opcion)) {
            QStyleOptionToolButton boton = *b;
            for (const auto rol : {QPalette::ButtonText, QPalette::WindowText})
                Colorear(boton.palette, rol, pintura_.botonTexto, pintura_.botonTextoInactivo);
            QProxyStyle::drawComplexControl(control, &boton, pintor, widget);
            return;
        }
    QProxyStyle::drawComplexControl(control, opcion, pintor, widget);
}

int EstiloPrograma::styleHint(StyleHint pista, const QStyleOption* opcion, const QWidget* widget,
                              QStyleHintReturn* devuelto) const {
    if (pista == SH_Table_GridLineColor && pintura_.grillaLineas.isValid())
        return static_cast<int>(pintura_.grillaLineas.rgba());
    return QProxyStyle::styleHint(pista, opcion, widget, devuelto);
}

void EstiloPrograma::polish(QPalette& paleta) {
    QProxyStyle::polish(paleta);
    if (paleta_) paleta = *paleta_;
}

void EstiloPrograma::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    // A heading under the pointer shows the skin's line: the header must hear of the pointer.
    if (pintura_.encabezadoEncima.isValid() && qobject_cast<QHeaderView*>(widget))
        widget->setAttribute(Qt::WA_Hover);
}

bool EstiloPrograma::PintarGuardada(const QStyleOptionSlider& barra, QPainter& pintor,
                                    const QWidget* widget) const {
    const QRect r = barra.rect;
    // Only a widget painting itself as a bar, whose edges keep in whatever a style draws past
    // the bar's (and without a sheet of its own, whose rules the key does not hold).
    if (!widget || pintor.device() != widget || widget->rect() != r || r.isEmpty() ||
        !widget->styleSheet().isEmpty() || !PintorDeBloques(pintor))
        return false;
    const QByteArray clave = Clave(barra);
    if (const QImage* guardada = barras_.object(clave)) {
        if (guardada->isNull()) return false;
        pintor.drawImage(r.topLeft(), *guardada);
        return true;
    }
    // Painted as in place, from the painter's own drawing state, onto a clear picture.
    QImage imagen(r.size(), QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    {
        QPainter p(&imagen);
        p.setRenderHints(pintor.renderHints());
        p.setFont(pintor.font());
        p.setPen(pintor.pen());
        p.setBrush(pintor.brush());
        p.setBackground(pintor.background());
        p.setBackgroundMode(pintor.backgroundMode());
        p.setLayoutDirection(pintor.layoutDirection());
        p.translate(-r.topLeft());
        p.setBrushOrigin(pintor.brushOrigin());
        QProxyStyle::drawComplexControl(CC_ScrollBar, &barra, &p, widget);
    }
    // Only where every pixel is the bar's own, opaque, does the picture put over the painter
    // give what painting in place gives, whatever was under it.
    if (!Opaca(imagen)) {
        barras_.insert(clave, new QImage, 1);
        return false;
    }
    // Without an alpha channel the picture is copied onto the painter, not blended.
    auto* guardada = new QImage(imagen.convertToFormat(QImage::Format_RGB32));
    pintor.drawImage(r.topLeft(), *guardada);
    barras_.insert(clave, guardada, static_cast<int>(guardada->sizeInBytes()));
    return true;
}

QString NombreDelEstilo(const QStyle& estilo) {
    const QStyle* e = &estilo;
    while (const auto* sobre = qobject_cast<const QProxyStyle*>(e)) e = sobre->baseStyle();
    return e->name();
}

bool UsarEstilo(const QString& nombre, const PinturaPiel& pintura,
                const std::optional<QPalette>& paleta) {
    const auto* actual = qobject_cast<const EstiloPrograma*>(QApplication::style());
    if (actual && actual->Pintura() == pintura && actual->Paleta() == paleta &&
        NombreDelEstilo(*actual).compare(nombre, Qt::CaseInsensitive) == 0)
        return true;
    QStyle* base = QStyleFactory::create(nombre);
    if (!base) return false;
    QApplication::setStyle(new EstiloPrograma(base, pintura, paleta));
    return true;
}

void PrepararAplicacion() {
    QApplication::setStyle(new EstiloPrograma);
    QFont letra = QApplication::font();
    letra.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(letra);
}

}  // namespace startup
