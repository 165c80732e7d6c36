#pragma once
// The suite's look for a window: the skin chosen per operating-system user (see
// EleccionPiel.h), the window's icon and the flat or raised look of its toolbars.
//
// The skins are the program's own: each skin file (for the folder skin, the settings file in
// it) is a description in INI form that names a Qt style, the palette colours laid over that
// style's standard palette, the look the program's style paints over them (the sections of
// PinturaPiel.h) and, optionally, a style sheet beside it:
//
//   [Piel]
//   Estilo=Fusion        ; a Qt style ("Fusion", "Windows"); Fusion when absent
//   Hoja=Extra.qss       ; style sheet, relative to the description's folder; none when absent
//   [Paleta]
//   Window=#e9eef5       ; any QPalette colour role, for every colour group
//
// The program's own skins bring no sheet: a sheet makes every widget of every window go
// through its rules, which costs more than the rest of a window's styling.
#include <QPalette>
#include <QString>
#include <string>

#include "PinturaPiel.h"

class QIcon;
class QImage;
class QWidget;

namespace startup {

/// A skin read from its description.
struct Piel {
    QString descripcion;  ///< the description file that was read
    QString estiloQt;     ///< Qt style name
    QPalette paleta;      ///< the style's standard palette with the skin's colours over it
    PinturaPiel pintura;  ///< what the program's style paints over the Qt style
    QString hoja;         ///< style sheet text ("" for none)
};

/// Reads the skin at `rutaPiel` (a file, or a folder whose settings file `ajustes` holds the
/// description). Throws ErrorEjecucion(53) when the description or its style sheet is missing
/// or unreadable, ErrorEjecucion(5) when it names an unknown Qt style or an invalid colour or
/// look value; the description says in Spanish which file and what is wrong.
Piel CargarPiel(const std::string& rutaPiel, const std::string& ajustes);

/// Gives the whole application the skin's style, palette and style sheet, so every window of
/// the program (dialogs, message boxes and lookup windows included) wears it. Needs a
/// QApplication.
void AplicarPiel(const Piel& piel);

/// Applies the current user's skin (program folder + the skin file of the user's appearance
/// value) and records the skin file's path in the window's property "archivoEstilo". Throws
/// what CargarPiel throws; nothing is changed then.
void AplicarEstilo(QWidget& formulario);

/// The window's icon and toolbar look, every step skipped silently when it fails:
/// the icon named by "LD000p.INI" [Iconos] IconoDelSistema (default "ICONPANEL") among the
/// program's own icons (an unknown name leaves the icon as it is); then, unless the window's
/// class is FRMMDI, the window preparation (PrepararVentana), the property "StyleBar" :=
/// `barrasPlanas` on the window's controls named "UtilPanel1", "TBarRep1" and "Util0011"
/// (where they exist and have that property), and one round of pending events.
void AplicarIcono(QWidget& formulario, bool barrasPlanas);

/// Window preparation: a top-level window larger than the free area of its screen is made to
/// fit it and moved inside it.
void PrepararVentana(QWidget& ventana);

/// The program's own icon with `identificador` (letter case ignored): "ICONPANEL",
/// "ICONLIBRO" or "ICONCALCULADORA". Throws ErrorEjecucion(3265) for any other identifier.
QIcon IconoDelPrograma(const std::string& identificador);

/// The same drawing on a transparent square of `lado` pixels (the desktop's icon of the
/// program is ICONPANEL at the sizes the icon theme asks for). Throws like IconoDelPrograma.
QImage DibujoIconoDelPrograma(const std::string& identificador, int lado);

}  // namespace startup
