#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "PlataformaGuionada.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace {
int64_t Crudo(std::string_view t) { return ValorNumerico(t).Crudo(); }
}  // namespace

TEST(ValorNumerico, SeparadoresSignosYBlancos) {
    EXPECT_EQ(Crudo("1,5"), 15000);
    EXPECT_EQ(Crudo("1.5"), 15000);
    EXPECT_EQ(Crudo("-0.5"), -5000);
    EXPECT_EQ(Crudo("  12  "), 120000);
    EXPECT_EQ(Crudo("\t-3,25 "), -32500);
    EXPECT_EQ(Crudo("0.12345"), 1235);  // fifth decimal rounds, never through double
}

TEST(ValorNumerico, TextoQueNoEsNumeroDaCero) {
    for (const char* t : {"", "   ", "abc", "12abc", "1.2.3", "-", " , "})
        EXPECT_EQ(Crudo(t), 0) << "'" << t << "'";
}

TEST(ValorNumerico, DesbordeEsErrorSeisNoNumeroEnvuelto) {
    EXPECT_EQ(Crudo("922337203685477.5807"), INT64_MAX);
    EXPECT_EQ(Crudo("-922337203685477.5808"), INT64_MIN);
    for (const char* t :
         {"922337203685478", "-922337203685477.5809", "1e400", "100000000000000000000000"}) {
        try {
            const auto v = ValorNumerico(t);
            // "1e400" is not a number at all: 0 is right for it, any other value is a wrap.
            EXPECT_TRUE(std::string(t) == "1e400" && v.EsCero()) << t << " -> " << v.Crudo();
        } catch (const ErrorEjecucion& e) {
            EXPECT_EQ(e.Numero(), errnum::kDesbordamiento) << t;
        }
    }
    EXPECT_THROW(ValorNumerico("922337203685478"), ErrorEjecucion);
}

TEST(NumeroDeTexto, RedondeaAlMasCercanoYDesbordaFueraDe32Bits) {
    EXPECT_EQ(NumeroDeTexto("3"), 3);
    EXPECT_EQ(NumeroDeTexto(" -17 "), -17);
    EXPECT_EQ(NumeroDeTexto("2,5"), 3);
    EXPECT_EQ(NumeroDeTexto("-2.5"), -3);
    EXPECT_EQ(NumeroDeTexto("2.4999"), 2);
    EXPECT_EQ(NumeroDeTexto("16776960"), 0xFFFF00);
    EXPECT_EQ(NumeroDeTexto("no"), 0);
    EXPECT_EQ(NumeroDeTexto("2147483647"), INT32_MAX);
    EXPECT_EQ(NumeroDeTexto("-2147483648"), INT32_MIN);
    EXPECT_THROW(NumeroDeTexto("2147483648"), ErrorEjecucion);
    EXPECT_THROW(NumeroDeTexto("2147483647.5"), ErrorEjecucion);  // rounds past the limit
    EXPECT_THROW(NumeroDeTexto("-2147483649"), ErrorEjecucion);
}

TEST(Textos, LargoFijoCuentaCaracteresNoBytes) {
    EXPECT_EQ(LargoFijo("A", 1), "A");
    EXPECT_EQ(LargoFijo("", 1), " ");
    EXPECT_EQ(LargoFijo("ABC", 1), "A");
    EXPECT_EQ(LargoFijo("ñú", 4), "ñú  ");
    EXPECT_EQ(texto::Largo(LargoFijo("ñú", 4)), 4);
    EXPECT_EQ(LargoFijo("Año contable", 3), "Año");
    EXPECT_EQ(LargoFijo("x", 0), "");
    EXPECT_EQ(LargoFijo("x", -2), "");
}

TEST(Textos, AjustarAnchoConYSinAncho) {
    EXPECT_EQ(AjustarAncho("FA", 4), "FA  ");
    EXPECT_EQ(AjustarAncho("", 4), "    ");
    EXPECT_EQ(AjustarAncho("   1", 4), "   1");
    EXPECT_EQ(AjustarAncho("ABCDEF", 4), "ABCD");
    EXPECT_EQ(AjustarAncho("Ñandú", 3), "Ñan");
    EXPECT_EQ(AjustarAncho("1110101", 15), "1110101        ");
    EXPECT_EQ(AjustarAncho(" valor  "), " valor  ");  // no width: unchanged
    EXPECT_EQ(AjustarAncho(""), "");
}

TEST(Textos, EsTextoVacioYContarPalabras) {
    EXPECT_TRUE(EsTextoVacio(""));
    EXPECT_TRUE(EsTextoVacio(" \t \r\n"));
    EXPECT_FALSE(EsTextoVacio(" x "));
    EXPECT_FALSE(EsTextoVacio("ñ"));
    EXPECT_FALSE(EsTextoVacio(std::string(1, '\0')));

    EXPECT_EQ(ContarPalabras(""), 0);
    EXPECT_EQ(ContarPalabras("   "), 0);
    EXPECT_EQ(ContarPalabras("LEN"), 1);
    EXPECT_EQ(ContarPalabras("  SELECT  LEN(x)\tFROM\r\nT  "), 4);
    EXPECT_EQ(ContarPalabras("año contable"), 2);
}

