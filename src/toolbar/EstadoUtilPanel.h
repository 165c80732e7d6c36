#pragma once
// State and rules of the eight-button command toolbar, kept apart from any widget: the
// button table, the eighteen flags, the key map, the delete-button adjustment made when a
// button is pressed, the per-button refresh state, the saved properties and the choice of
// icon strip file.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "BolsaPropiedades.h"
#include "TeclasVirtuales.h"

namespace toolbar {

namespace utilpanel {

/// The eight commands, in their order on the bar.
enum class Comando { Nuevo, Borrar, Reporte, Consultar, Planilla, Cancelar, Grabar, Cerrar };
inline constexpr int kCantidadBotones = 8;

/// Windows virtual-key codes the toolbar answers.
namespace tecla {
inline constexpr int kEscape = teclas::Vk(Qt::Key_Escape);
inline constexpr int kF2 = teclas::Vk(Qt::Key_F2);
inline constexpr int kF3 = teclas::Vk(Qt::Key_F3);
inline constexpr int kF4 = teclas::Vk(Qt::Key_F4);
inline constexpr int kF5 = teclas::Vk(Qt::Key_F5);
inline constexpr int kF6 = teclas::Vk(Qt::Key_F6);
inline constexpr int kF10 = teclas::Vk(Qt::Key_F10);
}  // namespace tecla

/// One button of the bar.
struct BotonBarra {
    int posicion;             ///< 1..8, left to right (top to bottom when vertical)
    int id;                   ///< the button id used by the icon strip and the refresh
    std::string_view titulo;  ///< caption, leading blanks kept
    Comando comando;
    int tecla;                      ///< virtual-key code that raises the command
    std::string_view nombreTecla;   ///< shown in the tooltip ("F2", "Esc")
    std::string_view claveEnabled;  ///< saved-property key of its Enabled flag
    std::string_view claveVisible;  ///< saved-property key of its Visible flag
};

/// The buttons in bar order.
const std::array<BotonBarra, kCantidadBotones>& Botones();
/// The button with `id`, or nullptr for an unknown id.
const BotonBarra* BotonPorId(int id);
/// The button of `comando`.
const BotonBarra& BotonDe(Comando comando);

/// The command word of a caption: upper-cased and trimmed (" Consultar" -> "CONSULTAR").
std::string PalabraDeTitulo(std::string_view titulo);
/// The command word of `comando`.
std::string PalabraDe(Comando comando);

/// Button ids of the icon strip's images, image 1 first.
inline constexpr std::array<int, kCantidadBotones> kIdsTira = {1, 2, 3, 6, 7, 8, 4, 5};

/// Icon strip file for the user's appearance style: "1" (or nothing configured) ->
/// "ABM2021B.bmp", "2" -> "ABM2021M.bmp", "3" -> "ABM2021V.bmp", "4" -> "ABM2021i.bmp",
/// anything else -> "ABM2021.bmp". Blanks around the value are ignored.
std::string ArchivoTira(std::string_view estilo);

/// Enabled and visible state the bar gives one button when it refreshes.
struct EstadoBoton {
    bool habilitado;
    bool visible;
};

/// The toolbar's flags and the rules that read and change them.
class EstadoUtilPanel {
  public:
    /// Every flag True, Theme 0.
    EstadoUtilPanel() = default;

    /// Returns every Boolean flag to True, as a fresh build does. Theme is kept.
    void Restablecer();

    bool ConTitulo() const { return conTitulo_; }
    void ConTitulo(bool v) { conTitulo_ = v; }
    /// Stored and saved only: no button, key or event depends on it.
    bool Enabled() const { return enabled_; }
    void Enabled(bool v) { enabled_ = v; }

    bool Habilitado(Comando c) const { return habilitado_[Indice(c)]; }
    void Habilitado(Comando c, bool v) { habilitado_[Indice(c)] = v; }
    bool Visible(Comando c) const { return visible_[Indice(c)]; }
    void Visible(Comando c, bool v) { visible_[Indice(c)] = v; }

