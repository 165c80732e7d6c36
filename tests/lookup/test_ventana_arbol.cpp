// The tree window with real widgets and real key events on the offscreen platform: what Aceptar
// returns for each returned field, checks that reach six levels down, the incremental search,
// F5 with an apostrophe, and the driver opening the family tree from the embedded database.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "Lib_ClsCons3.h"
#include "Lib_FrmCons3Tree.h"
#include "ModeloArbol.h"
#include "base_consultas.h"

using namespace helperlib;
using namespace startup;
using namespace lookup;

namespace lookup {
namespace {

class VentanaArbol : public ConBaseConsultas {
  protected:
    std::unique_ptr<Lib_FrmCons3Tree> Abrir(const std::string& sql, const std::string& campo,
                                            bool marcas = false) {
        auto v = std::make_unique<Lib_FrmCons3Tree>(db);
        v->sql = sql;
        v->CampoDevuelto = campo;
        v->CheckBoxes = marcas;
        v->Cargar();
        v->show();
        return v;
    }
    static int Nodo(const Lib_FrmCons3Tree& v, const std::string& codigo) {
        return v.Arbol().Buscar("A" + codigo);
    }
    static void Elegir(Lib_FrmCons3Tree& v, const std::string& codigo) {
        v.TreeV->setCurrentIndex(v.Modelo->IndiceDe(Nodo(v, codigo)));
    }
    int Consultas(const std::string& tabla) const {
        int n = 0;
        for (const auto& s : enviadas) n += s.find("FROM " + tabla + " ") != std::string::npos;
        return n;
    }
};

TEST_F(VentanaArbol, AceptarDevuelveElCodigoHalladoEnSuTabla) {
    Sql("INSERT INTO V_TA_FAMILIAS (IdFamilia, Descripcion) VALUES ('1', 'Almacen'), "
        "('11', 'Bebidas'), ('12', 'Lacteos')");
    Sql("INSERT INTO MA_POSICIONES (IDPOSICION, Descripcion) VALUES ('2204', 'Vino')");
    Sql("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('01', 'Administracion')");
    Sql("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1.1', 'Caja')");
    const char* kCodigos = "SELECT '01', 'a' UNION SELECT '1.1', 'b' UNION SELECT '9', 'c'";
    const struct {
        const char* campo;
        const char* sql;
        const char* codigo;
        const char* borrar;  // run between loading and Aceptar
        std::optional<std::string> valor;
        int consultasCuentas;
    } casos[] = {
        {"IDFAMILIA", "SELECT * FROM V_TA_FAMILIAS", "11", "", "11", 0},
        {"idfamilia", "SELECT * FROM V_TA_FAMILIAS", "11",
         "DELETE FROM V_TA_FAMILIAS WHERE IdFamilia = '11'", "", 0},
        {"IDPOSICION", "SELECT IDPOSICION, Descripcion FROM MA_POSICIONES", "2204", "", "2204", 0},
        {"CODIGO", kCodigos, "01", "", "01", 0},
        {"CODIGO", kCodigos, "1.1", "", "1.1", 1},
        {"CODIGO", kCodigos, "9", "", "", 1},
        {"DESCRIPCION", kCodigos, "01", "", std::nullopt, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " " + c.codigo);
        auto v = Abrir(c.sql, c.campo);
        if (*c.borrar) Sql(c.borrar);
        Elegir(*v, c.codigo);
        enviadas.clear();
        QTest::keyClick(v->TreeV, Qt::Key_Return);
        EXPECT_EQ(v->ValorDevuelto, c.valor);
        EXPECT_EQ(Consultas("MA_CUENTAS"), c.consultasCuentas);
        EXPECT_FALSE(v->isVisible());
    }
}

TEST_F(VentanaArbol, AceptarConMarcasDevuelveLosMarcadosEnOrden) {
    Sql("INSERT INTO MA_POSICIONES (IDPOSICION, Descripcion) VALUES ('22', 'Bebidas')");
    const char* kSql = "SELECT '22', 'a' UNION SELECT '3', 'b' UNION SELECT '31', 'c'";
    const struct {
        const char* campo;
        std::vector<std::string> valores;
    } casos[] = {{"CODIGO", {"22", "3", "31"}},
                 {"IDFAMILIA", {"22", "3", "31"}},
                 {"IDPOSICION", {"22"}},
                 {"DESCRIPCION", {}}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.campo);
        auto v = Abrir(kSql, c.campo, true);
        Elegir(*v, "22");
        QTest::keyClick(v->TreeV, Qt::Key_Space);
        Elegir(*v, "3");  // checks 31 too
        QTest::keyClick(v->TreeV, Qt::Key_Space);
        v->Aceptar();
        EXPECT_EQ(v->Valores, c.valores);
    }
}

TEST_F(VentanaArbol, MarcarLlegaSeisNivelesAbajoYNoSiete) {
    std::string sql = "SELECT '1', 'n1'";
    for (std::string c = "11"; c.size() <= 8; c += "1") sql += " UNION SELECT '" + c + "', 'n'";
    auto v = Abrir(sql, "CODIGO", true);
    const auto marcado = [&](const std::string& codigo) {
        return v->Arbol()[Nodo(*v, codigo)].marcado;
    };
    Elegir(*v, "11111111");
    QTest::keyClick(v->TreeV, Qt::Key_Space);
    Elegir(*v, "1");
    QTest::keyClick(v->TreeV, Qt::Key_Space);
    EXPECT_TRUE(marcado("1"));
    EXPECT_TRUE(marcado("1111111"));  // six levels below
    QTest::keyClick(v->TreeV, Qt::Key_Space);
    EXPECT_FALSE(marcado("1"));
    EXPECT_FALSE(marcado("11"));
    EXPECT_FALSE(marcado("1111111"));
    EXPECT_TRUE(marcado("11111111"));  // the seventh level keeps its own state
    Elegir(*v, "");                    // the root: it is no code, so it returns nothing
    QTest::keyClick(v->TreeV, Qt::Key_Space);
    v->Aceptar();
    EXPECT_EQ(v->Valores,
              (std::vector<std::string>{"1", "11", "111", "1111", "11111", "111111", "11111111"}));
    EXPECT_EQ(v->Modelo->data(v->Modelo->IndiceDe(Nodo(*v, "11111111")), Qt::CheckStateRole),
              QVariant(Qt::Checked));
}

TEST_F(VentanaArbol, EscribirEleEligeElPrimeroQueEmpiezaPorEle) {
    Sql("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1', 'Activo'), "
        "('11', 'Telefonos'), ('2', 'Pasivo'), ('21', 'electricidad a pagar'), "
        "('3', 'ELEMENTOS')");
    auto v = Abrir("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO", "CODIGO");
    QTest::keyClicks(v->CmbSearch->lineEdit(), "ele");
    EXPECT_EQ(v->NodoSeleccionado(), Nodo(*v, "21"));
    EXPECT_TRUE(v->TreeV->isExpanded(v->Modelo->IndiceDe(Nodo(*v, "2"))));
    QTest::keyClicks(v->CmbSearch->lineEdit(), "x");  // no node starts with it
    EXPECT_EQ(v->NodoSeleccionado(), Nodo(*v, "21"));
    v->CmbSearch->setEditText("3");  // by code
    EXPECT_EQ(v->NodoSeleccionado(), Nodo(*v, "3"));
    v->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(v.get()));
    v->CmbSearch->setFocus();
    QTest::keyClick(v->CmbSearch->lineEdit(), Qt::Key_PageDown);
    EXPECT_TRUE(v->TreeV->hasFocus());
}

