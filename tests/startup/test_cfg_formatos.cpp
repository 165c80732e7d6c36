// Display formats, voucher numbers, the capitals-only key filter and the file-exists test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "Formatos.h"

using namespace startup;

namespace {

TEST(Formatos, FechaYHora) {
    EXPECT_EQ(FormatoFecha(), "dd/mm/yy");
    EXPECT_EQ(FormatoHora(), "hh:mm");
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 1;
    t.tm_mday = 5;
    t.tm_hour = 7;
    t.tm_min = 3;
    t.tm_isdst = -1;
    const auto momento = std::chrono::system_clock::from_time_t(std::mktime(&t));
    EXPECT_EQ(TextoFechaHora(momento), "05/02/24 07:03");
}

TEST(ArmarNroComprobante, RellenaConCerosYAjustaLaLetra) {
    struct {
        const char *suc, *num, *letra, *esperado;
    } casos[] = {
        {"1", "123", "A", "0001-00000123A"},
        {"", "123", "A", "0000-00000123A"},                  // empty branch
        {"xy", "5", "B", "0000-00000005B"},                  // non-numeric branch
        {"12abc", "7z", "C", "0012-00000007C"},              // leading numeric part
        {" 3 ", "123456789012", "A", "0003-123456789012A"},  // more than eight digits in full
        {"1", "1", "", "0001-00000001 "},                    // letter brought to one character
        {"1", "1", "XYZ", "0001-00000001X"},
        {"99999", "0", "A", "99999-00000000A"},
        {"2.6", "10.4", "A", "0003-00000010A"},  // rounded to whole numbers
        {"-5", "1", "A", "-0005-00000001A"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(ArmarNroComprobante(c.suc, c.num, c.letra), c.esperado)
            << c.suc << "|" << c.num << "|" << c.letra;
}

TEST(FiltroMayusculas, SoloConElPerfilActivoYSoloLetrasDelConjunto) {
    for (int16_t c : {int16_t('a'), int16_t(241), int16_t('z'), int16_t('1'), int16_t(13)})
        EXPECT_EQ(FiltroMayusculas(false, c), c) << "perfil apagado, tecla " << c;

    EXPECT_EQ(FiltroMayusculas(true, 'a'), 'A');
    EXPECT_EQ(FiltroMayusculas(true, 'z'), 'Z');
    EXPECT_EQ(FiltroMayusculas(true, 241), 209);  // ñ -> Ñ
    EXPECT_EQ(FiltroMayusculas(true, 209), 209);
    EXPECT_EQ(FiltroMayusculas(true, 'Q'), 'Q');
    for (int16_t c :
         {int16_t('0'), int16_t('9'), int16_t('.'), int16_t(13), int16_t(8), int16_t(' '),
          int16_t('-'), int16_t(225) /* á, not in the set */, int16_t(-1), int16_t(300)})
        EXPECT_EQ(FiltroMayusculas(true, c), c) << "tecla " << c;
}

TEST(ExisteArchivo, ArchivoCarpetaYRutaInexistente) {
    const auto carpeta =
        std::filesystem::temp_directory_path() / ("startup_existe_" + std::to_string(::getpid()));
    std::filesystem::create_directories(carpeta);
    const auto archivo = carpeta / "hay.txt";
    std::ofstream(archivo) << "x";
    EXPECT_TRUE(ExisteArchivo(archivo.string()));
    EXPECT_FALSE(ExisteArchivo((carpeta / "no.txt").string()));
    EXPECT_FALSE(ExisteArchivo(carpeta.string()));
    EXPECT_FALSE(ExisteArchivo(""));
    std::filesystem::remove_all(carpeta);
}

}  // namespace