TEST(Textos, QuitarCaracterQuitaCadaAparicionDeCadaUno) {
    EXPECT_EQ(QuitarCaracter("=SRV01", "="), "SRV01");
    EXPECT_EQ(QuitarCaracter("a=b=c", "="), "abc");
    EXPECT_EQ(QuitarCaracter("03-00-45", "-"), "030045");
    EXPECT_EQ(QuitarCaracter("[a], (b); c", "[", "]", ";"), "a, (b) c");
    EXPECT_EQ(QuitarCaracter("año ñoño", "ñ"), "ao oo");  // a two-byte character, whole
    EXPECT_EQ(QuitarCaracter(std::string("11\0"
                                         "01\0",
                                         6),
                             std::string(1, '\0')),
              "1101");
    EXPECT_EQ(QuitarCaracter("abc", ""), "abc");
    EXPECT_EQ(QuitarCaracter("", "x", "y"), "");
}

TEST(Textos, ReemplazarCaracterYTexto) {
    EXPECT_EQ(ReemplazarCaracter("A|B|C", "|", ","), "A,B,C");
    EXPECT_EQ(ReemplazarCaracter("*cuenta*", "*", "%"), "%cuenta%");
    EXPECT_EQ(ReemplazarCaracter("1,5", ",", "."), "1.5");
    EXPECT_EQ(ReemplazarCaracter("abc", "", "x"), "abc");
    EXPECT_EQ(ReemplazarTexto("SELECT * FROM V_MA_ARTICULOS, v_ma_articulos", "V_MA_ARTICULOS",
                              "VT_MA_ARTICULOS"),
              "SELECT * FROM VT_MA_ARTICULOS, VT_MA_ARTICULOS");
    // The replacement is not searched again.
    EXPECT_EQ(ReemplazarTexto("aa", "a", "aa"), "aaaa");
}

TEST(Textos, TextoDeValorNuloYCampos) {
    struct CampoDePrueba {  // shaped like the data layer's field
        std::optional<std::string> v;
        const std::optional<std::string>& Value() const { return v; }
    };
    EXPECT_EQ(TextoDeValor(std::optional<std::string>()), "");
    EXPECT_EQ(TextoDeValor(std::optional<std::string>("  FA ")), "  FA ");
    EXPECT_EQ(TextoDeValor(CampoDePrueba{std::nullopt}), "");
    EXPECT_EQ(TextoDeValor(CampoDePrueba{"D"}), "D");
    EXPECT_EQ(TextoDeValor("x"), "x");
    EXPECT_EQ(TextoDeValor(std::string("y")), "y");
    EXPECT_EQ(TextoDeValor(-42), "-42");
    EXPECT_EQ(TextoDeValor(*Moneda::Leer("12.50")), "12.5");
}

TEST(FechaSQL, OrdenJetDesdeVariasFormas) {
    EXPECT_EQ(FechaSQL("01/01/1990"), "#01/01/1990#");
    EXPECT_EQ(FechaSQL("31/12/2023"), "#12/31/2023#");
    EXPECT_EQ(FechaSQL("5/3/24"), "#03/05/2024#");
    EXPECT_EQ(FechaSQL("5/3/30"), "#03/05/1930#");
    EXPECT_EQ(FechaSQL(" 29-02-2024 "), "#02/29/2024#");
    EXPECT_EQ(FechaSQL("2024-03-05"), "#03/05/2024#");
    EXPECT_EQ(FechaSQL("2024-03-05 00:00:00"), "#03/05/2024#");
    EXPECT_EQ(FechaSQL("2024-03-05T14:07:09.123"), "#03/05/2024 14:07:09#");
    EXPECT_EQ(FechaSQL("05/03/2024 8:30"), "#03/05/2024 08:30:00#");
}

TEST(FechaSQL, TextoQueNoEsFechaEsErrorDeTipo) {
    for (const char* t :
         {"", "hoy", "29/02/2023", "31/04/2024", "00/01/2024", "01/13/2024", "1/1/999",
          "0099-01-01", "01/01/2024 25:00", "2024-3", "1/2/3/4", "12/05/2024x"}) {
        try {
            const auto r = FechaSQL(t);
            ADD_FAILURE() << "'" << t << "' dio " << r;
        } catch (const ErrorEjecucion& e) {
            EXPECT_EQ(e.Numero(), errnum::kTiposNoCoinciden) << t;
        }
    }
}