TEST_F(VentanaArbol, F5ConApostrofeYNuevaBusquedaVuelveAlPrincipio) {
    Sql("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1', 'Activo'), "
        "('11', 'O''Hara y cia'), ('12', 'Caja')");
    const std::string sql = "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO";
    auto v = Abrir(sql, "CODIGO");
    QTest::keyClicks(v->CmbSearch->lineEdit(), "o'h");
    QTest::keyClick(v->CmbSearch->lineEdit(), Qt::Key_F5);
    EXPECT_EQ(v->sql,
              "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS  where Descripcion like "
              "'%o''h%' ORDER BY CODIGO");
    EXPECT_EQ(v->CmbSearch->currentText(), "");
    ASSERT_EQ(v->Arbol().Cantidad(), 2);
    EXPECT_EQ(v->Arbol()[1].texto, "11 - O'Hara y cia");
    EXPECT_TRUE(p->dialogos.empty());
    QTest::mouseClick(v->CmdNueva, Qt::LeftButton);
    EXPECT_EQ(v->sql, sql);
    EXPECT_EQ(v->Arbol().Cantidad(), 4);
}

TEST_F(VentanaArbol, DriverAbreElArbolDeFamiliasYCancelarNoDevuelveNada) {
    Sql("INSERT INTO V_TA_FAMILIAS (IdFamilia, Descripcion) VALUES ('1', 'Almacen'), "
        "('11', 'Bebidas'), ('111', 'Sin alcohol'), ('2', 'Limpieza'), ('05', 'Varios')");
    PreparacionConsultas prep;
    Lib_ClsCons3 d(db, prep);
    std::map<std::string, std::string> padres;
    d.MostrarArbol = [&](Lib_FrmCons3Tree& v) {
        EXPECT_TRUE(v.CheckBoxes);
        for (int n = 1; n < v.Arbol().Cantidad(); ++n)
            padres[v.Arbol().Codigo(n)] = v.Arbol().Codigo(v.Arbol()[n].padre);
        EXPECT_TRUE(v.TreeV->isExpanded(v.Modelo->IndiceDe(0)));
        v.Modelo->setData(v.Modelo->IndiceDe(Nodo(v, "11")), Qt::Checked, Qt::CheckStateRole);
        QTest::mouseClick(v.CmdAceptar, Qt::LeftButton);
    };
    d.Checks = true;
    d.CampoDevuelto = "IDFAMILIA";
    std::string campo, where;
    d.ConsultaSearch("SELECT IdFamilia, Descripcion FROM v_ta_familias", nullptr, "", campo, where,
                     "", true);
    EXPECT_EQ(padres, (std::map<std::string, std::string>{
                          {"05", ""}, {"1", ""}, {"11", "1"}, {"111", "11"}, {"2", ""}}));
    EXPECT_EQ(d.Valores, (std::vector<std::string>{"11", "111"}));
    EXPECT_FALSE(d.Checks);
    EXPECT_EQ(d.CampoDevuelto, "");
    EXPECT_TRUE(p->dialogos.empty());

    d.MostrarArbol = [](Lib_FrmCons3Tree& v) { QTest::keyClick(&v, Qt::Key_Escape); };
    d.ConsultaSearch("SELECT IdFamilia, Descripcion FROM V_TA_FAMILIAS", nullptr, "", campo, where,
                     "", true);
    EXPECT_EQ(d.ValorDevuelto, std::optional<std::string>(""));
    EXPECT_FALSE(d.Valores.has_value());
}

}  // namespace
}  // namespace lookup
