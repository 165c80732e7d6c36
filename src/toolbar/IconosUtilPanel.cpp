#include "IconosUtilPanel.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace toolbar {

namespace utilpanel {

QString BuscarArchivoEnCarpeta(const QString& carpeta, const QString& nombre) {
    QDir dir(carpeta);
    if (carpeta.isEmpty() || !dir.exists()) return {};
    if (QFileInfo(dir.filePath(nombre)).isFile()) return dir.filePath(nombre);
    const auto archivos = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& a : archivos)
        if (a.compare(nombre, Qt::CaseInsensitive) == 0) return dir.filePath(a);
    return {};
}

std::optional<std::array<QImage, kCantidadBotones>> CortarTira(const QImage& tira) {
    if (tira.isNull() || tira.width() < kCantidadBotones) return std::nullopt;
    const int ancho = tira.width() / kCantidadBotones;
    std::array<QImage, kCantidadBotones> imagenes;
    for (int k = 0; k < kCantidadBotones; ++k)
        imagenes[k] = tira.copy(k * ancho, 0, ancho, tira.height());
    return imagenes;
}

namespace {

// Each drawing works on a 32 x 32 canvas; the painter is scaled to the requested size.

void Hoja(QPainter& p) {
    QPainterPath hoja;
    hoja.moveTo(7, 3);
    hoja.lineTo(20, 3);
    hoja.lineTo(26, 9);
    hoja.lineTo(26, 29);
    hoja.lineTo(7, 29);
    hoja.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 70), 1.5));
    p.setBrush(Qt::white);
    p.drawPath(hoja);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
}

void DibujarNuevo(QPainter& p) {
    Hoja(p);
    p.setPen(QPen(QColor(30, 150, 40), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 13), QPointF(16, 25));
    p.drawLine(QPointF(10, 19), QPointF(22, 19));
}

void DibujarBorrar(QPainter& p) {
    p.setPen(QPen(QColor(200, 30, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(25, 25));
    p.drawLine(QPointF(25, 7), QPointF(7, 25));
}

void DibujarReporte(QPainter& p) {
    p.setPen(QPen(QColor(70, 70, 70), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 19, 14, 10));
    p.drawLine(QPointF(11, 23), QPointF(21, 23));
    p.drawLine(QPointF(11, 26), QPointF(21, 26));
}

void DibujarConsultar(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
    p.setPen(QPen(QColor(40, 80, 160), 3));
    p.setBrush(QColor(210, 230, 250));
    p.drawEllipse(QPointF(13, 13), 9, 9);
}

void DibujarPlanilla(QPainter& p) {
    p.setPen(QPen(QColor(40, 110, 60), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 5, 26, 22));
    p.fillRect(QRectF(3.75, 5.75, 24.5, 5), QColor(120, 190, 130));
    for (double y : {11.0, 16.5, 22.0}) p.drawLine(QPointF(3, y), QPointF(29, y));
    for (double x : {11.5, 20.5}) p.drawLine(QPointF(x, 5), QPointF(x, 27));
}

void DibujarCancelar(QPainter& p) {
    p.setPen(QPen(QColor(220, 120, 0), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 11, 11);
    p.drawLine(QPointF(8.5, 23.5), QPointF(23.5, 8.5));
}

void DibujarGrabar(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 1.5));
    p.setBrush(QColor(50, 90, 170));
    QPainterPath disco;
    disco.moveTo(4, 4);
    disco.lineTo(24, 4);
    disco.lineTo(28, 8);
    disco.lineTo(28, 28);
    disco.lineTo(4, 28);
    disco.closeSubpath();
    p.drawPath(disco);
    p.setBrush(QColor(220, 220, 225));
    p.drawRect(QRectF(9, 4, 13, 8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 17, 16, 11));
}

void DibujarCerrar(QPainter& p) {
    p.setPen(QPen(QColor(90, 60, 30), 1.5));
    p.setBrush(QColor(160, 110, 60));
    p.drawRect(QRectF(5, 3, 14, 26));
    p.setPen(QPen(QColor(180, 30, 30), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(14, 16), QPointF(28, 16));
    p.drawLine(QPointF(23, 11), QPointF(28, 16));
    p.drawLine(QPointF(23, 21), QPointF(28, 16));
}

}  // namespace

void DibujarPictograma(QPainter& p, Comando comando) {
    switch (comando) {
        case Comando::Nuevo:
            DibujarNuevo(p);
            break;
        case Comando::Borrar:
            DibujarBorrar(p);
            break;
        case Comando::Reporte:
            DibujarReporte(p);
            break;
        case Comando::Consultar:
            DibujarConsultar(p);
            break;
        case Comando::Planilla:
            DibujarPlanilla(p);
            break;
        case Comando::Cancelar:
            DibujarCancelar(p);
            break;
        case Comando::Grabar:
            DibujarGrabar(p);
            break;
        case Comando::Cerrar:
            DibujarCerrar(p);
            break;
    }
}

QIcon IconoPropio(Comando comando, int lado) {
    QPixmap lienzo(lado, lado);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 32.0, lado / 32.0);
    DibujarPictograma(p, comando);
    p.end();
    return QIcon(lienzo);
}

}  // namespace utilpanel

}  // namespace toolbar
