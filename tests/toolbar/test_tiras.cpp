// The toolbar's icon strip follows the user's appearance value in "ld000pr.ini", the strips
// the program ships, and the flat or raised bar.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QToolButton>
#include <fstream>
#include <set>

#include "PlataformaGuionada.h"
#include "TirasPropias.h"
#include "UtilPanel.h"

using namespace toolbar;

namespace {

const char* const kTiras[] = {"ABM2021.bmp", "ABM2021B.bmp", "ABM2021M.bmp", "ABM2021V.bmp",
                              "ABM2021i.bmp"};

// The program "installed" in a temporary folder with the five strips and an ld000pr.ini.
class TiraDelUsuarioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        ASSERT_TRUE(config.isValid());
        ::setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
        p->rutaEjecutable = QDir(carpeta.path()).filePath("asientos-modelo").toStdString();
        p->usuario = "operador1";
        for (const char* t : kTiras)
            ASSERT_TRUE(toolbar::GuardarBmpConAlfa(toolbar::DibujarTira(toolbar::DisenoDeTira(t)),
                                                   QDir(carpeta.path()).filePath(t)));
    }
    void Ini(const std::string& contenido) {
        std::ofstream(QDir(carpeta.path()).filePath("ld000pr.ini").toStdString()) << contenido;
    }
    static QString Nombre(const QString& ruta) { return QFileInfo(ruta).fileName(); }

    ConPlataformaGuionada p;
    QTemporaryDir carpeta, config;
};

}  // namespace

TEST_F(TiraDelUsuarioTest, LaTiraSaleDelValorDelUsuarioAlConstruirYReconstruir) {
    const struct {
        const char* usuario;
        const char* ini;
        const char* tira;
    } casos[] = {
        {"operador1", "", "ABM2021B.bmp"},
        {"Operador1", "[OPERADOR1Styles]\nStyles=2\n", "ABM2021M.bmp"},
        {"operador1", "[OPERADOR1Styles]\nStyles=x\n", "ABM2021.bmp"},
        // Two users of one machine: each reads his own section.
        {"cajero", "[OPERADOR1Styles]\nStyles=2\n[CAJEROStyles]\nStyles=4\n", "ABM2021i.bmp"},
        {"cajero", "[OPERADOR1Styles]\nStyles=2\n", "ABM2021B.bmp"},
    };
    UtilPanel reconstruido;
    for (const auto& c : casos) {
        Ini(c.ini);
        p->usuario = c.usuario;
        UtilPanel panel;
        reconstruido.ActualizarBotones();
        EXPECT_EQ(Nombre(panel.ArchivoIconos()), c.tira) << c.usuario << " " << c.ini;
        EXPECT_EQ(Nombre(reconstruido.ArchivoIconos()), c.tira) << c.usuario << " " << c.ini;
    }
}

TEST(TirasDelPrograma, CincoTirasPropiasConTransparencia) {
    std::set<QByteArray> vistas;
    for (const char* t : kTiras) {
        const QString ruta = QDir(QStringLiteral(ASIENTOS_CARPETA_PROGRAMA)).filePath(t);
        QImageReader lector(ruta);
        const QImage tira = lector.read();
        ASSERT_FALSE(tira.isNull()) << t << ": " << lector.errorString().toStdString();
        EXPECT_TRUE(tira.hasAlphaChannel()) << t;
        ASSERT_EQ(tira.width(), 8 * tira.height()) << t;
        const int lado = tira.height();
        for (int k = 0; k < 8; ++k) {
            // Each image: a transparent corner and an opaque drawing in the middle.
            EXPECT_EQ(qAlpha(tira.pixel(k * lado, 0)), 0) << t << " " << k;
            int opacos = 0;
            for (int x = 0; x < lado; ++x)
                for (int y = 0; y < lado; ++y) opacos += qAlpha(tira.pixel(k * lado + x, y)) > 200;
            EXPECT_GT(opacos, lado * lado / 8) << t << " " << k;
        }
        vistas.insert(
            QByteArray(reinterpret_cast<const char*>(tira.constBits()), tira.sizeInBytes()));
    }
    EXPECT_EQ(vistas.size(), 5u);  // five different strips
}

TEST(BarraPlanaOLevantada, StyleBarLlegaALosBotonesYSobreviveAlReconstruir) {
    UtilPanel panel;
    EXPECT_TRUE(panel.property("StyleBar").toBool());
    for (bool plana : {false, true, false}) {
        ASSERT_TRUE(panel.setProperty("StyleBar", plana));
        for (int id = 1; id <= 8; ++id) EXPECT_EQ(panel.Boton(id)->autoRaise(), plana) << id;
    }
    panel.ActualizarBotones();
    for (int id = 1; id <= 8; ++id) EXPECT_FALSE(panel.Boton(id)->autoRaise()) << id;
}
