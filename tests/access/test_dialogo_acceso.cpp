// The access dialog with real widgets and real key and mouse events (offscreen platform).
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "EntornoAcceso.h"
#include "Utilidades.h"
#include "VariableEntorno.h"
#include "frmAcceso.h"

using namespace helperlib;
using namespace data;
using namespace acceso;

using namespace prueba;

namespace {

void Mostrar(frmAcceso& d) {
    d.show();
    QApplication::setActiveWindow(&d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
}

void ClickEnFila(QListWidget* lista, int fila, bool doble = false) {
    const QPoint centro = lista->visualItemRect(lista->item(fila)).center();
    if (doble)
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, centro);
    else
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, centro);
}

DatosAcceso Llamador(const std::string& base, const std::string& servidor) {
    DatosAcceso d;
    d.Base = base;
    d.Servidor = servidor;
    d.Usuario = "PEPE";
    return d;
}

}  // namespace

TEST(DialogoAcceso, ControlesTextosYAyudas) {
    EntornoAcceso e;
    DB_Dll& db = e.db;
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    EXPECT_EQ(d.windowTitle(), "Control de Acceso");
    EXPECT_TRUE(d.isModal());
    struct Caja {
        QLineEdit* caja;
        const char* nombre;
        const char* ayuda;
    };
    for (const Caja& c :
         {Caja{d.TxtUserId, "TxtUserId", "Ingrese el nombre de usuario"},
          Caja{d.TxtUserPassword, "TxtUserPassword", "Ingrese la contraseña"},
          Caja{d.TxtDbName, "TxtDbName", "ingrese el nombre de la base de datos"},
          Caja{d.TxtServidor, "TxtServidor", "ingrese el nombre del servidor e instancia"},
          Caja{d.TxtPuerto, "TxtPuerto", "Ingrese el Puerto "}}) {
        EXPECT_EQ(c.caja->objectName(), c.nombre);
        EXPECT_EQ(c.caja->toolTip(), QString::fromUtf8(c.ayuda));
        EXPECT_EQ(d.findChild<QLineEdit*>(c.nombre), c.caja);
    }
    EXPECT_EQ(d.TxtUserPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d.TxtPuerto->text(), "1433");
    ASSERT_EQ(d.CboPlataformaDB->count(), 2);
    EXPECT_EQ(d.CboPlataformaDB->itemText(0), "SQL Server");
    EXPECT_EQ(d.CboPlataformaDB->itemText(1), "ORACLE");
    EXPECT_EQ(d.bcAceptar->text(), "Conectar");
    EXPECT_EQ(d.bcCancelar->text(), "Cancelar");
    EXPECT_EQ(d.CmdRegistrar->text(), "Registrar");
    EXPECT_EQ(d.CmdLineaComando->text(), "Crear Acceso Directo");
    EXPECT_EQ(d.findChild<QPushButton*>("CmdRegistrar"), d.CmdRegistrar);
    EXPECT_FALSE(d.Aceptar);

    // No supplier address configured: Label8 is plain text and a click opens nothing.
    Mostrar(d);
    EXPECT_EQ(d.Label8->textFormat(), Qt::PlainText);
    EXPECT_EQ(d.Label8->text().toStdString(), frmAcceso::kSinDireccionProveedor);
    QTest::mouseClick(d.Label8, Qt::LeftButton);
    EXPECT_TRUE(e.plataforma->documentos.empty());
}

// The configured supplier address becomes the link, and a click opens exactly that address.
TEST(DialogoAcceso, DireccionDelProveedorConfigurada) {
    EntornoAcceso e;
    std::ofstream(e.Carpeta() + "/LD000p.INI")
        << "[Proveedor]\r\nDireccionWeb= https://soporte.ejemplo.ar/a?b=1&c=2 \r\n";
    DB_Dll db;
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    Mostrar(d);
    EXPECT_NE(d.Label8->text().indexOf("https://soporte.ejemplo.ar/a?b=1&amp;c=2"), -1);
    QTest::mouseClick(d.Label8, Qt::LeftButton);
    ASSERT_EQ(e.plataforma->documentos.size(), 1u);
    EXPECT_EQ(e.plataforma->documentos[0], "https://soporte.ejemplo.ar/a?b=1&c=2");
}

