#include "EstiloPrograma.h"

#include <QApplication>
#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace startup {

namespace {

/// Bytes of pictures kept: a few hundred bars of a list's or a grid's size.
constexpr int kBytesGuardados = 4 * 1024 * 1024;

/// Everything of the option a bar's look depends on, as one key.
QByteArray Clave(const QStyleOptionSlider& b) {
    const qint64 valores[] = {b.rect.width(),
                              b.rect.height(),
                              static_cast<qint64>(b.state),
                              static_cast<qint64>(b.direction),
                              b.palette.cacheKey(),
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
    return QByteArray(reinterpret_cast<const char*>(valores), sizeof valores);
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

}  // namespace

EstiloPrograma::EstiloPrograma(QStyle* base) : QProxyStyle(base), barras_(kBytesGuardados) {}

void EstiloPrograma::drawComplexControl(ComplexControl control, const QStyleOptionComplex* opcion,
                                        QPainter* pintor, const QWidget* widget) const {
    if (control == CC_ScrollBar && pintor)
        if (const auto* barra = qstyleoption_cast<const QStyleOptionSlider*>(opcion))
            if (PintarGuardada(*barra, *pintor, widget)) return;
    QProxyStyle::drawComplexControl(control, opcion, pintor, widget);
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

bool UsarEstilo(const QString& nombre) {
    if (qobject_cast<const EstiloPrograma*>(QApplication::style()) &&
        NombreDelEstilo(*QApplication::style()).compare(nombre, Qt::CaseInsensitive) == 0)
        return true;
    QStyle* base = QStyleFactory::create(nombre);
    if (!base) return false;
    QApplication::setStyle(new EstiloPrograma(base));
    return true;
}

void PrepararAplicacion() {
    QApplication::setStyle(new EstiloPrograma);
    QFont letra = QApplication::font();
    letra.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(letra);
}

}  // namespace startup
