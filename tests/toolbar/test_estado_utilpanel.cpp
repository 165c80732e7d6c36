#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BolsaPropiedades.h"
#include "EstadoUtilPanel.h"

using namespace toolbar;

using namespace utilpanel;

namespace {

std::string Tecla(const EstadoUtilPanel& e, int codigo, int shift = 0) {
    return e.AnalizarTecla(codigo, shift).value_or("<nada>");
}

const std::vector<std::string> kClavesEnOrden = {
    "ConTitulo",       "Enabled",         "NuevoEnabled",    "BorrarEnabled",    "ReporteEnabled",
    "ConsultaEnabled", "PlanillaEnabled", "CancelarEnabled", "GrabarEnabled",    "CerrarEnabled",
    "NuevoVisible",    "BorrarVisible",   "ReporteVisible",  "ConsultarVisible", "PlanillaVisible",
    "CancelarVisible", "GrabarVisible",   "CerrarVisible"};

}  // namespace

TEST(TeclasUtilPanel, MapaCompletoConTodoHabilitado) {
    EstadoUtilPanel e;
    EXPECT_EQ(Tecla(e, 27), "CANCELAR");
    EXPECT_EQ(Tecla(e, 113), "GRABAR");
    EXPECT_EQ(Tecla(e, 114), "NUEVO");
    EXPECT_EQ(Tecla(e, 115), "REPORTE");
    EXPECT_EQ(Tecla(e, 116), "CONSULTAR");
    EXPECT_EQ(Tecla(e, 117), "PLANILLA");
    EXPECT_EQ(Tecla(e, 121), "BORRAR");
    // Keys outside the map, including neighbours of mapped ones.
    for (int codigo : {0, 13, 32, 45, 46, 112, 118, 119, 120, 122, 123, 65, -1, 70000})
        EXPECT_EQ(Tecla(e, codigo), "<nada>") << codigo;
    // The shift state does not change the map.
    for (int shift : {1, 2, 4, 7}) {
        EXPECT_EQ(Tecla(e, 113, shift), "GRABAR");
        EXPECT_EQ(Tecla(e, 27, shift), "CANCELAR");
    }
}

TEST(TeclasUtilPanel, EscapeCancelaPrimeroLuegoCierraLuegoNada) {
    EstadoUtilPanel e;
    e.CerrarEnabled(false);
    EXPECT_EQ(Tecla(e, 27), "CANCELAR");
    e.CerrarEnabled(true);
    e.CancelarEnabled(false);
    EXPECT_EQ(Tecla(e, 27), "CERRAR");
    e.CerrarEnabled(false);
    EXPECT_EQ(Tecla(e, 27), "<nada>");
    // Hiding does not matter for Esc either.
    e.CerrarEnabled(true);
    e.CerrarVisible(false);
    e.CancelarVisible(false);
    EXPECT_EQ(Tecla(e, 27), "CERRAR");
}

TEST(TeclasUtilPanel, SoloLosFlagsEnabledBloqueanCadaTecla) {
    struct Caso {
        Comando comando;
        int tecla;
        const char* palabra;
    };
    const Caso casos[] = {
        {Comando::Nuevo, 114, "NUEVO"},       {Comando::Borrar, 121, "BORRAR"},
        {Comando::Reporte, 115, "REPORTE"},   {Comando::Consultar, 116, "CONSULTAR"},
        {Comando::Planilla, 117, "PLANILLA"}, {Comando::Grabar, 113, "GRABAR"}};
    for (const Caso& c : casos) {
        EstadoUtilPanel e;
        // Hidden but enabled still answers.
        e.Visible(c.comando, false);
        EXPECT_EQ(Tecla(e, c.tecla), c.palabra);
        // Disabled does not, even when visible; the other keys keep working.
        e.Visible(c.comando, true);
        e.Habilitado(c.comando, false);
        EXPECT_EQ(Tecla(e, c.tecla), "<nada>") << c.palabra;
        for (const Caso& otro : casos) {
            if (otro.tecla != c.tecla) {
                EXPECT_EQ(Tecla(e, otro.tecla), otro.palabra);
            }
        }
        EXPECT_EQ(Tecla(e, 27), "CANCELAR");
    }
    // The general Enabled flag gates nothing.
    EstadoUtilPanel e;
    e.Enabled(false);
    EXPECT_EQ(Tecla(e, 121), "BORRAR");
    EXPECT_EQ(Tecla(e, 27), "CANCELAR");
}

