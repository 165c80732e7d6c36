// The templates sheet, the helper form operations on widgets and the appearance choice.
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>

#include "Formularios.h"
#include "Planilla.h"
#include "Recordset.h"
#include "VentanaPrueba.h"

using namespace data;
using namespace editor;

namespace {

TEST_F(VentanaTest, SheetListsEveryTemplateLineWithItsAccount) {
    TextosPlanilla vistos;
    frm->MostrarHoja = [&](VentanaPlanilla& v) {
        EXPECT_EQ(v.windowTitle(), "Asientos Modelo");
        vistos = v.DatosVisibles();
        // Amounts right-aligned, and the window opens with every column whole, or as wide as
        // the screen allows.
        const QAbstractItemModel* m = v.Tabla()->model();
        EXPECT_TRUE(m->index(0, 6).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        EXPECT_FALSE(m->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        int columnas = 0;
        for (int c = 0; c < m->columnCount(); ++c) columnas += v.Tabla()->columnWidth(c);
        const int pantalla = v.screen()->availableGeometry().width();
        EXPECT_TRUE(v.width() > columnas || v.width() == pantalla) << v.width() << " " << columnas;
        EXPECT_EQ(v.parentWidget(), frm.get());
    };
    Tecla(Qt::Key_F6);
    ASSERT_EQ(vistos.Columnas.size(), 7u);
    EXPECT_EQ(vistos.Columnas[0], "NOMBRE");
    ASSERT_EQ(vistos.Filas.size(), 17u);
    EXPECT_EQ(vistos.Filas[0][0], "ALQUILERES");
    EXPECT_EQ(vistos.Filas[0][1], "5.3.02.003");
    EXPECT_EQ(vistos.Filas[0][5], "Alquiler del mes");
    EXPECT_EQ(vistos.Filas[0][6], "150000.00") << "amounts as the program shows them";
    EXPECT_EQ(vistos.Filas[16][0], "SUELDOS");
}

TEST_F(VentanaTest, SheetSortsNumbersAsNumbersAndExportsCsv) {
    const DatosPlanilla d = DatosPlanilla::DeTextos(
        {"NOMBRE", "IMPORTE"}, {{"b", "100"}, {"a, \"x\"", "9"}, {"c", "25.5"}});
    VentanaPlanilla v("Prueba", d);
    v.Tabla()->sortByColumn(1, Qt::AscendingOrder);
    const auto orden = v.DatosVisibles();
    EXPECT_EQ(orden.Filas[0][1], "9");
    EXPECT_EQ(orden.Filas[1][1], "25.5");
    EXPECT_EQ(orden.Filas[2][1], "100");

    QTemporaryDir dir;
    const QString archivo = dir.filePath("planilla.csv");
    ASSERT_TRUE(v.Exportar(archivo));
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(),
              "NOMBRE,IMPORTE\r\n\"a, \"\"x\"\"\",9\r\nc,25.5\r\nb,100\r\n");
    EXPECT_FALSE(v.Exportar(dir.filePath("no/existe/planilla.csv")));
    v.Copiar();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "NOMBRE\tIMPORTE\na, \"x\"\t9\nc\t25.5\nb\t100\n");
}

TEST_F(VentanaTest, SheetFailureGoesToTheErrorDialog) {
    plataforma->Esperar("no such table: NO_EXISTE", respuesta::kAbortar);
    bool mostrada = false;
    MostrarPlanilla("SELECT * FROM NO_EXISTE", db.gConnString, "x", nullptr,
                    [&](VentanaPlanilla&) { mostrada = true; });
    EXPECT_FALSE(mostrada);
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].titulo, "Error en MostrarPlanilla");
}

TEST(FormulariosTest, KeysAndFilters) {
    AplicacionDePrueba();
    EXPECT_TRUE(EsTeclaDeAvance(13));
    EXPECT_FALSE(EsTeclaDeAvance(9));
    QLineEdit t;
    EXPECT_EQ(FiltrarTecla(&t, 13), 0);
    EXPECT_EQ(FiltrarTecla(&t, 8), 8);
    EXPECT_EQ(FiltrarTecla(&t, 1), 0);
    EXPECT_EQ(FiltrarTecla(&t, 'a'), 'a');
    t.setReadOnly(true);
    EXPECT_EQ(FiltrarTecla(&t, 'a'), 0);
    EXPECT_EQ(FiltrarTecla(nullptr, 'a'), 0);
}

TEST(FormulariosTest, ClearFindAndFillControls) {
    AplicacionDePrueba();
    QWidget ventana;
    auto* a = new QLineEdit("uno", &ventana);
    auto* b = new QLineEdit("dos", &ventana);
    auto* combo = new QComboBox(&ventana);
    combo->setEditable(true);
    combo->setEditText("tres");
    a->setObjectName("BrwTxt");
    a->setProperty(formularios::kCampoDatos, "CUENTA");
    b->setProperty(formularios::kCampoDatos, "tc");
    LimpiarControles(&ventana, "brwtxt");
    EXPECT_EQ(a->text(), "");
    EXPECT_EQ(b->text(), "dos");
    LimpiarControles(&ventana);
    EXPECT_EQ(b->text(), "");
    EXPECT_EQ(combo->currentText(), "");
    EXPECT_EQ(IndiceDeCampo("TC", {a, b}), 1);
    EXPECT_EQ(IndiceDeCampo("NOMBRE", {a, b}), -1);
}

TEST_F(VentanaTest, ControlsFilledFromARecordsetRow) {
    Recordset rs;
    std::string sql = "SELECT NOMBRE, tcdefault AS TC FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS'";
    db.AbrirRecordset(sql, rs);
    ASSERT_EQ(rs.State(), 1);
    QLineEdit nombre, tc, libre;
    nombre.setProperty(formularios::kCampoDatos, "nombre");
    tc.setProperty(formularios::kCampoDatos, "TC");
    libre.setText("queda");
    CamposDesdeRegistro({&nombre, &tc, &libre}, rs);
    EXPECT_EQ(nombre.text(), "SUELDOS");
    EXPECT_EQ(tc.text(), "AS");
    EXPECT_EQ(libre.text(), "queda");
}

}  // namespace
