// The driver opening real list windows: the window receives the statement and settings, the
// results come back (accepted, accepted without a selection, cancelled), the one-shot settings
// are reset after every search, and the option dialogs.
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <sstream>
#include <tuple>

#include "Lib_ClsCons3.h"
#include "Lib_FrmCons3.h"
#include "ModeloFilas.h"
#include "base_consultas.h"

using namespace data;
using namespace startup;
using namespace lookup;

namespace {

class Driver : public ConBaseConsultas {
  protected:
    void SetUp() override {
        ConBaseConsultas::SetUp();
        Sql("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, Nivel) VALUES "
            "('1', 'Activo', 1), ('11', 'Caja', 2), ('2', 'Pasivo', 1)");
    }
};

TEST_F(Driver, AceptarDevuelveLaColumnaYLasPedidas) {
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    d.CarpetaAnchos = carpeta.string();
    std::string vista;
    d.MostrarVentana = [&](Lib_FrmCons3& v) {
        vista = v.sql;
        EXPECT_FALSE(v.OrdenarPorLwv);
        QTest::keyClicks(v.CmbSearch[0]->lineEdit(), "caj");
        QTest::keyClick(v.ListView1, Qt::Key_Return);
    };
    std::vector<std::string> pedidas = {"DESCRIPCION", "Nivel"};
    std::string campo, where;
    d.CampoDevuelto = "CODIGO";
    d.ConsultaSearch("MA_CUENTAS", &pedidas, "", campo, where);
    EXPECT_EQ(vista.rfind("SELECT TOP 1000 DESCRIPCION,CODIGO,", 0), 0u);
    EXPECT_EQ(d.ValorDevuelto, std::optional<std::string>("11"));
    EXPECT_EQ(*d.Valores, (std::vector<std::string>{"Caja", "2"}));
    EXPECT_TRUE(pedidas.empty());
    EXPECT_EQ(d.CampoDevuelto, "");
    EXPECT_EQ(campo, "DESCRIPCION");
}

TEST_F(Driver, EnterSinSeleccionNoDevuelveNadaYEscDevuelveVacio) {
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    d.CarpetaAnchos = carpeta.string();
    d.MostrarVentana = [](Lib_FrmCons3& v) {
        v.ListView1->clearSelection();
        QTest::keyClick(v.ListView1, Qt::Key_Return);
    };
    std::string campo, where;
    d.CampoDevuelto = "CODIGO";
    d.ConsultaSearch("SELECT CODIGO FROM MA_CUENTAS", nullptr, "", campo, where);
    EXPECT_FALSE(d.ValorDevuelto.has_value());
    ASSERT_TRUE(d.Valores);
    EXPECT_TRUE(d.Valores->empty());

    d.MostrarVentana = [](Lib_FrmCons3& v) { QTest::keyClick(&v, Qt::Key_Escape); };
    d.ConsultaSearch("SELECT CODIGO FROM MA_CUENTAS", nullptr, "", campo, where);
    EXPECT_EQ(d.ValorDevuelto, std::optional<std::string>(""));
    EXPECT_FALSE(d.Valores.has_value());
    EXPECT_FALSE(d.Cantidades.has_value());
}

TEST_F(Driver, ChecksNoPasaALaBusquedaSiguienteYLasMarcasEmpiezanLimpias) {
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    d.CarpetaAnchos = carpeta.string();
    std::vector<bool> conMarcas;
    d.MostrarVentana = [&](Lib_FrmCons3& v) {
        conMarcas.push_back(v.CheckBoxes);
        for (const auto& f : v.Modelo->Filas()) EXPECT_FALSE(f.Marcada);
        v.Cancelar();
    };
    d.Checks = true;
    std::string campo, where;
    d.CampoDevuelto = "CODIGO";
    d.ConsultaSearch("SELECT CODIGO FROM MA_CUENTAS", nullptr, "", campo, where, "", false,
                     "1,11,2");
    EXPECT_FALSE(d.Checks);
    d.ConsultaSearch("SELECT CODIGO FROM MA_CUENTAS", nullptr, "", campo, where);
    EXPECT_EQ(conMarcas, (std::vector<bool>{true, false}));
}

TEST_F(Driver, ClaveFiltraAlAbrirYLikeDeConfiguracion) {
    Configurar("UsaConsultaLike", "si");
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    EXPECT_TRUE(d.UsaConsultaLike());
    d.CarpetaAnchos = carpeta.string();
    d.MostrarVentana = [&](Lib_FrmCons3& v) {
        EXPECT_TRUE(v.CfgUsaConsultaLIKE);
        EXPECT_TRUE(v.OrdenarPorLwv);
        EXPECT_EQ(v.TextoCelda(v.FilaSeleccionada(), 1), "Pasivo");
        v.Aceptar();
    };
    std::string campo, where;
    d.CampoDevuelto = "CODIGO";
    d.ConsultaSearch("SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS", nullptr, "pas", campo, where);
    EXPECT_EQ(d.ValorDevuelto, std::optional<std::string>("2"));
}

TEST_F(Driver, DialogosDeOpciones) {
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    d.MostrarVentana = [](Lib_FrmCons3& v) {
        EXPECT_EQ(v.Modelo->rowCount(), 3);
        EXPECT_TRUE(v.CmdNueva->isHidden());
        v.Aceptar();
    };
    d.CheckOpciones("Opciones", nullptr, {"1Uno", "0Dos", "1Tres"});
    EXPECT_EQ(*d.Valores, (std::vector<std::string>{"Uno", "Tres"}));

    d.MostrarVentana = [](Lib_FrmCons3& v) {
        QTest::keyClicks(v.CmbSearch[0]->lineEdit(), "s");
        v.Aceptar();
    };
    EXPECT_EQ(d.MenuOpciones("Menu", {"Primero", "Segundo", "Tercero"}), "Segundo");

    p->respuestas.push_back(respuesta::kOk);
    EXPECT_EQ(d.ConsultaDesdeArchivo("Lineas", (carpeta / "falta.txt").string()), "");
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].texto, "No existe el archivo " + (carpeta / "falta.txt").string() +
                                        " que desea consultar consulta ");
    {
        std::ofstream f(carpeta / "lineas.txt");
        f << "alfa\r\nbeta\r\n";
    }
    EXPECT_EQ(d.ConsultaDesdeArchivo("Lineas", (carpeta / "lineas.txt").string()), "");
    d.MostrarVentana = [](Lib_FrmCons3& v) {
        QTest::keyClicks(v.CmbSearch[0]->lineEdit(), "b");
        v.Aceptar();
    };
    EXPECT_EQ(d.ConsultaDesdeArchivo("Lineas", (carpeta / "lineas.txt").string()), "beta");
}