TEST(TeclasUtilPanel, UnaTeclaNuncaCambiaBorrarEnabled) {
    EstadoUtilPanel e;
    EXPECT_EQ(Tecla(e, 114), "NUEVO");
    EXPECT_TRUE(e.BorrarEnabled());
    e.BorrarEnabled(false);
    EXPECT_EQ(Tecla(e, 113), "GRABAR");
    EXPECT_EQ(Tecla(e, 27), "CANCELAR");
    EXPECT_FALSE(e.BorrarEnabled());
}

TEST(EjecucionUtilPanel, AjusteDelBotonBorrar) {
    EstadoUtilPanel e;
    EXPECT_EQ(e.AlEjecutarBoton("Nuevo"), "NUEVO");
    EXPECT_FALSE(e.BorrarEnabled());
    // Cancelar and the others leave it as it was, in either state.
    for (const char* t : {"Cancelar", " Reporte", " Consultar", "  Planilla", "Borrar"}) {
        EXPECT_EQ(e.AlEjecutarBoton(t), PalabraDeTitulo(t));
        EXPECT_FALSE(e.BorrarEnabled()) << t;
    }
    EXPECT_EQ(e.AlEjecutarBoton("Grabar"), "GRABAR");
    EXPECT_TRUE(e.BorrarEnabled());
    for (const char* t : {"Cancelar", " Reporte", " Consultar", "  Planilla"}) {
        e.AlEjecutarBoton(t);
        EXPECT_TRUE(e.BorrarEnabled()) << t;
    }
    e.AlEjecutarBoton("Nuevo");
    EXPECT_EQ(e.AlEjecutarBoton("   Cerrar"), "CERRAR");
    EXPECT_TRUE(e.BorrarEnabled());
    // The pressed button's own Enabled flag is not consulted.
    e.NuevoEnabled(false);
    EXPECT_EQ(e.AlEjecutarBoton("Nuevo"), "NUEVO");
    EXPECT_FALSE(e.BorrarEnabled());
    // Only the delete flag moves.
    EXPECT_FALSE(e.NuevoEnabled());
    EXPECT_TRUE(e.GrabarEnabled() && e.CerrarEnabled() && e.CancelarEnabled());
}

TEST(RefrescoUtilPanel, EstadoPorIdSigueLaTablaDeIds) {
    EstadoUtilPanel e;
    e.GrabarEnabled(false);     // id 4
    e.CerrarVisible(false);     // id 5
    e.ConsultaEnabled(false);   // id 6
    e.consultarVisible(false);  // id 6
    e.PlanillaVisible(false);   // id 7
    e.CancelarEnabled(false);   // id 8
    struct Esperado {
        int id;
        bool habilitado, visible;
    };
    for (Esperado x :
         {Esperado{1, true, true}, Esperado{2, true, true}, Esperado{3, true, true},
          Esperado{4, false, true}, Esperado{5, true, false}, Esperado{6, false, false},
          Esperado{7, true, false}, Esperado{8, false, true}}) {
        auto r = e.EstadoParaRefresco(x.id);
        ASSERT_TRUE(r.has_value()) << x.id;
        EXPECT_EQ(r->habilitado, x.habilitado) << x.id;
        EXPECT_EQ(r->visible, x.visible) << x.id;
    }
    EXPECT_FALSE(e.EstadoParaRefresco(0).has_value());
    EXPECT_FALSE(e.EstadoParaRefresco(9).has_value());
}

