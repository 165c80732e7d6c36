// The list window with real widgets and real key events on the offscreen platform: prefix
// search while typing, F5 re-queries, column widths, the width file, check mode, quantities,
// sorting and the stock shortage.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "AnchosColumnas.h"
#include "Lib_FrmCons3.h"
#include "ModeloFilas.h"
#include "VariableEntorno.h"
#include "base_consultas.h"

using namespace data;
using namespace lookup;

namespace {

class Ventana : public ConBaseConsultas {
  protected:
    void SetUp() override {
        ConBaseConsultas::SetUp();
        Sql("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, Nivel) VALUES "
            "('1', 'Zapatos', 1), ('2', 'Abaco', 1), ('3', 'abrigos', 1), ('4', 'Caja chica', 2),"
            "('5', 'O''HARA y cia', 2), ('6', 'Caja grande', 2), ('71', 'Bancos', 2)");
    }
    std::unique_ptr<Lib_FrmCons3> Abrir(const std::string& sentencia) {
        auto v = std::make_unique<Lib_FrmCons3>(db);
        v->CarpetaAplicacion = carpeta.string();
        v->sql = sentencia;
        v->CampoDevuelto = "CODIGO";
        v->Cargar();
        v->show();
        return v;
    }
    static void Escribir(Lib_FrmCons3& v, int caja, const QString& t) {
        QTest::keyClicks(v.CmbSearch[static_cast<std::size_t>(caja)]->lineEdit(), t);
    }
    static void Tecla(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(w, k, m);
    }
    static void F5(Lib_FrmCons3& v, int caja) {
        Tecla(v.CmbSearch[static_cast<std::size_t>(caja)]->lineEdit(), Qt::Key_F5);
    }
};

TEST_F(Ventana, EscribirEnLaSegundaCajaSeleccionaLaPrimeraQueEmpieza) {
    auto v = Abrir("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
    ASSERT_EQ(v->FilasLeidas(), 7);
    ASSERT_EQ(v->CmbSearch.size(), 2u);
    Escribir(*v, 1, "ab");
    ASSERT_EQ(v->FilaSeleccionada(), 1);
    EXPECT_EQ(v->TextoCelda(1, 2), "Abaco");
    Escribir(*v, 1, "r");  // "abr": abrigos
    EXPECT_EQ(v->TextoCelda(v->FilaSeleccionada(), 1), "3");
    Escribir(*v, 1, "zz");  // no row starts with it: the selection stays
    EXPECT_EQ(v->TextoCelda(v->FilaSeleccionada(), 1), "3");
    EXPECT_EQ(v->Busqueda(1, " CAJA "), 4);
    EXPECT_EQ(v->Busqueda(0, "7"), 7);
    EXPECT_EQ(v->IndiceColumna(" descripcion "), 2);
    EXPECT_EQ(v->IndiceColumna("NADA"), 0);
}

TEST_F(Ventana, TeclearEnLaListaVaALaCajaActual) {
    auto v = Abrir("SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS ORDER BY CODIGO");
    QTest::keyClicks(v->ListView1, "ca");
    EXPECT_EQ(v->CmbSearch[0]->currentText(), "ca");
    EXPECT_EQ(v->TextoCelda(v->FilaSeleccionada(), 1), "Caja chica");
    Tecla(v->ListView1, Qt::Key_Backspace);
    EXPECT_EQ(v->CmbSearch[0]->currentText(), "c");
}

TEST_F(Ventana, F5ConLikeAntesDelOrdenYDespuesAnd) {
    auto v = Abrir("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY DESCRIPCION");
    v->CfgUsaConsultaLIKE = true;
    Escribir(*v, 1, "caja");
    F5(*v, 1);
    EXPECT_EQ(v->SentenciaBase(),
              "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS  where DESCRIPCION "
              "like '%caja%' ORDER BY DESCRIPCION  ");
    EXPECT_EQ(v->FilasLeidas(), 2);
    EXPECT_EQ(v->CmbSearch[1]->currentText(), "");
    Escribir(*v, 0, "6");
    F5(*v, 0);
    EXPECT_NE(v->SentenciaBase().find("'%caja%'  and CODIGO like '%6%' ORDER BY"),
              std::string::npos)
        << v->SentenciaBase();
    EXPECT_EQ(v->FilasLeidas(), 1);
    // Nueva Busqueda brings the first statement back.
    v->NuevaBusqueda();
    EXPECT_EQ(v->FilasLeidas(), 7);
}

TEST_F(Ventana, F5PorPrefijoConAsteriscoYApostrofe) {
    auto v = Abrir("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
    Escribir(*v, 1, "c*gr");
    F5(*v, 1);
    EXPECT_NE(v->SentenciaBase().find(" where DESCRIPCION like 'c%gr%' ORDER BY"),
              std::string::npos);
    ASSERT_EQ(v->FilasLeidas(), 1);
    EXPECT_EQ(v->TextoCelda(0, 2), "Caja grande");

    v->NuevaBusqueda();
    Escribir(*v, 1, "o'hara");
    F5(*v, 1);
    EXPECT_TRUE(p->dialogos.empty()) << p->dialogos[0].texto;
    ASSERT_EQ(v->FilasLeidas(), 1);
    EXPECT_EQ(v->TextoCelda(0, 1), "5");
}

TEST_F(Ventana, CampoDe200CaracteresOcupa60) {
    std::string campos;
    for (int i = 1; i <= 11; ++i) campos += "C" + std::to_string(i) + " VARCHAR(5), ";
    Sql("CREATE TABLE ANCHA (" + campos + "LARGO VARCHAR(200), IMPORTE MONEY)");
    Sql("INSERT INTO ANCHA (C1, LARGO, IMPORTE) VALUES ('a', 'texto', 1.5)");
    auto v = Abrir("SELECT C1,C2,C3,C4,C5,C6,C7,C8,C9,C10,LARGO,IMPORTE FROM ANCHA");
    ASSERT_EQ(v->Modelo->columnCount(), 12);
    const QFontMetrics m(v->ListView1->font());
    EXPECT_EQ(v->ListView1->columnWidth(10), m.horizontalAdvance(QString(60, 'X')));
    EXPECT_EQ(v->ListView1->columnWidth(0), m.horizontalAdvance(QString(5, 'X')));
    EXPECT_EQ(v->ListView1->columnWidth(11), m.horizontalAdvance(QString(12, 'X')));
    // Each search box sits on its column.
    EXPECT_EQ(v->CmbSearch[10]->x(), v->ListView1->header()->sectionPosition(10));
}

TEST_F(Ventana, ArchivoDeAnchosGuardaEstaFuenteYConservaLasOtras) {
    {
        std::ofstream f(carpeta / anchos::kArchivo, std::ios::binary);
        f << "\"V_TA_CPTE\",\"1500|900|\"\r\n\"MA_CUENTAS\",\"1500|3000|4500|\"\r\n";
    }
    auto v = Abrir("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
    // The saved widths were applied (twips -> pixels).
    EXPECT_EQ(v->ListView1->columnWidth(0), 100);
    EXPECT_EQ(v->ListView1->columnWidth(1), 200);
    v->ListView1->setColumnWidth(1, 150);
    v->GrabarCfg = true;
    v->Descargar();
    std::ifstream f(carpeta / anchos::kArchivo, std::ios::binary);
    std::string todo((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(todo, "\"V_TA_CPTE\",\"1500|900|\"\r\n\"MA_CUENTAS\",\"1500|2250|\"\r\n");
}

TEST_F(Ventana, ProgramaInstaladoGuardaLosAnchosEnLaCarpetaDelUsuario) {
    // Installed on the system: the program's own width file goes to the user's data folder and
    // is read back from there by the next window.
    p->rutaEjecutable = "/usr/lib/asientos-modelo-prueba/asientos-modelo";
    const VariableEntorno datos("XDG_DATA_HOME", (carpeta / "datos").string());
    const auto abrirSinCarpeta = [this] {
        auto v = Abrir("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
        v->CarpetaAplicacion.clear();
        v->Cargar();
        return v;
    };
    {
        auto v = abrirSinCarpeta();
        v->ListView1->setColumnWidth(1, 150);
        v->GrabarCfg = true;
        v->Descargar();
    }
    const auto archivo = carpeta / "datos" / "asientos-modelo" / anchos::kArchivo;
    std::ifstream f(archivo, std::ios::binary);
    const std::string todo((std::istreambuf_iterator<char>(f)), {});
    EXPECT_NE(todo.find("\"MA_CUENTAS\",\""), std::string::npos) << archivo;
    EXPECT_NE(todo.find("|2250|"), std::string::npos) << todo;
    EXPECT_EQ(abrirSinCarpeta()->ListView1->columnWidth(1), 150);
    EXPECT_FALSE(std::filesystem::exists("/usr/lib/asientos-modelo-prueba"));
}

TEST_F(Ventana, MarcasEspacioMarcarYOrdenPorEncabezado) {
    auto v = Abrir("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE Nivel = 1 ORDER BY CODIGO");
    v->CheckBoxes = true;
    v->ValoresDefault = "2,3";
    v->Cargar();
    EXPECT_FALSE(v->Modelo->Filas()[0].Marcada);
    EXPECT_TRUE(v->Modelo->Filas()[1].Marcada);
    v->ListView1->setCurrentIndex(v->Modelo->index(0, 0));
    Tecla(v->ListView1, Qt::Key_Space);
    EXPECT_TRUE(v->Modelo->Filas()[0].Marcada);
    v->Marcar();
    EXPECT_FALSE(v->Modelo->Filas()[0].Marcada);
    v->Marcar();
    v->Valores.emplace();
    v->Aceptar();
    EXPECT_EQ(*v->Valores, (std::vector<std::string>{"1", "2", "3"}));
    v->show();

    QTest::mouseClick(v->ListView1->header()->viewport(), Qt::LeftButton, {},
                      QPoint(v->ListView1->header()->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(v->TextoCelda(0, 2), "Abaco");
    QTest::mouseClick(v->ListView1->header()->viewport(), Qt::LeftButton, {},
                      QPoint(v->ListView1->header()->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(v->TextoCelda(0, 2), "Zapatos");
}

// A row chosen by typing stays chosen through sorts by either column: Enter returns it.
TEST_F(Ventana, OrdenarPorEncabezadoConservaLaFilaElegida) {
    auto v = Abrir("SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS ORDER BY CODIGO");
    Escribir(*v, 0, "caja g");
    ASSERT_EQ(v->TextoCelda(v->FilaSeleccionada(), 2), "6");
    for (int columna : {1, 0, 0}) {
        QTest::mouseClick(v->ListView1->header()->viewport(), Qt::LeftButton, {},
                          QPoint(v->ListView1->header()->sectionViewportPosition(columna) + 5, 5));
        ASSERT_GE(v->FilaSeleccionada(), 0) << columna;
        EXPECT_EQ(v->TextoCelda(v->FilaSeleccionada(), 2), "6");
    }
    EXPECT_NE(v->FilaSeleccionada(), 5);  // it did move
    v->Valores.emplace();
    Tecla(v->CmbSearch[0]->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(v->ValorDevuelto, std::optional<std::string>("6"));
}

TEST_F(Ventana, TeclasDeCantidad) {
    auto v = Abrir("SELECT CODIGO, '0.00' AS \"**Cantidad**\" FROM MA_CUENTAS ORDER BY CODIGO");
    v->UsaCantidades = true;
    v->CheckBoxes = true;
    v->Cargar();
    v->ListView1->setCurrentIndex(v->Modelo->index(0, 0));
    Tecla(v->ListView1, Qt::Key_Insert);
    Tecla(v->ListView1, Qt::Key_Insert);
    EXPECT_EQ(v->TextoCelda(0, 2), "2.0");
    EXPECT_TRUE(v->Modelo->Filas()[0].Marcada);
    Tecla(v->ListView1, Qt::Key_Delete);
    Tecla(v->ListView1, Qt::Key_Delete);
    EXPECT_EQ(v->TextoCelda(0, 2), "0.00");
    EXPECT_FALSE(v->Modelo->Filas()[0].Marcada);
    p->entradas.push_back("7,25");
    Tecla(v->ListView1, Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(p->preguntas.size(), 1u);
    EXPECT_EQ(p->preguntas[0].texto, "Ingrese la Cantidad del Articulo...");
    EXPECT_EQ(p->preguntas[0].titulo, "Carga de Datos");
    EXPECT_EQ(v->TextoCelda(0, 2), "7.25");
    EXPECT_TRUE(v->Modelo->Filas()[0].Marcada);
}

TEST_F(Ventana, F12RegistraElFaltanteConLaPreguntaExacta) {
    Sql("INSERT INTO V_MA_ARTICULOS (IdArticulo, Descripcion, PUNTOPEDIDO, Stock) VALUES "
        "('A1', 'Tornillo O''Brien', 10, 3)");
    db.gUsuario = "ANA";
    auto v = Abrir("SELECT IdArticulo, Descripcion, PUNTOPEDIDO, Stock FROM VT_MA_ARTICULOS");
    ASSERT_TRUE(v->EsListaArticulos());
    v->ListView1->setCurrentIndex(v->Modelo->index(0, 0));
    p->respuestas.push_back(respuesta::kSi);
    Tecla(v->ListView1, Qt::Key_F12);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].texto,
              "Desea informar el articulo A1 Tornillo O'Brien\ncomo un faltante de stock?");
    EXPECT_EQ(p->dialogos[0].titulo, "Atención!");
    EXPECT_EQ(p->dialogos[0].estilo, 36);
    Recordset rs = db.gCnn.Execute("SELECT IdArticulo, Descripcion, Usuario FROM V_MV_FALTANTES");
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs.Fields(0).Texto(), std::string("A1") + std::string(23, ' '));
    EXPECT_EQ(rs.Fields(1).Texto(), "Tornillo O'Brien");
    EXPECT_EQ(rs.Fields(2).Texto(), "ANA");
}

TEST_F(Ventana, ColoresDeStockEnListasDeArticulos) {
    Sql("INSERT INTO V_MA_ARTICULOS (IdArticulo, Descripcion, PUNTOPEDIDO, Stock) VALUES "
        "('A1', 'uno', 0, 5), ('A2', 'dos', 10, 3)");
    auto v = std::make_unique<Lib_FrmCons3>(db);
    v->sql = "SELECT IdArticulo, PUNTOPEDIDO, Stock FROM VT_MA_ARTICULOS ORDER BY IdArticulo";
    v->MuestraStock = "si";
    v->StkNivel1 = "255";       // red
    v->StkNivel3 = "16711680";  // blue
    v->Cargar();
    ASSERT_EQ(v->FilasLeidas(), 2);
    EXPECT_EQ(v->Modelo->Filas()[0].Color, QColor(255, 0, 0));
    EXPECT_EQ(v->Modelo->Filas()[1].Color, QColor(0, 0, 255));
}

}  // namespace