TEST(DialogoAcceso, SinListaQuedanLosValoresDelLlamadorOLosAvisos) {
    EntornoAcceso e;
    DB_Dll& db = e.db;
    {
        frmAcceso d(db, e.sesion.gUsuarioLogeado);
        d.Prellenar(Llamador("EMP", "SRV1"));
        EXPECT_EQ(d.lstBases->count(), 0);
        EXPECT_EQ(d.TxtDbName->text(), "EMP");
        EXPECT_EQ(d.TxtServidor->text(), "SRV1");
        EXPECT_EQ(d.TxtUserId->text(), "PEPE");
    }
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    d.Prellenar(Llamador("", ""));
    EXPECT_EQ(d.TxtDbName->text(), "ingrese el nombre de la base de datos");
    EXPECT_EQ(d.TxtServidor->text(), "ingrese el nombre del servidor e instancia");
    EXPECT_EQ(d.TxtDbName->palette().color(QPalette::Text), QColor(2, 0, 0));
    d.Prellenar(DatosAcceso{});
    Mostrar(d);
    d.TxtUserId->setFocus();  // the user box shows its prompt when it gets the focus
    QApplication::processEvents();
    EXPECT_EQ(d.TxtUserId->text(), "Ingrese el usuario");

    // Enter walks user -> password -> database; typing there replaces the selected prompt.
    QTest::keyClick(d.TxtUserId, Qt::Key_Return);
    EXPECT_TRUE(d.TxtUserPassword->hasFocus());
    QTest::keyClick(d.TxtUserPassword, Qt::Key_Return);
    EXPECT_TRUE(d.TxtDbName->hasFocus());
    QTest::keyClicks(d.TxtDbName, "emp");
    EXPECT_EQ(d.TxtDbName->text(), "emp");
    EXPECT_NE(d.TxtDbName->palette().color(QPalette::Text), QColor(2, 0, 0));
    QTest::keyClick(d.TxtDbName, Qt::Key_Return);
    EXPECT_TRUE(d.TxtServidor->hasFocus());
    QTest::keyClick(d.TxtServidor, Qt::Key_Return);
    EXPECT_TRUE(d.bcAceptar->hasFocus());
    EXPECT_TRUE(d.isVisible());  // focus only: "Conectar" was not pressed
    EXPECT_FALSE(d.Aceptar);

    // Deleting the typed text brings the prompt back.
    d.TxtDbName->selectAll();
    d.TxtDbName->setFocus();
    QTest::keyClick(d.TxtDbName, Qt::Key_Delete);
    EXPECT_EQ(d.TxtDbName->text(), "ingrese el nombre de la base de datos");
}

TEST(DialogoAcceso, ElegirUnaConexionLlenaLasCajas) {
    EntornoAcceso e;
    const std::string c = CodificarClave("x");
    EscribirArchivo(e.Bases(), "OTRA / SRV2,otra,l," + c + ",srv2\r\n" + ",sin,nombre," + c +
                                   ",s\r\n" + "EMP / SRV1,empresa,l," + c + ",srv1:1500\r\n" +
                                   "CORTA / X,a\r\n" + "TERCERA / S3,tercera,l," + c + ",s3\r\n");
    DB_Dll& db = e.db;
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    ASSERT_EQ(d.lstBases->count(), 3);  // the empty name and the short line are not listed
    EXPECT_EQ(d.lstBases->item(1)->text(), "EMP / SRV1");
    // Loading selected the first entry; the caller's values then replace its texts.
    EXPECT_EQ(d.lstBases->currentRow(), 0);
    EXPECT_EQ(d.TxtServidor->text(), "srv2");
    EXPECT_EQ(d.TxtPuerto->text(), "");
    d.Prellenar(Llamador("EMP", "SRV"));
    d.TxtUserPassword->setText("clave");
    Mostrar(d);

    ClickEnFila(d.lstBases, 1);
    EXPECT_EQ(d.TxtServidor->text(), "SRV1");
    EXPECT_EQ(d.TxtPuerto->text(), "1500");
    EXPECT_EQ(d.TxtDbName->text(), "empresa");
    EXPECT_EQ(d.TxtUserId->text(), "");
    EXPECT_EQ(d.TxtUserPassword->text(), "");

    // A key on the list: the entry selected before the key, then the one the key moves to.
    d.TxtDbName->setText("cambiada");
    d.lstBases->setFocus();
    QTest::keyClick(d.lstBases, Qt::Key_Down);
    EXPECT_EQ(d.lstBases->currentRow(), 2);
    EXPECT_EQ(d.TxtDbName->text(), "tercera");
    EXPECT_EQ(d.TxtServidor->text(), "s3");
    EXPECT_EQ(d.TxtPuerto->text(), "1500");  // no port here: the last one shown stays

    // A double click copies the entry and connects.
    ClickEnFila(d.lstBases, 1, true);
    EXPECT_TRUE(d.Aceptar);
    EXPECT_FALSE(d.isVisible());
    const DatosAcceso r = d.Resultado();
    EXPECT_TRUE(r.Aceptado);
    EXPECT_EQ(r.Base, "empresa");
    EXPECT_EQ(r.Servidor, "SRV1");
}

