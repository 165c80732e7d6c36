#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ErrorEjecucion.h"
#include "Moneda.h"
#include "Pasos.h"
#include "PlataformaGuionada.h"
#include "Texto.h"

using namespace helperlib;

TEST(Moneda, LeeSeparadoresSignosYBlancos) {
    EXPECT_EQ(Moneda::Leer("1,5")->Crudo(), 15000);
    EXPECT_EQ(Moneda::Leer("1.5")->Crudo(), 15000);
    EXPECT_EQ(Moneda::Leer("-0.5")->Crudo(), -5000);
    EXPECT_EQ(Moneda::Leer("  12  ")->Crudo(), 120000);
    EXPECT_EQ(Moneda::Leer("+ 3")->Crudo(), 30000);
    EXPECT_EQ(Moneda::Leer("1.234,56")->Crudo(), 12345600);
    EXPECT_EQ(Moneda::Leer("1,234.56")->Crudo(), 12345600);
    EXPECT_EQ(Moneda::Leer(".25")->Crudo(), 2500);
    EXPECT_EQ(Moneda::Leer("0.00005")->Crudo(), 1);  // rounded half away from zero
    EXPECT_EQ(Moneda::Leer("-0.00005")->Crudo(), -1);
    EXPECT_EQ(Moneda::Leer("922337203685477.5807")->Crudo(), INT64_MAX);
}

TEST(Moneda, RechazaTextoQueNoEsNumero) {
    for (const char* t : {"", "   ", "abc", "1a", "-", ".", "1.2.3", "1 2", "--1"})
        EXPECT_FALSE(Moneda::Leer(t).has_value()) << t;
}

TEST(Moneda, DesbordeEsErrorNoNumeroEnvuelto) {
    try {
        Moneda::Leer("922337203685478");
        FAIL() << "no desbordó";
    } catch (const ErrorEjecucion& e) {
        EXPECT_EQ(e.Numero(), errnum::kDesbordamiento);
    }
    EXPECT_THROW(Moneda::Leer("99999999999999999999999"), ErrorEjecucion);
    EXPECT_THROW(Moneda::DesdeCrudo(INT64_MAX) + Moneda::DesdeCrudo(1), ErrorEjecucion);
    EXPECT_THROW(-Moneda::DesdeCrudo(INT64_MIN), ErrorEjecucion);
}

TEST(Moneda, FormatoRedondeaNegativosYCero) {
    EXPECT_EQ(Moneda::Leer("2.345")->Formato(), "2.35");
    EXPECT_EQ(Moneda::Leer("-2.345")->Formato(), "-2.35");
    EXPECT_EQ(Moneda::Leer("2.3449")->Formato(), "2.34");
    EXPECT_EQ(Moneda().Formato(), "0.00");
    EXPECT_EQ(Moneda::Leer("-0.001")->Formato(), "0.00");  // no "-0.00"
    EXPECT_EQ(Moneda::Leer("150")->Formato(), "150.00");
    EXPECT_EQ(Moneda::Leer("1234567.891")->Formato(4), "1234567.8910");
    EXPECT_EQ(Moneda::Leer("12.50")->TextoCorto(), "12.5");
    EXPECT_EQ(Moneda::Leer("-3")->TextoCorto(), "-3");
    EXPECT_EQ(Moneda().TextoCorto(), "0");
}

TEST(Moneda, SumaExactaAlCentavo) {
    Moneda total;
    for (int i = 0; i < 1000; ++i) total += *Moneda::Leer("0.10");
    EXPECT_EQ(total.Formato(), "100.00");
}

TEST(Texto, MayusculasConAcentosYEnie) {
    EXPECT_EQ(texto::Mayusculas("ñandú"), "ÑANDÚ");
    EXPECT_EQ(texto::Mayusculas("pequeño año"), "PEQUEÑO AÑO");
    EXPECT_EQ(texto::Minusculas("ÁÉÍÓÚÑ"), "áéíóúñ");
    // Case-blind equality: decided on ASCII without converting, and by the capitals of the
    // whole texts as soon as either holds another character.
    for (const auto& [a, b, iguales] : std::vector<std::tuple<std::string, std::string, bool>>{
             {"Peña", "PEÑA", true},
             {"Pena", "PEÑA", false},
             {"descripcion", "DESCRIPCION", true},
             {"DESCRIPCION", "DESCRIPCIONES", false},
             {"CODIGO", "CODIGOÑ", false},  // equal start, the longer one goes on
             {"xAÑO", "yaño", false},       // different before the first accent
             {"año", "AÑOS", false},
             {"ÁRBOL", "árbol", true},
             {"\xE1rbol", "\xC1RBOL", true},  // Latin-1 bytes compare as their letters
             {"a_b", "A_B", true},
             {"[", "{", false},  // 0x5B and 0x7B are not a letter's two cases
             {"", "", true},
             {"", "A", false}})
        EXPECT_EQ(texto::IgualesSinCaso(a, b), iguales) << a << " / " << b;
    // Length in characters: a multi-byte character counts once, a byte that starts no valid
    // character counts alone.
    for (const auto& [t, largo] : std::vector<std::pair<std::string, int>>{{"ñandú", 5},
                                                                           {"\xE1rbol", 5},
                                                                           {"\xF0\x9F\x98\x80x", 2},
                                                                           {"a\xE2\x82", 3},
                                                                           {"\x80\x80", 2},
                                                                           {"", 0}})
        EXPECT_EQ(texto::Largo(t), largo) << t;
    // The ASCII search: letters of either case, never a byte of a multi-byte character.
    for (const auto& [s, b, esta] : std::vector<std::tuple<std::string, std::string, bool>>{
             {"select * from ma_cuentas", "MA_CUENTAS", true},
             {"PEÑA", "PE", true},
             {"PEÑA", "NA", false},
             {"x", "xy", false},
             {"", "", true}})
        EXPECT_EQ(texto::ContieneAsciiSinCaso(s, b), esta) << s << " / " << b;
}

