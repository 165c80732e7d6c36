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

// What a user can see of a list window once it is shown, and what it remembers of a search.
struct EstadoVentana {
    std::string primera, base;
    std::vector<std::string> cajas;  // text of each shown search box, then its colour
    std::vector<std::string> encabezados, primeraColumna, trasUnClic;
    std::vector<int> anchos;
    std::vector<bool> marcas;
    int seleccionada = 0, vertical = 0, horizontal = 0;
    bool conMarcas = false, deshacer = false, maximizada = false;
    QSize tamano;
    QPoint posicion;
    std::string foco;
    bool operator==(const EstadoVentana&) const = default;
};

std::ostream& operator<<(std::ostream& o, const EstadoVentana& e) {
    o << "[" << e.base << "] cajas:";
    for (const auto& c : e.cajas) o << " '" << c << "'";
    o << " columnas:";
    for (const auto& c : e.encabezados) o << " " << c;
    o << " filas:";
    for (const auto& c : e.primeraColumna) o << " " << c;
    o << " sel " << e.seleccionada << " scroll " << e.vertical << "/" << e.horizontal << " "
      << e.tamano.width() << "x" << e.tamano.height() << " @" << e.posicion.x() << ","
      << e.posicion.y() << " foco " << e.foco << (e.deshacer ? " deshacer" : "")
      << (e.maximizada ? " maximizada" : "");
    return o;
}

EstadoVentana Estado(Lib_FrmCons3& v) {
    EstadoVentana e;
    e.primera = v.PrimeraSentencia();
    e.base = v.SentenciaBase();
    for (QComboBox* c : v.CmbSearch) {
        if (c->isHidden()) continue;
        e.cajas.push_back(c->currentText().toStdString());
        e.cajas.push_back(c->lineEdit()->styleSheet().toStdString());
        e.deshacer = e.deshacer || c->lineEdit()->isUndoAvailable();
    }
    for (const auto& h : v.Modelo->Encabezados()) e.encabezados.push_back(h.toStdString());
    e.anchos = v.AnchosTwips();
    for (int f = 0; f < v.Modelo->rowCount(); ++f) {
        e.primeraColumna.emplace_back(v.TextoCelda(f, 1));
        e.marcas.push_back(v.Modelo->Filas()[static_cast<std::size_t>(f)].Marcada);
    }
    e.seleccionada = v.FilaSeleccionada();
    e.vertical = v.ListView1->verticalScrollBar()->value();
    e.horizontal = v.ListView1->horizontalScrollBar()->value();
    e.conMarcas = v.CheckBoxes;
    e.maximizada = v.isMaximized();
    e.tamano = v.size();
    e.posicion = v.pos();
    e.foco = v.focusWidget() ? v.focusWidget()->objectName().toStdString() : "";
    // The first click on a header sorts ascending.
    v.ListView1->header()->sectionClicked(0);
    for (int f = 0; f < v.Modelo->rowCount(); ++f) e.trasUnClic.emplace_back(v.TextoCelda(f, 1));
    return e;
}

