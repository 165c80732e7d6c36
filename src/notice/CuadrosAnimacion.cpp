#include "CuadrosAnimacion.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace notice {

namespace {

void DibujarHoja(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(90, 110, 140), 1.0));
    p.setBrush(QColor(250, 250, 242));
    p.drawRect(r);
    // Ruled columns of a journal sheet: debit and credit.
    p.setPen(QPen(QColor(170, 190, 215), 1.0));
    for (double y = r.top() + r.height() / 5; y < r.bottom() - 1; y += r.height() / 5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    p.setPen(QPen(QColor(200, 90, 90), 1.0));
    p.drawLine(QPointF(r.center().x(), r.top() + 2), QPointF(r.center().x(), r.bottom() - 2));
}

}  // namespace

std::vector<QPixmap> DibujarCuadrosAnimacion(QSize tamano, int cuadros) {
    std::vector<QPixmap> lista;
    if (cuadros <= 0 || tamano.isEmpty()) return lista;
    const double lado = std::min(tamano.width(), tamano.height());
    const QPointF centro(tamano.width() / 2.0, tamano.height() / 2.0);
    const double radioAnillo = lado * 0.40;
    const double radioPunto = std::max(1.5, lado * 0.065);
    const double hoja = lado * 0.36;
    for (int cuadro = 0; cuadro < cuadros; ++cuadro) {
        QPixmap imagen(tamano);
        imagen.fill(Qt::transparent);
        QPainter p(&imagen);
        p.setRenderHint(QPainter::Antialiasing);
        DibujarHoja(p, QRectF(centro.x() - hoja / 2, centro.y() - hoja / 2, hoja, hoja));
        p.setPen(Qt::NoPen);
        for (int punto = 0; punto < cuadros; ++punto) {
            // Distance behind the head, 0 for the head itself.
            const int atras = (cuadro - punto + cuadros) % cuadros;
            const double angulo = 2 * std::numbers::pi * punto / cuadros - std::numbers::pi / 2;
            const QPointF c(centro.x() + radioAnillo * std::cos(angulo),
                            centro.y() + radioAnillo * std::sin(angulo));
            const int alfa = std::max(40, 255 - atras * 40);
            p.setBrush(QColor(20, 80, 160, alfa));
            const double r = atras == 0 ? radioPunto * 1.25 : radioPunto;
            p.drawEllipse(c, r, r);
        }
        p.end();
        lista.push_back(imagen);
    }
    return lista;
}

}  // namespace notice
