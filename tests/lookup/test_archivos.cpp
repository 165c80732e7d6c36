// The saved-query file reader and the column-width file: exact formats, code page, the lines
// of other sources, and damaged files (truncated or random bytes) that must never crash.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "AnchosColumnas.h"
#include "ArchivoConsultas.h"

using namespace lookup;

namespace {

std::string Registro(const std::string& nombre, const std::string& columnas,
                     const std::string& filtro) {
    std::string r(kLargoRegistroConsulta, ' ');
    r.replace(100, nombre.size(), nombre);
    r.replace(200, columnas.size(), columnas);
    r.replace(700, filtro.size(), filtro);
    return r;
}

std::string Leer(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class Carpeta : public ::testing::Test {
  protected:
    void SetUp() override {
        carpeta = std::filesystem::temp_directory_path() /
                  ("lookup_archivos_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(carpeta);
        std::filesystem::create_directories(carpeta);
    }
    void TearDown() override { std::filesystem::remove_all(carpeta); }
    std::filesystem::path carpeta;
};

TEST(ArchivoConsultas, CamposLimpiosYCodigoWindows1252) {
    std::string r = Registro("  Ma_Cuentas", "CODIGO|DESCRIPCI\xd3N|", "Nivel = 1");
    r[150] = '\0';
    r[160] = '\xff';
    r[710] = '\x80';  // inside the blanks after the filter: the euro sign survives
    auto leido = LeerRegistroConsulta(r);
    ASSERT_TRUE(leido);
    EXPECT_EQ(leido->Nombre, "Ma_Cuentas");
    EXPECT_EQ(leido->Columnas, "CODIGO|DESCRIPCIÓN|");
    EXPECT_EQ(leido->Filtro.substr(0, 9), "Nivel = 1");
    EXPECT_NE(leido->Filtro.find("€"), std::string::npos);
    EXPECT_EQ(DeWindows1252("\xf1\x9c"), "ñœ");
}

TEST(ArchivoConsultas, PrimerRegistroQueCoincideSinCasoYRegistroParcialIgnorado) {
    std::stringstream f(Registro("OTRA", "a|b", "") + Registro("ma_cuentas", "x|y", "") +
                        Registro("MA_CUENTAS", "z|w", ""));
    auto r = BuscarConsultaGuardada(f, " MA_CUENTAS ");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Columnas, "x|y");

    // The last record cut short: not read, even though its name is complete.
    std::string truncado =
        Registro("OTRA", "a|b", "") + Registro("CORTADA", "c|d", "").substr(0, 800);
    std::stringstream g(truncado);
    EXPECT_FALSE(BuscarConsultaGuardada(g, "CORTADA"));
    EXPECT_FALSE(LeerRegistroConsulta(std::string(1201, 'x')));
}

TEST_F(Carpeta, ArchivoDeConsultasAusenteNoEsError) {
    EXPECT_FALSE(BuscarConsultaGuardada((carpeta / "no.kxw").string(), "X"));
}

TEST_F(Carpeta, AnchosLineaExactaYOtrasFuentesConservadas) {
    const auto archivo = carpeta / anchos::kArchivo;
    {
        std::ofstream f(archivo, std::ios::binary);
        f << "\"V_TA_CPTE\",\"1500|900|\"\r\n"
          << "\"MA_CUENTAS\",\"1|2|3|4|\"\r\n"
          << "\"VT_CLIENTES\",\"700|\"\r\n";
    }
    anchos::GrabarAnchos(carpeta.string(), "ma_cuentas", {3000, 1200, 450});
    EXPECT_EQ(Leer(archivo),
              "\"V_TA_CPTE\",\"1500|900|\"\r\n\"VT_CLIENTES\",\"700|\"\r\n"
              "\"ma_cuentas\",\"3000|1200|450|\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(carpeta / anchos::kAuxiliar));
    EXPECT_EQ(anchos::AnchosGuardados(archivo.string(), "MA_CUENTAS"),
              (std::vector<int>{3000, 1200, 450}));
    EXPECT_EQ(anchos::AnchosGuardados(archivo.string(), "V_TA_CPTE"),
              (std::vector<int>{1500, 900}));
    EXPECT_FALSE(anchos::AnchosGuardados(archivo.string(), "MA_MODELOS"));
}

TEST_F(Carpeta, AnchosArchivoNuevoYNombreDeArticulos) {
    anchos::GrabarAnchos(carpeta.string(), "Stk_ma_articulos", {100});
    EXPECT_EQ(Leer(carpeta / anchos::kArchivo), "\"VT_MA_ARTICULOS\",\"100|\"\r\n");
    EXPECT_EQ(anchos::AnchosGuardados((carpeta / anchos::kArchivo).string(), "STK_MA_ARTICULOS"),
              (std::vector<int>{100}));
}

TEST(AnchosColumnas, LineasMalFormadas) {
    EXPECT_FALSE(anchos::LeerLinea("sin comillas"));
    EXPECT_FALSE(anchos::LeerLinea("\"abierta,\"1|"));
    EXPECT_FALSE(anchos::LeerLinea("\"a\" \"1|\""));
    auto l = anchos::LeerLinea(" \"a\" , \"1|x|3\"\r");
    ASSERT_TRUE(l);
    EXPECT_EQ(anchos::LeerAnchos(l->Anchos), (std::vector<int>{1, 0}));  // "3" lacks its "|"
}

// Random and truncated input for both readers: they may find nothing, but never crash, never
// read past a record and finish in bounded time.
TEST_F(Carpeta, ArchivosDanadosNoRompenLosLectores) {
    std::mt19937 azar(20240611);
    const std::string valido = Registro("MA_CUENTAS", "CODIGO|DESCRIPCION|", "Nivel = 1") +
                               Registro("V_TA_CPTE", "CODIGO|", "");
    const std::string lineaValida = "\"MA_CUENTAS\",\"1500|900|\"\r\n\"X\",\"1|\"\r\n";
    const auto inicio = std::chrono::steady_clock::now();
    const auto kxw = (carpeta / "consultas.kxw").string();
    const auto len = (carpeta / anchos::kArchivo).string();
    for (int i = 0; i < 3000; ++i) {
        std::string datos;
        switch (i % 3) {
            case 0:
                datos = valido.substr(0, azar() % (valido.size() + 1));
                break;
            case 1:
                datos.resize(azar() % 4000);
                for (auto& c : datos) c = static_cast<char>(azar());
                break;
            default:
                datos = valido;
                for (int k = 0; k < 20; ++k)
                    datos[azar() % datos.size()] = static_cast<char>(azar());
        }
        std::istringstream entrada(datos);
        auto r = BuscarConsultaGuardada(entrada, "V_TA_CPTE");
        if (r) EXPECT_LE(r->Columnas.size(), 1000u);  // at most 500 bytes, each at most 2 in UTF-8
        if (datos.size() < 2 * kLargoRegistroConsulta) EXPECT_FALSE(r) << "parcial leido";

        if (i % 10 == 0) {  // through the file itself now and then
            std::ofstream f(kxw, std::ios::binary | std::ios::trunc);
            f << datos;
            f.close();
            EXPECT_EQ(BuscarConsultaGuardada(kxw, "V_TA_CPTE").has_value(), r.has_value());
        }
        std::string linea = i % 2 ? lineaValida.substr(0, azar() % lineaValida.size()) : datos;
        std::istringstream lineas(linea);
        for (std::string l; std::getline(lineas, l);)
            if (auto leida = anchos::LeerLinea(l))
                EXPECT_LE(anchos::LeerAnchos(leida->Anchos).size(), l.size());
        if (i % 10 == 1) {  // through the file itself now and then
            {
                std::ofstream f(len, std::ios::binary | std::ios::trunc);
                f << linea;
            }
            auto a = anchos::AnchosGuardados(len, "MA_CUENTAS");
            if (a) EXPECT_LE(a->size(), linea.size());
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(60));
}

}  // namespace