TEST(Carpetas, NormalizarCarpetaTerminaEnUnSeparador) {
    EXPECT_EQ(NormalizarCarpeta("/opt/asientos"), "/opt/asientos/");
    EXPECT_EQ(NormalizarCarpeta("/opt/asientos/"), "/opt/asientos/");
    EXPECT_EQ(NormalizarCarpeta("datos\\suite\\"), "datos/suite/");
    EXPECT_EQ(NormalizarCarpeta("datos\\suite"), "datos/suite/");
    EXPECT_EQ(NormalizarCarpeta("/"), "/");
    EXPECT_EQ(NormalizarCarpeta(""), "");  // stays relative, never the root
}

TEST(Claves, IdaYVueltaDeCualquierTexto) {
    std::vector<std::string> casos = {"",           "a",        " clave con blancos ",
                                      "contraseña", "EMPRESA1", "coma,comilla\"salto\r\nfin",
                                      "~",          "~41",      std::string(5000, 'x')};
    std::string latin1;  // every byte value, valid UTF-8 or not
    for (int b = 1; b < 256; ++b) latin1.push_back(static_cast<char>(b));
    casos.push_back(latin1);
    casos.push_back(std::string("\0nul\0", 5));
    std::mt19937 azar(20240305);
    for (int i = 0; i < 200; ++i) {
        std::string s(azar() % 40, '\0');
        for (auto& c : s) c = static_cast<char>(azar());
        casos.push_back(s);
    }
    for (const auto& c : casos) {
        const std::string cod = CodificarClave(c);
        EXPECT_EQ(DecodificarClave(cod), c);
        EXPECT_EQ(cod.find_first_of(",\"\r\n \t"), std::string::npos) << cod;
        EXPECT_EQ(texto::Recortar(cod), cod);  // the connection list trims its fields
        if (!c.empty()) {
            EXPECT_NE(cod, c);
        }
    }
    EXPECT_EQ(CodificarClave(""), "");
}

TEST(Claves, CodificacionNoDejaLaClaveALaVista) {
    const std::string cod = CodificarClave("EMPRESA1");
    EXPECT_EQ(cod.find("EMPRESA1"), std::string::npos);
    EXPECT_NE(CodificarClave("AAAA").substr(1, 2), CodificarClave("AAAA").substr(3, 2));
    EXPECT_NE(CodificarClave("EMPRESA1"), CodificarClave("EMPRESA2"));
}

TEST(Claves, TextoQueNoEsCodificacionVuelveIgual) {
    EXPECT_EQ(DecodificarClave("secreta"), "secreta");
    EXPECT_EQ(DecodificarClave("~4G"), "~4G");
    EXPECT_EQ(DecodificarClave("~414"), "~414");
    const std::string cod = CodificarClave("Clave");
    EXPECT_EQ(DecodificarClave(texto::Minusculas(cod)), "Clave");  // hex in either case
}

TEST(ErrorConOpciones, MuestraNumeroDescripcionYRutinaYDevuelveRespuesta) {
    ConPlataformaGuionada p;
    p->respuestas = {respuesta::kReintentar, respuesta::kIgnorar, respuesta::kAbortar,
                     respuesta::kCancelar};
    const ErrorEjecucion e(3021, "No hay registro actual.");
    EXPECT_EQ(MostrarErrorConOpciones(e, "Generar"), respuesta::kReintentar);
    EXPECT_EQ(MostrarErrorConOpciones(e, "IniContable"), respuesta::kIgnorar);
    EXPECT_EQ(MostrarErrorConOpciones(e, "Cfg"), respuesta::kAbortar);
    EXPECT_EQ(MostrarErrorConOpciones(e, ""), respuesta::kAbortar);  // closed: abort
    ASSERT_EQ(p->dialogos.size(), 4u);
    EXPECT_EQ(p->dialogos[0].estilo, 18);
    EXPECT_EQ(p->dialogos[0].titulo, "Error en Generar");
    EXPECT_NE(p->dialogos[0].texto.find("3021"), std::string::npos);
    EXPECT_NE(p->dialogos[0].texto.find("No hay registro actual."), std::string::npos);
    EXPECT_EQ(p->dialogos[3].titulo, "Error");
}

TEST(ErrorConOpciones, ReporteroGobiernaLosPasos) {
    ConPlataformaGuionada p;
    p->respuestas = {respuesta::kReintentar, respuesta::kIgnorar};
    int intentos = 0;
    bool siguiente = false;
    const auto d = EjecutarPasos({[&] {
                                      if (++intentos < 3) throw ErrorEjecucion(5, "falla");
                                  },
                                  [&] { siguiente = true; }},
                                 ReporteroConOpciones("Cargar_Modelo"));
    EXPECT_EQ(d, Desenlace::Completo);
    EXPECT_EQ(intentos, 2);  // retried once, then ignored
    EXPECT_TRUE(siguiente);
    ASSERT_EQ(p->dialogos.size(), 2u);
    EXPECT_EQ(p->dialogos[1].titulo, "Error en Cargar_Modelo");
}
