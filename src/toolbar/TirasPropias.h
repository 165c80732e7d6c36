#pragma once
// The program's own icon strips, one per appearance style, drawn from the toolbar's
// pictograms: eight images side by side in strip order (Nuevo, Borrar, Reporte, Consultar,
// Planilla, Cancelar, Grabar, Cerrar). They are written as 32-bit bitmaps with an alpha
// channel, so the icons keep soft edges over any toolbar background.
#include <QColor>
#include <QImage>
#include <QString>
#include <string_view>

#include "EstadoUtilPanel.h"

namespace toolbar {

/// How a strip draws each pictogram.
struct DisenoTira {
    enum class Placa { Ninguna, Redondeada, Circulo };
    Placa placa = Placa::Ninguna;           ///< plate drawn behind the pictogram
    QColor placaArriba, placaAbajo, borde;  ///< plate gradient (top, bottom) and its border
    double escala = 1.0;                    ///< pictogram size relative to the image
    bool grafito = false;                   ///< pictogram in greys with a light emboss below it
};

/// The design of the strip file `archivoTira` ("ABM2021B.bmp", "ABM2021M.bmp",
/// "ABM2021V.bmp", "ABM2021i.bmp"; any other name gets the plain full-colour set of
/// "ABM2021.bmp"). Letter case is ignored.
DisenoTira DisenoDeTira(std::string_view archivoTira);

/// One image of `lado` x `lado` pixels: `comando`'s pictogram drawn in `diseno`.
QImage DibujarImagen(utilpanel::Comando comando, const DisenoTira& diseno, int lado);

/// The whole strip: eight images of `lado` pixels in strip order.
QImage DibujarTira(const DisenoTira& diseno, int lado = 32);

/// Writes `imagen` as a 32-bit bitmap with alpha (BITMAPV4HEADER, bit-field masks), the form
/// image readers that know alpha bitmaps take with its transparency. False when the file
/// cannot be written.
bool GuardarBmpConAlfa(const QImage& imagen, const QString& ruta);

}  // namespace toolbar
