#pragma once
// What a skin paints over its Qt style besides the palette: the command bar and its buttons,
// the group boxes' frames, the column and row headings and the tables' grid lines. The
// program's style (EstiloPrograma.h) paints with it; a part the skin leaves unsaid is painted as
// the Qt style paints it.
//
// In the skin's description (see Apariencia.h), colours are "#rrggbb" or "#aarrggbb"; a fill is
// a colour, or a top-to-bottom gradient as colours each followed by its place from 0 to 1
// ("#ffffff 0, #dde8f5 1"); a line is a colour and, optionally, its thickness in pixels:
//
//   [Barra]             ; the command bar
//   Fondo=#fdfeff 0, #c9dbf0 1
//   Linea=#a9bfd6 1     ; along its bottom edge
//   [Botones]           ; the command bar's buttons
//   Texto=#1e2b3c
//   TextoInactivo=#8d9aa9
//   Radio=3             ; corner radius of their frame
//   Borde=#8aa0bd       ; frame and fill of a raised (not flat) button
//   Fondo=#ffffff 0, #dbe6f4 1
//   BordeEncima=#3c7fb1 ; under the pointer
//   FondoEncima=#eaf6fd 0, #a7d9f5 1
//   FondoPulsado=#8ccaf0
//   [Marcos]            ; group boxes
//   Borde=#a9bfd6
//   Radio=5
//   Fondo=#f7fafd
//   [Encabezados]       ; column and row headings of tables and lists
//   Texto=#1e2b3c
//   Fondo=#ffffff 0, #dde8f5 1
//   LineaDerecha=#c5d5e8
//   LineaInferior=#a9bfd6 1   ; row headings draw it one pixel thick
//   LineaEncima=#f9b119       ; the bottom line of the heading under the pointer
//   [Grilla]
//   Lineas=#d3deeb
#include <QColor>
#include <QGradient>
#include <QRect>
#include <string>

class QBrush;
class QPainter;
class QStyleOption;

namespace helperlib {
class IniLeido;
}

namespace startup {

/// A fill: one colour, or a top-to-bottom gradient; none when it has no stops.
struct Relleno {
    QGradientStops paradas;

    bool Vacio() const { return paradas.isEmpty(); }
    /// The brush that fills `r` with it.
    QBrush Pincel(const QRect& r) const;
    bool operator==(const Relleno&) const = default;
};

/// A straight line of a colour and a thickness; none when not valid or 0 thick.
struct Linea {
    QColor color;
    int grosor = 0;

    bool Vacia() const { return !color.isValid() || grosor <= 0; }
    bool operator==(const Linea&) const = default;
};

struct PinturaPiel {
    Relleno barraFondo;
    Linea barraLinea;

    QColor botonTexto;
    QColor botonTextoInactivo;
    int botonRadio = 0;
    QColor botonBorde;
    Relleno botonFondo;
    QColor botonBordeEncima;
    Relleno botonFondoEncima;
    Relleno botonFondoPulsado;

    QColor marcoBorde;
    int marcoRadio = 0;
    Relleno marcoFondo;

    QColor encabezadoTexto;
    Relleno encabezadoFondo;
    Linea encabezadoDerecha;
    Linea encabezadoInferior;
    QColor encabezadoEncima;

    QColor grillaLineas;

    bool operator==(const PinturaPiel&) const = default;
};

/// The look described in `ini`, the description read from the file `descripcion`. Throws
/// ErrorEjecucion(5) for a value that is not a colour, fill, line or radius as above; the
/// message names the file, the section, the key and the value.
PinturaPiel LeerPintura(const helperlib::IniLeido& ini, const std::string& descripcion);

/// Strokes the outline of a rectangle of `radio` rounded corners through the edge pixels of
/// `caja`, with the painter's pen (one pixel wide, or cosmetic), exactly as
/// `p.drawRoundedRect(QRectF(caja).adjusted(0.5, 0.5, -0.5, -0.5), radio, radio)` strokes it
/// without a brush. That stroke walks and blends the outline pixel by pixel (about a quarter
/// of a million instructions for a line edit's frame, three times that for a group box); here
/// only the four corners are drawn so, each clipped to its square, and the straight runs
/// between them are filled at once.
void TrazarRedondeado(QPainter& p, const QRect& caja, qreal radio);

/// Paints a frame of `radio` rounded corners just inside `r`: filled with `fondo` (when it
/// has one) and drawn with a one-pixel `borde` (when valid).
void PintarMarco(QPainter& p, const QRect& r, int radio, const QColor& borde, const Relleno& fondo);

/// The command bar's surface over `r`: its fill and the line along its bottom edge. False,
/// with nothing painted, when the look has neither.
bool PintarBarra(QPainter& p, const QRect& r, const PinturaPiel& a);

/// The frame of a command bar button in the state `opcion` holds, `levantado` for a raised
/// (not flat) button, as the skin's rules stack: a raised button's frame, over it the one under
/// the pointer, and a pressed button's fill over both. False, with nothing painted, when the
/// look has none for that state.
bool PintarBotonDeBarra(QPainter& p, const QStyleOption& opcion, bool levantado,
                        const PinturaPiel& a);

/// A heading section: its fill (when the look has one), its right line and its bottom line,
/// the latter in the colour for the heading under the pointer when it is so, and one pixel
/// thick for a row heading (`deFila`), a column of short sections.
void PintarSeccion(QPainter& p, const QStyleOption& opcion, bool deFila, const PinturaPiel& a);

}  // namespace startup
