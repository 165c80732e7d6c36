#pragma once
// The progress notice for long processes: owns one notice window, created by the first
// operation that needs it and released by CartelCerrar, so every start after a close shows a
// fresh window (frame counter 0, cancel not pressed).
#include <memory>
#include <string>

#include "Cartel.h"

namespace notice {

class Lbf_CtrlDisplay;

class Dll_Display final : public helperlib::Cartel {
  public:
    Dll_Display();
    ~Dll_Display() override;
    Dll_Display(const Dll_Display&) = delete;
    Dll_Display& operator=(const Dll_Display&) = delete;

    /// Caption = `titulo`; the cancel button shown only when `permiteCancelar`; the window
    /// shown without being modal. A step that fails is skipped.
    void CartelInicio(const std::string& titulo, bool permiteCancelar) override;
    /// The given lines set (Null: empty), the window repainted, `cancelado` = the cancel
    /// button's caption is exactly "Abortado", then pending events run once. Failures reach
    /// the caller.
    void CartelMostrar(bool& cancelado, const helperlib::LineaCartel& l1 = {},
                       const helperlib::LineaCartel& l2 = {},
                       const helperlib::LineaCartel& l3 = {}) override;
    /// Hides and releases the window; nothing happens when there is none.
    void CartelCerrar() override;
    /// Puts the window in or out of the topmost group, keeping its place and size.
    void Siempre_Visible(bool valor) override;

    /// The window while one exists, else null.
    Lbf_CtrlDisplay* Ventana() const { return ventana_.get(); }

  private:
    Lbf_CtrlDisplay& Formulario();

    std::unique_ptr<Lbf_CtrlDisplay> ventana_;
};

}  // namespace notice
