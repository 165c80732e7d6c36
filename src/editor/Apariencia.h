#pragma once
// The suite's look for a window: the skin chosen per operating-system user and the window's
// icon. The suite's vendor skins do not exist on this platform; the skin number picks the
// same skin file name, and a Qt style sheet saved beside it ("<skin file>.qss") is applied
// when present, so a workstation can give each skin its look.
#include <string>

class QWidget;

/// The skin file (relative to the program's folder) and its settings file for a skin number.
struct ArchivoEstilo {
    std::string Piel;
    std::string Ajustes;
};
ArchivoEstilo ArchivoDeEstilo(int numero);

/// The skin number of the current operating-system user ("ld000pr.ini", section
/// user + "Styles", key "Styles", default "1"; a text that is no number gives 0).
int NumeroDeEstilo();

/// Applies the user's skin to `formulario`: the window's property "archivoEstilo" receives the
/// skin file path, and its style sheet file, when there is one, is applied.
void AplicarEstilo(QWidget* formulario);

/// Sets the window's icon from "LD000p.INI" [Iconos] IconoDelSistema (default "ICONPANEL"): an
/// image file of that name (".ico", ".png" or ".svg") in the program's folder; none found
/// leaves the icon unchanged. Every step that fails is skipped silently.
void AplicarIcono(QWidget* formulario);