// One search after another on the same driver: each window it shows must be, once loaded and
// shown, what a window built for that search alone is, whatever the user did in the one before
// (typed, searched again, sorted, marked, chose a row, scrolled, moved, resized, maximized).
TEST_F(Driver, CadaBusquedaEmpiezaComoUnaVentanaNueva) {
    for (int i = 0; i < 40; ++i)
        Sql("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, Nivel) VALUES ('9" + std::to_string(i) +
            "', 'Cuenta " + std::to_string(i) + "', 3)");
    struct Busqueda {
        std::string sql, clave;
        bool marcas;
        std::function<void(Lib_FrmCons3&)> usar;
    };
    const std::vector<Busqueda> busquedas = {
        {"SELECT CODIGO, DESCRIPCION, Nivel FROM MA_CUENTAS", "", true,
         [](Lib_FrmCons3& v) {
             QTest::keyClicks(v.CmbSearch[1]->lineEdit(), "cuenta 3");
             v.ListView1->header()->sectionClicked(1);
             v.ListView1->header()->sectionClicked(1);  // the next click would sort descending
             v.Marcar();
             v.ListView1->setColumnWidth(1, 900);
             v.ListView1->horizontalScrollBar()->setValue(40);
             v.resize(v.width() + 150, v.height() + 90);
             v.move(v.pos() + QPoint(33, 21));
             QTest::keyClick(&v, Qt::Key_Escape);
         }},
        {"MA_CUENTAS", "cuenta 2", false,
         [](Lib_FrmCons3& v) {
             QTest::keyClicks(v.CmbSearch[0]->lineEdit(), "x");
             QTest::keyClick(v.CmbSearch[0]->lineEdit(), Qt::Key_Backspace);
             QTest::keyClick(v.CmbSearch[0]->lineEdit(), Qt::Key_F5);
             QTest::keyClick(v.CmbSearch[0]->lineEdit(), Qt::Key_Down);
             QTest::keyClick(v.ListView1, Qt::Key_End);
             v.showMaximized();
             QTest::keyClick(v.ListView1, Qt::Key_Return);
         }},
        {"SELECT DESCRIPCION FROM MA_CUENTAS ORDER BY DESCRIPCION", "", false,
         [](Lib_FrmCons3& v) {
             QTest::keyClick(v.ListView1, Qt::Key_PageDown);
             v.CmbSearch[0]->setFocus();
             QTest::keyClick(&v, Qt::Key_Escape);
         }},
        {"SELECT CODIGO, DESCRIPCION, Nivel FROM MA_CUENTAS", "", false,
         [](Lib_FrmCons3& v) { QTest::keyClick(&v, Qt::Key_Escape); }},
        // A statement that cannot run leaves no columns of the search before.
        {"SELECT CODIGO FROM NO_EXISTE", "", false,
         [](Lib_FrmCons3& v) { QTest::keyClick(&v, Qt::Key_Escape); }},
        {"SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS", "cuenta 39", false,
         [](Lib_FrmCons3& v) { QTest::keyClick(&v, Qt::Key_Escape); }},
    };
    // Each failure the missing table causes is told, and the telling is closed.
    std::vector<std::string> avisos;
    p->responder = [&](const DialogoMostrado& d) -> std::optional<int> {
        avisos.push_back(d.texto);
        return respuesta::kAbortar;
    };

    PreparacionConsultas prep;
    Lib_ClsCons3 seguida(db, prep);
    seguida.CarpetaAnchos = carpeta.string();
    const Lib_FrmCons3* primera = nullptr;
    for (std::size_t i = 0; i < busquedas.size(); ++i) {
        const Busqueda& b = busquedas[i];
        auto abrir = [&](Lib_ClsCons3& d, const std::function<void(Lib_FrmCons3&)>& usar) {
            EstadoVentana e;
            d.MostrarVentana = [&](Lib_FrmCons3& v) {
                if (&d == &seguida) {
                    if (!primera) primera = &v;
                    EXPECT_EQ(&v, primera) << "the driver built another window";
                }
                v.show();
                QApplication::processEvents();
                e = Estado(v);
                usar(v);
                v.hide();
            };
            std::string campo, where;
            d.CampoDevuelto = b.sql.find("CODIGO") != std::string::npos ? "CODIGO" : "";
            d.Checks = b.marcas;
            d.ConsultaSearch(b.sql, nullptr, b.clave, campo, where, "", false, "1,2");
            return e;
        };
        const auto n0 = static_cast<long>(avisos.size());
        const EstadoVentana enSeguida = abrir(seguida, b.usar);
        const auto n1 = static_cast<long>(avisos.size());
        Lib_ClsCons3 nuevo(db, prep);
        nuevo.CarpetaAnchos = carpeta.string();
        const EstadoVentana enNueva = abrir(nuevo, [](Lib_FrmCons3& v) { v.Cancelar(); });
        // A failing search tells the same in both windows.
        EXPECT_EQ(std::vector<std::string>(avisos.begin() + n0, avisos.begin() + n1),
                  std::vector<std::string>(avisos.begin() + n1, avisos.end()))
            << "search " << i;
        EXPECT_EQ(enSeguida, enNueva) << "search " << i;
        EXPECT_EQ(enSeguida.primeraColumna.empty(), b.sql.find("NO_EXISTE") != std::string::npos)
            << "search " << i;
    }
}

// The kept window runs modally again: each search typed into it returns its own row.
TEST_F(Driver, LaVentanaGuardadaVuelveAMostrarseModal) {
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);  // shows the window with exec(), as the program does
    d.CarpetaAnchos = carpeta.string();
    for (const auto& [tecleado, esperado] : {std::pair{"ca", "11"}, std::pair{"pa", "2"}}) {
        QTimer::singleShot(0, [t = tecleado] {
            auto* v = qobject_cast<Lib_FrmCons3*>(QApplication::activeModalWidget());
            ASSERT_NE(v, nullptr);
            EXPECT_EQ(v->CmbSearch[0]->currentText(), "");
            QTest::keyClicks(v->CmbSearch[0]->lineEdit(), t);
            QTest::keyClick(v->ListView1, Qt::Key_Return);
        });
        std::string campo, where;
        d.CampoDevuelto = "CODIGO";
        d.ConsultaSearch("SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS ORDER BY CODIGO", nullptr, "",
                         campo, where);
        EXPECT_EQ(d.ValorDevuelto, std::optional<std::string>(esperado)) << tecleado;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

}  // namespace
