#include "TraduccionesQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

bool CargarTraduccionesQt(QCoreApplication& aplicacion, const QString& carpeta) {
    const QString donde =
        carpeta.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : carpeta;
    // "qt_es" gathers the Spanish catalogues of every Qt module (qtbase_es and the rest).
    auto* traductor = new QTranslator(&aplicacion);
    if (!traductor->load(QLocale(QLocale::Spanish), QStringLiteral("qt"), QStringLiteral("_"),
                         donde) ||
        !QCoreApplication::installTranslator(traductor)) {
        delete traductor;
        return false;
    }
    return true;
}

}  // namespace app
