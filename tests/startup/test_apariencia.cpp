// Skin choice, the program's skins and the window icon / toolbar look. Each test "installs"
// the program in a temporary folder of its own (the scripted platform's executable path) and
// copies the shipped skins there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>

#include "Apariencia.h"
#include "EleccionPiel.h"
#include "ErrorEjecucion.h"
#include "AplicacionDePrueba.h"
#include "EstiloPrograma.h"
#include "PlataformaGuionada.h"

namespace fs = std::filesystem;

namespace {


class AparienciaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AplicacionDePrueba();
        static std::atomic<int> n{0};
        carpeta = fs::temp_directory_path() /
                  ("apariencia_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
        fs::remove_all(carpeta);
        fs::create_directories(carpeta / "config");
        ::setenv("XDG_CONFIG_HOME", (carpeta / "config").c_str(), 1);
        fs::copy(ASIENTOS_PIELES_FUENTE, carpeta / "Styles", fs::copy_options::recursive);
        p->rutaEjecutable = (carpeta / "asientos-modelo").string();
        p->usuario = "operador1";
        estiloAntes = startup::NombreDelEstilo(*QApplication::style());
        paletaAntes = QApplication::palette();
    }
    void TearDown() override {
        qApp->setStyleSheet({});
        QApplication::setStyle(estiloAntes);
        QApplication::setPalette(paletaAntes);
        fs::remove_all(carpeta);
    }

    void Escribir(const fs::path& ruta, const std::string& contenido) {
        fs::create_directories(ruta.parent_path());
        std::ofstream(ruta, std::ios::binary | std::ios::trunc) << contenido;
    }
    /// ld000pr.ini in the program's folder with the given sections' "Styles" values.
    void Estilos(std::initializer_list<std::pair<const char*, const char*>> secciones) {
        std::string ini;
        for (const auto& [seccion, valor] : secciones)
            ini += std::string("[") + seccion + "]\nStyles=" + valor + "\n";
        Escribir(carpeta / "ld000pr.ini", ini);
    }

    ConPlataformaGuionada p;
    fs::path carpeta;
    QString estiloAntes;
    QPalette paletaAntes;
};

// A window of a given class name, for the FRMMDI rule.
class FRMMDI : public QWidget {
    Q_OBJECT
};
class FrmMa_Modelo : public QWidget {
    Q_OBJECT
};

// A toolbar with the flat-look property, as the command toolbar has it.
class BarraPrueba : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool StyleBar MEMBER plana)
  public:
    using QWidget::QWidget;
    bool plana = false;
};

}  // namespace

TEST_F(AparienciaTest, LaPielSaleDelValorDelUsuario) {
    const struct {
        const char* usuario;
        bool hayArchivo;
        const char* valor;  // in the user's section; nullptr: no section for the user
        const char* piel;
        const char* ajustes;
    } casos[] = {
        {"operador1", false, nullptr, "Styles\\Vista.cjstyles", ""},
        {"operador1", true, nullptr, "Styles\\Vista.cjstyles", ""},
        {"operador1", true, "2", "Styles\\WinXP.Luna.cjstyles", ""},
        {"Operador1", true, " 3 ", "Styles\\WinXP.Royale.cjstyles", ""},
        {"operador1", true, "4", "Styles\\iTunes", "Normalitunes.ini"},
        {"operador1", true, "7", "Styles\\Office2007.cjstyles", ""},
        {"operador1", true, "x", "Styles\\Office2007.cjstyles", ""},
        {"operador1", true, "-1", "Styles\\Office2007.cjstyles", ""},
        // 65537 would wrap round to 1 in 16 bits; out of range is "any other value".
        {"operador1", true, "65537", "Styles\\Office2007.cjstyles", ""},
        // The other user of the machine has a section of his own.
        {"cajero", true, "3", "Styles\\WinXP.Luna.cjstyles", ""},
    };
    for (const auto& c : casos) {
        fs::remove(carpeta / "ld000pr.ini");
        if (c.hayArchivo) {
            if (c.valor)
                Estilos({{"OPERADOR1Styles", c.valor}, {"CAJEROStyles", "2"}});
            else
                Estilos({{"OTROStyles", "3"}});
        }
        p->usuario = c.usuario;
        const startup::ArchivoPiel a =
            startup::ArchivoDePiel(startup::NumeroDeEstilo(startup::ValorEstiloUsuario()));
        EXPECT_EQ(a.Piel, c.piel) << c.usuario << " " << (c.valor ? c.valor : "(nada)");
        EXPECT_EQ(a.Ajustes, c.ajustes) << c.usuario << " " << (c.valor ? c.valor : "(nada)");
    }
}

