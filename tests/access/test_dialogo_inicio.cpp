// The dialog as the data layer's connection-data hook: the ask-for-parameters step, the retry
// path after a failed open and the session start-up, driven by timed key and mouse events on
// the real modal dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "EntornoAcceso.h"
#include "InicioSesion.h"
#include "PrimerInicio.h"
#include "Recordset.h"
#include "UbicacionArchivos.h"
#include "Utilidades.h"
#include "VariableEntorno.h"
#include "frmAcceso.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace acceso;

using namespace prueba;

namespace {

/// Runs `accion` on the access dialog as soon as one is showing (polled from the event loop of
/// its modal run). Gives up after two seconds so that a test cannot hang; `visto` tells whether
/// the dialog appeared.
void AlMostrarse(std::function<void(frmAcceso&)> accion, bool& visto) {
    auto* reloj = new QTimer;
    auto intentos = std::make_shared<int>(0);
    QObject::connect(reloj, &QTimer::timeout, [reloj, accion, intentos, &visto] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<frmAcceso*>(w);
            if (d && d->isVisible()) {
                reloj->stop();
                reloj->deleteLater();
                visto = true;
                accion(*d);
                return;
            }
        }
        if (++*intentos > 100) {
            reloj->stop();
            reloj->deleteLater();
        }
    });
    reloj->start(20);
}

}  // namespace

TEST(GanchoAcceso, CancelarDejaLaConexionSinAbrir) {
    EntornoAcceso e;
    DB_Dll& db = e.db;
    InstalarDialogoAcceso(db, e.sesion.gUsuarioLogeado);
    db.gDBName = "EMP";
    db.gServidor = "SRV";
    e.sesion.gUsuarioLogeado = "PEPE";
    bool visto = false;
    QString baseMostrada, usuarioMostrado;
    AlMostrarse(
        [&](frmAcceso& d) {
            baseMostrada = d.TxtDbName->text();
            usuarioMostrado = d.TxtUserId->text();
            QTest::mouseClick(d.bcCancelar, Qt::LeftButton);
        },
        visto);
    db.PedirDatosConexion();
    EXPECT_TRUE(visto);
    EXPECT_EQ(baseMostrada, "EMP");
    EXPECT_EQ(usuarioMostrado, "PEPE");
    EXPECT_FALSE(db.gOpenFlag);
}

TEST(InicioConDialogo, CancelarTrasElReintentoTerminaElPrograma) {
    EntornoAcceso e;
    DB_Dll& db = e.db;
    InstalarDialogoAcceso(db, e.sesion.gUsuarioLogeado);
    e.plataforma->Esperar("Desea Intentarlo Nuevamente", respuesta::kSi);
    bool visto = false;
    AlMostrarse([](frmAcceso& d) { QTest::mouseClick(d.bcCancelar, Qt::LeftButton); }, visto);
    EXPECT_THROW(IniciarSesion("@Server=" + e.Servidor() + ";@DbName=NOESTA;", db, e.sesion),
                 ProgramaTerminado);
    EXPECT_TRUE(visto);
    EXPECT_EQ(e.plataforma->codigoFin, kFinSinConexion);
    EXPECT_FALSE(db.gOpenFlag);
}

TEST(InicioConDialogo, ElegirLaConexionRegistradaAbreLaBaseDemo) {
    EntornoAcceso e;
    e.CrearBase("DEMO", true);
    const std::string nombre = NombreConexion("DEMO", e.Servidor());
    EscribirArchivo(e.Bases(), "OTRA / S,otra,otra,,s\r\n" + nombre + ",DEMO,DEMO," +
                                   CodificarClave("DEMO") + "," + e.Servidor() + "\r\n");
    DB_Dll& db = e.db;
    InstalarDialogoAcceso(db, e.sesion.gUsuarioLogeado);
    e.plataforma->Esperar("Desea Intentarlo Nuevamente", respuesta::kSi);
    bool visto = false;
    AlMostrarse(
        [&](frmAcceso& d) {
            const auto items =
                d.lstBases->findItems(QString::fromStdString(nombre), Qt::MatchExactly);
            if (items.size() != 1) return;  // the dialog stays: the test then times out
            const QPoint p = d.lstBases->visualItemRect(items[0]).center();
            QTest::mouseClick(d.lstBases->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseClick(d.bcAceptar, Qt::LeftButton);
        },
        visto);
    IniciarSesion("@Server=" + e.Servidor() + ";@DbName=NOESTA;@UsuarioLogeado=ADMIN;", db,
                  e.sesion);
    ASSERT_TRUE(visto);
    ASSERT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gDBName, "DEMO");
    EXPECT_EQ(db.gServidor, e.Servidor());
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kAbierto);
    EXPECT_FALSE(e.plataforma->codigoFin.has_value());
    EXPECT_EQ(e.sesion.gUsuarioLogeado, "ADMIN");  // the emptied user box kept the session user
    Recordset rs = db.gCnn.Execute("SELECT COUNT(*) FROM MA_MODELOS");
    EXPECT_GT(std::stoi(rs.Fields(0).Value().value_or("0")), 0);
}

TEST(InicioConDialogo, PrimerInicioSinParametrosConectaConLaBaseDemo) {
    EntornoAcceso e;
    const auto ubicacion = [&] {
        const VariableEntorno datos("XDG_DATA_HOME", e.Carpeta() + "/datos");
        return helperlib::UbicacionArchivos::Para(e.Carpeta());
    }();
    const auto nombre = acceso::PrepararPrimerInicio(ubicacion, CarpetaScriptsDb());
    ASSERT_TRUE(nombre.has_value());
    DB_Dll& db = e.db;
    InstalarDialogoAcceso(db, e.sesion.gUsuarioLogeado);
    e.plataforma->Esperar("Desea Intentarlo Nuevamente", respuesta::kSi);
    bool visto = false;
    AlMostrarse(
        [&](frmAcceso& d) {
            const auto items =
                d.lstBases->findItems(QString::fromStdString(*nombre), Qt::MatchExactly);
            if (items.size() != 1) {
                ADD_FAILURE() << "la lista no ofrece " << *nombre;
                QTest::mouseClick(d.bcCancelar, Qt::LeftButton);
                return;
            }
            // The boxes show what the caller held (nothing): the user clicks the entry
            // offered, then "Conectar".
            const QPoint p = d.lstBases->visualItemRect(items[0]).center();
            QTest::mouseClick(d.lstBases->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseClick(d.bcAceptar, Qt::LeftButton);
        },
        visto);
    EXPECT_NO_THROW(IniciarSesion("", db, e.sesion));
    ASSERT_TRUE(visto);
    ASSERT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gDBName, "DEMO");
    EXPECT_EQ(db.gServidor, acceso::ServidorDemostracion(ubicacion));
    EXPECT_FALSE(e.plataforma->codigoFin.has_value());
    Recordset rs = db.gCnn.Execute("SELECT COUNT(*) FROM MA_MODELOS");
    EXPECT_GT(std::stoi(rs.Fields(0).Value().value_or("0")), 0);
}
