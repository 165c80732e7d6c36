// The driver opening real list windows: the window receives the statement and settings, the
// results come back (accepted, accepted without a selection, cancelled), the one-shot settings
// are reset after every search, and the option dialogs.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

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

}  // namespace