TEST(DialogoAcceso, NombresRepetidosGanaElPrimero) {
    EntornoAcceso e;
    EscribirArchivo(e.Bases(), "EMP / S,primera,u,c,s1\r\nEMP / S,segunda,u,c,s2\r\n");
    DB_Dll& db = e.db;
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    EXPECT_EQ(d.lstBases->count(), 2);
    d.DatosBase(" EMP / S ");
    EXPECT_EQ(d.Logica().BaseValor, "primera");
    EXPECT_EQ(d.Logica().ServidorValor, "s1");
    Mostrar(d);
    ClickEnFila(d.lstBases, 1);  // the second entry has the same name: the first line's data
    EXPECT_EQ(d.TxtDbName->text(), "primera");
}

TEST(DialogoAcceso, CancelarNoAcepta) {
    EntornoAcceso e;
    DB_Dll& db = e.db;
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    d.Prellenar(Llamador("EMP", "SRV"));
    Mostrar(d);
    QTest::mouseClick(d.bcCancelar, Qt::LeftButton);
    EXPECT_FALSE(d.Aceptar);
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(d.Resultado().Aceptado);
    EXPECT_FALSE(std::filesystem::exists(e.Bases()));
}

TEST(DialogoAcceso, ConectarSinListaRegistraPrimero) {
    EntornoAcceso e;
    e.CrearBase("EMP");
    DB_Dll& db = e.db;
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    d.Prellenar(Llamador("EMP", e.Servidor()));
    Mostrar(d);
    d.TxtServidor->setFocus();
    QTest::keyClick(d.TxtServidor, Qt::Key_Return);
    QTest::keyClick(d.bcAceptar, Qt::Key_Return);  // Enter on the focused button presses it
    EXPECT_TRUE(d.Aceptar);
    EXPECT_FALSE(d.isVisible());
    const auto lista = ArchivoBases(e.Bases()).Leer();
    ASSERT_EQ(lista.size(), 1u);
    EXPECT_EQ(lista[0].Base, "EMP");
    EXPECT_EQ(d.lstBases->count(), 1);  // reloaded
    EXPECT_EQ(d.Resultado().Base, "EMP");
    EXPECT_EQ(d.Resultado().Servidor, e.Servidor());
    EXPECT_EQ(e.sesion.gUsuarioLogeado, "PEPE");  // the user typed becomes the session's
    EXPECT_EQ(d.TxtUserId->text(), "");           // the reload selected the new entry: box emptied
    EXPECT_EQ(db.gCnn.State(), estado_objeto::kCerrado);
}

TEST(DialogoAcceso, RegistrarDesdeElBotonRecargaLaLista) {
    EntornoAcceso e;
    e.CrearBase("EMP");
    e.CrearBase("OTRA");
    EscribirArchivo(e.Bases(),
                    NombreConexion("EMP", e.Servidor()) + ",EMP,EMP,," + e.Servidor() + "\r\n");
    DB_Dll& db = e.db;
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    ASSERT_EQ(d.lstBases->count(), 1);
    Mostrar(d);
    d.TxtDbName->setText(" OTRA ");
    d.TxtServidor->setText(QString::fromStdString(e.Servidor()));
    QTest::mouseClick(d.CmdRegistrar, Qt::LeftButton);
    EXPECT_EQ(d.lstBases->count(), 2);
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.Aceptar);
    // The same again: already registered.
    d.TxtDbName->setText("OTRA");
    d.TxtServidor->setText(QString::fromStdString(e.Servidor()));
    e.plataforma->Esperar("La conexion que intenta registrar ya existe ");
    QTest::mouseClick(d.CmdRegistrar, Qt::LeftButton);
    ASSERT_EQ(e.plataforma->dialogos.size(), 1u);
    EXPECT_EQ(ArchivoBases(e.Bases()).Leer().size(), 2u);
}

TEST(DialogoAcceso, AccesoDirectoQueNoSePuedeCrearSeInforma) {
    EntornoAcceso e;
    EscribirArchivo(e.Carpeta() + "/archivo", "x");
    const VariableEntorno escritorio("XDG_DESKTOP_DIR", e.Carpeta() + "/archivo");
    DB_Dll& db = e.db;
    frmAcceso d(db, e.sesion.gUsuarioLogeado);
    Mostrar(d);
    e.plataforma->Esperar("No se pudo crear el acceso directo");
    QTest::mouseClick(d.CmdLineaComando, Qt::LeftButton);
    ASSERT_EQ(e.plataforma->dialogos.size(), 1u);
}