// What a user sees of a shown list window and what it remembers of its search, as one text.
std::string Estado(Lib_FrmCons3& v) {
    std::ostringstream e;
    e << v.PrimeraSentencia() << "|" << v.SentenciaBase() << "|" << v.CheckBoxes << "|";
    for (QComboBox* c : v.CmbSearch)
        if (!c->isHidden())
            e << "[" << c->currentText().toStdString() << c->lineEdit()->isUndoAvailable()
              << c->lineEdit()->styleSheet().toStdString() << "]";
    for (const auto& h : v.Modelo->Encabezados()) e << h.toStdString() << ",";
    for (int a : v.AnchosTwips()) e << a << ",";
    for (int f = 0; f < v.Modelo->rowCount(); ++f)
        e << v.TextoCelda(f, 1) << v.Modelo->Filas()[static_cast<std::size_t>(f)].Marcada << ",";
    e << "|sel " << v.FilaSeleccionada() << " scroll " << v.ListView1->verticalScrollBar()->value()
      << "/" << v.ListView1->horizontalScrollBar()->value() << " " << v.width() << "x" << v.height()
      << "@" << v.x() << "," << v.y() << (v.isMaximized() ? " max" : "") << " foco "
      << (v.focusWidget() ? v.focusWidget()->objectName().toStdString() : "") << "|";
    v.ListView1->header()->sectionClicked(0);  // the first header click sorts ascending
    for (int f = 0; f < v.Modelo->rowCount(); ++f) e << v.TextoCelda(f, 1) << ",";
    return e.str();
}

