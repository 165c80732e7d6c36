#pragma once
// Qt's own texts (the context menu of every text field, the file chooser, standard buttons)
// in Spanish, from the translations Qt ships (Debian package qt6-translations-l10n).
#include <QString>

class QCoreApplication;

namespace app {

/// Installs Qt's Spanish translations on `aplicacion`, looked for in `carpeta` (default: Qt's
/// own translations folder). Returns false, installing nothing, when they cannot be loaded.
bool CargarTraduccionesQt(QCoreApplication& aplicacion, const QString& carpeta = {});

}  // namespace app
