#include "TirasPropias.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QtEndian>
#include <array>

#include "IconosUtilPanel.h"
#include "Texto.h"

using namespace helperlib;

namespace toolbar {

using utilpanel::Botones;
using utilpanel::Comando;
using utilpanel::kCantidadBotones;

DisenoTira DisenoDeTira(std::string_view archivoTira) {
    const std::string nombre = texto::Mayusculas(archivoTira);
    DisenoTira d;
    if (nombre == "ABM2021B.BMP") {  // glass: pale blue rounded plate
        d.placa = DisenoTira::Placa::Redondeada;
        d.placaArriba = QColor(255, 255, 255);
        d.placaAbajo = QColor(190, 215, 243);
        d.borde = QColor(110, 150, 200);
        d.escala = 0.78;
    } else if (nombre == "ABM2021M.BMP") {  // beige rounded plate with a golden edge
        d.placa = DisenoTira::Placa::Redondeada;
        d.placaArriba = QColor(255, 251, 233);
        d.placaAbajo = QColor(233, 223, 184);
        d.borde = QColor(200, 150, 60);
        d.escala = 0.78;
    } else if (nombre == "ABM2021V.BMP") {  // silver disc with a navy ring
        d.placa = DisenoTira::Placa::Circulo;
        d.placaArriba = QColor(255, 255, 255);
        d.placaAbajo = QColor(212, 217, 230);
        d.borde = QColor(51, 94, 168);
        d.escala = 0.68;
    } else if (nombre == "ABM2021I.BMP") {  // graphite, no plate
        d.grafito = true;
    }
    return d;
}

namespace {

QImage Pictograma(Comando comando, int lado) {
    QImage img(lado, lado, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 32.0, lado / 32.0);
    utilpanel::DibujarPictograma(p, comando);
    p.end();
    return img;
}

// The pictogram in greys (its own lightness, darkened towards graphite), alpha kept.
QImage EnGrafito(const QImage& origen, int claridad) {
    QImage img = origen.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* fila = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int gris = claridad < 0 ? qGray(fila[x]) * 3 / 5 + 20 : claridad;
            fila[x] = qRgba(gris, gris, gris, qAlpha(fila[x]));
        }
    }
    return img;
}

}  // namespace

QImage DibujarImagen(Comando comando, const DisenoTira& diseno, int lado) {
    QImage img(lado, lado, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF caja(1, 1, lado - 2, lado - 2);
    if (diseno.placa != DisenoTira::Placa::Ninguna) {
        QLinearGradient degradado(caja.topLeft(), caja.bottomLeft());
        degradado.setColorAt(0, diseno.placaArriba);
        degradado.setColorAt(1, diseno.placaAbajo);
        p.setBrush(degradado);
        p.setPen(QPen(diseno.borde, lado / 24.0));
        if (diseno.placa == DisenoTira::Placa::Circulo)
            p.drawEllipse(caja);
        else
            p.drawRoundedRect(caja, lado / 6.0, lado / 6.0);
    }
    const int ladoPictograma = qRound(lado * diseno.escala);
    const QPoint origen((lado - ladoPictograma) / 2, (lado - ladoPictograma) / 2);
    const QImage pictograma = Pictograma(comando, ladoPictograma);
    if (diseno.grafito) {
        p.drawImage(origen + QPoint(0, 1), EnGrafito(pictograma, 250));  // emboss
        p.drawImage(origen, EnGrafito(pictograma, -1));
    } else {
        p.drawImage(origen, pictograma);
    }
    p.end();
    return img;
}

QImage DibujarTira(const DisenoTira& diseno, int lado) {
    QImage tira(lado * kCantidadBotones, lado, QImage::Format_ARGB32_Premultiplied);
    tira.fill(Qt::transparent);
    QPainter p(&tira);
    for (int k = 0; k < kCantidadBotones; ++k)
        p.drawImage(k * lado, 0, DibujarImagen(Botones()[k].comando, diseno, lado));
    p.end();
    return tira;
}

bool GuardarBmpConAlfa(const QImage& imagen, const QString& ruta) {
    const QImage img = imagen.convertToFormat(QImage::Format_ARGB32);
    const quint32 anchoFila = static_cast<quint32>(img.width()) * 4;
    const quint32 datos = anchoFila * static_cast<quint32>(img.height());
    constexpr quint32 kCabeceraArchivo = 14, kCabeceraV4 = 108;
    QByteArray b(kCabeceraArchivo + kCabeceraV4, '\0');
    auto u16 = [&b](int pos, quint16 v) { qToLittleEndian(v, b.data() + pos); };
    auto u32 = [&b](int pos, quint32 v) { qToLittleEndian(v, b.data() + pos); };
    b[0] = 'B';
    b[1] = 'M';
    u32(2, kCabeceraArchivo + kCabeceraV4 + datos);
    u32(10, kCabeceraArchivo + kCabeceraV4);
    u32(14, kCabeceraV4);
    u32(18, static_cast<quint32>(img.width()));
    u32(22, static_cast<quint32>(img.height()));  // positive: rows stored bottom-up
    u16(26, 1);                                   // planes
    u16(28, 32);                                  // bits per pixel
    u32(30, 3);                                   // BI_BITFIELDS
    u32(34, datos);
    u32(38, 2835);  // 72 dpi
    u32(42, 2835);
    u32(54, 0x00FF0000);  // red, green, blue and alpha masks
    u32(58, 0x0000FF00);
    u32(62, 0x000000FF);
    u32(66, 0xFF000000);
    u32(70, 0x73524742);  // colour space "sRGB"
    b.reserve(static_cast<qsizetype>(b.size() + datos));
    for (int y = img.height() - 1; y >= 0; --y) {
        const auto* fila = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            std::array<char, 4> px;
            qToLittleEndian(static_cast<quint32>(fila[x]), px.data());  // B, G, R, A
            b.append(px.data(), 4);
        }
    }
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const bool escrito = f.write(b) == b.size();
    f.close();
    return escrito && f.error() == QFileDevice::NoError;
}

}  // namespace toolbar
