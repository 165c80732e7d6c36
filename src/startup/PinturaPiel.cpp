#include "PinturaPiel.h"

#include <QBrush>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <cmath>
#include <optional>

#include "ArchivoIni.h"
#include "ErrorEjecucion.h"

using namespace helperlib;

namespace startup {

namespace {

constexpr int kMayorRadio = 20;
constexpr int kMayorGrosor = 8;

std::optional<QColor> Color(const QString& texto) {
    const QColor c = QColor::fromString(texto.trimmed());
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<int> Entero(const QString& texto, int mayor) {
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    if (!ok || n < 0 || n > mayor) return std::nullopt;
    return n;
}

/// "#c" for one colour, or "#c1 p1, #c2 p2, ..." with places from 0 to 1 that never go back.
std::optional<Relleno> DeRelleno(const QString& texto) {
    const QStringList partes = texto.split(u',');
    Relleno r;
    if (partes.size() == 1 && !texto.trimmed().contains(u' ')) {
        const auto c = Color(texto);
        if (!c) return std::nullopt;
        r.paradas = {{0.0, *c}, {1.0, *c}};
        return r;
    }
    for (const QString& parte : partes) {
        const QStringList dos = parte.simplified().split(u' ');
        if (dos.size() != 2) return std::nullopt;
        const auto c = Color(dos[0]);
        bool ok = false;
        const double lugar = dos[1].toDouble(&ok);
        if (!c || !ok || lugar < 0.0 || lugar > 1.0) return std::nullopt;
        if (!r.paradas.isEmpty() && lugar < r.paradas.back().first) return std::nullopt;
        r.paradas.append({lugar, *c});
    }
    return r;
}

/// "#c" (one pixel) or "#c n".
std::optional<Linea> DeLinea(const QString& texto) {
    const QStringList partes = texto.simplified().split(u' ');
    if (partes.size() > 2) return std::nullopt;
    const auto c = Color(partes[0]);
    const auto grosor = partes.size() == 2 ? Entero(partes[1], kMayorGrosor) : std::optional(1);
    if (!c || !grosor) return std::nullopt;
    return Linea{*c, *grosor};
}

/// Reads the description's keys, each only when present, into the look.
class Lector {
  public:
    Lector(const IniLeido& ini, const std::string& descripcion)
        : ini_(ini), descripcion_(descripcion) {}

    void LeerColor(const char* seccion, const char* clave, QColor& destino) const {
        Leer(seccion, clave, destino, Color);
    }
    void LeerRadio(const char* seccion, int& destino) const {
        Leer(seccion, "Radio", destino, [](const QString& t) { return Entero(t, kMayorRadio); });
    }
    void LeerRelleno(const char* seccion, const char* clave, Relleno& destino) const {
        Leer(seccion, clave, destino, DeRelleno);
    }
    void LeerLinea(const char* seccion, const char* clave, Linea& destino) const {
        Leer(seccion, clave, destino, DeLinea);
    }

  private:
    template <class T, class Convertir>
    void Leer(const char* seccion, const char* clave, T& destino, Convertir convertir) const {
        const std::string valor = ini_.Valor(seccion, clave, "");
        if (valor.empty()) return;
        const auto leido = convertir(QString::fromStdString(valor));
        if (!leido)
            throw ErrorEjecucion(errnum::kArgumentoInvalido,
                                 "La apariencia \"" + descripcion_ + "\" da a [" + seccion + "] " +
                                     clave + " el valor no válido \"" + valor + "\"");
        destino = *leido;
    }

    const IniLeido& ini_;
    const std::string& descripcion_;
};

void Rayar(QPainter& p, const QRect& r, const Linea& linea) {
    if (!linea.Vacia()) p.fillRect(r, linea.color);
}

}  // namespace

QBrush Relleno::Pincel(const QRect& r) const {
    if (paradas.size() == 2 && paradas.front().second == paradas.back().second)
        return QBrush(paradas.front().second);
    QLinearGradient degradado(r.topLeft(), r.bottomLeft());
    degradado.setStops(paradas);
    return QBrush(degradado);
}

PinturaPiel LeerPintura(const IniLeido& ini, const std::string& descripcion) {
    const Lector l(ini, descripcion);
    PinturaPiel a;
    l.LeerRelleno("Barra", "Fondo", a.barraFondo);
    l.LeerLinea("Barra", "Linea", a.barraLinea);

    l.LeerColor("Botones", "Texto", a.botonTexto);
    l.LeerColor("Botones", "TextoInactivo", a.botonTextoInactivo);
    l.LeerRadio("Botones", a.botonRadio);
    l.LeerColor("Botones", "Borde", a.botonBorde);
    l.LeerRelleno("Botones", "Fondo", a.botonFondo);
    l.LeerColor("Botones", "BordeEncima", a.botonBordeEncima);
    l.LeerRelleno("Botones", "FondoEncima", a.botonFondoEncima);
    l.LeerRelleno("Botones", "FondoPulsado", a.botonFondoPulsado);

    l.LeerColor("Marcos", "Borde", a.marcoBorde);
    l.LeerRadio("Marcos", a.marcoRadio);
    l.LeerRelleno("Marcos", "Fondo", a.marcoFondo);

    l.LeerColor("Encabezados", "Texto", a.encabezadoTexto);
    l.LeerRelleno("Encabezados", "Fondo", a.encabezadoFondo);
    l.LeerLinea("Encabezados", "LineaDerecha", a.encabezadoDerecha);
    l.LeerLinea("Encabezados", "LineaInferior", a.encabezadoInferior);
    l.LeerColor("Encabezados", "LineaEncima", a.encabezadoEncima);

    l.LeerColor("Grilla", "Lineas", a.grillaLineas);
    return a;
}

void TrazarRedondeado(QPainter& p, const QRect& caja, qreal radio) {
    const QRectF linea = QRectF(caja).adjusted(0.5, 0.5, -0.5, -0.5);
    // A corner's square: its arc and the pixels where it meets a run.
    const int lado = static_cast<int>(std::ceil(radio)) + 1;
    // The runs are whole pixels of the pen's one colour only for such a pen on a painter that
    // moves by whole pixels and does not scale.
    const QTransform t = p.deviceTransform();
    const QPen& pluma = p.pen();
    const bool porPartes = radio > 0 && caja.width() > 2 * lado && caja.height() > 2 * lado &&
                           t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
                           t.dy() == std::floor(t.dy()) && pluma.style() == Qt::SolidLine &&
                           pluma.brush().style() == Qt::SolidPattern && pluma.widthF() <= 1;
    if (!porPartes) {
        p.drawRoundedRect(linea, radio, radio);
        return;
    }
    const int l = caja.left(), arriba = caja.top(), r = caja.right(), b = caja.bottom();
    // Each corner's square reaches one pixel beyond the box: the antialiased end of an arc of
    // a fractional radius touches it.
    const int e = lado + 1;
    for (const QRect& esquina :
         {QRect(l - 1, arriba - 1, e, e), QRect(r - lado + 1, arriba - 1, e, e),
          QRect(l - 1, b - lado + 1, e, e), QRect(r - lado + 1, b - lado + 1, e, e)}) {
        p.save();
        p.setClipRect(esquina, Qt::IntersectClip);
        p.drawRoundedRect(linea, radio, radio);
        p.restore();
    }
    const QColor color = pluma.color();
    p.fillRect(QRect(l + lado, arriba, caja.width() - 2 * lado, 1), color);
    p.fillRect(QRect(l + lado, b, caja.width() - 2 * lado, 1), color);
    p.fillRect(QRect(l, arriba + lado, 1, caja.height() - 2 * lado), color);
    p.fillRect(QRect(r, arriba + lado, 1, caja.height() - 2 * lado), color);
}

void PintarMarco(QPainter& p, const QRect& r, int radio, const QColor& borde,
                 const Relleno& fondo) {
    if (r.isEmpty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, radio > 0);
    // The one-pixel line runs through the middle of the edge pixels.
    const QRectF marco = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    if (radio > 0) {
        // Filled, then stroked, as one rounded rectangle with both would be.
        p.setPen(Qt::NoPen);
        if (!fondo.Vacio()) {
            p.setBrush(fondo.Pincel(r));
            p.drawRoundedRect(marco, radio, radio);
        }
        if (borde.isValid()) {
            p.setPen(QPen(borde, 1));
            p.setBrush(Qt::NoBrush);
            TrazarRedondeado(p, r, radio);
        }
    } else {
        p.setPen(borde.isValid() ? QPen(borde, 1) : QPen(Qt::NoPen));
        p.setBrush(fondo.Vacio() ? QBrush(Qt::NoBrush) : fondo.Pincel(r));
        p.drawRect(marco);
    }
    p.restore();
}

bool PintarBarra(QPainter& p, const QRect& r, const PinturaPiel& a) {
    if (a.barraFondo.Vacio() && a.barraLinea.Vacia()) return false;
    if (!a.barraFondo.Vacio()) p.fillRect(r, a.barraFondo.Pincel(r));
    const int g = a.barraLinea.grosor;
    Rayar(p, QRect(r.left(), r.bottom() - g + 1, r.width(), g), a.barraLinea);
    return true;
}

bool PintarBotonDeBarra(QPainter& p, const QStyleOption& opcion, bool levantado,
                        const PinturaPiel& a) {
    QColor borde;
    const Relleno* fondo = nullptr;
    if (levantado) {
        borde = a.botonBorde;
        if (!a.botonFondo.Vacio()) fondo = &a.botonFondo;
    }
    if ((opcion.state & QStyle::State_MouseOver) && (opcion.state & QStyle::State_Enabled)) {
        if (a.botonBordeEncima.isValid()) borde = a.botonBordeEncima;
        if (!a.botonFondoEncima.Vacio()) fondo = &a.botonFondoEncima;
    }
    if ((opcion.state & (QStyle::State_Sunken | QStyle::State_On)) && !a.botonFondoPulsado.Vacio())
        fondo = &a.botonFondoPulsado;
    if (!borde.isValid() && !fondo) return false;
    PintarMarco(p, opcion.rect, a.botonRadio, borde, fondo ? *fondo : Relleno{});
    return true;
}

void PintarSeccion(QPainter& p, const QStyleOption& opcion, bool deFila, const PinturaPiel& a) {
    const QRect& r = opcion.rect;
    if (!a.encabezadoFondo.Vacio()) p.fillRect(r, a.encabezadoFondo.Pincel(r));
    const Linea& derecha = a.encabezadoDerecha;
    Linea inferior = a.encabezadoInferior;
    if (deFila) inferior.grosor = std::min(inferior.grosor, 1);
    if ((opcion.state & QStyle::State_MouseOver) && a.encabezadoEncima.isValid())
        inferior.color = a.encabezadoEncima;
    Rayar(p, QRect(r.right() - derecha.grosor + 1, r.top(), derecha.grosor, r.height()), derecha);
    Rayar(p, QRect(r.left(), r.bottom() - inferior.grosor + 1, r.width(), inferior.grosor),
          inferior);
}

}  // namespace startup