TEST(PropiedadesUtilPanel, ThemeFueraDeRangoQuedaEnCero) {
    EstadoUtilPanel e;
    EXPECT_EQ(e.Theme(), 0);
    e.Theme(2);
    EXPECT_EQ(e.Theme(), 2);
    e.Theme(3);
    EXPECT_EQ(e.Theme(), 0);
    e.Theme(1);
    e.Theme(-1);
    EXPECT_EQ(e.Theme(), 0);
    e.Theme(65537);  // would wrap to 1 if narrowed before the range check
    EXPECT_EQ(e.Theme(), 0);
}

TEST(PropiedadesUtilPanel, GuardaLasDieciochoClavesEnOrdenYSinTheme) {
    EstadoUtilPanel e;
    e.consultarVisible(false);
    e.ConsultaEnabled(false);
    e.Enabled(false);
    e.Theme(2);
    BolsaPropiedadesMemoria bolsa;
    e.Guardar(bolsa);
    ASSERT_EQ(bolsa.Escritos().size(), kClavesEnOrden.size());
    for (size_t i = 0; i < kClavesEnOrden.size(); ++i) {
        const auto& [clave, valor] = bolsa.Escritos()[i];
        EXPECT_EQ(clave, kClavesEnOrden[i]);
        const bool esperado =
            !(clave == "ConsultarVisible" || clave == "ConsultaEnabled" || clave == "Enabled");
        EXPECT_EQ(valor, esperado) << clave;
    }

    EstadoUtilPanel otro;
    otro.Theme(1);
    otro.Cargar(bolsa);
    EXPECT_EQ(bolsa.Leidos(), kClavesEnOrden);
    EXPECT_FALSE(otro.consultarVisible());
    EXPECT_FALSE(otro.ConsultaEnabled());
    EXPECT_FALSE(otro.Enabled());
    EXPECT_TRUE(otro.BorrarVisible() && otro.CerrarEnabled() && otro.ConTitulo());
    EXPECT_EQ(otro.Theme(), 1);  // not loaded, so left as it was
}

TEST(PropiedadesUtilPanel, ClavesAusentesSeCarganComoTrue) {
    // A store that leaves out defaults holds only the values that differ.
    EstadoUtilPanel e;
    e.BorrarVisible(false);
    e.ConTitulo(false);
    BolsaPropiedadesMemoria bolsa(/*omitirDefectos=*/true);
    e.Guardar(bolsa);
    ASSERT_EQ(bolsa.Escritos().size(), 2u);
    EXPECT_EQ(bolsa.Escritos()[0].first, "ConTitulo");
    EXPECT_EQ(bolsa.Escritos()[1].first, "BorrarVisible");

    EstadoUtilPanel otro;
    for (const auto& b : Botones()) {
        otro.Habilitado(b.comando, false);
        otro.Visible(b.comando, false);
    }
    otro.Cargar(bolsa);
    EXPECT_FALSE(otro.ConTitulo());
    EXPECT_FALSE(otro.BorrarVisible());
    for (const auto& b : Botones()) {
        EXPECT_TRUE(otro.Habilitado(b.comando)) << b.titulo;
        if (b.comando != Comando::Borrar) {
            EXPECT_TRUE(otro.Visible(b.comando)) << b.titulo;
        }
    }
}

TEST(TiraDeIconos, ArchivoSegunEstilo) {
    EXPECT_EQ(ArchivoTira("1"), "ABM2021B.bmp");
    EXPECT_EQ(ArchivoTira(""), "ABM2021B.bmp");
    EXPECT_EQ(ArchivoTira(" 1 "), "ABM2021B.bmp");
    EXPECT_EQ(ArchivoTira("2"), "ABM2021M.bmp");
    EXPECT_EQ(ArchivoTira("3"), "ABM2021V.bmp");
    EXPECT_EQ(ArchivoTira("4"), "ABM2021i.bmp");
    for (const char* otro : {"0", "5", "01", "12", "x", "Azul"})
        EXPECT_EQ(ArchivoTira(otro), "ABM2021.bmp") << otro;
}
