// The program's own window icons, drawn on a 32 x 32 canvas and rendered at the sizes a
// window icon is shown in.
#include <QIcon>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include "Apariencia.h"
#include "ErrorEjecucion.h"
#include "Texto.h"

using namespace helperlib;

namespace startup {

namespace {

using Dibujo = void (*)(QPainter&);

// A panel window: blue title bar over a sheet of ledger lines (the suite's default icon).
void Panel(QPainter& p) {
    p.setPen(QPen(QColor(30, 55, 100), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 3.5, 27, 25), 2, 2);
    QLinearGradient titulo(0, 4, 0, 10);
    titulo.setColorAt(0, QColor(90, 140, 220));
    titulo.setColorAt(1, QColor(30, 80, 170));
    p.setBrush(titulo);
    p.drawRect(QRectF(2.5, 3.5, 27, 6));
    p.setPen(QPen(QColor(150, 160, 180), 1));
    for (double y : {14.5, 18.5, 22.5}) p.drawLine(QPointF(6, y), QPointF(26, y));
    p.drawLine(QPointF(17.5, 11), QPointF(17.5, 26));
}

// A ledger book: green cover with the debit and credit columns on its page.
void Libro(QPainter& p) {
    p.setPen(QPen(QColor(20, 80, 40), 1.5));
    p.setBrush(QColor(40, 130, 70));
    p.drawRoundedRect(QRectF(4.5, 2.5, 23, 27), 2, 2);
    p.setBrush(QColor(250, 248, 235));
    p.drawRect(QRectF(8.5, 5.5, 17, 21));
    p.setPen(QPen(QColor(180, 40, 40), 1));
    p.drawLine(QPointF(17, 6), QPointF(17, 26));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (double y : {10.5, 14.5, 18.5, 22.5}) p.drawLine(QPointF(10, y), QPointF(24, y));
}

// A calculator: grey body, display and a grid of keys.
void Calculadora(QPainter& p) {
    p.setPen(QPen(QColor(50, 50, 60), 1.5));
    p.setBrush(QColor(110, 115, 130));
    p.drawRoundedRect(QRectF(5.5, 2.5, 21, 27), 3, 3);
    p.setBrush(QColor(190, 220, 180));
    p.drawRect(QRectF(8.5, 5.5, 15, 6));
    p.setPen(Qt::NoPen);
    for (int fila = 0; fila < 3; ++fila)
        for (int col = 0; col < 3; ++col) {
            p.setBrush(col == 2 && fila == 2 ? QColor(230, 120, 30) : QColor(235, 235, 240));
            p.drawRect(QRectF(8.5 + col * 5.3, 14 + fila * 4.8, 4, 3.6));
        }
}

struct IconoPropio {
    const char* id;
    Dibujo dibujo;
};

constexpr IconoPropio kIconos[] = {
    {"ICONPANEL", Panel}, {"ICONLIBRO", Libro}, {"ICONCALCULADORA", Calculadora}};

const IconoPropio& BuscarIcono(const std::string& identificador) {
    const std::string id = texto::Mayusculas(texto::Recortar(identificador));
    for (const IconoPropio& icono : kIconos)
        if (id == icono.id) return icono;
    throw ErrorEjecucion(errnum::kElementoNoEncontrado,
                         "El programa no tiene un icono \"" + identificador + "\"");
}

QImage Dibujar(const IconoPropio& icono, int lado) {
    QImage lienzo(lado, lado, QImage::Format_ARGB32_Premultiplied);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 32.0, lado / 32.0);
    icono.dibujo(p);
    return lienzo;
}

}  // namespace

QImage DibujoIconoDelPrograma(const std::string& identificador, int lado) {
    return Dibujar(BuscarIcono(identificador), lado);
}

QIcon IconoDelPrograma(const std::string& identificador) {
    const IconoPropio& icono = BuscarIcono(identificador);
    QIcon resultado;
    for (int lado : {16, 32, 48}) resultado.addPixmap(QPixmap::fromImage(Dibujar(icono, lado)));
    return resultado;
}

}  // namespace startup