    bool NuevoEnabled() const { return Habilitado(Comando::Nuevo); }
    void NuevoEnabled(bool v) { Habilitado(Comando::Nuevo, v); }
    bool BorrarEnabled() const { return Habilitado(Comando::Borrar); }
    void BorrarEnabled(bool v) { Habilitado(Comando::Borrar, v); }
    bool ReporteEnabled() const { return Habilitado(Comando::Reporte); }
    void ReporteEnabled(bool v) { Habilitado(Comando::Reporte, v); }
    bool ConsultaEnabled() const { return Habilitado(Comando::Consultar); }
    void ConsultaEnabled(bool v) { Habilitado(Comando::Consultar, v); }
    bool PlanillaEnabled() const { return Habilitado(Comando::Planilla); }
    void PlanillaEnabled(bool v) { Habilitado(Comando::Planilla, v); }
    bool CancelarEnabled() const { return Habilitado(Comando::Cancelar); }
    void CancelarEnabled(bool v) { Habilitado(Comando::Cancelar, v); }
    bool GrabarEnabled() const { return Habilitado(Comando::Grabar); }
    void GrabarEnabled(bool v) { Habilitado(Comando::Grabar, v); }
    bool CerrarEnabled() const { return Habilitado(Comando::Cerrar); }
    void CerrarEnabled(bool v) { Habilitado(Comando::Cerrar, v); }

    bool NuevoVisible() const { return Visible(Comando::Nuevo); }
    void NuevoVisible(bool v) { Visible(Comando::Nuevo, v); }
    bool BorrarVisible() const { return Visible(Comando::Borrar); }
    void BorrarVisible(bool v) { Visible(Comando::Borrar, v); }
    bool ReporteVisible() const { return Visible(Comando::Reporte); }
    void ReporteVisible(bool v) { Visible(Comando::Reporte, v); }
    bool consultarVisible() const { return Visible(Comando::Consultar); }
    void consultarVisible(bool v) { Visible(Comando::Consultar, v); }
    bool PlanillaVisible() const { return Visible(Comando::Planilla); }
    void PlanillaVisible(bool v) { Visible(Comando::Planilla, v); }
    bool CancelarVisible() const { return Visible(Comando::Cancelar); }
    void CancelarVisible(bool v) { Visible(Comando::Cancelar, v); }
    bool GrabarVisible() const { return Visible(Comando::Grabar); }
    void GrabarVisible(bool v) { Visible(Comando::Grabar, v); }
    bool CerrarVisible() const { return Visible(Comando::Cerrar); }
    void CerrarVisible(bool v) { Visible(Comando::Cerrar, v); }

    /// Stored and reported only. Values outside 0..2 are stored as 0.
    std::int16_t Theme() const { return theme_; }
    void Theme(int v) { theme_ = (v < 0 || v > 2) ? 0 : static_cast<std::int16_t>(v); }

    /// A button with caption `titulo` was pressed: returns its command word after adjusting
    /// the delete button ("NUEVO" disables it, "GRABAR" and "CERRAR" enable it). The
    /// button's own Enabled flag is not consulted.
    std::string AlEjecutarBoton(std::string_view titulo);

    /// The command word a key-down raises, or nothing. `codigoTecla` is a Windows
    /// virtual-key code; the shift state does not change the map. Only the Enabled flags
    /// gate keys (Esc: Cancelar first, then Cerrar); visibility never does, and a key never
    /// changes BorrarEnabled.
    std::optional<std::string> AnalizarTecla(int codigoTecla, int shift = 0) const;

    /// Enabled and visible state of the button with `id`; nothing for an unknown id.
    std::optional<EstadoBoton> EstadoParaRefresco(int id) const;

    /// Writes the eighteen Boolean flags in their fixed order, each with default True.
    /// Theme is not saved.
    void Guardar(BolsaPropiedades& bolsa) const;
    /// Reads the same keys in the same order, default True. Theme is not read.
    void Cargar(const BolsaPropiedades& bolsa);

  private:
    static int Indice(Comando c) { return static_cast<int>(c); }

    bool conTitulo_ = true;
    bool enabled_ = true;
    std::array<bool, kCantidadBotones> habilitado_ = {true, true, true, true,
                                                      true, true, true, true};
    std::array<bool, kCantidadBotones> visible_ = {true, true, true, true, true, true, true, true};
    std::int16_t theme_ = 0;
};

}  // namespace utilpanel

}  // namespace toolbar