TEST_F(AparienciaTest, CadaPielDaSuPropiaAparienciaALaAplicacion) {
    const struct {
        const char* valor;
        const char* archivo;  // relative to the program's folder
        const char* estiloQt;
    } casos[] = {
        {"1", "Styles/Vista.cjstyles", "fusion"},
        {"2", "Styles/WinXP.Luna.cjstyles", "windows"},
        {"3", "Styles/WinXP.Royale.cjstyles", "fusion"},
        {"4", "Styles/iTunes", "fusion"},
        {"9", "Styles/Office2007.cjstyles", "fusion"},
    };
    std::set<QRgb> fondos, barras, superficies;
    for (const auto& c : casos) {
        Estilos({{"OPERADOR1Styles", c.valor}});
        QWidget ventana;
        startup::AplicarEstilo(ventana);
        EXPECT_EQ(ventana.property("archivoEstilo").toString().toStdString(),
                  (carpeta / c.archivo).string());
        const auto ruta = (carpeta / c.archivo).string();
        EXPECT_EQ(startup::CargarPiel(ruta, c.valor == std::string("4") ? "Normalitunes.ini" : "")
                      .estiloQt.toLower(),
                  c.estiloQt)
            << c.valor;
        // The window wears the application's look once it is shown.
        ventana.show();
        QApplication::processEvents();
        EXPECT_EQ(ventana.palette().color(QPalette::Window),
                  QApplication::palette().color(QPalette::Window));
        // Every widget of every window shares the application's palette, not a copy of its own
        // (what is kept by palette serves every window).
        QWidget otra;
        QWidget hija(&otra);
        EXPECT_EQ(hija.palette().cacheKey(), QApplication::palette().cacheKey()) << c.valor;
        fondos.insert(QApplication::palette().color(QPalette::Window).rgb());
        barras.insert(QApplication::palette().color(QPalette::Highlight).rgb());
        // The program's style over the skin's Qt style paints the skin's bar, headings and
        // grid; no sheet.
        EXPECT_TRUE(qApp->styleSheet().isEmpty()) << c.valor;
        const auto* estilo = qobject_cast<startup::EstiloPrograma*>(QApplication::style());
        ASSERT_TRUE(estilo) << c.valor;
        EXPECT_EQ(startup::NombreDelEstilo(*estilo).toLower(), c.estiloQt) << c.valor;
        const startup::PinturaPiel& a = estilo->Pintura();
        EXPECT_FALSE(a.barraFondo.Vacio() || a.encabezadoFondo.Vacio() || !a.botonTexto.isValid() ||
                     !a.marcoBorde.isValid() || !a.grillaLineas.isValid())
            << c.valor;
        if (!a.barraFondo.Vacio()) superficies.insert(a.barraFondo.paradas.front().second.rgb());
    }
    EXPECT_EQ(fondos.size(), 5u);
    EXPECT_EQ(superficies.size(), 5u);
    EXPECT_GE(barras.size(), 4u);
}

TEST_F(AparienciaTest, UnaPielDefectuosaNoCambiaNadaYDiceQueFalta) {
    const fs::path vista = carpeta / "Styles" / "Vista.cjstyles";
    const struct {
        const char* valor;
        std::function<void()> danar;
        long numero;
        std::string mencion;  // part of the description
    } casos[] = {
        {"1", [&] { fs::remove(vista); }, 53, "Vista.cjstyles"},
        {"4", [&] { fs::remove(carpeta / "Styles" / "iTunes" / "Normalitunes.ini"); }, 53,
         "Normalitunes.ini"},
        {"1", [&] { Escribir(vista, "[Piel]\nHoja=Falta.qss\n"); }, 53, "Falta.qss"},
        {"1", [&] { Escribir(vista, "[Piel]\nEstilo=Aqua\n"); }, 5, "\"Aqua\""},
        {"1", [&] { Escribir(vista, "[Piel]\nEstilo=Fusion\n[Paleta]\nWindow=azulado\n"); }, 5,
         "azulado"},
        {"1", [&] { Escribir(vista, "[Piel]\n[Encabezados]\nFondo=#ffffff 0, #dde8f5\n"); }, 5,
         "[Encabezados] Fondo"},
    };
    for (const auto& c : casos) {
        fs::remove_all(carpeta / "Styles");
        fs::copy(ASIENTOS_PIELES_FUENTE, carpeta / "Styles", fs::copy_options::recursive);
        Estilos({{"OPERADOR1Styles", c.valor}});
        c.danar();
        qApp->setStyleSheet("QLabel { color: red; }");
        const QColor fondo = QApplication::palette().color(QPalette::Window);
        QWidget ventana;
        try {
            startup::AplicarEstilo(ventana);
            ADD_FAILURE() << "sin error: " << c.mencion;
        } catch (const ErrorEjecucion& e) {
            EXPECT_EQ(e.Numero(), c.numero) << c.mencion;
            EXPECT_NE(e.Descripcion().find(c.mencion), std::string::npos) << e.Descripcion();
        }
        EXPECT_EQ(qApp->styleSheet(), "QLabel { color: red; }") << c.mencion;
        EXPECT_EQ(QApplication::palette().color(QPalette::Window), fondo) << c.mencion;
        EXPECT_FALSE(ventana.property("archivoEstilo").isValid()) << c.mencion;
    }
}