TEST(Texto, PosicionesYCortesPorCaracter) {
    EXPECT_EQ(texto::PosicionSinCaso("@server=X;@DbName=EMP;", "@DBNAME"), 11);
    EXPECT_EQ(texto::Posicion("abc", "d"), 0);
    EXPECT_EQ(texto::Posicion("a;b;c", ";", 3), 4);
    EXPECT_EQ(texto::Largo("año"), 3);
    EXPECT_EQ(texto::Izquierda("ñandú", 2), "ña");
    EXPECT_EQ(texto::Derecha("ñandú", 2), "dú");
    EXPECT_EQ(texto::Medio("ñandú", 2, 3), "and");
    EXPECT_EQ(texto::Medio("abc", 5), "");
    // Case-blind replacement, plain ASCII and with accented letters on either side.
    for (const auto& [s, de, por, r] :
         std::vector<std::tuple<std::string, std::string, std::string, std::string>>{
             {"UPDATE @admin_TA_MENU", "@Admin_", "", "UPDATE TA_MENU"},
             {" ma_cuentas x, (MA_Cuentas ", "ma_cuentas ", "V ", " V x, (V "},
             {"aaa", "aa", "b", "ba"},
             {"peña PEÑA", "ñ", "n", "pena PEnA"},
             {"más ma_cuentas", "MA_CUENTAS", "V", "más V"},
             // Bytes that are not UTF-8 stay as they were, matched or not.
             {"CUENT\xbf\xa9 ma_x", "MA_X", "V", "CUENT\xbf\xa9 V"},
             {"CUENT\xbf\xa9 '\xdf@ADMIN_'", "@Admin_", "", "CUENT\xbf\xa9 '\xdf'"},
             {"CUENT\xbf\xa9", "\xdf", "", "CUENT\xbf\xa9"}})
        EXPECT_EQ(texto::ReemplazarSinCaso(s, de, por), r) << s;
    EXPECT_EQ(texto::Recortar("  a b  "), "a b");
    EXPECT_EQ(texto::DuplicarApostrofes("O'HARA"), "O''HARA");
    // Bytes that are not UTF-8 survive a round trip as Latin-1 characters.
    EXPECT_EQ(texto::Largo("\xF1"
                           "a"),
              2);
}

TEST(Pasos, ReintentarIgnorarYAbandonar) {
    int intentos = 0;
    std::vector<int> respuestas{respuesta::kReintentar, respuesta::kIgnorar};
    std::vector<std::string> hechos;
    auto reportero = [&](const ErrorEjecucion& e) {
        hechos.push_back("error " + std::to_string(e.Numero()));
        int r = respuestas.front();
        respuestas.erase(respuestas.begin());
        return r;
    };
    auto d = EjecutarPasos(
        {[&] {
             if (++intentos < 2) throw ErrorEjecucion(11, "red");
             hechos.push_back("paso1");
         },
         [&] { throw ErrorEjecucion(13, "tipo"); }, [&] { hechos.push_back("paso3"); }},
        reportero);
    EXPECT_EQ(d, Desenlace::Completo);
    EXPECT_EQ(hechos, (std::vector<std::string>{"error 11", "paso1", "error 13", "paso3"}));

    hechos.clear();
    d = EjecutarPasos({[&] { throw ErrorEjecucion(5, "x"); }, [&] { hechos.push_back("no"); }},
                      AbandonarSiempre);
    EXPECT_EQ(d, Desenlace::Abandonado);
    EXPECT_TRUE(hechos.empty());
}

TEST(Pasos, FinDelProgramaNoSeReporta) {
    ConPlataformaGuionada p;
    bool reportado = false;
    EXPECT_THROW(EjecutarPaso([&] { plataforma().Terminar(3); },
                              [&](const ErrorEjecucion&) {
                                  reportado = true;
                                  return respuesta::kIgnorar;
                              }),
                 ProgramaTerminado);
    EXPECT_FALSE(reportado);
    EXPECT_EQ(p->codigoFin, 3);
}

TEST(Plataforma, RespuestaPorDefectoSegunEstilo) {
    EXPECT_EQ(RespuestaPorDefecto(estilo::kSiNo + estilo::kPregunta), respuesta::kSi);
    EXPECT_EQ(RespuestaPorDefecto(estilo::kSiNo + estilo::kBotonDefecto2), respuesta::kNo);
    EXPECT_EQ(RespuestaPorDefecto(18), respuesta::kAbortar);
    EXPECT_EQ(RespuestaPorDefecto(0), respuesta::kOk);
}