// Searches one after another on one driver, shown modally as the program shows them: each
// window, loaded and shown, is what a window built for that search alone is, whatever the user
// did in the one before (typed, searched again, sorted, marked, chose a row, scrolled, moved,
// resized, maximized), and a statement that cannot run leaves no columns of the one before.
TEST_F(Driver, CadaBusquedaEmpiezaComoUnaVentanaNueva) {
    for (int i = 0; i < 40; ++i)
        Sql("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, Nivel) VALUES ('9" + std::to_string(i) +
            "', 'Cuenta " + std::to_string(i) + "', 3)");
    using Uso = std::function<void(Lib_FrmCons3&)>;
    const auto esc = [](Lib_FrmCons3& v) { QTest::keyClick(&v, Qt::Key_Escape); };
    const std::vector<std::tuple<std::string, std::string, bool, Uso>> busquedas = {
        {"SELECT CODIGO, DESCRIPCION, Nivel FROM MA_CUENTAS", "", true,
         [&](Lib_FrmCons3& v) {
             QTest::keyClicks(v.CmbSearch[1]->lineEdit(), "cuenta 3");
             v.ListView1->header()->sectionClicked(1);
             v.ListView1->header()->sectionClicked(1);  // the next click would sort descending
             v.Marcar();
             v.ListView1->setColumnWidth(1, 900);
             v.ListView1->horizontalScrollBar()->setValue(40);
             v.setGeometry(v.geometry().adjusted(33, 21, 150, 90));
             esc(v);
         }},
        {"MA_CUENTAS", "cuenta 2", false,
         [](Lib_FrmCons3& v) {
             QTest::keyClick(v.CmbSearch[0]->lineEdit(), Qt::Key_F5);
             QTest::keyClick(v.CmbSearch[0]->lineEdit(), Qt::Key_Down);
             QTest::keyClick(v.ListView1, Qt::Key_End);
             v.showMaximized();
             QTest::keyClick(v.ListView1, Qt::Key_Return);
         }},
        {"SELECT DESCRIPCION FROM MA_CUENTAS ORDER BY DESCRIPCION", "", false,
         [&](Lib_FrmCons3& v) {
             QTest::keyClick(v.ListView1, Qt::Key_PageDown);
             v.CmbSearch[0]->setFocus();
             esc(v);
         }},
        {"SELECT CODIGO, DESCRIPCION, Nivel FROM MA_CUENTAS", "", false, esc},
        {"SELECT CODIGO FROM NO_EXISTE", "", false, esc},
        {"SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS", "cuenta 39", false, esc},
    };
    p->responder = [](const DialogoMostrado&) -> std::optional<int> {  // the missing table
        return respuesta::kAbortar;
    };
    PreparacionConsultas prep;
    Lib_ClsCons3 seguida(db, prep);
    seguida.CarpetaAnchos = carpeta.string();
    for (const auto& [sql, clave, marcas, usar] : busquedas) {
        auto abrir = [&, &sql = sql, &clave = clave, &marcas = marcas](Lib_ClsCons3& d,
                                                                       const Uso& uso) {
            std::string e;
            QTimer::singleShot(0, [&] {
                auto* v = qobject_cast<Lib_FrmCons3*>(QApplication::activeModalWidget());
                ASSERT_NE(v, nullptr) << sql;
                QApplication::processEvents();
                e = Estado(*v);
                uso(*v);
            });
            std::string campo, where;
            d.CampoDevuelto = sql.find("CODIGO") != std::string::npos ? "CODIGO" : "";
            d.Checks = marcas;
            d.ConsultaSearch(sql, nullptr, clave, campo, where, "", false, "1,2");
            return e;
        };
        const std::string enSeguida = abrir(seguida, usar);
        Lib_ClsCons3 nuevo(db, prep);
        nuevo.CarpetaAnchos = carpeta.string();
        EXPECT_EQ(enSeguida, abrir(nuevo, [](Lib_FrmCons3& v) { v.Cancelar(); })) << sql;
    }
}

}  // namespace