TEST_F(AparienciaTest, IconoYBarrasSegunLaVentana) {
    const struct {
        bool mdi;
        const char* icono;  // IconoDelSistema; nullptr: no LD000p.INI
        bool conUtilPanel1, conTBarRep1, conUtil0011;
        bool planas;
        bool iconoCambia;
    } casos[] = {
        {false, nullptr, true, false, false, true, true},  // ICONPANEL by default
        {false, "iconlibro", true, true, true, false, true},
        {false, "NOEXISTE", true, true, false, true, false},
        {false, "ICONCALCULADORA", false, false, true, false, true},
        {false, "ICONPANEL", false, false, false, true, true},  // no toolbar at all
        {true, "ICONLIBRO", true, true, true, true, true},      // FRMMDI: icon only
        {true, "NOEXISTE", true, false, false, false, false},
    };
    QPixmap marca(32, 32);
    marca.fill(Qt::magenta);
    for (const auto& c : casos) {
        fs::remove(carpeta / "LD000p.INI");
        if (c.icono)
            Escribir(carpeta / "LD000p.INI",
                     std::string("[Iconos]\nIconoDelSistema=") + c.icono + "\n");
        std::unique_ptr<QWidget> ventana;
        if (c.mdi)
            ventana = std::make_unique<FRMMDI>();
        else
            ventana = std::make_unique<FrmMa_Modelo>();
        ventana->setWindowIcon(QIcon(marca));
        const qint64 iconoAntes = ventana->windowIcon().cacheKey();
        std::map<std::string, BarraPrueba*> barras;
        auto* marco = new QWidget(ventana.get());  // controls may sit inside frames
        if (c.conUtilPanel1) barras["UtilPanel1"] = new BarraPrueba(marco);
        if (c.conUtil0011) barras["Util0011"] = new BarraPrueba(ventana.get());
        for (auto& [nombre, barra] : barras) {
            barra->setObjectName(QString::fromStdString(nombre));
            barra->plana = !c.planas;
        }
        QWidget* sinPropiedad = nullptr;
        if (c.conTBarRep1) {  // a control of that name without the property
            sinPropiedad = new QWidget(ventana.get());
            sinPropiedad->setObjectName("TBarRep1");
        }
        p->eventosProcesados = 0;

        startup::AplicarIcono(*ventana, c.planas);

        const std::string fila = std::string(c.mdi ? "FRMMDI " : "") + (c.icono ? c.icono : "-");
        if (c.iconoCambia) {
            const std::string id = c.icono ? c.icono : "ICONPANEL";
            EXPECT_EQ(ventana->windowIcon().pixmap(32).toImage(),
                      startup::IconoDelPrograma(id).pixmap(32).toImage())
                << fila;
        } else {
            EXPECT_EQ(ventana->windowIcon().cacheKey(), iconoAntes) << fila;
        }
        for (auto& [nombre, barra] : barras)
            EXPECT_EQ(barra->plana, c.mdi ? !c.planas : c.planas) << fila << " " << nombre;
        if (sinPropiedad) {
            EXPECT_FALSE(sinPropiedad->property("StyleBar").isValid()) << fila;
        }
        EXPECT_EQ(p->eventosProcesados, c.mdi ? 0 : 1) << fila;
        EXPECT_TRUE(p->dialogos.empty()) << fila;
    }
}

TEST_F(AparienciaTest, VentanaMayorQueLaPantallaSeAjustaAElla) {
    QWidget ventana;
    const QRect libre = ventana.screen()->availableGeometry();
    for (const QRect& antes : {QRect(libre.left() + 200, libre.top() + 100, libre.width() * 2, 50),
                               QRect(libre.left() + 10, libre.top() + 10, 200, 100)}) {
        ventana.setGeometry(antes);
        startup::PrepararVentana(ventana);
        EXPECT_TRUE(libre.contains(ventana.frameGeometry())) << antes.width();
        if (libre.contains(antes)) {
            EXPECT_EQ(ventana.geometry(), antes);  // fits: left alone
        }
    }
}

#include "test_apariencia.moc"

using namespace helperlib;
using namespace startup;
