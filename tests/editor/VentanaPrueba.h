#pragma once
// Common ground of the editor window tests: one QApplication for the program, a demo database
// of the test's own, a scripted desktop, and the window loaded, shown and active, with its
// lookup answered from the test. Keys go to whatever widget has the focus, as a user's do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "../entryrules/BaseTemporal.h"
#include "AplicacionDePrueba.h"
#include "Contexto.h"
#include "FGModelo.h"
#include "FrmMa_Modelo.h"
#include "PlataformaGuionada.h"
#include "UtilPanel.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace toolbar;
using namespace lookup;
using namespace editor;

class VentanaTest : public ::testing::Test {
  protected:
    VentanaTest() {
        AplicacionDePrueba();
        base.Conectar(db);
        ctx.sesion.gUsuarioLogeado = "DEMO";
        // The program's folder is this test's own, where the build puts the skins beside it.
        plataforma->rutaEjecutable = QCoreApplication::applicationFilePath().toStdString();
        frm = std::make_unique<FrmMa_Modelo>(ctx);
        frm->Buscar = [this](const std::string& campo, const std::string& sql) {
            consultas.push_back(campo + "|" + sql);
            return respuestaBusqueda;
        };
        frm->Form_Load("");
        frm->show();
        frm->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frm.get()));
        frm->txtFields[0]->setFocus();
        plataforma->dialogos.clear();
    }

    QWidget* Foco() {
        QWidget* w = QApplication::focusWidget();
        EXPECT_NE(w, nullptr) << "nothing has the focus";
        return w ? w : frm.get();
    }
    /// Each character goes to whatever has the focus at that moment.
    void Escribir(const QString& s) {
        for (QChar c : s) QTest::keyClicks(Foco(), QString(c));
    }
    void Tecla(Qt::Key k) { QTest::keyClick(Foco(), k); }
    void Linea(const QString& s) {
        Escribir(s);
        Tecla(Qt::Key_Return);
    }
    std::string Celda(int f, int c) { return frm->Matriz.TextMatrix(f, c); }
    std::string Dv(const std::string& cuenta) {
        return base.Valor("SELECT DV FROM MA_CUENTAS WHERE CODIGO = '" + cuenta + "'");
    }
    /// Types a name and confirms it.
    void Nombre(const QString& n) {
        frm->txtFields[0]->setFocus();
        frm->txtFields[0]->clear();
        Linea(n);
    }
    std::vector<std::string> Textos() {
        std::vector<std::string> t;
        for (const auto& d : plataforma->dialogos) t.push_back(d.texto);
        return t;
    }

    ConPlataformaGuionada plataforma;
    BaseTemporal base;
    Contexto ctx;
    DB_Dll& db = ctx.db;
    std::unique_ptr<FrmMa_Modelo> frm;
    std::vector<std::string> consultas;
    std::string respuestaBusqueda;
};
