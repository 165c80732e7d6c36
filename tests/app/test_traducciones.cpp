// Qt's own texts in Spanish once the program has loaded Qt's translations.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "TraduccionesQt.h"

using namespace app;

namespace {

QStringList TextosMenuContextual() {
    QLineEdit campo;
    const std::unique_ptr<QMenu> menu(campo.createStandardContextMenu());
    QStringList textos;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) textos << a->text().remove('&').section('\t', 0, 0);
    return textos;
}

QString TextoBoton(QDialogButtonBox::StandardButton boton) {
    QDialogButtonBox caja(boton);
    return caja.button(boton)->text().remove('&');
}

}  // namespace

TEST(TraduccionesQt, TextosDeQtEnEspanol) {
    int argc = 1;
    char nombre[] = "test_app_traducciones";
    char* argv[] = {nombre, nullptr};
    QApplication app(argc, argv);
    QTemporaryDir vacia;
    const struct {
        QString carpeta;
        bool cargadas;
        QStringList menu;
        QString cancelar;
    } casos[] = {
        // A folder without them installs nothing: Qt keeps its English texts.
        {vacia.path(),
         false,
         {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"},
         "Cancel"},
        {{},
         true,
         {"Deshacer", "Rehacer", "Cortar", "Copiar", "Pegar", "Borrar", "Seleccionar todo"},
         "Cancelar"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(app::CargarTraduccionesQt(app, c.carpeta), c.cargadas) << c.carpeta.toStdString();
        EXPECT_EQ(TextosMenuContextual(), c.menu) << TextosMenuContextual().join(",").toStdString();
        EXPECT_EQ(TextoBoton(QDialogButtonBox::Cancel), c.cancelar);
    }
}
