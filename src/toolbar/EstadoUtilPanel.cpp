#include "EstadoUtilPanel.h"

#include "Texto.h"

using namespace helperlib;

namespace toolbar {

namespace utilpanel {

namespace {

constexpr std::array<BotonBarra, kCantidadBotones> kBotones = {{
    {1, 1, "Nuevo", Comando::Nuevo, tecla::kF3, "F3", "NuevoEnabled", "NuevoVisible"},
    {2, 2, "Borrar", Comando::Borrar, tecla::kF10, "F10", "BorrarEnabled", "BorrarVisible"},
    {3, 3, " Reporte", Comando::Reporte, tecla::kF4, "F4", "ReporteEnabled", "ReporteVisible"},
    {4, 6, " Consultar", Comando::Consultar, tecla::kF5, "F5", "ConsultaEnabled",
     "ConsultarVisible"},
    {5, 7, "  Planilla", Comando::Planilla, tecla::kF6, "F6", "PlanillaEnabled", "PlanillaVisible"},
    {6, 8, "Cancelar", Comando::Cancelar, tecla::kEscape, "Esc", "CancelarEnabled",
     "CancelarVisible"},
    {7, 4, "Grabar", Comando::Grabar, tecla::kF2, "F2", "GrabarEnabled", "GrabarVisible"},
    {8, 5, "   Cerrar", Comando::Cerrar, tecla::kEscape, "Esc", "CerrarEnabled", "CerrarVisible"},
}};

}  // namespace

const std::array<BotonBarra, kCantidadBotones>& Botones() { return kBotones; }

const BotonBarra* BotonPorId(int id) {
    for (const auto& b : kBotones)
        if (b.id == id) return &b;
    return nullptr;
}

const BotonBarra& BotonDe(Comando comando) { return kBotones[static_cast<int>(comando)]; }

std::string PalabraDeTitulo(std::string_view titulo) {
    return texto::Mayusculas(texto::Recortar(titulo));
}

std::string PalabraDe(Comando comando) { return PalabraDeTitulo(BotonDe(comando).titulo); }

std::string ArchivoTira(std::string_view estilo) {
    const std::string valor = texto::Recortar(estilo);
    if (valor.empty() || valor == "1") return "ABM2021B.bmp";
    if (valor == "2") return "ABM2021M.bmp";
    if (valor == "3") return "ABM2021V.bmp";
    if (valor == "4") return "ABM2021i.bmp";
    return "ABM2021.bmp";
}

void EstadoUtilPanel::Restablecer() {
    conTitulo_ = true;
    enabled_ = true;
    habilitado_.fill(true);
    visible_.fill(true);
}

std::string EstadoUtilPanel::AlEjecutarBoton(std::string_view titulo) {
    std::string palabra = PalabraDeTitulo(titulo);
    if (palabra == "NUEVO")
        BorrarEnabled(false);
    else if (palabra == "GRABAR" || palabra == "CERRAR")
        BorrarEnabled(true);
    return palabra;
}

std::optional<std::string> EstadoUtilPanel::AnalizarTecla(int codigoTecla, int /*shift*/) const {
    if (codigoTecla == tecla::kEscape) {
        if (CancelarEnabled()) return PalabraDe(Comando::Cancelar);
        if (CerrarEnabled()) return PalabraDe(Comando::Cerrar);
        return std::nullopt;
    }
    for (const auto& b : kBotones) {
        if (b.tecla == tecla::kEscape || b.tecla != codigoTecla) continue;
        if (!Habilitado(b.comando)) return std::nullopt;
        return PalabraDeTitulo(b.titulo);
    }
    return std::nullopt;
}

std::optional<EstadoBoton> EstadoUtilPanel::EstadoParaRefresco(int id) const {
    const BotonBarra* b = BotonPorId(id);
    if (!b) return std::nullopt;
    return EstadoBoton{Habilitado(b->comando), Visible(b->comando)};
}

void EstadoUtilPanel::Guardar(BolsaPropiedades& bolsa) const {
    bolsa.Escribir("ConTitulo", conTitulo_, true);
    bolsa.Escribir("Enabled", enabled_, true);
    for (const auto& b : kBotones) bolsa.Escribir(b.claveEnabled, Habilitado(b.comando), true);
    for (const auto& b : kBotones) bolsa.Escribir(b.claveVisible, Visible(b.comando), true);
}

void EstadoUtilPanel::Cargar(const BolsaPropiedades& bolsa) {
    conTitulo_ = bolsa.Leer("ConTitulo", true);
    enabled_ = bolsa.Leer("Enabled", true);
    for (const auto& b : kBotones) Habilitado(b.comando, bolsa.Leer(b.claveEnabled, true));
    for (const auto& b : kBotones) Visible(b.comando, bolsa.Leer(b.claveVisible, true));
}

}  // namespace utilpanel

}  // namespace toolbar
